// The demonstration installation's setup piece: the setup program and its readme one folder
// above the menu's program folder, where the menu's "..\TAV_setup.EXE " finds it.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include "platform/command_line.h"
#include "platform/textfile.h"
#include "setup/setup.h"
#include "support/test_support.h"

namespace {

const QString kSourceDir = QStringLiteral(TAV_SETUP_SOURCE_DIR);
const QString kSetupBinary = QStringLiteral(TAV_SETUP_BINARY);

// Runs demo/setup/install_setup.sh with the arguments; returns its exit status.
int runInstall(const QStringList& arguments, QString* output) {
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(QStringLiteral("bash"),
            QStringList{kSourceDir + QStringLiteral("/demo/setup/install_setup.sh")} + arguments);
    if (!p.waitForFinished(30000)) return -1;
    *output = QString::fromLocal8Bit(p.readAll());
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

}  // namespace

TEST(DemoInstallation, PutsTheSetupProgramAndReadmeAboveTheMenuFolder) {
    const QString setupBin = kSetupBinary;
    ASSERT_TRUE(QFileInfo(setupBin).isExecutable()) << setupBin.toStdString();
    QTemporaryDir dir;
    const QString system = dir.path() + QStringLiteral("/TAV/SYS");
    const QString menu = system + QStringLiteral("/App");
    ASSERT_TRUE(QDir().mkpath(menu));

    QString out;
    ASSERT_EQ(runInstall({setupBin, menu}, &out), 0) << out.toStdString();
    EXPECT_TRUE(QFileInfo(system + QStringLiteral("/TAV_setup")).isExecutable());
    EXPECT_FALSE(QFileInfo(system + QStringLiteral("/TAV_setup")).isSymLink());
    EXPECT_FALSE(QFileInfo::exists(menu + QStringLiteral("/TAV_setup")));
    EXPECT_FALSE(QFileInfo::exists(system + QStringLiteral("/TAV_App.TAV")));

    // The readme is CP932 and reads as the window shows it.
    const QString readmePath = system + u'/' + tav::setup::ReadmeFileName();
    const QByteArray bytes = tav::test::readFile(readmePath);
    EXPECT_FALSE(tav::platform::isUtf8Text(bytes));
    auto readme = tav::setup::ReadReadme(readmePath);
    ASSERT_TRUE(readme.has_value());
    EXPECT_TRUE(readme->startsWith(QStringLiteral("TAV_Loan セットアップ　お読み下さい\r\n\r\n")));
    EXPECT_TRUE(readme->endsWith(QStringLiteral("㈱マルヴネ　システム部\r\n")));
    EXPECT_FALSE(readme->contains(QChar(0xFFFD)));

    // The menu's setup command, relative to its program folder, reaches the installed program.
    auto resolved = tav::platform::resolveCommandLine(menu + QStringLiteral("/..\\TAV_setup.EXE "),
                                                      tav::platform::findProgram);
    ASSERT_TRUE(resolved.has_value());
    EXPECT_EQ(QFileInfo(resolved->program).canonicalFilePath(),
              QFileInfo(system + QStringLiteral("/TAV_setup")).canonicalFilePath());
    EXPECT_TRUE(resolved->arguments.isEmpty());
}

TEST(DemoInstallation, ItsArchiveUnpacksThePayloadIntoTheMenuFolderKeepingWhatIsThere) {
    const QString setupBin = kSetupBinary;
    QTemporaryDir dir;
    const QString system = dir.path() + QStringLiteral("/TAV/SYS");
    const QString menu = system + QStringLiteral("/App");
    const QString payload = dir.path() + QStringLiteral("/payload");
    tav::test::writeFile(payload + QStringLiteral("/TAV_MENU1.DAT"), "@10 menu\r\n");
    tav::test::writeFile(payload + QStringLiteral("/sub/a.txt"), "a");
    tav::test::writeFile(payload + QStringLiteral("/FEND_RUN.INI"), "new");
    tav::test::writeFile(menu + QStringLiteral("/FEND_RUN.INI"), "kept");

    QString out;
    ASSERT_EQ(runInstall({setupBin, menu, payload}, &out), 0) << out.toStdString();
    const QString archive = system + QStringLiteral("/TAV_App.TAV");
    ASSERT_TRUE(QFileInfo(archive).isExecutable());
    EXPECT_FALSE(QFileInfo::exists(menu + QStringLiteral("/TAV_MENU1.DAT")));

    // Started the way the launcher starts it: directly, from another working folder.
    QProcess p;
    p.setWorkingDirectory(dir.path());
    p.start(archive, {});
    ASSERT_TRUE(p.waitForFinished(30000));
    EXPECT_EQ(tav::test::readFile(menu + QStringLiteral("/TAV_MENU1.DAT")), "@10 menu\r\n");
    EXPECT_EQ(tav::test::readFile(menu + QStringLiteral("/sub/a.txt")), "a");
    EXPECT_EQ(tav::test::readFile(menu + QStringLiteral("/FEND_RUN.INI")), "kept");
}

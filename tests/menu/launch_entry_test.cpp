#include "menu/launch_entry.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include "menu/end_of_business.h"
#include "menu/startup.h"
#include "menu_fakes.h"

using namespace tav::menu;
using tav::platform::Answer;
using tav::platform::Buttons;
using tav::platform::Icon;
using tav::test::exitStatusOf;

class LaunchEntry : public tav::test::MenuTest {
  protected:
    void SetUp() override { menuContext().TitleText = "業務メニュー"; }
    // Puts the entry at index 5 and launches it; the exit status, -1 when the menu goes on.
    int launch(const QString& mode, const QString& relative, const QString& command,
               const QString& parameters = {}) {
        MenuEntry& e = menuEntry(5);
        e = MenuEntry{};
        e.LaunchMode = mode;
        e.RelativeFlag = relative;
        e.Command = command;
        e.Parameters = parameters;
        journal.clear();
        return exitStatusOf([&] { LaunchMenuEntry(window, 5); });
    }
    const QStringList waitAndRefresh{"focus list",     "hourglass",       "disable",  "front",
                                     "enable",         "default pointer", "activate", "open",
                                     "company header", "company 自社 ",   "close"};
    QStringList started() const { return fake.processes.started; }
};

TEST_F(LaunchEntry, ModesThatStartAProgramWithoutWaiting) {
    EXPECT_EQ(launch("0", "1", "BIN\\X.EXE a"), -1);
    EXPECT_EQ(started().last(), pf.path() + "/BIN\\X.EXE a");
    EXPECT_EQ(journal, QStringList{"focus list"});
    EXPECT_EQ(launch("6", "0", "LKM00100.exeXrest"), -1);
    EXPECT_EQ(started().last(), "LKM00100.exe E000000000rest");
    EXPECT_EQ(journal, QStringList{"focus list"});
    EXPECT_EQ(fake.processes.last->polls, 0);
    EXPECT_TRUE(boxes().empty());
}

TEST_F(LaunchEntry, ModeTwoWaitsAndRefreshesTheCompanyHeader) {
    fake.processes.pollsWhileRunning = 5;
    bool disabledWhilePolling = true;
    fake.events.onProcess = [&] {
        if (journal.contains("disable") && !journal.contains("enable"))
            disabledWhilePolling = disabledWhilePolling && !window.isEnabled();
    };
    EXPECT_EQ(launch("2", "0", "prog a b"), -1);
    EXPECT_EQ(started(), QStringList{"prog a b"});
    EXPECT_EQ(journal, waitAndRefresh);
    EXPECT_EQ(fake.processes.last->polls, 6);
    EXPECT_EQ(fake.events.slept, std::vector<int>(5, 10));
    EXPECT_EQ(fake.events.processed, 6);  // five polls and once after the window is back
    EXPECT_TRUE(disabledWhilePolling);
    EXPECT_TRUE(window.isEnabled());
}

TEST_F(LaunchEntry, ModeFiveAddsTheStartArgumentAndWaits) {
    EXPECT_EQ(launch("5", "1", "LKM00100.exe"), -1);
    EXPECT_EQ(started().last(), pf.path() + "/LKM00100.exe E000000000");
    EXPECT_EQ(journal, waitAndRefresh);
    EXPECT_EQ(launch("5", "0", "LKM00100.exe P1 P2"), -1);
    EXPECT_EQ(started().last(), "LKM00100.exe E000000000P1 P2");
}

TEST_F(LaunchEntry, DocumentsAndTheirWaits) {
    EXPECT_EQ(launch("1", "1", " 帳票\\月報.xls ", "  -x  "), -1);
    ASSERT_EQ(fake.processes.opened.size(), 1u);
    EXPECT_EQ(fake.processes.opened[0].path, pf.path() + "/ 帳票\\月報.xls");
    EXPECT_EQ(fake.processes.opened[0].parameters, "-x");
    EXPECT_EQ(fake.processes.opened[0].workingFolder, pf.path() + "/ 帳票");
    EXPECT_EQ(journal, QStringList{"focus list"});

    EXPECT_EQ(launch("3", "0", "C:\\DOC\\a.pdf"), -1);
    EXPECT_EQ(fake.processes.opened[1].path, "C:\\DOC\\a.pdf");
    EXPECT_EQ(fake.processes.opened[1].parameters, "");
    EXPECT_EQ(fake.processes.opened[1].workingFolder, "C:\\DOC");
    EXPECT_EQ(journal, waitAndRefresh);
    EXPECT_TRUE(boxes().empty());
}

TEST_F(LaunchEntry, AScriptFromTheXlsToken) {
    menuEntry(5) = MenuEntry{};
    EXPECT_EQ(launch("3", "1", "ZUC730MD.VBS", "\"" + pf.path() + "/月報.XLS\""), -1);
    EXPECT_EQ(fake.processes.opened[0].path, pf.path() + "/ZUC730MD.VBS");
    EXPECT_EQ(fake.processes.opened[0].parameters, "\"" + pf.path() + "/月報.XLS\"");
    EXPECT_EQ(fake.processes.opened[0].workingFolder, pf.path());
}

TEST_F(LaunchEntry, ExplorerAndWindowForms) {
    EXPECT_EQ(launch("0", "0", "EXPLORER " + pf.path() + "\\DATA"), -1);
    EXPECT_EQ(started().last(), "explorer /e,/root," + pf.path() + "\\DATA");
    EXPECT_EQ(launch("9", "1", "window  \\DOC "), -1);
    EXPECT_EQ(started().last(), "explorer /root," + pf.path() + "/\\DOC");
    EXPECT_EQ(journal, QStringList{"focus list"});
    // Mode "2" waits for the file manager.
    EXPECT_EQ(launch("2", "0", "Explorer D:\\"), -1);
    EXPECT_EQ(started().last(), "explorer /e,/root,D:\\");
    EXPECT_EQ(journal, waitAndRefresh);
    // "EXPLORER" alone (a bad backup folder) opens the file manager's default.
    EXPECT_EQ(launch("0", "0", "EXPLORER"), -1);
    EXPECT_EQ(started().last(), "explorer /e,/root,");
    EXPECT_EQ(launch("0", "1", "EXPLORER"), -1);
    EXPECT_EQ(started().last(), "explorer /e,/root," + pf.path() + "/");
}

TEST_F(LaunchEntry, ModesSevenAndEightAskForTheEndOfBusiness) {
    fake.messageBox.answers = {Answer::Cancel};
    EXPECT_EQ(launch("7", "0", "prog"), -1);
    EXPECT_EQ(started().last(), "prog");
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0].title, "業務終了確認");
    EXPECT_EQ(boxes()[0].text,
              "業務メニュー\r\nを終了します。\r\n\r\n（バックアップ処理を行なってください。）");
    EXPECT_EQ(boxes()[0].buttons, Buttons::OkCancel);
    EXPECT_EQ(boxes()[0].icon, Icon::Information);

    EXPECT_EQ(launch("7", "0", "prog"), 0);
    EXPECT_EQ(fake.programEnd.statuses, std::vector<int>{0});

    // Mode "8" asks even when the document could not be opened.
    fake.processes.failOpen = true;
    EXPECT_EQ(launch("8", "0", "C:\\DOC\\a.pdf"), 0);
    ASSERT_EQ(boxes().size(), 4u);
    EXPECT_EQ(boxes()[2].text, "C:\\DOC\\a.pdf\r\n起動失敗");
    EXPECT_EQ(boxes()[2].buttons, Buttons::Ok);
    EXPECT_EQ(boxes()[2].icon, Icon::None);
    EXPECT_EQ(boxes()[3].title, "業務終了確認");
}

TEST_F(LaunchEntry, ADocumentThatCannotBeOpenedInModeThreeIsNotWaitedFor) {
    fake.processes.failOpen = true;
    EXPECT_EQ(launch("3", "0", " C:\\DOC\\a.pdf "), -1);
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0].text, "C:\\DOC\\a.pdf\r\n起動失敗");
    EXPECT_EQ(journal, QStringList{"focus list"});
}

TEST_F(LaunchEntry, LaunchFailures) {
    fake.processes.failStart = true;
    EXPECT_EQ(launch("2", "1", " NONE.EXE  "), -1);
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0].text, pf.path() + "/NONE.EXE\r\nが見つかりません。");
    EXPECT_EQ(boxes()[0].title, tav::platform::programTitle());
    EXPECT_EQ(boxes()[0].icon, Icon::Critical);
    EXPECT_EQ(journal, QStringList{"focus list"});

    // A mode "7" start that fails does not ask for the end of business.
    EXPECT_EQ(launch("7", "0", "NONE"), -1);
    EXPECT_EQ(boxes().size(), 2u);
    EXPECT_EQ(boxes()[1].text, "NONE\r\nが見つかりません。");

    // A bare file name for the shell has no folder.
    EXPECT_EQ(launch("3", "0", "readme.txt "), -1);
    ASSERT_EQ(boxes().size(), 3u);
    EXPECT_EQ(boxes()[2].text,
              "プロシージャの呼び出し、または引数が不正です。\r\nreadme.txt\r\nが起動できません。");
    EXPECT_EQ(boxes()[2].icon, Icon::Critical);
    EXPECT_TRUE(fake.processes.opened.empty());
}

TEST_F(LaunchEntry, OtherModesStartNothingAndReportNothing) {
    for (const char* mode : {"4", "", "9", "07", "A"}) EXPECT_EQ(launch(mode, "1", "prog"), -1);
    EXPECT_TRUE(started().isEmpty());
    EXPECT_TRUE(boxes().empty());
    // An index outside the table is a failure of its own, not a crash.
    journal.clear();
    EXPECT_EQ(exitStatusOf([&] { LaunchMenuEntry(window, 1000); }), -1);
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0].text, "インデックスが有効範囲にありません。\r\n\r\nが起動できません。");
}

TEST_F(LaunchEntry, TheConfirmationShowsTheTitleOfTheWindow) {
    menuContext().TitleText = "サブシステム";
    fake.messageBox.answers = {Answer::Cancel};
    EXPECT_EQ(exitStatusOf([&] { ConfirmEndOfBusiness(window); }), -1);
    EXPECT_EQ(boxes()[0].text,
              "サブシステム\r\nを終了します。\r\n\r\n（バックアップ処理を行なってください。）");
    EXPECT_EQ(exitStatusOf([&] { ConfirmEndOfBusiness(window); }), 0);
}

// With the machine's own process start: the setup program one folder above, found through its
// Windows form, and a waited-for program that records how it was started.
class RealLaunch : public LaunchEntry {
  protected:
    void SetUp() override {
        LaunchEntry::SetUp();
        tav::platform::services().processes = tav::platform::realServices().processes;
        record = pf.root() + "/record.txt";
        qputenv("TAV_RECORD_FILE", record.toLocal8Bit());
    }
    void TearDown() override {
        qunsetenv("TAV_RECORD_FILE");
        qunsetenv("TAV_RECORD_SLEEP_MS");
    }
    void install(const QString& path) {
        QDir().mkpath(QFileInfo(path).absolutePath());
        ASSERT_TRUE(QFile::copy(QStringLiteral(TAV_RECORD_ARGS), path));
        QFile::setPermissions(path, QFile::permissions(path) | QFile::ExeUser);
    }
    QStringList recorded() {
        for (int i = 0; i < 500 && !QFile::exists(record); ++i) QThread::msleep(10);
        QStringList lines = QString::fromUtf8(tav::test::readFile(record)).split('\n');
        if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
        return lines;
    }
    QString record;
};

TEST_F(RealLaunch, TheSetupPromptStartsTheSetupProgramAboveTheProgramFolder) {
    install(pf.root() + "/TAV/SYS/TAV_setup");
    EXPECT_EQ(exitStatusOf([] { M0005_KIDOU_CHECK(); }), 1);
    const QStringList lines = recorded();
    ASSERT_GE(lines.size(), 2);
    EXPECT_EQ(QFileInfo(lines[0]).canonicalFilePath(),
              QFileInfo(pf.root() + "/TAV/SYS/TAV_setup").canonicalFilePath());
    EXPECT_EQ(lines.mid(2), QStringList{});
    EXPECT_EQ(boxes().size(), 1u);
}

TEST_F(RealLaunch, ModeFiveWaitsForTheProgramAndHandsItTheStartArgument) {
    install(pf.file("LKM00100"));
    qputenv("TAV_RECORD_SLEEP_MS", "150");
    EXPECT_EQ(launch("5", "1", "LKM00100.EXE 月次 -a"), -1);
    // The menu waited: the record exists as soon as the launch returns.
    EXPECT_TRUE(QFile::exists(record));
    EXPECT_EQ(recorded().mid(2), (QStringList{"E000000000月次", "-a"}));
    EXPECT_GE(fake.events.processed, 5);
    EXPECT_TRUE(boxes().empty());
    EXPECT_EQ(journal, waitAndRefresh);
}

// A menu entry's command line never passes through a shell: ";", "|", "$(...)", back quotes and
// redirections reach the started program as its own arguments, and no second command runs.
TEST_F(RealLaunch, ShellCharactersOfAnEntryReachTheProgramAsArguments) {
    install(pf.file("LKM00100"));
    const QString marker = pf.root() + "/injected";
    const QString command = QStringLiteral(
                                "LKM00100.EXE a;touch %1 | touch %1 $(touch %1) `touch %1` >%1 "
                                "&&x ||y &")
                                .arg(marker);
    for (const QString& mode : {QStringLiteral("2"), QStringLiteral("0")}) {
        QFile::remove(record);
        EXPECT_EQ(launch(mode, "1", command), -1) << mode.toStdString();
        EXPECT_EQ(recorded().mid(2),
                  (QStringList{"a;touch", marker, "|", "touch", marker, "$(touch", marker + ")",
                               "`touch", marker + "`", ">" + marker, "&&x", "||y", "&"}))
            << mode.toStdString();
        EXPECT_EQ(QFileInfo(recorded().value(0)).fileName(), QStringLiteral("LKM00100"));
        EXPECT_FALSE(QFile::exists(marker)) << "a shell ran a part of the command line";
        EXPECT_TRUE(boxes().empty());
    }
    // A program name made of shell text is looked for as a file of that name, not run by a shell.
    const QString inert = pf.root() + "/inert";
    launch("0", "0", QStringLiteral("true;touch %1").arg(inert));
    EXPECT_FALSE(QFile::exists(inert));
}

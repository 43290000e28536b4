// Starting real processes: the Windows command line reaches the program as its arguments, a
// program path with blanks starts, the handle reads 259 while the program runs, and nothing is
// left as a zombie.
#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>
#include <sys/wait.h>
#include <cerrno>

#include <vector>

#include "platform/posix_process.h"
#include "platform/runtime_error.h"
#include "platform/services.h"
#include "support/test_support.h"

using namespace tav::platform;

namespace {

QString procState(qint64 pid) {
    QFile f(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!f.open(QIODevice::ReadOnly)) return {};
    QByteArray s = f.readAll();
    int close = s.lastIndexOf(')');
    return close < 0 ? QString() : QString::fromLatin1(s.mid(close + 2, 1));
}

QStringList waitForRecord(const QString& path) {
    for (int i = 0; i < 500 && !QFile::exists(path); ++i) QThread::msleep(10);
    QStringList lines = QString::fromUtf8(tav::test::readFile(path)).split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    return lines;
}

class ProcessStart : public ::testing::Test {
  protected:
    void SetUp() override {
        // A program folder with blanks in it, holding a copy of the recorder.
        folder = dir.path() + QStringLiteral("/Program Files/Tav App");
        QDir().mkpath(folder);
        program = folder + QStringLiteral("/recorder");
        ASSERT_TRUE(QFile::copy(QStringLiteral(TAV_RECORD_ARGS), program));
        QFile::setPermissions(program, QFile::permissions(program) | QFile::ExeUser);
        record = dir.filePath("record.txt");
        qputenv("TAV_RECORD_FILE", record.toLocal8Bit());
        qunsetenv("TAV_RECORD_SLEEP_MS");
    }
    QTemporaryDir dir;
    QString folder, program, record;
    PosixProcessService service;
};

}  // namespace

TEST_F(ProcessStart, UnquotedPathWithBlanksAndWindowsFormStarts) {
    // Windows form: backslashes and an .EXE that does not exist on this machine.
    QString windows = folder;
    windows.replace(u'/', u'\\');
    auto h =
        service.startCommandLine(windows + QStringLiteral("\\recorder.EXE a \"b c\" ; | $(x)"));
    ASSERT_TRUE(h);
    EXPECT_EQ(waitForProcess(*h), 0);
    QStringList lines = waitForRecord(record);
    ASSERT_GE(lines.size(), 2);
    EXPECT_EQ(lines[0], program);
    EXPECT_EQ(lines.mid(2), (QStringList{"a", "b c", ";", "|", "$(x)"}));
}

TEST_F(ProcessStart, QuotedPathStarts) {
    auto h = service.startCommandLine(QStringLiteral("\"") + program + QStringLiteral("\" x"));
    EXPECT_EQ(waitForProcess(*h), 0);
    EXPECT_EQ(waitForRecord(record).mid(2), QStringList{"x"});
}

TEST_F(ProcessStart, ExitCodeReads259WhileRunningThenTheCode) {
    qputenv("TAV_RECORD_SLEEP_MS", "300");
    qputenv("TAV_RECORD_EXIT", "7");
    auto h = service.startCommandLine(program);
    qunsetenv("TAV_RECORD_EXIT");
    EXPECT_EQ(h->exitCode(), kStillActive);
    EXPECT_EQ(waitForProcess(*h), 7);
    EXPECT_EQ(h->exitCode(), 7);
    EXPECT_EQ(procState(h->pid()), QString());  // reaped: no zombie
}

TEST_F(ProcessStart, ADroppedHandleIsReapedAllTheSame) {
    qint64 pid;
    {
        auto h = service.startCommandLine(program);
        pid = h->pid();
    }
    QElapsedTimer t;
    t.start();
    while (!procState(pid).isEmpty() && t.elapsed() < 5000) QThread::msleep(10);
    EXPECT_EQ(procState(pid), QString()) << "process " << pid << " left behind";
}

TEST_F(ProcessStart, ManyDroppedHandlesLeaveNoZombieAndAWaitedChildKeepsItsCode) {
    qputenv("TAV_RECORD_EXIT", "5");
    qputenv("TAV_RECORD_SLEEP_MS", "200");
    auto waited = service.startCommandLine(program);  // ends last, amid the others' signals
    qputenv("TAV_RECORD_SLEEP_MS", "0");
    std::vector<qint64> pids;
    for (int i = 0; i < 40; ++i) pids.push_back(service.startCommandLine(program)->pid());
    qunsetenv("TAV_RECORD_SLEEP_MS");
    qunsetenv("TAV_RECORD_EXIT");
    EXPECT_EQ(waitForProcess(*waited), 5);
    QElapsedTimer t;
    t.start();
    for (qint64 pid : pids) {
        while (!procState(pid).isEmpty() && t.elapsed() < 5000) QThread::msleep(10);
        EXPECT_EQ(procState(pid), QString()) << "process " << pid << " left behind";
    }
}

TEST_F(ProcessStart, AChildReapedElsewhereIsReportedNotReadAsExitZero) {
    // The child lives long enough for this wait to be blocked when it ends: a waiter blocked
    // in waitpid reaps before the signal handler runs.
    qputenv("TAV_RECORD_SLEEP_MS", "300");
    auto h = service.startCommandLine(program);
    qunsetenv("TAV_RECORD_SLEEP_MS");
    int status = 0;
    pid_t reaped;
    while ((reaped = ::waitpid(static_cast<pid_t>(h->pid()), &status, 0)) < 0 && errno == EINTR) {
    }
    ASSERT_EQ(reaped, h->pid());
    try {
        waitForProcess(*h);
        FAIL() << "a lost child read as an exit code";
    } catch (const tav::RuntimeError& e) {
        EXPECT_EQ(e.number(), 5);
    }
}

TEST_F(ProcessStart, MissingProgramIsError53) {
    try {
        service.startCommandLine(folder + QStringLiteral("/nothing.exe arg"));
        FAIL() << "started";
    } catch (const tav::RuntimeError& e) {
        EXPECT_EQ(e.number(), 53);
        EXPECT_EQ(e.description(), QStringLiteral("ファイルが見つかりません。"));
    }
}

TEST_F(ProcessStart, NoShellSeesTheText) {
    // With a shell, "; touch" would create the file.
    QString marker = dir.filePath("marker");
    auto h = service.startCommandLine(program + QStringLiteral(" ; touch ") + marker);
    waitForProcess(*h);
    EXPECT_FALSE(QFile::exists(marker));
    EXPECT_EQ(waitForRecord(record).mid(2), (QStringList{";", "touch", marker}));
}

TEST_F(ProcessStart, OpenDocumentOfAProgramRunsItInTheWorkingFolder) {
    auto h = service.openDocument(program, QStringLiteral("p1 \"p 2\""), folder);
    ASSERT_TRUE(h);
    waitForProcess(*h);
    QStringList lines = waitForRecord(record);
    ASSERT_GE(lines.size(), 2);
    EXPECT_EQ(lines[1], folder);
    EXPECT_EQ(lines.mid(2), (QStringList{"p1", "p 2"}));
    EXPECT_EQ(service.openDocument(folder + QStringLiteral("/none.txt"), {}, folder), nullptr);
}

TEST(DesktopCommands, ExplorerAndNotepadMapToTheDesktop) {
    QString prog;
    QStringList args;
    ASSERT_TRUE(mapDesktopCommand("explorer", {"/e,/root,C:\\TAV\\DATA"}, &prog, &args));
    EXPECT_EQ(prog, QStringLiteral("xdg-open"));
    EXPECT_EQ(args, QStringList{"C:/TAV/DATA"});
    ASSERT_TRUE(mapDesktopCommand("EXPLORER.EXE", {"/root,/tmp/x"}, &prog, &args));
    EXPECT_EQ(args, QStringList{"/tmp/x"});
    qunsetenv("TAV_TEXT_EDITOR");
    ASSERT_TRUE(mapDesktopCommand("notepad", {"a\\b.txt"}, &prog, &args));
    EXPECT_EQ(prog, QStringLiteral("xdg-open"));
    EXPECT_EQ(args, QStringList{"a/b.txt"});
    EXPECT_FALSE(mapDesktopCommand("/bin/true", {}, &prog, &args));
}

// $TAV_TEXT_EDITOR may name the editor by a full path as well as by a name found
// on PATH; the "notepad" command lines of %P04_notepad and %P05_notepad then open the file in it.
TEST_F(ProcessStart, NotepadOpensTheFileInAnEditorNamedByAFullPath) {
    const QString file = folder + QStringLiteral("/README.TXT");
    tav::test::writeFile(file, "readme\r\n");
    QString windowsFile = file;
    windowsFile.replace(u'/', u'\\');
    qputenv("TAV_TEXT_EDITOR", program.toLocal8Bit());  // a full path, with blanks in it
    ProcessHandlePtr h;
    try {
        h = service.startCommandLine(QStringLiteral("notepad  ") + QStringLiteral("\"") +
                                     windowsFile + QStringLiteral("\""));
    } catch (const tav::RuntimeError& e) {
        ADD_FAILURE() << "not started: " << e.description().toStdString();
    }
    qunsetenv("TAV_TEXT_EDITOR");
    ASSERT_TRUE(h);
    EXPECT_EQ(waitForProcess(*h), 0);
    QStringList lines = waitForRecord(record);
    ASSERT_GE(lines.size(), 3);
    EXPECT_EQ(lines[0], program);
    EXPECT_EQ(lines.mid(2), QStringList{file});

    // A full path that is no program is a file that cannot be found, as a missing name is.
    qputenv("TAV_TEXT_EDITOR", (folder + QStringLiteral("/no-editor")).toLocal8Bit());
    try {
        service.startCommandLine(QStringLiteral("notepad  ") + file);
        ADD_FAILURE() << "started";
    } catch (const tav::RuntimeError& e) {
        EXPECT_EQ(e.number(), 53);
    }
    qunsetenv("TAV_TEXT_EDITOR");
}

// An Explorer command line without a folder (an unusable backup folder name
// with RelativeFlag "0" gives "explorer /e,/root,") opens Explorer's default view, the user's
// home folder, instead of handing the file manager one empty argument.
TEST(DesktopCommands, ExplorerWithoutAFolderOpensTheHomeFolder) {
    QString prog;
    QStringList args;
    for (const QStringList& given : {QStringList{"/e,/root,"}, QStringList{"/root,"}, QStringList{},
                                     QStringList{"/e,/root,  "}}) {
        SCOPED_TRACE(given.join(u' ').toStdString());
        ASSERT_TRUE(mapDesktopCommand("explorer", given, &prog, &args));
        EXPECT_EQ(prog, QStringLiteral("xdg-open"));
        EXPECT_EQ(args, QStringList{QDir::homePath()});
    }
}

#include <gtest/gtest.h>

#include <QFile>

#include "common/system_log.h"
#include "platform/services.h"
#include "support/test_support.h"

using namespace tav::common;
using namespace tav::platform;

namespace {

class SystemLog : public ::testing::Test {
  protected:
    void SetUp() override {
        commonArea() = CommonArea{};
        commonArea().setIdentification(QStringLiteral("ID01"));
        commonArea().setProgramId(QStringLiteral("TAV_menu1"));  // cut to 8
        commonArea().setFormId(QStringLiteral("FRM"));
        fake.clock.current = QDateTime(QDate(2026, 4, 1), QTime(9, 5, 7));
        ASSERT_TRUE(openSystemLog(folder.path()));
    }
    void TearDown() override {
        closeSystemLog();
        commonArea() = CommonArea{};
    }
    QStringList lines() {
        QByteArray bytes = tav::test::readFile(folder.file("FEND_SYS.LOG"));
        EXPECT_TRUE(bytes.isEmpty() || bytes.endsWith("\r\n"));
        QStringList l = QString::fromUtf8(bytes).split(QStringLiteral("\r\n"));
        l.removeLast();
        return l;
    }
    FakeServices fake;
    tav::test::ProgramFolder folder;
};

}  // namespace

TEST_F(SystemLog, LineLayoutIsFixed) {
    SystemLogReport("Q0300", "L030", 1, 0, QStringLiteral("SELECT * FROM 名称マスタ"));
    SystemLogReport("Q0100", "L901", 1, 3075, QStringLiteral("msg"));
    SystemLogReport("P", "C", 9, -1, QString());
    ASSERT_EQ(lines().size(), 3);
    EXPECT_EQ(lines()[0], QStringLiteral("26/04/01 09:05:07 ID01             TAV_menu FRM      "
                                         "Q0300 L030 1 00000000 SELECT * FROM 名称マスタ"));
    EXPECT_EQ(lines()[1], QStringLiteral("26/04/01 09:05:07 ID01             TAV_menu FRM      "
                                         "Q0100 L901 1 00003075 msg"));
    // An empty message: the line ends in the number and one blank.
    EXPECT_EQ(lines()[2], QStringLiteral("26/04/01 09:05:07 ID01             TAV_menu FRM      "
                                         "P C 9 -00000001 "));
    EXPECT_TRUE(fake.messageBox.shown.empty());
}

TEST_F(SystemLog, Kind3OnlyWritesUnlessDebugMode) {
    EXPECT_EQ(tav::test::exitStatusOf([] { SystemLogReport("D6020", "H601", 3, 0, "m"); }), -1);
    EXPECT_TRUE(fake.messageBox.shown.empty());
    commonArea().setExecutionMode(QStringLiteral("D"));
    EXPECT_EQ(tav::test::exitStatusOf([] { SystemLogReport("D6020", "H601", 3, 0, "メッセージ"); }),
              2);
    ASSERT_EQ(fake.messageBox.shown.size(), 1u);
    const auto& box = fake.messageBox.shown[0];
    EXPECT_EQ(box.text, QStringLiteral("発生場所 = D6020\rメッセージ"));
    EXPECT_EQ(box.title, QStringLiteral("TAV_menu1"));
    EXPECT_EQ(box.icon, Icon::Exclamation);
    EXPECT_EQ(box.buttons, Buttons::Ok);
    EXPECT_TRUE(box.systemModal);
    EXPECT_EQ(lines().size(), 2);
}

TEST_F(SystemLog, Kind4ShowsThePlaceBoxAndReturns) {
    EXPECT_EQ(tav::test::exitStatusOf([] { SystemLogReport("Z7300", "H004", 4, 0, "x"); }), -1);
    ASSERT_EQ(fake.messageBox.shown.size(), 1u);
    EXPECT_EQ(fake.messageBox.shown[0].text, QStringLiteral("発生場所 = Z7300\rx"));
    EXPECT_TRUE(fake.programEnd.statuses.empty());
}

TEST_F(SystemLog, Kind5ShowsTheAbnormalEndBoxAndEndsWithStatus2) {
    EXPECT_EQ(tav::test::exitStatusOf([] { SystemLogReport("Q0100", "L901", 5, 1, "x"); }), 2);
    ASSERT_EQ(fake.messageBox.shown.size(), 1u);
    EXPECT_EQ(fake.messageBox.shown[0].text,
              QStringLiteral("Q0100で異常終了 ログファイルを参照して下さい。 "));
    EXPECT_EQ(fake.messageBox.shown[0].icon, Icon::Critical);
    EXPECT_EQ(fake.programEnd.statuses, std::vector<int>{2});
    ASSERT_EQ(lines().size(), 1);  // the line is written before the box
}

TEST_F(SystemLog, EndOfLogBlanksTheFormIdAndCloses) {
    EndOfLog();
    EXPECT_FALSE(systemLogIsOpen());
    ASSERT_TRUE(openSystemLog(folder.path()));
    SystemLogReport("A", "B", 1, 0, "after");
    ASSERT_EQ(lines().size(), 2);
    EXPECT_EQ(lines()[0], QStringLiteral("26/04/01 09:05:07 ID01             TAV_menu          "
                                         "Z0900 K020 1 00000000 ***E N D***"));
    EXPECT_TRUE(lines()[1].contains(QStringLiteral("TAV_menu          A B 1")));
}

TEST_F(SystemLog, AppendsToWhatIsThere) {
    tav::test::writeFile(folder.file("FEND_SYS.LOG"), "old line\r\n");
    ASSERT_TRUE(openSystemLog(folder.path()));
    SystemLogReport("A", "B", 1, 0, "new");
    ASSERT_EQ(lines().size(), 2);
    EXPECT_EQ(lines()[0], QStringLiteral("old line"));
}

TEST(SystemLogUnwritable, BoxesAndTheEndStillCome) {
    FakeServices fake;
    closeSystemLog();
    EXPECT_FALSE(openSystemLog(QStringLiteral("/nonexistent/folder")));
    SystemLogReport("Z7300", "H004", 4, 0, "x");
    EXPECT_EQ(tav::test::exitStatusOf([] { SystemLogReport("Q0100", "L901", 5, 0, "x"); }), 2);
    EXPECT_EQ(fake.messageBox.shown.size(), 2u);
}

// The log file is created with its first line, not when the log is named at
// program start, so a run that logs nothing leaves no FEND_SYS.LOG behind.
TEST_F(SystemLog, TheFileIsCreatedWithItsFirstLine) {
    EXPECT_FALSE(QFile::exists(folder.file("FEND_SYS.LOG")));
    EXPECT_FALSE(systemLogIsOpen());
    EXPECT_EQ(systemLogPath(), folder.file("FEND_SYS.LOG"));
    SystemLogReport("A", "B", 1, 0, "first");
    EXPECT_TRUE(QFile::exists(folder.file("FEND_SYS.LOG")));
    EXPECT_TRUE(systemLogIsOpen());
    ASSERT_EQ(lines().size(), 1);
    EXPECT_TRUE(lines()[0].endsWith(QStringLiteral("A B 1 00000000 first")));
}

TEST(SystemLogStart, ARunThatLogsNothingCreatesNoFile) {
    tav::test::ProgramFolder folder;
    closeSystemLog();
    ASSERT_TRUE(openSystemLog(folder.path()));
    closeSystemLog();
    EXPECT_FALSE(QFile::exists(folder.file("FEND_SYS.LOG")));
}

// A message with line breaks (CR LF, CR or LF) stays one log line; each break
// becomes one blank. The place-and-message box keeps the text as it was.
TEST_F(SystemLog, LineBreaksOfAMessageAreJoinedIntoOneLine) {
    SystemLogReport("Q0300", "L030", 1, 0,
                    QStringLiteral("SELECT *\r\nFROM 名称マスタ\rWHERE\n\nx"));
    SystemLogReport("Z7300", "H004", 4, 0, QStringLiteral("一行目\r\n二行目"));
    ASSERT_EQ(lines().size(), 2);
    EXPECT_EQ(lines()[0],
              QStringLiteral("26/04/01 09:05:07 ID01             TAV_menu FRM      "
                             "Q0300 L030 1 00000000 SELECT * FROM 名称マスタ WHERE  x"));
    EXPECT_TRUE(lines()[1].endsWith(QStringLiteral("Z7300 H004 4 00000000 一行目 二行目")));
    const QByteArray bytes = tav::test::readFile(folder.file("FEND_SYS.LOG"));
    EXPECT_EQ(bytes.count('\n'), 2);
    EXPECT_EQ(bytes.count('\r'), 2);
    ASSERT_EQ(fake.messageBox.shown.size(), 1u);
    EXPECT_EQ(fake.messageBox.shown[0].text, QStringLiteral("発生場所 = Z7300\r一行目\r\n二行目"));
}

#include "common/app_start.h"

// The package's own folder is never written: its programs log in the user's state folder.
TEST(SystemLogFolderTest, PackageFolderLogsToTheUsersStateFolder) {
    const QString home = QStringLiteral("/home/kim");
    EXPECT_EQ(SystemLogFolder(QStringLiteral("/usr/lib/tav"), home, {}),
              QStringLiteral("/home/kim/.local/state/tav"));
    EXPECT_EQ(SystemLogFolder(QStringLiteral("/usr/lib/tav"), home, QStringLiteral("/var/st")),
              QStringLiteral("/var/st/tav"));
    // A relative XDG_STATE_HOME is ignored, as the base-directory rules say.
    EXPECT_EQ(SystemLogFolder(QStringLiteral("/usr"), home, QStringLiteral("rel")),
              QStringLiteral("/home/kim/.local/state/tav"));
    EXPECT_EQ(SystemLogFolder(QStringLiteral("/home/kim/TAV/SYS/App"), home, {}),
              QStringLiteral("/home/kim/TAV/SYS/App"));
    EXPECT_EQ(SystemLogFolder(QStringLiteral("/usrdata/TAV/SYS/App"), home, {}),
              QStringLiteral("/usrdata/TAV/SYS/App"));
}

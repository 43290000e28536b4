#include <gtest/gtest.h>

#include "common/program_start.h"
#include "common/system_log.h"
#include "platform/program_info.h"
#include "support/test_support.h"

using namespace tav::common;

class ProgramStart : public ::testing::Test {
  protected:
    void SetUp() override {
        commonArea() = CommonArea{};
        commonArea().setExecutionMode(QStringLiteral("T"));
        commonArea().setStartCode(QStringLiteral("A01"));
        closeSystemLog();
        openSystemLog(pf.path());
    }
    void TearDown() override {
        closeSystemLog();
        commonArea() = CommonArea{};
    }
    tav::platform::FakeServices fake;
    tav::test::ProgramFolder pf;
};

TEST_F(ProgramStart, BuildsTheStartParameter) {
    StartFrameworkProgram(nullptr, QStringLiteral(" LKM00100 "), QString());
    ASSERT_EQ(fake.processes.started.size(), 1);
    EXPECT_EQ(fake.processes.started[0], pf.path() + QStringLiteral("/LKM00100.exe TA01000000"));
    StartFrameworkProgram(nullptr, QStringLiteral("LKM00100"), QStringLiteral("   "));
    EXPECT_EQ(fake.processes.started[1], pf.path() + QStringLiteral("/LKM00100.exe TA01000000"));
    StartFrameworkProgram(nullptr, QStringLiteral("LKM00100"), QStringLiteral(" E000000000 "));
    EXPECT_EQ(fake.processes.started[2],
              pf.path() + QStringLiteral("/LKM00100.exe TA01000000E000000000"));
    EXPECT_TRUE(fake.messageBox.shown.empty());
}

TEST_F(ProgramStart, AFolderEndingInTheSeparatorGetsNoSecond) {
    tav::platform::setProgramFolder(QStringLiteral("/"));
    EXPECT_EQ(BuildStartCommandLine(QStringLiteral("X"), QString()),
              QStringLiteral("/X.exe TA01000000"));
}

TEST_F(ProgramStart, AMissingProgramIsReportedAndTheStarterReturns) {
    fake.processes.failStart = true;
    EXPECT_EQ(tav::test::exitStatusOf(
                  [] { StartFrameworkProgram(nullptr, QStringLiteral("NONE"), QString()); }),
              -1);
    const QString cmd = pf.path() + QStringLiteral("/NONE.exe TA01000000");
    ASSERT_EQ(fake.messageBox.shown.size(), 1u);
    EXPECT_EQ(fake.messageBox.shown[0].text,
              QStringLiteral("発生場所 = Z7300\r53 ファイルが見つかりません。 ") + cmd +
                  QStringLiteral("->起動できません。"));
    QString log = QString::fromUtf8(tav::test::readFile(pf.file("FEND_SYS.LOG")));
    EXPECT_TRUE(
        log.contains(QStringLiteral(" Z7300 H004 4 00000000 53 ファイルが見つかりません。 ") + cmd +
                     QStringLiteral("->起動できません。\r\n")))
        << log.toStdString();
}

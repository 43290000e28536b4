#include <gtest/gtest.h>

#include "platform/program_info.h"
#include "platform/services.h"
#include "support/test_support.h"

using namespace tav::platform;

TEST(MessageBoxHelper, AnEmptyTitleIsTheProgramsTitle) {
    FakeServices fake;
    tav::test::ProgramFolder pf(QStringLiteral("A/B/C"), QStringLiteral("TAV_menu1"));
    fake.messageBox.answers.push_back(Answer::No);
    EXPECT_EQ(messageBox("本文", {}, Buttons::YesNo, Icon::Exclamation, DefaultButton::Second),
              Answer::No);
    messageBox("x", QStringLiteral("起動エラー"));
    ASSERT_EQ(fake.messageBox.shown.size(), 2u);
    EXPECT_EQ(fake.messageBox.shown[0].title, QStringLiteral("TAV_menu1"));
    EXPECT_EQ(fake.messageBox.shown[0].buttons, Buttons::YesNo);
    EXPECT_EQ(fake.messageBox.shown[0].icon, Icon::Exclamation);
    EXPECT_EQ(fake.messageBox.shown[0].defaultButton, DefaultButton::Second);
    EXPECT_EQ(fake.messageBox.shown[1].title, QStringLiteral("起動エラー"));
    setProgramTitle(QStringLiteral("業務メニュー"));
    messageBox("y");
    EXPECT_EQ(fake.messageBox.shown[2].title, QStringLiteral("業務メニュー"));
    setProgramTitle(QString());
}

TEST(EndProgram, TheFakeRecordsAndUnwinds) {
    FakeServices fake;
    EXPECT_EQ(tav::test::exitStatusOf([] { endProgram(ExitStopped); }), 1);
    EXPECT_EQ(fake.programEnd.statuses, std::vector<int>{1});
}

TEST(WaitForProcess, PollsEvery10msLettingEventsRun) {
    FakeServices fake;
    FakeProcess p(4, 3);
    EXPECT_EQ(waitForProcess(p), 3);
    EXPECT_EQ(p.polls, 5);
    EXPECT_EQ(fake.events.processed, 4);
    EXPECT_EQ(fake.events.slept, (std::vector<int>{10, 10, 10, 10}));
}

TEST(Clock, TheFakeClockIsInForce) {
    FakeServices fake;
    fake.clock.current = QDateTime(QDate(2030, 1, 2), QTime(3, 4, 5));
    EXPECT_EQ(now(), fake.clock.current);
}

#include "common/launcher.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QStringList>
#include <QWidget>

#include "common/system_log.h"
#include "platform/program_info.h"
#include "support/test_support.h"

using namespace tav::common;
using tav::platform::Buttons;
using tav::platform::Icon;

namespace {

// Records what the launcher asked of its owner form, in order.
class RecordingOwner : public LaunchOwner {
  public:
    void setOwnerEnabled(bool enabled) override { calls << (enabled ? "enable" : "disable"); }
    void setHourglass(bool on) override { calls << (on ? "hourglass" : "default pointer"); }
    void bringToFront() override { calls << "front"; }
    QStringList calls;
};

LaunchRequest request(const QString& mode, const QString& relative, const QString& command,
                      const QString& parameters = {}) {
    return LaunchRequest{mode, relative, command, parameters};
}

}  // namespace

class Launcher : public ::testing::Test {
  protected:
    void SetUp() override {
        commonArea() = CommonArea{};
        closeSystemLog();
        openSystemLog(pf.path());
    }
    void TearDown() override {
        closeSystemLog();
        commonArea() = CommonArea{};
    }
    tav::platform::FakeServices fake;
    tav::test::ProgramFolder pf;
    RecordingOwner owner;
    const QStringList waited{"hourglass", "disable", "enable", "default pointer"};
};

TEST_F(Launcher, ModeZeroStartsTheSetupProgramRelativeToTheProgramFolderWithoutWaiting) {
    Launch(owner, request("0", "1", "..\\TAV_setup.EXE "));
    ASSERT_EQ(fake.processes.started.size(), 1);
    EXPECT_EQ(fake.processes.started[0], pf.path() + "/..\\TAV_setup.EXE ");
    EXPECT_EQ(fake.processes.last->polls, 0);
    EXPECT_TRUE(owner.calls.isEmpty());
    EXPECT_TRUE(fake.messageBox.shown.empty());

    Launch(owner, request("0", "0", "C:\\BIN\\X.EXE a b"));
    EXPECT_EQ(fake.processes.started[1], "C:\\BIN\\X.EXE a b");
}

TEST_F(Launcher, ModeTwoWaitsPollingEveryTenMillisecondsWithTheOwnerDisabled) {
    fake.processes.pollsWhileRunning = 3;
    int processedWhileDisabled = 0;
    fake.events.onProcess = [&] {
        if (owner.calls.endsWith("disable")) ++processedWhileDisabled;
    };
    Launch(owner, request("2", "0", "prog.exe x"));
    EXPECT_EQ(fake.processes.started, QStringList{"prog.exe x"});
    EXPECT_EQ(fake.processes.last->polls, 4);
    EXPECT_EQ(fake.events.processed, 3);
    EXPECT_EQ(processedWhileDisabled, 3);
    EXPECT_EQ(fake.events.slept, (std::vector<int>{10, 10, 10}));
    EXPECT_EQ(owner.calls, waited);
}

TEST_F(Launcher, ExplorerAndWindowFormsOpenTheFolderWhateverTheMode) {
    Launch(owner, request("0", "1", "explorer  DATA "));
    Launch(owner, request("4", "0", "EXPLORER C:\\TAV"));
    Launch(owner, request("1", "1", "Window \\BK"));
    Launch(owner, request("", "0", "WINDOW"));
    EXPECT_EQ(fake.processes.started,
              (QStringList{"explorer /e,/root," + pf.path() + "/DATA", "explorer /e,/root,C:\\TAV",
                           "explorer /root," + pf.path() + "/\\BK", "explorer /root,"}));
    EXPECT_TRUE(owner.calls.isEmpty());
    EXPECT_TRUE(fake.processes.opened.empty());

    // Modes "2" and "3" wait for the file manager too.
    Launch(owner, request("3", "0", "EXPLORER C:\\TAV"));
    EXPECT_EQ(fake.processes.started.last(), "explorer /e,/root,C:\\TAV");
    EXPECT_EQ(owner.calls, waited);
}

TEST_F(Launcher, DocumentsOpenInTheirFolderWithTheParameters) {
    Launch(owner, request("1", "1", " doc\\list.xls ", " -r "));
    ASSERT_EQ(fake.processes.opened.size(), 1u);
    EXPECT_EQ(fake.processes.opened[0].path, pf.path() + "/ doc\\list.xls");
    EXPECT_EQ(fake.processes.opened[0].parameters, " -r ");
    EXPECT_EQ(fake.processes.opened[0].workingFolder, pf.path() + "/ doc");
    EXPECT_TRUE(owner.calls.isEmpty());
    EXPECT_EQ(fake.processes.last->polls, 0);

    Launch(owner, request("3", "0", "C:\\DOC\\a.pdf"));
    EXPECT_EQ(fake.processes.opened[1].path, "C:\\DOC\\a.pdf");
    EXPECT_EQ(fake.processes.opened[1].workingFolder, "C:\\DOC");
    EXPECT_EQ(owner.calls, waited);
    EXPECT_TRUE(fake.messageBox.shown.empty());
}

TEST_F(Launcher, ADocumentThatCannotBeOpenedShowsStartFailedAndIsNotWaitedFor) {
    fake.processes.failOpen = true;
    for (const char* mode : {"1", "3"}) {
        Launch(owner, request(mode, "0", " C:\\DOC\\a.pdf "));
    }
    ASSERT_EQ(fake.messageBox.shown.size(), 2u);
    for (const auto& box : fake.messageBox.shown) {
        EXPECT_EQ(box.text, "C:\\DOC\\a.pdf\r\n起動失敗");
        EXPECT_EQ(box.title, tav::platform::programTitle());
        EXPECT_EQ(box.buttons, Buttons::Ok);
        EXPECT_EQ(box.icon, Icon::None);
    }
    EXPECT_TRUE(owner.calls.isEmpty());
}

TEST_F(Launcher, ADocumentPathWithoutAFolderIsAnErrorWithItsDescription) {
    Launch(owner, request("3", "0", "readme.txt"));
    EXPECT_TRUE(fake.processes.opened.empty());
    ASSERT_EQ(fake.messageBox.shown.size(), 1u);
    EXPECT_EQ(fake.messageBox.shown[0].text, "プロシージャの呼び出し、または引数が不正です。");
    EXPECT_EQ(fake.messageBox.shown[0].icon, Icon::Critical);
    EXPECT_EQ(fake.messageBox.shown[0].title, tav::platform::programTitle());
}

TEST_F(Launcher, AProgramThatCannotBeFoundShowsNotFoundAndDoesNotWait) {
    fake.processes.failStart = true;
    Launch(owner, request("2", "1", " NONE.EXE  "));
    ASSERT_EQ(fake.messageBox.shown.size(), 1u);
    EXPECT_EQ(fake.messageBox.shown[0].text, pf.path() + "/NONE.EXE\r\nが見つかりません。");
    EXPECT_EQ(fake.messageBox.shown[0].icon, Icon::Critical);
    EXPECT_EQ(fake.messageBox.shown[0].buttons, Buttons::Ok);
    EXPECT_EQ(fake.events.processed, 0);
    EXPECT_FALSE(owner.calls.contains("disable"));
}

TEST_F(Launcher, OtherModesStartNothingAndShowNothing) {
    for (const char* mode : {"4", "", "7", "8", "9", "00", "a"}) {
        Launch(owner, request(mode, "1", "prog.exe"));
    }
    EXPECT_TRUE(fake.processes.started.isEmpty());
    EXPECT_TRUE(fake.processes.opened.empty());
    EXPECT_TRUE(fake.messageBox.shown.empty());
}

TEST_F(Launcher, ModesFiveAndSixStartAFrameworkProgramAndSixEndsTheCaller) {
    commonArea().setExecutionMode("T");
    commonArea().setStartCode("A01");
    Launch(owner, request("5", "0", "LKM00100 xxxx  EXTRA "));
    EXPECT_EQ(fake.processes.started, QStringList{pf.path() + "/LKM00100.exe TA01000000EXTRA"});
    EXPECT_TRUE(owner.calls.isEmpty());

    EXPECT_EQ(tav::test::exitStatusOf([&] { Launch(owner, request("6", "1", "LKM00200")); }), 0);
    EXPECT_EQ(fake.processes.started.last(), pf.path() + "/LKM00200.exe TA01000000");
    EXPECT_FALSE(systemLogIsOpen());
    const QString log = QString::fromUtf8(tav::test::readFile(pf.file("FEND_SYS.LOG")));
    EXPECT_TRUE(log.contains("***E N D***")) << log.toStdString();
}

TEST_F(Launcher, TheWidgetOwnerDisablesAndRestoresItsWindow) {
    QWidget w;
    WidgetLaunchOwner widgetOwner(&w);
    bool disabledDuringWait = false;
    fake.events.onProcess = [&] { disabledDuringWait = !w.isEnabled(); };
    Launch(widgetOwner, request("2", "0", "prog"));
    EXPECT_TRUE(disabledDuringWait);
    EXPECT_TRUE(w.isEnabled());
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

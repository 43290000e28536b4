// What the setup window does: the readme, the agreement, the abort question, the start of the
// archive and the end.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <memory>

#include "setup/setup.h"
#include "setup/setup_form.h"
#include "support/test_support.h"

using namespace tav::platform;
using tav::setup::TAV_set_Form;
using tav::test::exitStatusOf;

namespace {

const QString kReadme = QStringLiteral("TAV_お読み下さい.TXT");

class SetupFlow : public ::testing::Test {
  protected:
    // The setup program lives one folder above the menu's program folder "App".
    tav::test::ProgramFolder pf{QStringLiteral("TAV/SYS"), QStringLiteral("TAV_setup")};
    FakeServices fake;
    std::unique_ptr<TAV_set_Form> form;

    void writeReadme(const QString& text) { tav::test::writeCp932(pf.file(kReadme), text); }

    // Loads the window as the program does and shows it, active.
    void load() {
        form = std::make_unique<TAV_set_Form>();
        form->Form_Load();
        form->show();
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }

    void click(QPushButton* b) { QTest::mouseClick(b, Qt::LeftButton); }

    // Lets posted events (the Tab stroke of the text boxes) run.
    static void settle() {
        for (int i = 0; i < 5; ++i) QApplication::processEvents();
    }

    void expectAbortQuestion(size_t index) {
        ASSERT_GT(fake.messageBox.shown.size(), index);
        const MessageBoxRequest& r = fake.messageBox.shown[index];
        EXPECT_EQ(r.text, QStringLiteral("終了（中断）します"));
        EXPECT_EQ(r.title, QStringLiteral("中断確認"));
        EXPECT_EQ(r.buttons, Buttons::YesNo);
        EXPECT_EQ(r.icon, Icon::None);
        EXPECT_EQ(r.defaultButton, DefaultButton::First);
    }
};

}  // namespace

TEST_F(SetupFlow, LoadShowsArchiveSetupFolderAndReadme) {
    writeReadme(QStringLiteral("ご利用の前にお読み下さい。\r\n\r\n㈱マルヴネ ①～③\r\n\r\n"));
    load();
    EXPECT_EQ(form->Lbl_A_FILE->text(), QStringLiteral("TAV_App.TAV"));
    EXPECT_EQ(form->Lbl_SETUP_DIR->text(), pf.path() + QStringLiteral("/App/"));
    // Empty lines stay, and every line, the last too, ends with CR LF.
    EXPECT_EQ(TAV_set_Form::boxText(form->Txt_readme),
              QStringLiteral("ご利用の前にお読み下さい。\r\n\r\n㈱マルヴネ ①～③\r\n\r\n"));
    EXPECT_EQ(form->Txt_readme->document()->blockCount(), 5);
    EXPECT_EQ(form->Txt_readme->document()->findBlockByNumber(1).text(), QString());
    EXPECT_TRUE(fake.messageBox.shown.empty());
    EXPECT_TRUE(fake.processes.started.empty());
    // After loading: the focus on "同意する", "開始" disabled, the instructions hidden.
    EXPECT_EQ(QApplication::focusWidget(), form->Cmd_DOOI_OK);
    EXPECT_FALSE(form->Cmd_SETUP->isEnabled());
    EXPECT_FALSE(form->Txt_HOSOKU->isVisible());
}

TEST_F(SetupFlow, ReadmeLinesAreEndedByCrLfWhateverTheFileUsed) {
    struct Case {
        QByteArray file;
        QString box;
    };
    const std::vector<Case> cases = {
        {"", QString()},
        {"\r\n", QStringLiteral("\r\n")},
        {"A\r\nB", QStringLiteral("A\r\nB\r\n")},        // last line without its end
        {"A\n\nB\n", QStringLiteral("A\r\n\r\nB\r\n")},  // LF only
        {"\r\n\r\nA", QStringLiteral("\r\n\r\nA\r\n")},  // leading empty lines
        {"\xEF\xBB\xBF"
         "A\r\n",
         QStringLiteral("A\r\n")},                                          // UTF-8 BOM
        {QStringLiteral("解凍\r\n").toUtf8(), QStringLiteral("解凍\r\n")},  // UTF-8
        {"\x82\xa0\x81\x40x\r\n", QStringLiteral("あ　x\r\n")},             // CP932
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file.toHex().toStdString());
        tav::test::writeFile(pf.file(kReadme), c.file);
        auto text = tav::setup::ReadReadme(pf.file(kReadme));
        ASSERT_TRUE(text.has_value());
        EXPECT_EQ(*text, c.box);
        TAV_set_Form f;
        f.Form_Load();
        EXPECT_EQ(TAV_set_Form::boxText(f.Txt_readme), c.box);
    }
    EXPECT_TRUE(fake.messageBox.shown.empty());
}

// A readme of ASCII and half-width katakana is valid UTF-8 by chance
// ("ﾃｽ" is C3 BD) and is still CP932; a stray LF of a CR LF file does not end a line.
TEST_F(SetupFlow, AReadmeOfHalfWidthKatakanaIsCp932AndEndsLinesAtCrLf) {
    writeReadme(QStringLiteral("ﾃｽﾄｰ ﾃｽ\r\nA\nB\r\n"));
    const QByteArray bytes = tav::test::readFile(pf.file(kReadme));
    ASSERT_EQ(QString::fromUtf8(bytes).toUtf8(), bytes);
    auto text = tav::setup::ReadReadme(pf.file(kReadme));
    ASSERT_TRUE(text.has_value());
    EXPECT_EQ(*text, QStringLiteral("ﾃｽﾄｰ ﾃｽ\r\nA\nB\r\n"));
    load();
    EXPECT_EQ(form->Txt_readme->document()->findBlockByNumber(0).text(), QStringLiteral("ﾃｽﾄｰ ﾃｽ"));
}

TEST_F(SetupFlow, AMissingReadmeNamesTheFileAndEndsBeforeAnythingStarts) {
    TAV_set_Form f;
    EXPECT_EQ(exitStatusOf([&] { f.Form_Load(); }), ExitStopped);
    ASSERT_EQ(fake.messageBox.shown.size(), 1u);
    const MessageBoxRequest& r = fake.messageBox.shown[0];
    EXPECT_EQ(r.text, pf.path() + QStringLiteral("/TAV_お読み下さい.TXT\r\nが見つかりません。\r\n"
                                                 "セットアップを終了します。"));
    EXPECT_EQ(r.title, QStringLiteral("起動エラー"));
    EXPECT_EQ(r.icon, Icon::Critical);
    EXPECT_EQ(r.buttons, Buttons::Ok);
    EXPECT_TRUE(fake.processes.started.empty());
    EXPECT_FALSE(f.isVisible());
}

TEST_F(SetupFlow, AnUnreadableReadmeIsNamedToo) {
    // A folder of that name cannot be read as a file.
    ASSERT_TRUE(QDir().mkpath(pf.file(kReadme)));
    tav::setup::ReadmeFailure why = tav::setup::ReadmeFailure::None;
    EXPECT_FALSE(tav::setup::ReadReadme(pf.file(kReadme), &why).has_value());
    EXPECT_EQ(why, tav::setup::ReadmeFailure::Unreadable);
    TAV_set_Form f;
    EXPECT_EQ(exitStatusOf([&] { f.Form_Load(); }), ExitStopped);
    ASSERT_EQ(fake.messageBox.shown.size(), 1u);
    EXPECT_EQ(fake.messageBox.shown[0].text,
              pf.path() + QStringLiteral("/TAV_お読み下さい.TXT\r\nを読み込めません。\r\n"
                                         "セットアップを終了します。"));
    EXPECT_TRUE(fake.processes.started.empty());
}

TEST_F(SetupFlow, StartStaysDisabledUntilAgreement) {
    writeReadme(QStringLiteral("readme\r\n"));
    load();
    click(form->Cmd_SETUP);  // disabled: nothing happens
    EXPECT_TRUE(fake.messageBox.shown.empty());
    EXPECT_TRUE(fake.processes.started.empty());
    EXPECT_FALSE(form->Cmd_SETUP->isEnabled());

    click(form->Cmd_DOOI_OK);
    EXPECT_TRUE(form->Cmd_SETUP->isEnabled());
    click(form->Cmd_DOOI_OK);
    click(form->Cmd_DOOI_OK);
    EXPECT_TRUE(form->Cmd_SETUP->isEnabled());
    EXPECT_FALSE(form->Txt_HOSOKU->isVisible());
    EXPECT_TRUE(fake.messageBox.shown.empty());
    EXPECT_TRUE(fake.processes.started.empty());
}

TEST_F(SetupFlow, DisagreeingAndAnsweringNoLeavesEverythingAsItWas) {
    writeReadme(QStringLiteral("readme\r\n\r\n"));
    load();
    const QString before = TAV_set_Form::boxText(form->Txt_readme);
    fake.messageBox.answers = {Answer::No};
    EXPECT_EQ(exitStatusOf([&] { click(form->Cmd_DOOI_NG); }), -1);
    expectAbortQuestion(0);
    EXPECT_FALSE(form->Cmd_SETUP->isEnabled());
    EXPECT_FALSE(form->Txt_HOSOKU->isVisible());
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(form->isEnabled());
    EXPECT_EQ(TAV_set_Form::boxText(form->Txt_readme), before);

    // After agreement "開始" keeps its state as well.
    click(form->Cmd_DOOI_OK);
    fake.messageBox.answers = {Answer::No};
    EXPECT_EQ(exitStatusOf([&] { click(form->Cmd_DOOI_NG); }), -1);
    expectAbortQuestion(1);
    EXPECT_TRUE(form->Cmd_SETUP->isEnabled());
    EXPECT_TRUE(fake.programEnd.statuses.empty());
    EXPECT_TRUE(fake.processes.started.empty());
}

TEST_F(SetupFlow, DisagreeingAndAnsweringYesEndsTheProgram) {
    writeReadme(QStringLiteral("readme\r\n"));
    load();
    fake.messageBox.answers = {Answer::Yes};
    EXPECT_EQ(exitStatusOf([&] { form->Cmd_DOOI_NG_Click(); }), ExitUser);
    expectAbortQuestion(0);
    EXPECT_EQ(fake.messageBox.shown.size(), 1u);
    EXPECT_TRUE(fake.processes.started.empty());
}

TEST_F(SetupFlow, EndAsksTheSameQuestionBeforeAndAfterAgreement) {
    writeReadme(QStringLiteral("readme\r\n"));
    load();
    fake.messageBox.answers = {Answer::No};
    EXPECT_EQ(exitStatusOf([&] { click(form->Cmd_END); }), -1);
    expectAbortQuestion(0);
    EXPECT_FALSE(form->Cmd_SETUP->isEnabled());

    click(form->Cmd_DOOI_OK);
    fake.messageBox.answers = {Answer::No};
    EXPECT_EQ(exitStatusOf([&] { click(form->Cmd_END); }), -1);
    expectAbortQuestion(1);
    EXPECT_TRUE(form->Cmd_SETUP->isEnabled());

    fake.messageBox.answers = {Answer::Yes};
    EXPECT_EQ(exitStatusOf([&] { form->Cmd_END_Click(); }), ExitUser);
    expectAbortQuestion(2);
    EXPECT_TRUE(fake.processes.started.empty());
}

TEST_F(SetupFlow, ClosingTheWindowIsTheEndButton) {
    writeReadme(QStringLiteral("readme\r\n"));
    load();
    fake.messageBox.answers = {Answer::No};
    EXPECT_EQ(exitStatusOf([&] { form->close(); }), -1);
    expectAbortQuestion(0);
    EXPECT_TRUE(form->isVisible());
    fake.messageBox.answers = {Answer::Yes};
    EXPECT_EQ(exitStatusOf([&] { form->close(); }), ExitUser);
}

TEST_F(SetupFlow, TheTextBoxesNeverKeepTheFocus) {
    QString longText;
    for (int i = 1; i <= 200; ++i) longText += QStringLiteral("%1 行目\r\n").arg(i);
    writeReadme(longText);
    load();

    // Clicking into the readme moves the focus on: past the disabled "開始" and the hidden
    // instructions to "終了".
    QTest::mouseClick(form->Txt_readme->viewport(), Qt::LeftButton, {}, QPoint(20, 20));
    settle();
    EXPECT_EQ(QApplication::focusWidget(), form->Cmd_END);

    // Tabbing from "同意しない" passes through the readme.
    form->Cmd_DOOI_NG->setFocus();
    settle();
    QTest::keyClick(form->Cmd_DOOI_NG, Qt::Key_Tab);
    settle();
    EXPECT_EQ(QApplication::focusWidget(), form->Cmd_END);

    // After agreement the next control is "開始".
    click(form->Cmd_DOOI_OK);
    form->Txt_readme->setFocus();
    settle();
    EXPECT_EQ(QApplication::focusWidget(), form->Cmd_SETUP);

    // The readme still scrolls with its scroll bar, and that leaves the focus alone.
    QScrollBar* bar = form->Txt_readme->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 0);
    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(bar->width() / 2, bar->height() - 30));
    settle();
    EXPECT_GT(bar->value(), 0);
    EXPECT_NE(QApplication::focusWidget(), form->Txt_readme);
    EXPECT_TRUE(fake.messageBox.shown.empty());
}

TEST_F(SetupFlow, TheInstructionBoxDoesNotKeepTheFocusEither) {
    writeReadme(QStringLiteral("readme\r\n"));
    load();
    click(form->Cmd_DOOI_OK);
    form->Txt_HOSOKU->setVisible(true);
    form->Txt_HOSOKU->setFocus();
    settle();
    EXPECT_EQ(QApplication::focusWidget(), form->Cmd_END);
}

TEST_F(SetupFlow, StartRunsTheArchiveWaitsForItThenCompletesAndEnds) {
    writeReadme(QStringLiteral("readme\r\n"));
    load();
    click(form->Cmd_DOOI_OK);
    fake.processes.pollsWhileRunning = 4;
    // While the archive runs: the instructions shown, the window disabled.
    int pumped = 0;
    fake.events.onProcess = [&] {
        ++pumped;
        EXPECT_FALSE(form->isEnabled());
        EXPECT_TRUE(form->Txt_HOSOKU->isVisible());
        EXPECT_TRUE(fake.messageBox.shown.empty());
    };
    // The completion box comes only after the archive has ended, with the window enabled.
    fake.messageBox.onShow = [&](const MessageBoxRequest&) {
        ASSERT_TRUE(fake.processes.last);
        EXPECT_EQ(fake.processes.last->remaining, 0);
        EXPECT_TRUE(form->isEnabled());
    };
    EXPECT_EQ(exitStatusOf([&] { click(form->Cmd_SETUP); }), ExitUser);
    ASSERT_EQ(fake.processes.started.size(), 1);
    EXPECT_EQ(fake.processes.started[0], pf.path() + QStringLiteral("/TAV_App.TAV"));
    EXPECT_EQ(pumped, 4);
    EXPECT_EQ(fake.events.slept, std::vector<int>(4, 10));
    ASSERT_EQ(fake.messageBox.shown.size(), 1u);
    const MessageBoxRequest& r = fake.messageBox.shown[0];
    EXPECT_EQ(r.text, QStringLiteral("セットアップ完了"));
    EXPECT_EQ(r.title, QStringLiteral("終了確認"));
    EXPECT_EQ(r.buttons, Buttons::Ok);
    EXPECT_EQ(r.icon, Icon::None);
    EXPECT_EQ(fake.programEnd.statuses, std::vector<int>{ExitUser});
}

TEST_F(SetupFlow, AnArchiveThatCannotStartIsReportedThenCompleted) {
    writeReadme(QStringLiteral("readme\r\n"));
    load();
    click(form->Cmd_DOOI_OK);
    fake.processes.failStart = true;
    EXPECT_EQ(exitStatusOf([&] { form->Cmd_SETUP_Click(); }), ExitUser);
    EXPECT_EQ(fake.events.processed, 0);  // nothing to wait for
    ASSERT_EQ(fake.messageBox.shown.size(), 2u);
    EXPECT_EQ(fake.messageBox.shown[0].text,
              pf.path() + QStringLiteral("/TAV_App.TAV\r\nが見つかりません。"));
    EXPECT_EQ(fake.messageBox.shown[0].icon, Icon::Critical);
    EXPECT_EQ(fake.messageBox.shown[0].title, QStringLiteral("TAV_setup"));
    EXPECT_EQ(fake.messageBox.shown[1].text, QStringLiteral("セットアップ完了"));
    EXPECT_TRUE(form->isEnabled());
}

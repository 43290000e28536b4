// The password file and the login window: the quoted comma-delimited fields, the login switch, the
// window's controls in twips, the check, Cancel and the window's frame.
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "common/text_fit.h"
#include "common/window_placement.h"
#include "menu/login_window.h"
#include "menu/menu_context.h"
#include "menu/password_file.h"
#include "menu_fakes.h"

namespace tav::test {
namespace {

using common::TwipsToPixels;
using menu::LoginWindow;
using menu::ReadDelimitedFields;

int errorNumberOf(const std::function<void()>& fn) {
    try {
        fn();
    } catch (const RuntimeError& e) {
        return e.number();
    }
    return 0;
}

TEST(PasswordFields, QuotedUnquotedAndLineEnds) {
    EXPECT_EQ(ReadDelimitedFields("1,secret", 2), (QStringList{"1", "secret"}));
    EXPECT_EQ(ReadDelimitedFields("1\r\nsecret\r\n", 2), (QStringList{"1", "secret"}));
    EXPECT_EQ(ReadDelimitedFields("1\nsecret", 2), (QStringList{"1", "secret"}));
    // Leading blanks are skipped, trailing ones of an unquoted field dropped, a comma ends it.
    EXPECT_EQ(ReadDelimitedFields("  1 ,  pass word  ,more", 2), (QStringList{"1", "pass word"}));
    // Quoted: commas and blanks kept, verbatim; what follows the quote up to the comma dropped.
    EXPECT_EQ(ReadDelimitedFields("1,\" a,b \"", 2), (QStringList{"1", " a,b "}));
    EXPECT_EQ(ReadDelimitedFields("\"1\" x,\"pw\"junk\r\nnext", 2), (QStringList{"1", "pw"}));
    EXPECT_EQ(ReadDelimitedFields("1,\"\"", 2), (QStringList{"1", ""}));
    EXPECT_EQ(ReadDelimitedFields("1,,x", 2), (QStringList{"1", ""}));
    EXPECT_EQ(ReadDelimitedFields("0,パスワード", 2), (QStringList{"0", "パスワード"}));
    // An unclosed quote runs to the end of the text.
    EXPECT_EQ(ReadDelimitedFields("1,\"open", 2), (QStringList{"1", "open"}));
}

TEST(PasswordFields, FewerFieldsIsReadingPastTheEnd) {
    EXPECT_EQ(errorNumberOf([] { ReadDelimitedFields("1", 2); }), 62);
    EXPECT_EQ(errorNumberOf([] { ReadDelimitedFields("", 1); }), 62);
    EXPECT_EQ(errorNumberOf([] { ReadDelimitedFields("1\r\n   ", 2); }), 62);
}

TEST(PasswordFile, LoginSwitchIsComparedAsANumber) {
    EXPECT_TRUE(menu::LoginSwitchIsOn("1"));
    EXPECT_TRUE(menu::LoginSwitchIsOn(" 1"));
    EXPECT_TRUE(menu::LoginSwitchIsOn("1.0"));
    EXPECT_FALSE(menu::LoginSwitchIsOn("0"));
    EXPECT_FALSE(menu::LoginSwitchIsOn(" 0 "));
    EXPECT_FALSE(menu::LoginSwitchIsOn("2"));
    EXPECT_EQ(errorNumberOf([] { menu::LoginSwitchIsOn("on"); }), 13);
    EXPECT_EQ(errorNumberOf([] { menu::LoginSwitchIsOn(""); }), 13);
}

TEST(PasswordFile, ReadsCp932AndReportsAMissingFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath("TAV_MENU1.PWD");
    EXPECT_EQ(errorNumberOf([&] { menu::ReadPasswordFile(path); }), 53);
    writeCp932(path, QStringLiteral("1,\"合言葉, です\"\r\n"));
    const menu::PasswordFile f = menu::ReadPasswordFile(path);
    EXPECT_EQ(f.loginSwitch, QStringLiteral("1"));
    EXPECT_EQ(f.password, QStringLiteral("合言葉, です"));
}

// A password file of ASCII and half-width katakana is valid UTF-8 by chance
// ("ﾃｽ" is C3 BD) and is still read as CP932.
TEST(PasswordFile, HalfWidthKatakanaThatLooksLikeUtf8IsReadAsCp932) {
    QTemporaryDir dir;
    const QString path = dir.filePath("TAV_MENU1.PWD");
    writeCp932(path, QStringLiteral("1,ﾃｽﾄｰ ﾃｽ\r\n"));
    ASSERT_EQ(QString::fromUtf8(readFile(path)).toUtf8(), readFile(path));
    EXPECT_EQ(menu::ReadPasswordFile(path).password, QStringLiteral("ﾃｽﾄｰ ﾃｽ"));
}

TEST(WindowPlacement, CentresOnlyWhenTheFormIsMoreThan600TwipsShorter) {
    EXPECT_EQ(common::CentredPosition(QSize(19200, 14400), QSize(6330, 2880)),
              QPoint((19200 - 6330) / 2, (14400 - 2880) / 2));
    EXPECT_EQ(common::CentredPosition(QSize(19200, 14400), QSize(6330, 13799)),
              QPoint((19200 - 6330) / 2, (14400 - 13799) / 2));
    EXPECT_EQ(common::CentredPosition(QSize(19200, 14400), QSize(6330, 13800)), std::nullopt);
    EXPECT_EQ(common::CentredPosition(QSize(19200, 14400), QSize(30000, 16000)), std::nullopt);
    EXPECT_EQ(common::TwipsToPixels(3400), 227);
    EXPECT_EQ(common::TwipsToPixels(7), 0);
    EXPECT_EQ(common::TwipsToPixels(8), 1);
    EXPECT_EQ(common::PixelsToTwips(37), 555);
}

TEST(WindowPlacement, BringToFrontLeavesNoTopmostWindowBehind) {
    QWidget w;
    w.setWindowFlag(Qt::WindowStaysOnTopHint, true);
    w.showMinimized();
    common::BringToFront(w);
    EXPECT_TRUE(w.isVisible());
    EXPECT_FALSE(w.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_FALSE(w.windowState() & Qt::WindowMinimized);
    common::BringToFront(w);  // already in front: stays so, still not topmost
    EXPECT_TRUE(w.isVisible());
    EXPECT_FALSE(w.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

class LoginTest : public MenuTest {
  protected:
    LoginTest() {
        saved_ = QDir::currentPath();
        QDir::setCurrent(cwd_.path());
        menu::menuContext().TitleText = QStringLiteral("テスト環境");
        menu::menuContext().TimerStartFlag = QStringLiteral("0");
        menu::storedPassword().clear();
    }
    ~LoginTest() override { QDir::setCurrent(saved_); }
    void writePasswordFile(const QString& text) {
        writeCp932(cwd_.filePath(menu::kPasswordFileName), text);
    }

    // The login step's view of the main window.
    struct Host : menu::LoginHost {
        void setTimerInterval(int ms) override { interval = ms; }
        QWidget* loginParent() override { return nullptr; }
        int interval = 1;
    } host;

  private:
    QTemporaryDir cwd_;
    QString saved_;
};

TEST_F(LoginTest, TheWindowIsLaidOutInTwips) {
    LoginWindow w;
    EXPECT_EQ(w.objectName(), QStringLiteral("TAV_LOGIN"));
    EXPECT_EQ(w.windowTitle(), QStringLiteral("TAV_LOGIN"));
    EXPECT_EQ(w.size(), QSize(TwipsToPixels(6330), TwipsToPixels(2880)));
    auto at = [](int l, int t, int wd, int h) {
        return QRect(TwipsToPixels(l), TwipsToPixels(t), TwipsToPixels(wd), TwipsToPixels(h));
    };
    EXPECT_EQ(w.Lbl_TITLE->geometry(), at(240, 120, 5535, 375));
    EXPECT_EQ(w.Label1->geometry(), at(1320, 720, 4215, 375));
    EXPECT_EQ(w.P_WORD->geometry(), at(2280, 1200, 1935, 375));
    EXPECT_EQ(w.Lbl_msg->geometry(), at(2280, 1680, 3735, 255));
    EXPECT_EQ(w.Cmd_ok->geometry(), at(2520, 2040, 1695, 615));
    EXPECT_EQ(w.Cmd_can->geometry(), at(4440, 2040, 1695, 615));
    EXPECT_EQ(w.Label1->text(), QStringLiteral("ログイン・パスワードを入力してください。"));
    EXPECT_EQ(w.Cmd_ok->text(), QStringLiteral("ログイン"));
    EXPECT_EQ(w.Cmd_can->text(), QStringLiteral("キャンセル"));
    EXPECT_EQ(w.Lbl_TITLE->text(), QStringLiteral("TAV貸金業務"));
    EXPECT_EQ(w.Lbl_TITLE->font().family(), QStringLiteral("ＭＳ Ｐゴシック"));
    EXPECT_DOUBLE_EQ(w.Lbl_TITLE->font().pointSizeF(), 18);
    EXPECT_TRUE(w.Lbl_TITLE->font().italic());
    EXPECT_DOUBLE_EQ(w.Label1->font().pointSizeF(), 11.25);
    EXPECT_DOUBLE_EQ(w.P_WORD->font().pointSizeF(), 12);
    EXPECT_EQ(w.P_WORD->echoMode(), QLineEdit::Password);
    EXPECT_EQ(w.Lbl_msg->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    // Tab order: P_WORD, Cmd_ok, Cmd_can.
    EXPECT_EQ(w.P_WORD->nextInFocusChain(), w.Cmd_ok);
    EXPECT_EQ(w.Cmd_ok->nextInFocusChain(), w.Cmd_can);

    w.load();
    EXPECT_EQ(w.Lbl_TITLE->text(), QStringLiteral("テスト環境"));
    EXPECT_EQ(w.Lbl_msg->text(), QString());
}

TEST(TextFit, NarrowsOnlyWhatDoesNotFitAndNeverBelowThreeQuarters) {
    QFont font(QStringLiteral("ＭＳ Ｐゴシック"));
    font.setPointSizeF(12);
    const QString text = QStringLiteral("ログイン・パスワードを入力してください。");
    const int full = QFontMetrics(font).horizontalAdvance(text);
    EXPECT_EQ(common::FontNarrowedToFit(font, text, full).stretch(), QFont::Unstretched);
    const QFont narrowed = common::FontNarrowedToFit(font, text, full * 9 / 10);
    EXPECT_LT(narrowed.stretch(), 100);
    EXPECT_GE(narrowed.stretch(), 75);
    EXPECT_LE(QFontMetrics(narrowed).horizontalAdvance(text), full * 9 / 10);
    EXPECT_EQ(common::FontNarrowedToFit(font, text, full / 3).stretch(), 75);
    EXPECT_DOUBLE_EQ(common::FontNarrowedToFit(font, text, full / 3).pointSizeF(), 12);
}

TEST_F(LoginTest, AWrongPasswordIsRefusedInRedTheRightOneLetsIn) {
    menu::storedPassword() = QStringLiteral("Secret");
    LoginWindow w;
    w.load();
    w.P_WORD->setText(QStringLiteral("secret"));  // differs only in case
    w.Cmd_ok->click();
    EXPECT_EQ(w.Lbl_msg->text(), QStringLiteral("パスワードが違います"));
    EXPECT_EQ(w.P_WORD->text(), QStringLiteral("secret"));
    EXPECT_NE(w.result(), QDialog::Accepted);
    w.P_WORD->setText(QStringLiteral("Secret"));
    QTest::keyClick(w.P_WORD, Qt::Key_Return);  // Enter is the login button
    EXPECT_EQ(w.result(), QDialog::Accepted);
}

TEST_F(LoginTest, CancelAndTheWindowFrameEndTheProgram) {
    menu::storedPassword() = QStringLiteral("x");
    LoginWindow w;
    w.load();
    EXPECT_EQ(exitStatusOf([&] { menu::Cmd_can_Click(); }), 0);
    EXPECT_EQ(exitStatusOf([&] { w.close(); }), 0);
    EXPECT_EQ(exitStatusOf([&] { w.reject(); }), 0);
}

TEST_F(LoginTest, SwitchOffOrMissingFileMeansNoLogin) {
    writePasswordFile(QStringLiteral(" 0 ,pw"));
    menu::M0500_LOGIN_START(host);
    EXPECT_EQ(menu::menuContext().TimerStartFlag, QStringLiteral("1"));
    EXPECT_EQ(host.interval, 1000);
    EXPECT_TRUE(boxes().empty());
    EXPECT_EQ(menu::storedPassword(), QStringLiteral("pw"));
    // Later ticks do nothing.
    writePasswordFile(QStringLiteral("x"));
    menu::M0500_LOGIN_START(host);
    EXPECT_TRUE(boxes().empty());
}

TEST_F(LoginTest, ABadFileShowsTheUnexpectedErrorAndTheMenuGoesOn) {
    writePasswordFile(QStringLiteral("yes,pw"));
    menu::M0500_LOGIN_START(host);
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0].text,
              QStringLiteral("予期せぬエラーが発生しました。   M0510_LOGIN_CLICK\r\n"
                             "13 : 型が一致しません。"));
    EXPECT_EQ(boxes()[0].icon, platform::Icon::Critical);

    menu::menuContext().TimerStartFlag = QStringLiteral("0");
    writePasswordFile(QStringLiteral("1"));
    menu::M0500_LOGIN_START(host);
    ASSERT_EQ(boxes().size(), 2u);
    EXPECT_TRUE(boxes()[1].text.startsWith(
        QStringLiteral("予期せぬエラーが発生しました。   M0510_LOGIN_CLICK\r\n62 : ")));
}

TEST_F(LoginTest, SwitchOnShowsTheWindowModallyUntilTheRightPassword) {
    writePasswordFile(QStringLiteral("1.0\r\n\"ab, c\"\r\n"));
    int wrongSeen = 0;
    QTimer::singleShot(0, [&] {
        auto* w = qobject_cast<LoginWindow*>(QApplication::activeModalWidget());
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->Lbl_TITLE->text(), QStringLiteral("テスト環境"));
        w->P_WORD->setText(QStringLiteral("ab"));
        w->Cmd_ok->click();
        if (w->Lbl_msg->text() == QStringLiteral("パスワードが違います")) ++wrongSeen;
        w->P_WORD->setText(QStringLiteral("ab, c"));
        w->Cmd_ok->click();
    });
    menu::M0500_LOGIN_START(host);
    EXPECT_EQ(wrongSeen, 1);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_TRUE(boxes().empty());
}

}  // namespace
}  // namespace tav::test

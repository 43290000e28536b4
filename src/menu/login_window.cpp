#include "login_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

#include "common/text_fit.h"
#include "common/window_placement.h"
#include "menu_context.h"
#include "menu_errors.h"
#include "password_file.h"
#include "platform/context.h"
#include "platform/run_window.h"
#include "platform/runtime_error.h"
#include "platform/services.h"
#include "platform/text.h"
#include "platform/units.h"

namespace tav::menu {

using common::TwipsToPixels;
using platform::Buttons;
using platform::Icon;
using text::ToNumber;
using text::Trim;

namespace {

const QString kGothic = QStringLiteral("ＭＳ Ｐゴシック");

QFont gothic(double points, bool italic = false) {
    QFont font(kGothic);
    font.setPointSizeF(points);
    font.setItalic(italic);
    return font;
}

// The unexpected-error box of the login, after which the menu goes on without login.
void ShowLoginFailure(int number, const QString& description) {
    platform::messageBox(QStringLiteral("予期せぬエラーが発生しました。   M0510_LOGIN_CLICK\r\n") +
                             QString::number(number) + QStringLiteral(" : ") + description,
                         {}, Buttons::Ok, Icon::Critical);
}

}  // namespace

QString& storedPassword() {
    // The password read from the password file at the login step.
    struct StoredPassword {
        QString password;
    };
    return context().get<StoredPassword>().password;
}

void M0500_LOGIN_START(LoginHost& host) {
    MenuContext& ctx = menuContext();
    const auto flag = ToNumber(Trim(ctx.TimerStartFlag));
    if (flag && *flag == 1.0) return;
    ctx.TimerStartFlag = QStringLiteral("1");
    host.setTimerInterval(1000);

    bool loginOn = false;
    try {
        const PasswordFile file = ReadPasswordFile(kPasswordFileName);
        storedPassword() = file.password;
        loginOn = LoginSwitchIsOn(file.loginSwitch);
    } catch (const std::exception& e) {
        const Failure f = failureOf(e, kOtherErrorNumber);
        if (f.number == err::FileNotFound) {
            platform::messageBox(QStringLiteral("パスワード設定ファイルがありません。"),
                                 QStringLiteral("環境確認"));
        } else {
            ShowLoginFailure(f.number, f.description);
        }
        return;
    }
    if (!loginOn) return;

    QPointer<LoginWindow>& window = platform::runWindow<LoginWindow>();
    if (!window) window = new LoginWindow(host.loginParent());
    window->load();
    window->exec();
}

LoginWindow::LoginWindow(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TAV_LOGIN"));
    setWindowTitle(QStringLiteral("TAV_LOGIN"));
    setModal(true);
    setFixedSize(TwipsToPixels(6330), TwipsToPixels(2880));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);

    // Created in tab order: Label1 (0, takes no focus), P_WORD, Cmd_ok, Cmd_can, Lbl_msg,
    // Lbl_TITLE; so the focus starts in P_WORD.
    Label1 = new QLabel(QStringLiteral("ログイン・パスワードを入力してください。"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(platform::TwipsRect(1320, 720, 4215, 375));
    Label1->setFont(gothic(11.25));

    P_WORD = new QLineEdit(this);
    P_WORD->setObjectName(QStringLiteral("P_WORD"));
    P_WORD->setGeometry(platform::TwipsRect(2280, 1200, 1935, 375));
    P_WORD->setFont(gothic(12));
    P_WORD->setEchoMode(QLineEdit::Password);
    P_WORD->setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));  // "*"

    Cmd_ok = new QPushButton(QStringLiteral("ログイン"), this);
    Cmd_ok->setObjectName(QStringLiteral("Cmd_ok"));
    Cmd_ok->setGeometry(platform::TwipsRect(2520, 2040, 1695, 615));

    Cmd_can = new QPushButton(QStringLiteral("キャンセル"), this);
    Cmd_can->setObjectName(QStringLiteral("Cmd_can"));
    Cmd_can->setGeometry(platform::TwipsRect(4440, 2040, 1695, 615));

    for (QPushButton* b : {Cmd_ok, Cmd_can}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }

    Lbl_msg = new QLabel(QStringLiteral("Lbl_msg"), this);
    Lbl_msg->setObjectName(QStringLiteral("Lbl_msg"));
    Lbl_msg->setGeometry(platform::TwipsRect(2280, 1680, 3735, 255));
    QPalette red = Lbl_msg->palette();
    red.setColor(QPalette::WindowText, QColor(255, 0, 0));
    Lbl_msg->setPalette(red);

    Lbl_TITLE = new QLabel(QStringLiteral("TAV貸金業務"), this);
    Lbl_TITLE->setObjectName(QStringLiteral("Lbl_TITLE"));
    Lbl_TITLE->setGeometry(platform::TwipsRect(240, 120, 5535, 375));
    Lbl_TITLE->setFont(gothic(18, true));

    common::FitTextToWidth(Label1, Label1->text(), Label1->contentsRect().width() - 1);

    setTabOrder(P_WORD, Cmd_ok);
    setTabOrder(Cmd_ok, Cmd_can);

    connect(Cmd_ok, &QPushButton::clicked, this, [this] { M0510_LOGIN_CLICK(*this); });
    connect(P_WORD, &QLineEdit::returnPressed, this, [this] { M0510_LOGIN_CLICK(*this); });
    connect(Cmd_can, &QPushButton::clicked, this, [] { Cmd_can_Click(); });
    common::ShowLabelsAsText(this);
}

void LoginWindow::letIn() {
    loggedIn_ = true;
    accept();
}

void LoginWindow::load() {
    loggedIn_ = false;
    common::CentreOnScreen(*this);
    Lbl_TITLE->setText(menuContext().TitleText);
    common::FitTextToWidth(Lbl_TITLE, Lbl_TITLE->text(), Lbl_TITLE->contentsRect().width() - 1);
    Lbl_msg->setText(QString());
    P_WORD->setFocus();
}

void LoginWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        // Enter on a button presses it; in P_WORD it has run the check already.
        if (auto* button = qobject_cast<QPushButton*>(focusWidget())) button->click();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void LoginWindow::closeEvent(QCloseEvent* event) {
    // Closing the window by its frame lets nobody in: the program ends as with "キャンセル".
    if (!loggedIn_) {
        event->ignore();
        Cmd_can_Click();
    }
    QDialog::closeEvent(event);
}

void LoginWindow::reject() {
    Cmd_can_Click();
}

void M0510_LOGIN_CLICK(LoginWindow& window) {
    try {
        if (window.P_WORD->text() == storedPassword()) {
            window.letIn();
            return;
        }
        window.Lbl_msg->setText(QStringLiteral("パスワードが違います"));
        common::FitTextToWidth(window.Lbl_msg, window.Lbl_msg->text(),
                               window.Lbl_msg->contentsRect().width() - 1);
        QApplication::beep();
    } catch (const std::exception& e) {
        const Failure f = failureOf(e, kOtherErrorNumber);
        ShowLoginFailure(f.number, f.description);
        window.letIn();
    }
}

void Cmd_can_Click() {
    platform::endProgram(platform::ExitUser);
}

}  // namespace tav::menu

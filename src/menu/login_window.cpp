#include "login_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

#include "common/text_fit.h"
#include "common/window_look.h"
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

using common::DesignedFont;
using common::Face;
using common::Place;
using common::TwipsToPixels;
using platform::Buttons;
using platform::Icon;
using text::ToNumber;
using text::Trim;

namespace {

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
    Label1 =
        Place<QLabel>(this, {.name = "Label1",
                             .text = QStringLiteral("ログイン・パスワードを入力してください。"),
                             .twips = {1320, 720, 4215, 375},
                             .font = DesignedFont{Face::PGothic, 11.25}});
    P_WORD = Place<QLineEdit>(this, {.name = "P_WORD",
                                     .twips = {2280, 1200, 1935, 375},
                                     .font = DesignedFont{Face::PGothic, 12}});
    P_WORD->setEchoMode(QLineEdit::Password);
    P_WORD->setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));  // "*"
    Cmd_ok = Place<QPushButton>(
        this,
        {.name = "Cmd_ok", .text = QStringLiteral("ログイン"), .twips = {2520, 2040, 1695, 615}});
    Cmd_can = Place<QPushButton>(this, {.name = "Cmd_can",
                                        .text = QStringLiteral("キャンセル"),
                                        .twips = {4440, 2040, 1695, 615}});
    for (QPushButton* b : {Cmd_ok, Cmd_can}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }
    Lbl_msg = Place<QLabel>(this, {.name = "Lbl_msg",
                                   .text = QStringLiteral("Lbl_msg"),
                                   .twips = {2280, 1680, 3735, 255},
                                   .foreground = QColor(255, 0, 0)});
    Lbl_TITLE = Place<QLabel>(this, {.name = "Lbl_TITLE",
                                     .text = QStringLiteral("TAV貸金業務"),
                                     .twips = {240, 120, 5535, 375},
                                     .font = DesignedFont{Face::PGothic, 18, false, true}});

    common::FitLabel(Label1);

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
    common::FitLabel(Lbl_TITLE);
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
        common::FitLabel(window.Lbl_msg);
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

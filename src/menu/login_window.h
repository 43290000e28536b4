#pragma once
// The login of the menu: on the first tick of the main window's timer the password file is read
// and, when it asks for it, the login window TAV_LOGIN is shown modally in front of the menu.
// The right password lets the menu go on; Cancel (or closing the window) ends the program.
#include <QDialog>
#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;

namespace tav::menu {

// What the login step needs of the main window.
class LoginHost {
  public:
    virtual ~LoginHost() = default;
    // The interval of Timer1.
    virtual void setTimerInterval(int intervalMs) = 0;
    // The window the login window is shown in front of (may be null).
    virtual QWidget* loginParent() = 0;
};

// The password read from the file; kept for the whole run.
QString& storedPassword();

// The login step, run at the start of every tick of Timer1. Only the first tick after start-up
// (TimerStartFlag "0") reads the password file and shows the window; it sets the flag to "1"
// and the timer to 1000 ms first, so that the file is read at most once per run. Returns when
// the window has been closed by the right password, or at once when no login is asked for.
void M0500_LOGIN_START(LoginHost& host);

class LoginWindow : public QDialog {
    Q_OBJECT
  public:
    explicit LoginWindow(QWidget* parent = nullptr);

    // Form_Load: centred on the screen, the title of the menu, the message cleared.
    void load();
    // Unloads the window and lets the menu go on.
    void letIn();

    QLabel* Lbl_TITLE;
    QLabel* Label1;
    QLineEdit* P_WORD;
    QLabel* Lbl_msg;
    QPushButton* Cmd_ok;
    QPushButton* Cmd_can;

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  public slots:
    void reject() override;  // Esc or the window's frame: the same as "キャンセル"

  private:
    bool loggedIn_ = false;
};

// The password check of Cmd_ok and of Enter in P_WORD: the right password closes the window,
// a wrong one shows "パスワードが違います" in red with a beep and leaves the window open.
void M0510_LOGIN_CLICK(LoginWindow& window);

// "キャンセル": ends the program at once (exit status 0).
[[noreturn]] void Cmd_can_Click();

}  // namespace tav::menu

#pragma once
// LKF10050, the form-helper debugger: a developer's tool window beside a business form. It shows
// which form and control the form helper works on, repaints the form's controls to show their
// item definitions, prints the control list and the unmatched list, and puts the form back as it
// was. The debugged form is the helper context's active form; its controls are saved when the
// window is loaded and restored when it is unloaded (closed).
#include <QLabel>
#include <QPushButton>
#include <QWidget>

namespace tav::dialogs {

class LKF10050 : public QWidget {
    Q_OBJECT
  public:
    // Form_Load: builds the window and saves the controls of the debugged form. The window is
    // destroyed when it is closed.
    explicit LKF10050(QWidget* owner = nullptr);
    ~LKF10050() override;

    // The debugger of the process: shown (and loaded first when it is not loaded) and
    // activated. A host calls it from a key of its business form.
    static LKF10050* showDebugger(QWidget* owner = nullptr);
    // The loaded debugger, or null.
    static LKF10050* loaded();

    // Form_Activate: the form ID of the common area, the group number and the focus control
    // index into the three status labels.
    void refreshStatus();

    QLabel* Label1 = nullptr;  // S_FORM_ID
    QLabel* L_S_FORM_ID = nullptr;
    QLabel* Label3 = nullptr;  // F_GROUP
    QLabel* L_F_GROUP = nullptr;
    QLabel* Label5 = nullptr;  // F_ACTIVE_CTL
    QLabel* L_F_ACTIVE_CTL = nullptr;
    QLabel* L_ACT_TAG = nullptr;
    QPushButton* Command1 = nullptr;  // TAG表示
    QPushButton* Command2 = nullptr;  // リセット
    QPushButton* Command3 = nullptr;  // ｺﾝﾄﾛｰﾙ印刷
    QPushButton* Command4 = nullptr;  // ｱﾝﾏｯﾁﾘｽﾄ
    QPushButton* Command5 = nullptr;  // ｸﾞﾙｰﾌﾟ表示
    QPushButton* Command6 = nullptr;  // 属性表示
    QPushButton* Command7 = nullptr;  // ｺｰﾄﾞﾁｪｯｸ
    QPushButton* Command8 = nullptr;  // ﾀｲﾌﾟﾁｪｯｸ (element 1 of its control array)
    QPushButton* Command9 = nullptr;  // 閉じる

  protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    // Form_Unload: the debugged form as it was at load. Runs once.
    void unload();
    // "印刷中" on the button while the report prints, then its own caption again.
    void printWith(QPushButton* button, void (*report)());
    void command8Click(int index);

    bool unloaded_ = false;
};

}  // namespace tav::dialogs

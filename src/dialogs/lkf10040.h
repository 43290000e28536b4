#pragma once
// LKF10040, the code reference window: a borderless pop-up next to an input item of a business
// form. The user types the beginning of a code, the look-up lists the matching codes with their
// names, and the chosen line is written back into the form. One instance per process, created
// on first use and afterwards only shown and hidden; it ends the look-up when it loses
// activation.
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

#include "formhelper/code_list_box.h"
#include "formhelper/code_lookup.h"

namespace tav::dialogs {

class LKF10040 : public QWidget, public formhelper::CodeReferenceView {
    Q_OBJECT
  public:
    // The process's window (created and registered with the look-up on first use).
    static LKF10040& instance();
    // Destroys the instance (tests; the look-up forgets it).
    static void destroyInstance();

    // CodeReferenceView
    QWidget* window() override { return this; }
    formhelper::CodeListBox* list() override { return List1; }
    QString searchText() const override { return Text1->text(); }
    void applyListLayout() override;

    // Layout 1, the search layout (what "再 検 索 >>" does).
    void showSearchLayout();
    // "検   索": checks the search text, then reads the codes.
    void search();

    QPushButton* Command1 = nullptr;  // 検   索
    QPushButton* Command2 = nullptr;  // raised background, always disabled
    QPushButton* Command3 = nullptr;  // 再 検 索 >>
    QWidget* Picture1 = nullptr;      // search panel
    QWidget* Picture2 = nullptr;      // list panel
    QFrame* Picture3 = nullptr;       // caption strip
    formhelper::CodeListBox* List1 = nullptr;
    QLabel* Label1 = nullptr;  // 少々お待ちください
    QLabel* Label2 = nullptr;
    QLineEdit* Text1 = nullptr;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    LKF10040();
    ~LKF10040() override;

    void command3Click();
    void listMouseMove(const QPoint& pos);
    void listMouseUp();
    void listDblClick();
    void formDeactivate();
    void restoreCallingControl();
    void setCommand3Bold(bool bold);
    bool formKeyDown(int key);

    int dragX_ = 0;  // twips within the caption strip
    int dragY_ = 0;
};

// Opens the look-up for a control of a form: the control's item record gives the code ID, the
// window comes up next to the control in its search layout, or (searchNow) reads the codes for
// the control's text at once. The host fills the rest of the look-up state (code definition,
// columns, kinds, table) before.
void OpenCodeLookup(formhelper::Form& form, int controlIndex, bool searchNow = false);

}  // namespace tav::dialogs

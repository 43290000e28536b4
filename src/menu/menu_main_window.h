#pragma once
// The main menu window TAV_menu1_frm: title, company name and clock; a drop-down of pages; the
// list of the chosen page; up to twelve function buttons F1 to F12 for the chosen item; the hint
// line and the end button. Its load event runs the start sequence; Timer1 hands over to the
// login and drives the clock.
#include <QPointer>
#include <QWidget>
#include <array>

#include "login_window.h"
#include "menu_window.h"
#include "platform/units.h"

class QComboBox;
class QFrame;
class QLabel;
class QListWidget;
class QPushButton;
class QTimer;

namespace tav::menu {

class TAV_menu1_frm : public QWidget, public MenuWindow, public LoginHost {
    Q_OBJECT
  public:
    explicit TAV_menu1_frm(QWidget* parent = nullptr);

    // The load event: the start sequence, before the window is first shown.
    void Form_Load();

    // ---- the controls, named as in the designer ----
    std::array<QLabel*, 2> lblTitle;
    QLabel* JISYA0;  // JISYA(0)
    QLabel* Label3;
    QComboBox* Combo1;
    QPushButton* cmdPageBack;
    QPushButton* cmdPageNext;
    QLabel* lblPage;
    QPushButton* Command2;
    QFrame* Picture1;
    QListWidget* List1;
    std::array<QPushButton*, 12> Command1;
    QPushButton* cmdEnd;
    QLabel* lblBiko;
    QLabel* imgSelIco;
    QTimer* Timer1;

    // ---- filling from the menu table ----
    // Fills the drop-down with the visible pages and selects StartPage and StartItem.
    void fillPageList() override;
    // The page change of Combo1: list, page counter, paging buttons, focus.
    void pageChange();
    // The list items of the page entry s.
    void fillList(int s);
    // The function buttons of the list-item entry s.
    void fillButtons(int s);
    // All twelve buttons empty, without Tag, hidden.
    void clearButtons();

    // ---- events ----
    void cmdPageNext_Click();
    void cmdPageBack_Click();
    void List1_EnterPressed();
    void Command1_Click(int index);
    void cmdEnd_Click();
    void Timer1_Timer();
    // The clock text of a moment: short date, two blanks, long time, by the system's locale.
    static QString ClockText(const QDateTime& moment);

    // The Tag of a function button ("007"), empty when it has none.
    QString buttonTag(int index) const;

    // What the window shows, one "name=text" line per control, for whole-program runs that
    // cannot read the screen: written to the file named by TAV_MENU_STATE_FILE (when set) on
    // every tick of the clock and after every filling.
    QString stateText() const;
    void writeStateFile() const;

    // ---- MenuWindow ----
    void setOwnerEnabled(bool enabled) override;
    void setHourglass(bool on) override;
    void bringToFront() override;
    void setButtonPointers() override;
    QString designTitleColour() override;
    void armTimer(int intervalMs) override;
    void placeWindow(const common::FramePlacement& rule) override;
    void setWindowCaption(const QString& caption) override;
    void setTitleLabels(const QString& text, const QString& colour) override;
    void clearHint() override;
    void setCompanyCaption(const QString& caption) override;
    void focusList() override;
    void activateByCaption() override;

    // ---- LoginHost ----
    void setTimerInterval(int intervalMs) override;
    QWidget* loginParent() override { return this; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    // Handles the window-level keys; true when the key was one of them.
    bool handleKey(QKeyEvent* event);
    void selectPage(int index);
    void selectListItem(int row);
    void setHint(const QString& text);
    bool hourglass_ = false;
    bool fillingPages_ = false;
    bool pageChangedBySelection_ = false;  // until the events of one choice have run
};

// A colour of the system (24 bits, red in the low byte) and back.
using platform::ColourFromValue;
using platform::ValueFromColour;

}  // namespace tav::menu

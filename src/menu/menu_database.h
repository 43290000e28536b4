#pragma once
// The routines of the menu that read the office database. The office implementation (the
// library tav_menu_db) installs itself at program start; the menu's own logic reaches the
// database only through this interface.
#include <QString>

namespace tav::menu {

class MenuWindow;

class MenuDatabase {
  public:
    virtual ~MenuDatabase() = default;
    // Opens database connection 0.
    virtual void M2000_OPEN_RTN() = 0;
    // Closes database connection 0.
    virtual void M2900_CLOSE_RTN() = 0;
    // Reads the company information and shows its menu header in the window.
    virtual void M0030_JISYA_L_SET(MenuWindow& window) = 0;
    // One row of the name master: its name, or "名称名称?" when there is none.
    virtual QString P5300_MEISYOU_SELECT1(const QString& nameId, const QString& nameKind) = 0;
    // Whether the last look-up found its row (the common status is "OK").
    virtual bool CommonStatusIsOk() = 0;
    // Appends the option entries of the "%OPT_MENU" entry at LastEntryIndex.
    virtual void M0140_OPT_MENU() = 0;
};

// The database routines in force. Until one is installed, look-ups find nothing and the other
// routines do nothing.
MenuDatabase& menuDatabase();
void setMenuDatabase(MenuDatabase* database);  // null: back to the one that finds nothing

}  // namespace tav::menu

#pragma once
// The menu's database routines on the office database (connection 0 of FEND_RUN.INI).
#include "menu_database.h"

namespace tav::menu {

class OfficeMenuDatabase : public MenuDatabase {
  public:
    void M2000_OPEN_RTN() override;
    void M2900_CLOSE_RTN() override;
    void M0030_JISYA_L_SET(MenuWindow& window) override;
    QString P5300_MEISYOU_SELECT1(const QString& nameId, const QString& nameKind) override;
    bool CommonStatusIsOk() override;
    void M0140_OPT_MENU() override;
};

// Installs the office routines for the rest of the run.
void installOfficeMenuDatabase();

}  // namespace tav::menu

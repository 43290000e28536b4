#include "office_menu_database.h"

#include "company.h"
#include "namemaster/name_master.h"
#include "option_menu.h"
#include "platform/context.h"

namespace tav::menu {

void OfficeMenuDatabase::M2000_OPEN_RTN() {
    menu::M2000_OPEN_RTN();
}
void OfficeMenuDatabase::M2900_CLOSE_RTN() {
    menu::M2900_CLOSE_RTN();
}
void OfficeMenuDatabase::M0030_JISYA_L_SET(MenuWindow& window) {
    menu::M0030_JISYA_L_SET(window);
}

QString OfficeMenuDatabase::P5300_MEISYOU_SELECT1(const QString& nameId, const QString& nameKind) {
    return common::P5300_MEISYOU_SELECT1(nameId, nameKind).toString();
}

bool OfficeMenuDatabase::CommonStatusIsOk() {
    return common::CommonStatus() == QStringLiteral("OK");
}

void OfficeMenuDatabase::M0140_OPT_MENU() {
    menu::M0140_OPT_MENU();
}

void installOfficeMenuDatabase() {
    setMenuDatabase(&context().get<OfficeMenuDatabase>());
}

}  // namespace tav::menu

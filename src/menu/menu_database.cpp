#include "menu_database.h"

#include "platform/context.h"

namespace tav::menu {

namespace {

class NoDatabase : public MenuDatabase {
  public:
    void M2000_OPEN_RTN() override {}
    void M2900_CLOSE_RTN() override {}
    void M0030_JISYA_L_SET(MenuWindow&) override {}
    QString P5300_MEISYOU_SELECT1(const QString&, const QString&) override {
        return QStringLiteral("名称名称?");
    }
    bool CommonStatusIsOk() override { return false; }
    void M0140_OPT_MENU() override {}
};

// The database routines in force: none until the program installs the office's.
struct InstalledDatabase {
    NoDatabase none;
    MenuDatabase* current = &none;
};

NoDatabase& noDatabase() {
    return context().get<InstalledDatabase>().none;
}

MenuDatabase*& installed() {
    return context().get<InstalledDatabase>().current;
}

}  // namespace

MenuDatabase& menuDatabase() {
    return *installed();
}

void setMenuDatabase(MenuDatabase* database) {
    installed() = database ? database : &noDatabase();
}

}  // namespace tav::menu

#include "menu_database.h"

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

NoDatabase& noDatabase() {
    static NoDatabase none;
    return none;
}

MenuDatabase*& installed() {
    static MenuDatabase* current = &noDatabase();
    return current;
}

}  // namespace

MenuDatabase& menuDatabase() {
    return *installed();
}

void setMenuDatabase(MenuDatabase* database) {
    installed() = database ? database : &noDatabase();
}

}  // namespace tav::menu

// The office's business menu: the main menu window is the start-up object; its load event runs
// the whole start sequence before the window is first shown.
#include <QApplication>

#include "common/app_start.h"
#include "platform/context.h"
#include "menu/company.h"
#include "menu/menu_main_window.h"
#include "menu/office_menu_database.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    tav::ScopedContext state;  // every module's state for this run, gone before the application
    tav::common::StartProgram(argc, argv);
    tav::menu::installOfficeMenuDatabase();
    tav::menu::OpenOfficeDatabaseAhead();
    tav::menu::TAV_menu1_frm window;
    window.Form_Load();
    window.show();
    return app.exec();
}

// The office's business menu.
#include <QApplication>

#include "common/app_start.h"
#include "common/system_log.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    tav::common::StartProgram(argc, argv);
    tav::common::SystemLogReport(QStringLiteral("M0000_MAIN"), QStringLiteral("K010"), 1, 0,
                                 QStringLiteral("TAV_menu1 起動"));
    tav::common::EndOfLog();
    return 0;
}

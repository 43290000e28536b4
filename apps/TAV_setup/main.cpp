// The setup program: readme, agreement, installation archive.
#include <QApplication>

#include "common/app_start.h"
#include "common/system_log.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    tav::common::StartProgram(argc, argv);
    tav::common::SystemLogReport(QStringLiteral("S0000_MAIN"), QStringLiteral("K010"), 1, 0,
                                 QStringLiteral("TAV_setup 起動"));
    tav::common::EndOfLog();
    return 0;
}

// The setup program: readme, agreement, installation archive.
#include <QApplication>

#include "common/app_start.h"
#include "setup/setup.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    tav::common::StartProgram(argc, argv);
    return tav::setup::RunSetupProgram();
}

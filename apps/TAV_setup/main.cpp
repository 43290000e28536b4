// The setup program: readme, agreement, installation archive.
#include <QApplication>

#include "common/app_start.h"
#include "platform/context.h"
#include "setup/setup.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    tav::ScopedContext state;  // every module's state for this run, gone before the application
    tav::common::StartProgram(argc, argv);
    return tav::setup::RunSetupProgram();
}

// 顧客照会: the sample business screen of the demonstration installation.
#include <QApplication>

#include "common/app_start.h"
#include "platform/context.h"
#include "customer_inquiry.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    tav::ScopedContext state;  // every module's state for this run, gone before the application
    tav::common::StartProgram(argc, argv);
    return tav::sample::RunCustomerInquiry();
}

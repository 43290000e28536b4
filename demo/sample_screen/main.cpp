// 顧客照会: the sample business screen of the demonstration installation.
#include <QApplication>

#include "common/app_start.h"
#include "customer_inquiry.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    tav::common::StartProgram(argc, argv);
    return tav::sample::RunCustomerInquiry();
}

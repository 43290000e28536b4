// Shows one critical message box for the package's commands when they are started from the
// desktop, where nobody reads their terminal:  tav_message <title> <text>
#include <QApplication>
#include <QMessageBox>

int main(int argc, char** argv) {
    if (argc != 3) return 2;
    QApplication app(argc, argv);
    QMessageBox box(QMessageBox::Critical, QString::fromLocal8Bit(argv[1]),
                    QString::fromLocal8Bit(argv[2]), QMessageBox::Ok);
    box.exec();
    return 0;
}

// Writes N kind-1 reports "writer W line L" to FEND_SYS.LOG in FOLDER: log_writer FOLDER W N
#include <QCoreApplication>
#include <QString>

#include "common/system_log.h"

int main(int argc, char** argv) {
    if (argc != 4) return 2;
    QCoreApplication app(argc, argv);
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const QString writer = QString::fromLocal8Bit(argv[2]);
    const int lines = QString::fromLocal8Bit(argv[3]).toInt();
    if (!tav::common::openSystemLog(folder)) return 1;
    tav::common::commonArea().setProgramId(QStringLiteral("W") + writer);
    for (int i = 0; i < lines; ++i) {
        tav::common::SystemLogReport(QStringLiteral("T0001"), QStringLiteral("L000"), 1, i,
                                     QStringLiteral("writer %1 line %2 名称マスタ").arg(writer).arg(i));
    }
    return 0;
}

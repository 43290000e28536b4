// A business program of the demonstration: works for a few seconds, then changes the menu
// header of the company information, so that the menu shows the new header when it has waited
// for this program.
//   tav_demo_header <seconds> <new header ...>
// The office database is the one FEND_RUN.INI in this program's folder leads DB number 0 to.
#include <QCoreApplication>
#include <QStringList>
#include <QThread>
#include <cstdio>

#include "platform/inifile.h"
#include "officedb/office_db.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3) {
        std::fprintf(stderr, "usage: tav_demo_header <seconds> <new header>\n");
        return 2;
    }
    const int seconds = args[1].toInt();
    const QString header = args.mid(2).join(u' ');
    const QString ini = app.applicationDirPath() + QStringLiteral("/FEND_RUN.INI");
    const QString database = tav::platform::IniFile::load(ini).getString(
        QStringLiteral("DBPATH"), QStringLiteral("Z_PATH0"), {}, 100);
    if (database.isEmpty()) {
        std::fprintf(stderr, "tav_demo_header: no database in %s\n", qPrintable(ini));
        return 1;
    }
    QThread::sleep(static_cast<unsigned long>(seconds > 0 ? seconds : 0));
    const QString failure = tav::officedb::execSqlite(
        database, {QStringLiteral("UPDATE 自社情報 SET メニューヘッダ = ") +
                   tav::officedb::sqlText(header) + QStringLiteral(" WHERE アドレス = 100")});
    if (!failure.isEmpty()) {
        std::fprintf(stderr, "tav_demo_header: %s\n", qPrintable(failure));
        return 1;
    }
    return 0;
}

// tav-check-menu FILE: reports every problem of a menu definition file; see tav-check-menu(1).
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <cstring>

#include "menu/menu_check.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc == 2 && (!std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h"))) {
        std::puts("Usage: tav-check-menu FILE\n"
                  "Checks a menu definition file as the menu reads it and reports every problem as\n"
                  "FILE:LINE[:COLUMN]: error|warning: text. Programs that entries start are looked\n"
                  "for in the file's folder (the program folder).\n"
                  "Options:\n  -h, --help   show this help and exit\n"
                  "Exit status: 0 no problem, 1 warnings only, 2 errors (or the file cannot be read).");
        return 0;
    }
    if (argc != 2) {
        std::fprintf(stderr, "tav-check-menu: one menu file expected (see tav-check-menu --help)\n");
        return 2;
    }
    const QString name = QString::fromLocal8Bit(argv[1]);
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "tav-check-menu: cannot read %s: %s\n", argv[1],
                     qPrintable(file.errorString()));
        return 2;
    }
    const auto problems =
        tav::menu::CheckMenuFile(file.readAll(), QFileInfo(name).absolutePath());
    int status = 0;
    for (const auto& p : problems) {
        const QString where = QStringLiteral("%1:%2").arg(name).arg(p.line) +
                              (p.column ? QStringLiteral(":%1").arg(p.column) : QString());
        std::printf("%s: %s: %s\n", qPrintable(where), p.error ? "error" : "warning",
                    p.text.toUtf8().constData());
        status = std::max(status, p.error ? 2 : 1);
    }
    return status;
}

// A program that runs one data-access call in a real process, for the tests of the program end:
//   tav_da_probe FOLDER connect DB            Q0100_CONNECT(DB)
//   tav_da_probe FOLDER declare DB SQL        Q0100_CONNECT(DB), then Q0300_DECLARE(DB, 10, SQL)
// Message boxes are answered at once and their text written to standard output; the end of the
// program is the real one.
#include <QCoreApplication>
#include <cstdio>

#include "common/system_log.h"
#include "dataaccess/lsqlio00.h"
#include "platform/program_info.h"
#include "platform/services.h"

namespace {

class PrintingBox : public tav::platform::MessageBoxService {
  public:
    tav::platform::Answer show(const tav::platform::MessageBoxRequest& r) override {
        std::printf("BOX:%s\n", r.text.toUtf8().constData());
        std::fflush(stdout);
        return tav::platform::Answer::Ok;
    }
};

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 4) return 64;
    const QString folder = QString::fromLocal8Bit(argv[1]);
    tav::platform::setProgramFolder(folder);
    tav::common::openSystemLog(folder);
    static PrintingBox box;
    tav::platform::services().messageBox = &box;
    const QString what = QString::fromLocal8Bit(argv[2]);
    const auto db = static_cast<qint16>(QString::fromLocal8Bit(argv[3]).toInt());
    tav::dataaccess::Q0100_CONNECT(db);
    if (what == QStringLiteral("declare") && argc > 4) {
        tav::dataaccess::Q0300_DECLARE(db, 10, QString::fromUtf8(argv[4]));
    }
    std::printf("RETURNED\n");
    return 0;
}

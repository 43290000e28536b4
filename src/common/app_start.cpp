#include "app_start.h"

#include <QDir>

#include "platform/append_file.h"
#include "platform/desktop.h"
#include "platform/program_info.h"
#include "system_log.h"

namespace tav::common {

QString SystemLogFolder(const QString& programFolder, const QString& home,
                        const QString& xdgStateHome) {
    // A program started where the package installed it (under /usr) must not write there: the
    // folder belongs to the package, and a log left in it would outlive the package's removal.
    if (programFolder != QStringLiteral("/usr") && !programFolder.startsWith(QStringLiteral("/usr/")))
        return programFolder;
    const QString state = xdgStateHome.startsWith(u'/') ? xdgStateHome
                                                        : home + QStringLiteral("/.local/state");
    return state + QStringLiteral("/tav");
}

QString SystemLogFolder() {
    return SystemLogFolder(platform::programFolder(), platform::UserHome(), platform::UserStateHome());
}

void StartProgram(int argc, char** argv) {
    platform::initProgramInfo(argc, argv);
    // A program that was started by a program that has since gone must not die writing to it.
    platform::IgnoreBrokenPipes();
    commonArea().setProgramId(platform::programFileName());
    const QString folder = SystemLogFolder();
    if (folder != platform::programFolder()) QDir().mkpath(folder);
    openSystemLog(folder);
}

}  // namespace tav::common

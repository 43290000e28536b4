#include "program_info.h"

#include <QFileInfo>
#include <QStringList>

#include "platform/context.h"

namespace tav::platform {

namespace {
struct Info {
    QString folder;
    QString fileName;
    QString title;
    QString commandLine;
    bool titleSet = false;
};
Info& info() {
    return context().get<Info>();
}
}  // namespace

QString programFolder() {
    return info().folder;
}
QString programFileName() {
    return info().fileName;
}
QString programTitle() {
    return info().titleSet ? info().title : info().fileName;
}
QString commandLine() {
    return info().commandLine;
}

void setProgramFolder(const QString& folder) {
    QString f = folder;
    while (f.size() > 1 && f.endsWith(u'/')) f.chop(1);
    info().folder = f;
}
void setProgramFileName(const QString& name) {
    info().fileName = name;
}
void setProgramTitle(const QString& title) {
    info().title = title;
    info().titleSet = true;
}
void setCommandLine(const QString& line) {
    info().commandLine = line;
}

void initProgramInfo(int argc, char** argv) {
    QFileInfo exe(QStringLiteral("/proc/self/exe"));
    QString real = exe.canonicalFilePath();
    if (real.isEmpty() && argc > 0)
        real = QFileInfo(QString::fromLocal8Bit(argv[0])).canonicalFilePath();
    QFileInfo fi(real);
    setProgramFolder(fi.absolutePath());
    setProgramFileName(fi.completeBaseName());
    QStringList args;
    for (int i = 1; i < argc; ++i) args.append(QString::fromLocal8Bit(argv[i]));
    setCommandLine(args.join(u' '));
}

}  // namespace tav::platform

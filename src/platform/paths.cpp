#include "paths.h"

#include <unistd.h>

#include <QFileInfo>
#include <QStringList>

namespace tav::platform {

QString toLocalPath(const QString& windowsForm) {
    QString p = windowsForm;
    p.replace(u'\\', u'/');
    if (p.endsWith(QStringLiteral(".exe"), Qt::CaseInsensitive) && !QFileInfo::exists(p)) {
        QString bare = p.left(p.size() - 4);
        if (QFileInfo::exists(bare)) return bare;
    }
    return p;
}

bool isExecutableFile(const QString& localPath) {
    QFileInfo fi(localPath);
    return fi.isFile() && ::access(QFile::encodeName(localPath).constData(), X_OK) == 0;
}

QString findInPath(const QString& name) {
    if (name.isEmpty() || name.contains(u'/')) return {};
    const QStringList dirs =
        QString::fromLocal8Bit(qgetenv("PATH")).split(u':', Qt::SkipEmptyParts);
    for (const QString& d : dirs) {
        QString candidate = d + u'/' + name;
        if (isExecutableFile(candidate)) return candidate;
    }
    return {};
}

}  // namespace tav::platform

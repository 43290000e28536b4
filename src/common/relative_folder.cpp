#include "relative_folder.h"

#include "platform/paths.h"
#include "platform/program_info.h"
#include "platform/services.h"
#include "platform/text.h"

namespace tav::common {

QString ParentFolder(const QString& path, QChar separator) {
    qsizetype p = path.lastIndexOf(separator);
    return p < 0 ? QString() : path.left(p + 1);
}

QString P0310_CHG_DIR_UD(const QString& relativeFolder) {
    QString folder = platform::programFolder();
    // The root folder is reported as "/"; below it the folder has no trailing separator.
    if (folder.size() > 1 && folder.endsWith(platform::kSeparator)) folder.chop(1);
    const QString parent = ParentFolder(folder, platform::kSeparator);
    if (text::Left(relativeFolder, 3) == QStringLiteral("..\\")) {
        return parent + text::Mid(relativeFolder, 4);
    }
    platform::messageBox(
        QStringLiteral("パラメタエラー（DIR指定先頭が..\\でない）:") + relativeFolder,
        platform::programFileName() + QStringLiteral(":P0310_CHG_DIR_UD"));
    return parent + relativeFolder;
}

}  // namespace tav::common

#pragma once
// Folders of the installation named relative to the program folder ("..\DATA").
#include <QString>

namespace tav::common {

// The path up to and including its last separator; "" when it holds none.
QString ParentFolder(const QString& path, QChar separator);

// "..\" + name becomes the installation folder (the program folder's parent, with its trailing
// separator) + name. Anything else shows the parameter-error box and is joined all the same.
QString P0310_CHG_DIR_UD(const QString& relativeFolder);

}  // namespace tav::common

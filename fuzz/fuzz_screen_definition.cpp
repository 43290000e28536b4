// Any screen-definition file: the loader never crashes; it either takes the file or names a
// line of it, and a file it refuses changes nothing of what was loaded before.
#include <QFile>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>

#include "formhelper/helper_context.h"
#include "formhelper/screen_definition.h"

using namespace tav::formhelper;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static QTemporaryDir dir;
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QString text = QString::fromUtf8(bytes);
    const qsizetype lines = text.count(u'\n') + 1;
    try {
        parseScreenDefinitions(text, QStringLiteral("F.SCR"));
    } catch (const ScreenDefinitionError& e) {
        if (e.line < 0 || e.line > lines || e.message.isEmpty()) __builtin_trap();
        if (!e.text().startsWith(QStringLiteral("F.SCR"))) __builtin_trap();
    }
    // Through the file: a refused file leaves the tables as they were.
    const QString path = dir.filePath(QStringLiteral("F.SCR"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) __builtin_trap();
    file.write(bytes);
    file.close();
    installScreenDefinitions(ScreenDefinitions{});
    const size_t before = helperContext().items.size();
    if (LoadScreenDefinitions(path) && helperContext().items.size() != before) __builtin_trap();
    return 0;
}

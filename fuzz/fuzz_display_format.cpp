// Any value and any user-defined pattern: the pattern formatter and every format ID never crash,
// fail only with error 5, and leave a value that is not a number unchanged.
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>

#include "common/display_format.h"
#include "common/system_log.h"
#include "platform/runtime_error.h"
#include "platform/text.h"

using namespace tav::common;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static QTemporaryDir logFolder;
    static bool opened = openSystemLog(logFolder.path());
    (void)opened;
    if (size < 3) return 0;
    // Byte 0 and 1: the item's length and decimals; then value and pattern split at the first NUL.
    FormatItemAttributes item{data[0] % 40, data[1] % 12, QStringLiteral("9 ")};
    const QByteArray rest(reinterpret_cast<const char*>(data + 2),
                          static_cast<qsizetype>(size - 2));
    const qsizetype cut = rest.indexOf('\0');
    const QString value = QString::fromUtf8(cut < 0 ? rest : rest.left(cut));
    const QString pattern = cut < 0 ? QString() : QString::fromUtf8(rest.mid(cut + 1));

    try {
        const QString out = FormatPattern(value, pattern);
        if (!tav::text::IsNumeric(value) && out != value) __builtin_trap();
    } catch (const tav::RuntimeError& e) {
        if (e.number() != tav::err::InvalidCall) __builtin_trap();
    }

    displayFormatSettings().userFormats[data[0] % 10] = pattern;
    displayFormatSettings().itemAttributes = [&](int) { return item; };
    static const char* ids[] = {"00", "10", "11", "12", "14", "15", "23", "31", "34",
                                "52", "53", "54", "55", "56", "57", "58", "59", "60",
                                "61", "62", "63", "64", "65", "66", "80", "81", "82",
                                "83", "84", "85", "86", "87", "88", "89", "99"};
    for (const char* id : ids) {
        const QString shown = FormatById(QString::fromLatin1(id), value, 1);
        UnformatById(QString::fromLatin1(id), shown);
    }
    ToEraDate(value);
    displayFormatSettings().itemAttributes = nullptr;
    return 0;
}

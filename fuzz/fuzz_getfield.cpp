// Any text, field number and separator: GetField returns a field or "ERROR", never crashes.
#include <cstddef>
#include <cstdint>

#include "platform/text.h"
#include "platform/textfile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    int n = static_cast<int8_t>(data[0]);
    QString all = tav::platform::decodeText(
        QByteArray(reinterpret_cast<const char*>(data + 1), static_cast<qsizetype>(size - 1)));
    QString sep = all.left(data[1] % 3);
    QString text = all.mid(data[1] % 3);
    QString field = tav::text::GetField(text, n, sep);
    if (field != QStringLiteral("ERROR") && field.size() > text.size()) __builtin_trap();
    tav::text::GetField(text, n);
    return 0;
}

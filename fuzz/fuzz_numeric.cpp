// Any text: the numeric test and the conversions agree and never crash.
#include <cstddef>
#include <cstdint>

#include "platform/runtime_error.h"
#include "platform/text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QString s =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    bool numeric = tav::text::IsNumeric(s);
    if (numeric != tav::text::ToNumber(s).has_value()) __builtin_trap();
    try {
        tav::text::ToInt16(s);
        if (!numeric) __builtin_trap();
    } catch (const tav::RuntimeError& e) {
        if (e.number() != tav::err::Overflow && e.number() != tav::err::TypeMismatch)
            __builtin_trap();
    }
    tav::text::Trim(s);
    tav::text::Mid(s, static_cast<int>(size % 7) - 2, static_cast<int>(size % 5) - 1);
    tav::text::ZeroPad(static_cast<qint64>(size) * (size % 2 ? -1 : 1),
                       static_cast<int>(size % 12));
    return 0;
}

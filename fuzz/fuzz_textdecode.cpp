// Any bytes: decoding never crashes and never drops a byte silently; CP932 text that encodes
// cleanly decodes back to itself.
#include <cstddef>
#include <cstdint>

#include "platform/textfile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QString cp = tav::platform::decodeCp932(bytes);
    if (size > 0 && cp.isEmpty()) __builtin_trap();
    int replaced = 0;
    QByteArray again = tav::platform::encodeCp932(cp, &replaced);
    if (replaced == 0 && tav::platform::decodeCp932(again) != cp) __builtin_trap();
    QString any = tav::platform::decodeText(bytes);
    tav::platform::splitLines(any);
    return 0;
}

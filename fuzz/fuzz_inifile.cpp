// Any settings file: look-ups return a value no longer than the read size allows.
#include <cstddef>
#include <cstdint>

#include "platform/inifile.h"
#include "platform/textfile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QString text = tav::platform::decodeText(
        QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    auto ini = tav::platform::IniFile::fromText(text);
    static const char* sections[] = {"SQL/IO", "DSRC", "DBPATH", "", "a"};
    static const char* keys[] = {"DB00", "TRACE", "", "x"};
    for (const char* s : sections)
        for (const char* k : keys) {
            int readSize = static_cast<int>(size % 300);
            QString v = ini.getString(QString::fromLatin1(s), QString::fromLatin1(k),
                                      QStringLiteral("default"), readSize);
            if (v.size() > (readSize > 0 ? readSize - 1 : 0)) __builtin_trap();
        }
    return 0;
}

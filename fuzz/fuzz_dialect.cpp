// Any statement text: the dialect translation never crashes, keeps every NUL, and leaves a text
// without quotes, brackets, "=" and wildcards exactly as it was.
#include <cstddef>
#include <cstdint>

#include "dataaccess/dialect.h"

using namespace tav::dataaccess;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString sql =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    for (Backend b : {Backend::SQLite, Backend::PostgreSQL}) {
        const QString out = translateSql(sql, b);
        if (out.count(QChar(u'\0')) != sql.count(QChar(u'\0'))) __builtin_trap();
        bool plain = true;
        for (QChar c : sql) {
            if (c == u'"' || c == u'\'' || c == u'[' || c == u'=') plain = false;
        }
        if (plain && out != sql) __builtin_trap();
    }
    return 0;
}

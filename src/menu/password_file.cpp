#include "password_file.h"

#include <QFile>
#include <QFileInfo>

#include "menu_errors.h"
#include "platform/runtime_error.h"
#include "platform/text.h"
#include "platform/textfile.h"

namespace tav::menu {

using text::IsNumeric;
using text::ToNumber;
using text::Trim;

namespace {

RuntimeError PastEndOfFile() {
    return RuntimeError(kInputPastEndOfFile,
                        QStringLiteral("ファイルの終わりを超えて入力しようとしました。"));
}

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t';
}

}  // namespace

QStringList ReadDelimitedFields(const QString& text, int count) {
    QStringList fields;
    const qsizetype n = text.size();
    qsizetype pos = 0;
    // Skips the delimiter that ends a field: a comma, or a line end (CR LF, CR or LF).
    auto skipDelimiter = [&] {
        if (pos >= n) return;
        if (text[pos] == u',') {
            ++pos;
        } else if (text[pos] == u'\r') {
            ++pos;
            if (pos < n && text[pos] == u'\n') ++pos;
        } else if (text[pos] == u'\n') {
            ++pos;
        }
    };
    auto atDelimiter = [&] {
        return pos >= n || text[pos] == u',' || text[pos] == u'\r' || text[pos] == u'\n';
    };
    while (fields.size() < count) {
        while (pos < n && isBlank(text[pos])) ++pos;
        if (pos >= n) throw PastEndOfFile();
        if (text[pos] == u'"') {
            const qsizetype close = text.indexOf(u'"', pos + 1);
            const qsizetype end = close < 0 ? n : close;
            fields << text.mid(pos + 1, end - pos - 1);
            pos = close < 0 ? n : close + 1;
            while (!atDelimiter()) ++pos;  // anything after the closing quote is dropped
        } else {
            const qsizetype start = pos;
            while (!atDelimiter()) ++pos;
            QString field = text.mid(start, pos - start);
            while (!field.isEmpty() && isBlank(field.back())) field.chop(1);
            fields << field;
        }
        skipDelimiter();
    }
    return fields;
}

PasswordFile ReadPasswordFile(const QString& path) {
    if (!QFileInfo(path).isFile()) err::raise(err::FileNotFound);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) throw FileAccessError();
    const QString text = platform::decodeText(file.readAll());
    const QStringList fields = ReadDelimitedFields(text, 2);
    return PasswordFile{fields[0], fields[1]};
}

bool LoginSwitchIsOn(const QString& field1) {
    const auto value = ToNumber(Trim(field1));
    if (!IsNumeric(Trim(field1)) || !value) err::raise(err::TypeMismatch);
    return *value == 1.0;
}

}  // namespace tav::menu

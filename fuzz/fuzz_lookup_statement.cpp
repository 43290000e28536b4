// The code look-up's statement for any search text, key definition and SQL template: whatever
// the text holds, the statement outside its literals and [names] is the one the same definition
// gives for a harmless text of the same length. The text can fill literals, never add code.
#include <QRegularExpression>
#include <cstddef>
#include <cstdint>

#include "formhelper/code_lookup.h"
#include "platform/text.h"

using namespace tav::formhelper;

namespace {

// The statement with every literal written as L and every [name] as I, read the way the data
// layer reads the dialect; "UNCLOSED" when a literal or name does not end.
QString skeleton(const QString& sql) {
    QString out;
    const qsizetype n = sql.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = sql[i];
        if (c == u'"' || c == u'\'') {
            qsizetype j = i + 1;
            bool closed = false;
            while (j < n) {
                if (sql[j] == c) {
                    if (j + 1 < n && sql[j + 1] == c) {
                        j += 2;
                        continue;
                    }
                    closed = true;
                    ++j;
                    break;
                }
                ++j;
            }
            if (!closed) return QStringLiteral("UNCLOSED");
            out += u'L';
            i = j;
            continue;
        }
        if (c == u'[') {
            const qsizetype close = sql.indexOf(u']', i + 1);
            if (close < 0) return QStringLiteral("UNCLOSED");
            out += u'I';
            i = close + 1;
            continue;
        }
        out += c;
        ++i;
    }
    return out;
}

bool plainNumber(const QString& v) {
    static const QRegularExpression re(
        QRegularExpression::anchoredPattern(QStringLiteral("[+-]?[0-9]+(\\.[0-9]+)?")));
    return re.match(v).hasMatch();
}

const char* const kTemplates[] = {
    "SELECT CODE,NAME FROM V_CUST WHERE CODE LIKE \"%%Q_VALUE%%*\" ORDER BY CODE",
    "SELECT CODE FROM T WHERE CODE = '%%Q_VALUE%%' OR NAME = \"x%%Q_VALUE%%y\"",
    "SELECT CODE FROM T WHERE CODE = %%Q_VALUE%% AND [NAME] = \"A\"\"B\"",
    "SELECT [%%Q_VALUE%%] FROM T WHERE NAME LIKE '*%%Q_VALUE%%?' AND NO => 5-%%Q_VALUE%%",
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    const uint8_t flags = data[0];
    resetLookupState();
    LookupState& s = lookupState();
    s.definition.keyAttribute = flags & 1 ? QStringLiteral("9") : QStringLiteral("X");
    s.definition.searchKind = flags & 2 ? QStringLiteral("2") : QStringLiteral("1");
    s.definition.keyLength = QStringLiteral("%1").arg(data[1] % 10, 3, 10, QChar(u'0'));
    s.definition.keyColumn = QStringLiteral("CODE");
    s.definition.conditionAttribute = QStringLiteral("X");
    if (flags & 4) s.definition.extraCondition = QStringLiteral("DEL_FLG = 0 AND NAME <> \"x\"");
    if (flags & 8) s.kinds[0].extraConditionTemplate = QStringLiteral("STATUS = '1' AND (%%)");
    s.keyColumns = {LookupColumn{QStringLiteral("X"), QStringLiteral("005"), QStringLiteral("CODE")}};
    s.nameColumns = {LookupColumn{QStringLiteral("N"), QStringLiteral("010"), QStringLiteral("NAME")}};
    s.tableName = QStringLiteral("CODE_M");
    s.orderClause = QStringLiteral(" ORDER BY CODE");

    QByteArray rest(reinterpret_cast<const char*>(data) + 2, static_cast<qsizetype>(size - 2));
    const int choice = (flags >> 4) & 7;
    bool fixedTemplate = true;
    if (choice != 0) {
        LookupKind& kind = s.kinds[0];
        kind.enablingText = QStringLiteral("1");
        kind.fixedSql = QStringLiteral("SELECT CODE FROM T");
        if (choice <= 4) {
            kind.sqlTemplate = QString::fromUtf8(kTemplates[choice - 1]);
        } else {
            // The template itself from the input, up to a 0xFF byte.
            const qsizetype cut = rest.indexOf('\xff');
            if (cut < 0) return 0;
            kind.sqlTemplate = QString::fromUtf8(rest.left(cut));
            if (!kind.sqlTemplate.contains(QStringLiteral("%%Q_VALUE%%"))) return 0;
            rest = rest.mid(cut + 1);
            fixedTemplate = false;
        }
    }
    const QString v = tav::text::Trim(QString::fromUtf8(rest));
    if (v.isEmpty()) return 0;
    const QString harmless = plainNumber(v) ? v : QString(v.size(), u'A');
    const QString got = skeleton(BuildLookupStatement(v));
    const QString want = skeleton(BuildLookupStatement(harmless));
    if (got != want) __builtin_trap();
    if (fixedTemplate && got == QStringLiteral("UNCLOSED")) __builtin_trap();
    return 0;
}

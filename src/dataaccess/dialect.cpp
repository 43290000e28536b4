#include "dialect.h"

namespace tav::dataaccess {

Backend backendOfDriver(const QString& driverFileName) {
    const QString base = driverFileName.section(u'/', -1).toLower();
    if (base.contains(QStringLiteral("sqlite"))) return Backend::SQLite;
    if (base.contains(QStringLiteral("psqlodbc")) || base.contains(QStringLiteral("postgres"))) {
        return Backend::PostgreSQL;
    }
    return Backend::Other;
}

QString literalContent(const QString& value, QChar quote) {
    QString v = value;
    v.replace(quote, QString(2, quote));
    return v;
}

QString dialectLiteral(const QString& value) {
    return u'"' + literalContent(value, u'"') + u'"';
}

QString likeLiteralText(const QString& value) {
    QString out;
    out.reserve(value.size());
    for (QChar c : value) {
        if (c == u'*' || c == u'?' || c == u'#' || c == u'[') {
            out += u'[';
            out += c;
            out += u']';
        } else {
            out += c;
        }
    }
    return out;
}

namespace {

bool isWordChar(QChar c) {
    return c.isLetterOrNumber() || c == u'_' || c.unicode() >= 0x80;
}

// Reads a literal opened by the quote at sql[i]; a doubled quote inside is one quote. Returns
// the index behind the closing quote, or -1 when the literal is not closed.
qsizetype readLiteral(const QString& sql, qsizetype i, QString& content) {
    const QChar quote = sql[i];
    content.clear();
    qsizetype j = i + 1;
    while (j < sql.size()) {
        if (sql[j] == quote) {
            if (j + 1 < sql.size() && sql[j + 1] == quote) {
                content += quote;
                j += 2;
                continue;
            }
            return j + 1;
        }
        content += sql[j];
        ++j;
    }
    return -1;
}

QString standardLiteral(const QString& content) {
    QString v = content;
    v.replace(u'\'', QStringLiteral("''"));
    return u'\'' + v + u'\'';
}

// A LIKE pattern of the office dialect as a standard one; escaped tells whether it needs an
// ESCAPE '\' clause.
QString standardPattern(const QString& pattern, bool& escaped) {
    QString out;
    out.reserve(pattern.size() + 4);
    escaped = false;
    auto literalChar = [&](QChar c) {
        if (c == u'%' || c == u'_' || c == u'\\') {
            out += u'\\';
            escaped = true;
        }
        out += c;
    };
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        if (c == u'*') {
            out += u'%';
        } else if (c == u'?') {
            out += u'_';
        } else if (c == u'[' && i + 2 < pattern.size() && pattern[i + 2] == u']') {
            literalChar(pattern[i + 1]);  // [*] [?] [#] [[]: that one character
            i += 2;
        } else {
            literalChar(c);
        }
    }
    return out;
}

}  // namespace

QString translateSql(const QString& sql, Backend /*backend*/) {
    // Both backends take standard SQL for everything this dialect rewrites, so the rewrite is
    // the same; the backend is kept in the signature for the day one of them differs.
    QString out;
    out.reserve(sql.size() + 16);
    QString lastWord;  // the last word before the current token, blanks skipped
    QString content;
    qsizetype i = 0;
    const qsizetype n = sql.size();
    while (i < n) {
        const QChar c = sql[i];
        if (c == u'"' || c == u'\'') {
            qsizetype end = readLiteral(sql, i, content);
            if (end < 0) {  // not closed: left as written for the backend to refuse
                out += QStringView(sql).mid(i);
                break;
            }
            if (lastWord == QStringLiteral("LIKE")) {
                bool escaped = false;
                out += standardLiteral(standardPattern(content, escaped));
                if (escaped) out += QStringLiteral(" ESCAPE '\\'");
            } else {
                out += standardLiteral(content);
            }
            lastWord.clear();
            i = end;
            continue;
        }
        if (c == u'[') {
            qsizetype close = sql.indexOf(u']', i + 1);
            if (close < 0) {
                out += QStringView(sql).mid(i);
                break;
            }
            QString name = sql.mid(i + 1, close - i - 1);
            name.replace(u'"', QStringLiteral("\"\""));
            out += u'"' + name + u'"';
            lastWord.clear();
            i = close + 1;
            continue;
        }
        if (c == u'=' && i + 1 < n && (sql[i + 1] == u'>' || sql[i + 1] == u'<') &&
            (out.isEmpty() || (out.back() != u'<' && out.back() != u'>' && out.back() != u'!'))) {
            out += sql[i + 1];
            out += u'=';
            lastWord.clear();
            i += 2;
            continue;
        }
        if (isWordChar(c)) {
            qsizetype j = i;
            while (j < n && isWordChar(sql[j])) ++j;
            QStringView word = QStringView(sql).mid(i, j - i);
            out += word;
            lastWord = word.toString().toUpper();
            i = j;
            continue;
        }
        out += c;
        if (!c.isSpace()) lastWord.clear();
        ++i;
    }
    return out;
}

}  // namespace tav::dataaccess

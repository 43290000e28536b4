#include "inifile.h"

#include "textfile.h"

namespace tav::platform {

namespace {

QString trimBlanks(const QString& s) {
    qsizetype a = 0, b = s.size();
    auto blank = [](QChar c) { return c == u' ' || c == u'\t'; };
    while (a < b && blank(s[a])) ++a;
    while (b > a && blank(s[b - 1])) --b;
    return s.mid(a, b - a);
}

QString cut(const QString& s, int readSize) {
    if (readSize <= 0) return {};
    return s.left(readSize - 1);
}

}  // namespace

IniFile IniFile::load(const QString& path) {
    IniFile ini;
    if (auto text = readText(path)) {
        ini = fromText(*text);
    }
    return ini;
}

IniFile IniFile::fromText(const QString& text) {
    IniFile ini;
    ini.lines_ = splitLines(text);
    ini.exists_ = true;
    return ini;
}

namespace {

// A value between a pair of the same quotes, without them.
QString unquoted(const QString& value) {
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
        value.back() == value.front()) {
        return value.mid(1, value.size() - 2);
    }
    return value;
}

}  // namespace

QString IniFile::getString(const QString& section, const QString& key, const QString& defaultValue,
                           int readSize) const {
    const QString wantSection = trimBlanks(section);
    const QString wantKey = trimBlanks(key);
    bool inSection = false;
    bool sectionSeen = false;
    for (const QString& raw : lines_) {
        QString line = trimBlanks(raw);
        if (line.startsWith(u'[')) {
            if (sectionSeen && inSection) break;  // the first matching section wins
            qsizetype close = line.indexOf(u']');
            QString name = trimBlanks(close < 0 ? line.mid(1) : line.mid(1, close - 1));
            inSection = name.compare(wantSection, Qt::CaseInsensitive) == 0;
            if (inSection) sectionSeen = true;
            continue;
        }
        if (!inSection || line.isEmpty() || line.startsWith(u';')) continue;
        qsizetype eq = line.indexOf(u'=');
        if (eq < 0) continue;
        if (trimBlanks(line.left(eq)).compare(wantKey, Qt::CaseInsensitive) != 0) continue;
        return cut(unquoted(trimBlanks(line.mid(eq + 1))), readSize);
    }
    // The profile-string call drops the default's trailing blanks and, like a value's, the
    // quotes around it.
    QString d = defaultValue;
    while (!d.isEmpty() && (d.back() == u' ' || d.back() == u'\t')) d.chop(1);
    return cut(unquoted(d), readSize);
}

QString getPrivateProfileString(const QString& section, const QString& key,
                                const QString& defaultValue, int readSize, const QString& path) {
    return IniFile::load(path).getString(section, key, defaultValue, readSize);
}

}  // namespace tav::platform

#include "text.h"

#include <cmath>

#include "runtime_error.h"

namespace tav::text {

QString LTrim(const QString& s) {
    qsizetype i = 0;
    while (i < s.size() && s[i] == u' ') ++i;
    return s.mid(i);
}

QString RTrim(const QString& s) {
    qsizetype n = s.size();
    while (n > 0 && s[n - 1] == u' ') --n;
    return s.left(n);
}

QStringView TrimView(QStringView s) {
    qsizetype begin = 0;
    qsizetype end = s.size();
    while (end > 0 && s[end - 1] == u' ') --end;
    while (begin < end && s[begin] == u' ') ++begin;
    return s.mid(begin, end - begin);
}

QString Trim(const QString& s) {
    const QStringView trimmed = TrimView(s);
    return trimmed.size() == s.size() ? s : trimmed.toString();
}

QString Left(const QString& s, int n) {
    return n <= 0 ? QString() : s.left(n);
}

QString Right(const QString& s, int n) {
    return n <= 0 ? QString() : s.right(n);
}

QString Mid(const QString& s, int start, int n) {
    if (start < 1) start = 1;
    if (start > s.size()) return {};
    return n < 0 ? s.mid(start - 1) : s.mid(start - 1, n);
}

QString FixedWidth(const QString& s, int width) {
    if (width <= 0) return {};
    if (s.size() >= width) return s.left(width);
    return s + QString(width - s.size(), u' ');
}

namespace {

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t';
}
bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// Parses the numeric grammar; returns the normalised ASCII form ("-1.5e3") when it matches.
std::optional<std::string> normalise(const QString& s) {
    qsizetype i = 0, n = s.size();
    while (i < n && isBlank(s[i])) ++i;
    while (n > i && isBlank(s[n - 1])) --n;
    if (i >= n) return std::nullopt;
    std::string out;
    if (s[i] == u'+' || s[i] == u'-') {
        if (s[i] == u'-') out += '-';
        ++i;
    }
    bool digits = false;
    while (i < n && isDigit(s[i])) out += char(s[i++].unicode()), digits = true;
    if (i < n && s[i] == u'.') {
        out += '.';
        ++i;
        while (i < n && isDigit(s[i])) out += char(s[i++].unicode()), digits = true;
    }
    if (!digits) return std::nullopt;
    if (i < n && (s[i] == u'e' || s[i] == u'E' || s[i] == u'd' || s[i] == u'D')) {
        out += 'e';
        ++i;
        if (i < n && (s[i] == u'+' || s[i] == u'-')) out += char(s[i++].unicode());
        bool expDigits = false;
        while (i < n && isDigit(s[i])) out += char(s[i++].unicode()), expDigits = true;
        if (!expDigits) return std::nullopt;
    }
    if (i != n) return std::nullopt;
    return out;
}

double roundHalfEven(double v) {
    double r = std::nearbyint(v);  // the default rounding mode is to nearest, ties to even
    return r;
}

}  // namespace

bool IsNumeric(const QString& s) {
    auto v = ToNumber(s);
    return v.has_value();
}

std::optional<double> ToNumber(const QString& s) {
    auto norm = normalise(s);
    if (!norm) return std::nullopt;
    char* end = nullptr;
    double v = std::strtod(norm->c_str(), &end);
    if (!std::isfinite(v)) return std::nullopt;
    return v;
}

qint16 ToInt16(const QString& s) {
    auto v = ToNumber(s);
    if (!v) err::raise(err::TypeMismatch);
    double r = roundHalfEven(*v);
    if (r < -32768.0 || r > 32767.0) err::raise(err::Overflow);
    return static_cast<qint16>(r);
}

qint32 ToInt32(const QString& s) {
    auto v = ToNumber(s);
    if (!v) err::raise(err::TypeMismatch);
    double r = roundHalfEven(*v);
    if (r < -2147483648.0 || r > 2147483647.0) err::raise(err::Overflow);
    return static_cast<qint32>(r);
}

QString GetField(const QString& text, int n, const QString& separator) {
    static const QString kError = QStringLiteral("ERROR");
    if (n < 1 || separator.isEmpty()) return kError;
    if (n == 1) {
        qsizetype p = text.indexOf(separator);
        return p < 0 ? kError : text.left(p);
    }
    QString rest = text + separator;
    for (int k = 1; k < n; ++k) {
        qsizetype p = rest.indexOf(separator);
        if (p < 0) return kError;
        rest = rest.mid(p + separator.size());
    }
    qsizetype p = rest.indexOf(separator);
    return p < 0 ? kError : rest.left(p);
}

QString ZeroPad(qint64 value, int digits) {
    // Two's complement minimum has no positive counterpart; go through unsigned.
    quint64 magnitude = value < 0 ? quint64(0) - quint64(value) : quint64(value);
    QString d = QString::number(magnitude);
    if (d.size() < digits) d.prepend(QString(digits - d.size(), u'0'));
    return value < 0 ? QStringLiteral("-") + d : d;
}

}  // namespace tav::text

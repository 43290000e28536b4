#include "display_format.h"

#include <QStringList>
#include <cmath>
#include <optional>

#include "common/report_codes.h"
#include "common/system_log.h"
#include "platform/context.h"
#include "platform/runtime_error.h"
#include "platform/text.h"

namespace tav::common {

using text::IsNumeric;
using text::Left;
using text::Mid;
using text::Right;
using text::Trim;

std::vector<Era> DisplayFormatSettings::defaultEras() {
    return {{QStringLiteral("M"), 1868},
            {QStringLiteral("T"), 1912},
            {QStringLiteral("S"), 1926},
            {QStringLiteral("H"), 1989},
            {QStringLiteral("R"), 2019}};
}

DisplayFormatSettings& displayFormatSettings() {
    struct Settings {
        DisplayFormatSettings settings = [] {
            DisplayFormatSettings s;
            s.eras = DisplayFormatSettings::defaultEras();
            return s;
        }();
    };
    return context().get<Settings>().settings;
}

// ---------------------------------------------------------------------------------------------
// The pattern formatter

namespace {

// A number as decimal digits: value = 0.digits x 10^exponent; no leading zeros, empty for zero.
struct Decimal {
    bool negative = false;
    QString digits;
    qint64 exponent = 0;
    bool isZero() const { return digits.isEmpty(); }
};

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t';
}
bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// The decimal digits of a numeric text, exactly as written (no binary rounding). The grammar is
// the one of IsNumeric; the caller checks IsNumeric first so that both always agree.
Decimal parseDecimal(const QString& s) {
    Decimal d;
    qsizetype i = 0, n = s.size();
    while (i < n && isBlank(s[i])) ++i;
    while (n > i && isBlank(s[n - 1])) --n;
    if (i < n && (s[i] == u'+' || s[i] == u'-')) d.negative = s[i++] == u'-';
    QString all;
    qint64 pointAt = -1;
    while (i < n && (isDigit(s[i]) || (s[i] == u'.' && pointAt < 0))) {
        if (s[i] == u'.')
            pointAt = all.size();
        else
            all += s[i];
        ++i;
    }
    if (pointAt < 0) pointAt = all.size();
    qint64 exp10 = 0;
    if (i < n) {  // exponent: e, E, d or D with an optional sign
        ++i;
        bool negExp = false;
        if (i < n && (s[i] == u'+' || s[i] == u'-')) negExp = s[i++] == u'-';
        for (; i < n && isDigit(s[i]); ++i) {
            if (exp10 < 1000000000) exp10 = exp10 * 10 + (s[i].unicode() - u'0');
        }
        if (negExp) exp10 = -exp10;
    }
    qsizetype lead = 0;
    while (lead < all.size() && all[lead] == u'0') ++lead;
    qsizetype end = all.size();
    while (end > lead && all[end - 1] == u'0') --end;
    if (lead == end) return Decimal{d.negative, QString(), 0};
    d.digits = all.mid(lead, end - lead);
    d.exponent = pointAt - lead + exp10;
    return d;
}

// Rounds half away from zero to `places` digits after the point.
void roundTo(Decimal& d, qint64 places) {
    if (d.isZero()) return;
    const qint64 keep = d.exponent + places;
    if (keep >= d.digits.size()) return;
    if (keep < 0) {
        d.digits.clear();
        return;
    }
    const bool up = d.digits[keep] >= u'5';
    d.digits.truncate(keep);
    if (up) {
        qsizetype k = d.digits.size() - 1;
        while (k >= 0 && d.digits[k] == u'9') --k;
        if (k < 0) {  // 999 -> 1000, or nothing kept -> one unit of the last place
            d.digits = QStringLiteral("1");
            d.exponent += 1;
        } else {
            d.digits[k] = QChar(d.digits[k].unicode() + 1);
            d.digits.truncate(k + 1);
        }
    }
    while (!d.digits.isEmpty() && d.digits.back() == u'0') d.digits.chop(1);
}

enum class Tok { Zero, Hash, Point, Comma, Percent, Literal };
struct Token {
    Tok type;
    QString text;
};

bool isPatternLetter(QChar c) {
    // Letters and the string placeholders belong to the date, time, scientific and text
    // patterns, which this formatter does not render.
    const char16_t u = c.unicode();
    return (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') || u == u'@' || u == u'&' ||
           u == u'<' || u == u'>' || u == u'!';
}

// Splits the pattern into sections at ";" (outside quotes and escapes) and each section into
// tokens. Throws RuntimeError 5 for what cannot be rendered.
std::vector<std::vector<Token>> parsePattern(const QString& pattern) {
    std::vector<std::vector<Token>> sections(1);
    bool point = false;
    auto literal = [&](const QString& t) {
        auto& sec = sections.back();
        if (!sec.empty() && sec.back().type == Tok::Literal)
            sec.back().text += t;
        else
            sec.push_back({Tok::Literal, t});
    };
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        auto& sec = sections.back();
        if (c == u'\\') {
            if (i + 1 >= pattern.size()) err::raise(err::InvalidCall);
            literal(QString(pattern[++i]));
        } else if (c == u'"') {
            const qsizetype close = pattern.indexOf(u'"', i + 1);
            if (close < 0) err::raise(err::InvalidCall);
            literal(pattern.mid(i + 1, close - i - 1));
            i = close;
        } else if (c == u';') {
            if (sections.size() == 4) err::raise(err::InvalidCall);
            sections.emplace_back();
            point = false;
        } else if (c == u'0') {
            sec.push_back({Tok::Zero, {}});
        } else if (c == u'#') {
            sec.push_back({Tok::Hash, {}});
        } else if (c == u'.' && !point) {
            point = true;
            sec.push_back({Tok::Point, {}});
        } else if (c == u',') {
            sec.push_back({Tok::Comma, {}});
        } else if (c == u'%') {
            sec.push_back({Tok::Percent, {}});
        } else if (isPatternLetter(c)) {
            err::raise(err::InvalidCall);
        } else {
            literal(QString(c));
        }
    }
    return sections;
}

bool isDigitTok(const Token& t) {
    return t.type == Tok::Zero || t.type == Tok::Hash;
}

QString renderSection(const std::vector<Token>& toks, Decimal d, bool withSign) {
    const qsizetype n = static_cast<qsizetype>(toks.size());
    qsizetype pointAt = n;
    for (qsizetype i = 0; i < n; ++i) {
        if (toks[i].type == Tok::Point) {
            pointAt = i;
            break;
        }
    }
    // Integer and fraction placeholders; commas between integer digits group, commas right of
    // the last integer digit scale by a thousand, others are printed.
    qsizetype firstInt = -1, lastInt = -1;
    int intCount = 0, fracCount = 0;
    for (qsizetype i = 0; i < n; ++i) {
        if (!isDigitTok(toks[i])) continue;
        if (i < pointAt) {
            if (firstInt < 0) firstInt = i;
            lastInt = i;
            ++intCount;
        } else {
            ++fracCount;
        }
    }
    enum class CommaUse { Group, Scale, Print };
    std::vector<CommaUse> commaUse(static_cast<size_t>(n), CommaUse::Print);
    bool grouping = false;
    qint64 shift = 0;
    for (qsizetype i = 0; i < n; ++i) {
        if (toks[i].type == Tok::Percent) shift += 2;
        if (toks[i].type != Tok::Comma || i > pointAt || firstInt < 0 || i < firstInt) continue;
        if (i < lastInt) {
            commaUse[static_cast<size_t>(i)] = CommaUse::Group;
            grouping = true;
        } else {
            commaUse[static_cast<size_t>(i)] = CommaUse::Scale;
            shift -= 3;
        }
    }
    if (!d.isZero()) d.exponent += shift;
    roundTo(d, fracCount);

    // Integer digits (no leading zeros) and exactly fracCount fraction digits.
    QString intDigits;
    if (!d.isZero() && d.exponent > 0) {
        intDigits = d.digits.left(d.exponent);
        if (intDigits.size() < d.exponent)
            intDigits += QString(static_cast<qsizetype>(d.exponent) - intDigits.size(), u'0');
    }
    QString frac(fracCount, u'0');
    for (int j = 0; j < fracCount; ++j) {
        const qint64 idx = d.exponent + j;
        if (!d.isZero() && idx >= 0 && idx < d.digits.size()) frac[j] = d.digits[idx];
    }
    bool roundedZero = intDigits.isEmpty();
    for (QChar c : frac)
        if (c != u'0') roundedZero = false;

    // How many integer digits are printed, for the group separators.
    const qsizetype len = intDigits.size();
    qsizetype printed = 0;
    {
        int k = intCount - 1;
        for (qsizetype i = 0; i < pointAt; ++i) {
            if (!isDigitTok(toks[i])) continue;
            if (k < len || toks[i].type == Tok::Zero) ++printed;
            --k;
        }
        if (len > intCount) printed += len - intCount;
    }
    int lastShownFrac = -1;
    {
        int j = 0;
        for (qsizetype i = pointAt + 1; i < n; ++i) {
            if (!isDigitTok(toks[i])) continue;
            if (toks[i].type == Tok::Zero || frac[j] != u'0') lastShownFrac = j;
            ++j;
        }
        for (int k = lastShownFrac + 1; k < fracCount; ++k)
            if (frac[k] != u'0') lastShownFrac = k;
    }

    QString out;
    qsizetype remaining = printed;
    auto putIntDigit = [&](QChar c) {
        out += c;
        --remaining;
        if (grouping && remaining > 0 && remaining % 3 == 0) out += u',';
    };
    int k = intCount - 1;  // position from the right of the next integer placeholder
    int j = 0;             // index of the next fraction placeholder
    for (qsizetype i = 0; i < n; ++i) {
        const Token& t = toks[i];
        switch (t.type) {
            case Tok::Zero:
            case Tok::Hash:
                if (i < pointAt) {
                    if (k == intCount - 1 && len > intCount)
                        for (qsizetype x = 0; x < len - intCount; ++x) putIntDigit(intDigits[x]);
                    if (k < len)
                        putIntDigit(intDigits[len - 1 - k]);
                    else if (t.type == Tok::Zero)
                        putIntDigit(u'0');
                    --k;
                } else {
                    if (j <= lastShownFrac) out += frac[j];
                    ++j;
                }
                break;
            case Tok::Point:
                if (intCount == 0)
                    for (qsizetype x = 0; x < len; ++x) putIntDigit(intDigits[x]);
                out += u'.';
                break;
            case Tok::Comma:
                if (commaUse[static_cast<size_t>(i)] == CommaUse::Print) out += u',';
                break;
            case Tok::Percent:
                out += u'%';
                break;
            case Tok::Literal:
                out += t.text;
                break;
        }
    }
    if (withSign && d.negative && !roundedZero && (len > 0 || fracCount > 0)) out.prepend(u'-');
    return out;
}

}  // namespace

QString FormatPattern(const QString& value, const QString& pattern) {
    const auto sections = parsePattern(pattern);
    if (!IsNumeric(value) || pattern.isEmpty()) return value;
    const Decimal d = parseDecimal(value);
    const auto& positive = sections[0];
    if (d.isZero() && sections.size() >= 3 && !sections[2].empty())
        return renderSection(sections[2], d, false);
    if (d.negative && !d.isZero() && sections.size() >= 2 && !sections[1].empty()) {
        Decimal abs = d;
        abs.negative = false;
        return renderSection(sections[1], abs, false);
    }
    return renderSection(positive, d, true);
}

// ---------------------------------------------------------------------------------------------
// Format IDs

namespace {

FormatItemAttributes attributesOf(int itemNumber) {
    const auto& lookup = displayFormatSettings().itemAttributes;
    if (itemNumber < 0 || !lookup) return {};
    return lookup(itemNumber);
}

QString zeroFill(const QString& v, int n) {
    return Right(QString(n, u'0') + v, n);
}

bool numeric(const QString& v) {
    return IsNumeric(v);
}

bool isZero(const QString& v) {
    auto x = text::ToNumber(v);
    return x && *x == 0.0;
}

qint64 idNumber(const QString& id) {
    auto x = text::ToNumber(id);
    if (!x || std::fabs(*x) > 1e9) return 0;
    return static_cast<qint64>(std::trunc(*x));
}

QString decimalPart(const FormatItemAttributes& a) {
    return a.decimals > 0 ? QStringLiteral(".") + QString(a.decimals, u'0') : QString();
}

QString formatOrKeep(const QString& v, const QString& pattern) {
    try {
        return FormatPattern(v, pattern);
    } catch (const RuntimeError&) {
        return v;  // the fixed patterns always parse
    }
}

void reportMissingId(const QString& place, const QString& id) {
    SystemLogReport(place, common::code::BadFormat, 3, idNumber(id),
                    QStringLiteral("フォーマットID がありません｡(") + id + u')');
}

// The era letter in upper case (one character, whatever the letter).
QString upperFirst(const QString& v) {
    return v.isEmpty() ? v : QString(v[0].toUpper());
}

}  // namespace

QString FormatById(const QString& formatId, const QString& value, int itemNumber) {
    return FormatWithAttributes(formatId, value, attributesOf(itemNumber));
}

QString FormatWithAttributes(const QString& id, const QString& v, const FormatItemAttributes& a) {
    const QString dec = decimalPart(a);
    if (id == u"00") return v;
    if (id == u"10") {
        int n = a.maxLength;
        if (a.decimals > 0) n = n - 1 - a.decimals;
        const QString type = a.inputType;
        if (type.size() >= 1 && type[0] == u'9' && (type.size() < 2 || type[1] != u'9')) n -= 1;
        return formatOrKeep(v, QString(qMax(n, 0), u'0') + dec);
    }
    if (id == u"11") return formatOrKeep(v, QStringLiteral("0") + dec);
    if (id == u"12") return formatOrKeep(v, QStringLiteral("#,##0") + dec);
    if (id == u"14" || id == u"15" || id == u"34") {
        if (!numeric(v)) return v;
        if (isZero(v)) return QString();
        if (id == u"14") return formatOrKeep(v, QStringLiteral("0") + dec);
        if (id == u"15") return formatOrKeep(v, QStringLiteral("#,##0") + dec);
        return formatOrKeep(v, QStringLiteral("\\\\#,##0") + dec);
    }
    if (id == u"23") return formatOrKeep(v, QStringLiteral("###") + dec);
    if (id == u"31") return formatOrKeep(v, QStringLiteral("\\\\#,##0") + dec);
    if (id == u"52") {
        if (v.size() != 8) return v;
        return Mid(v, 1, 4) + u'/' + Mid(v, 5, 2) + u'/' + Mid(v, 7, 2);
    }
    if (id == u"53" || id == u"66") {
        if (!numeric(v)) return v;
        const QString z = zeroFill(v, 8);
        return Mid(z, 3, 2) + u'/' + Mid(z, 5, 2) + u'/' + Mid(z, 7, 2);
    }
    if (id == u"54") {
        if (v.size() != 6) return v;
        return Mid(v, 1, 4) + u'/' + Mid(v, 5, 2);
    }
    if (id == u"55" || id == u"59" || id == u"62" || id == u"63" || id == u"64") {
        if (!numeric(v)) return v;
        const QString z = zeroFill(v, 4);
        return Mid(z, 1, 2) + u'/' + Mid(z, 3, 2);
    }
    if (id == u"56") {
        if (!numeric(v)) return v;
        const QString z = zeroFill(v, 6);
        return Mid(z, 1, 2) + u':' + Mid(z, 3, 2) + u':' + Mid(z, 5, 2);
    }
    if (id == u"57" || id == u"58") {
        if (!numeric(v)) return v;
        const QString z = zeroFill(v, 4);
        return Mid(z, 1, 2) + u':' + Mid(z, 3, 2);
    }
    if (id == u"60") {
        if (!numeric(Mid(v, 2, 6))) return v;
        // The era digits are zero-filled on their own, so "H50315" reads as H.05.03.15.
        const QString z = upperFirst(v) + zeroFill(Mid(v, 2), 6);
        return Mid(z, 1, 1) + u'.' + Mid(z, 2, 2) + u'.' + Mid(z, 4, 2) + u'.' + Mid(z, 6, 2);
    }
    if (id == u"61") {
        if (!numeric(v)) return v;
        const QString z = zeroFill(v, 8);
        return Mid(z, 3, 2) + u'/' + Mid(z, 5, 4);
    }
    if (id == u"65") {
        if (!numeric(v)) return v;
        const QString z = zeroFill(v, 8);
        return Mid(z, 1, 2) + u'/' + Mid(z, 3, 2) + u'/' + Mid(z, 5, 4);
    }
    if (id.size() == 2 && id[0] == u'8' && isDigit(id[1])) {
        const QString pattern = Trim(displayFormatSettings().userFormats[id[1].unicode() - u'0']);
        if (pattern.isEmpty()) {
            SystemLogReport(QStringLiteral("C8100"), common::code::BadFormat, 3, idNumber(id),
                            QStringLiteral("フォーマット内容 がありません｡(") + id + u')');
            return v;
        }
        try {
            return FormatPattern(v, pattern);
        } catch (const RuntimeError& e) {
            SystemLogReport(
                QStringLiteral("C8100"), common::code::BadFormat, 1, idNumber(id),
                QStringLiteral("ユーザ定義フォーマット文字列を使用したフォーマット関数にてエラーが"
                               "発生しました。\r\n") +
                    id + QStringLiteral("  ") + pattern + QStringLiteral("\r\n入力値：") + v +
                    QStringLiteral("\r\n") + QString::number(e.number()) + u' ' + e.description() +
                    u'(' + id + u')');
            return v;
        }
    }
    reportMissingId(QStringLiteral("C8100"), id);
    return v;
}

QString UnformatById(const QString& id, const QString& t) {
    static const QStringList unchanged = {
        QStringLiteral("00"), QStringLiteral("10"), QStringLiteral("11"), QStringLiteral("12"),
        QStringLiteral("14"), QStringLiteral("15"), QStringLiteral("23"), QStringLiteral("31"),
        QStringLiteral("34"), QStringLiteral("52"), QStringLiteral("54")};
    static const QStringList six = {QStringLiteral("53"), QStringLiteral("56"),
                                    QStringLiteral("61"), QStringLiteral("63"),
                                    QStringLiteral("66")};
    static const QStringList four = {QStringLiteral("55"), QStringLiteral("57"),
                                     QStringLiteral("58"), QStringLiteral("59"),
                                     QStringLiteral("62"), QStringLiteral("64")};
    if (unchanged.contains(id)) return t;
    if (six.contains(id)) return numeric(t) ? zeroFill(t, 6) : t;
    if (four.contains(id)) return numeric(t) ? zeroFill(t, 4) : t;
    if (id == u"65") return numeric(t) ? zeroFill(t, 8) : t;
    if (id == u"60") {
        if (!numeric(Mid(t, 2, 6))) return t;
        return upperFirst(t) + zeroFill(Mid(t, 2, 6), 6);
    }
    if (id.size() == 2 && id[0] == u'8' && isDigit(id[1])) return t;
    reportMissingId(QStringLiteral("C8101"), id);
    return t;
}

QString ToEraDate(const QString& v) {
    if (v.isEmpty() || v == u"00000000" || !numeric(v)) return QString();
    const auto& eras = displayFormatSettings().eras;
    if (eras.empty()) return v;  // nothing to convert with: keep the western date
    const auto yearValue = text::ToNumber(Left(v, 4));
    qint64 y = 0;
    if (yearValue && std::fabs(*yearValue) < 1e9) y = static_cast<qint64>(std::floor(*yearValue));
    // The latest era whose start is not after the year; before the first era, the first era's
    // first year.
    const Era* era = nullptr;
    for (auto it = eras.rbegin(); it != eras.rend(); ++it) {
        if (it->startYear <= y) {
            era = &*it;
            break;
        }
    }
    if (!era) {
        era = &eras.front();
        y = era->startYear;
    }
    const qint64 eraYear = y - era->startYear + 1;
    return era->letter + Right(QStringLiteral("00") + QString::number(eraYear), 2) + Mid(v, 5, 4);
}

}  // namespace tav::common

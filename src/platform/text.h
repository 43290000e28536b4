#pragma once
// The text routines the system's business code is written in terms of. Positions count UTF-16
// units, so a Japanese character is one position, and so are the lengths of the menu file's fields.
#include <QString>
#include <optional>

namespace tav::text {

// Removes leading and trailing " " only: never U+3000, never tabs.
QString Trim(const QString& s);
// The text without the half-width blanks at either end, as a view of it.
QStringView TrimView(QStringView s);
QString LTrim(const QString& s);
QString RTrim(const QString& s);

// Character-based parts; out-of-range requests give what exists (never fail).
QString Left(const QString& s, int n);
QString Right(const QString& s, int n);
// 1-based start; n < 0 means to the end.
QString Mid(const QString& s, int start, int n = -1);

// Blank-padded and cut to exactly `width` characters, left-aligned (fixed-length text field).
QString FixedWidth(const QString& s, int width);

// A number in text: blanks around it, an optional sign, digits with an optional decimal point,
// an optional exponent ("E" or "D", with its own sign). "1.0" and " 1 " are numbers; "", "abc",
// "1,0" and "." are not.
bool IsNumeric(const QString& s);
// The value of a numeric text; nullopt when it is not numeric.
std::optional<double> ToNumber(const QString& s);
// The value as a 16-bit integer as the business code converts it: rounded half to even;
// RuntimeError 13 when not numeric, 6 when outside -32768..32767.
qint16 ToInt16(const QString& s);
// Same for 32-bit integers.
qint32 ToInt32(const QString& s);

// The n-th field of a text split by a separator (one blank when omitted); "ERROR" when the
// field does not exist. Field 1 needs a separator behind it; fields 2 and on do not.
QString GetField(const QString& text, int n, const QString& separator = QStringLiteral(" "));

// Zero-filled to at least `digits` digits; a negative number keeps its sign: -1, 8 -> "-00000001".
QString ZeroPad(qint64 value, int digits);

}  // namespace tav::text

#pragma once
// Display formats by format ID: a stored (raw) value becomes the text a screen shows, and a typed
// text becomes the value that is stored. Also the number pattern formatter behind them and the
// conversion of a western date to the seven-character era form.
#include <QString>
#include <array>
#include <functional>
#include <vector>

namespace tav::common {

// What a format needs to know of the item it formats.
struct FormatItemAttributes {
    int maxLength = 0;  // characters the item may hold
    int decimals = 0;   // digits after the decimal point
    QString inputType;  // two characters ("9 ", "99", "X ", ...)
};

struct Era {
    QString letter;     // one character ("H")
    int startYear = 0;  // western year in which the era starts
};

// Settings shared by every screen: the ten user-defined pattern texts of IDs "80" to "89", the
// era table (ordered by start year) and the look-up of an item's attributes by item number.
struct DisplayFormatSettings {
    std::array<QString, 10> userFormats;
    std::vector<Era> eras;
    // Installed by the form helper; without it (or for an unknown item) every attribute is zero.
    std::function<FormatItemAttributes(int itemNumber)> itemAttributes;

    static std::vector<Era> defaultEras();  // M 1868, T 1912, S 1926, H 1989, R 2019
};
DisplayFormatSettings& displayFormatSettings();

// The number pattern formatter: "0" digit with zero fill, "#" optional digit, "," grouping (or,
// right of the last digit, scaling by a thousand), "." decimal point, "%" percent, "\x" and "..."
// literals, any other non-letter printed as it stands; up to four sections separated by ";"
// (positive; negative; zero; the fourth is not used by numbers). Rounds half away from zero on the
// decimal digits of the value; a negative value shown by the positive section gets a "-" in
// front. A value that is not a number is returned unchanged. Throws RuntimeError 5 for a pattern
// it cannot render (letters of date or scientific patterns, an unfinished quote or escape).
QString FormatPattern(const QString& value, const QString& pattern);

// Raw value to display text by format ID; item number selects the attributes for "10" to "34".
QString FormatById(const QString& formatId, const QString& value, int itemNumber = -1);
// Same with the attributes given directly.
QString FormatWithAttributes(const QString& formatId, const QString& value,
                             const FormatItemAttributes& item);
// Typed text to the raw value that is stored.
QString UnformatById(const QString& formatId, const QString& text);
// "YYYYMMDD" to era letter + two-digit era year + "MMDD"; empty for "00000000", empty or
// non-numeric values.
QString ToEraDate(const QString& value);

}  // namespace tav::common

#pragma once
// The menu definition file: fixed columns on the first 200 characters of each line, "@" entry
// records and "$" header records, read once at start-up into the menu table.
#include <QString>
#include <QStringList>

namespace tav::menu {

struct MenuEntry;

constexpr int kMenuLineWidth = 200;

// The first 200 characters of a line, padded with blanks to 200.
QString MenuLine(const QString& line);

// A number column (two characters): blank gives 0, else the integer part (rounded down) of the
// decimal number. RuntimeError 13 when the column is not numeric.
qint16 MenuNumberColumn(const QString& line200, int position);

// The comma-separated fields of a text part, each trimmed of blanks; a missing field is empty.
// Without any comma, field 1 of an entry record is the text up to its first blank.
QStringList MenuTextFields(const QString& textPart, bool entryRecord);

// Stores an entry record ("@" line, already cut to 200) into the entry. RuntimeError 13 when a
// number column is not numeric.
void ParseEntryRecord(const QString& line200, MenuEntry& entry);

// Reads the menu file named by MenuFileName into the menu table and sets the caption texts.
// Ends the program on the failures of the menu file.
void M0100_LMN000_IN();

// The reading of decoded lines (steps 4 and 5 of the reading), for the reader above and for
// tests of the line handling. Returns false when the record limit stopped the reading.
bool ReadMenuLines(const QStringList& lines);

}  // namespace tav::menu

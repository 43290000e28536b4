#pragma once
// The password file "TAV_MENU1.PWD": the login switch and the one shared password of the menu,
// written as comma-delimited fields.
#include <QString>
#include <QStringList>

namespace tav::menu {

// The file's name, opened as it is (in the process's working folder).
inline const QString kPasswordFileName = QStringLiteral("TAV_MENU1.PWD");

// The first `count` fields of the text, read as comma-delimited fields: leading blanks
// are skipped; a field that begins with a double quote runs to the next double quote and is
// taken verbatim between them (whatever follows up to the next comma or line end is dropped);
// any other field runs to the next comma or line end, without its trailing blanks. A comma or
// a line end (CR LF or LF) ends a field. Fewer fields than asked for is run-time error 62.
QStringList ReadDelimitedFields(const QString& text, int count);

struct PasswordFile {
    QString loginSwitch;  // field 1, as written
    QString password;     // field 2
};

// Reads the first two fields of the file. Run-time error 53 when it does not exist, 75 when it
// cannot be read, 62 when it holds fewer than two fields.
PasswordFile ReadPasswordFile(const QString& path);

// Whether field 1 switches the login on: blanks removed, compared as a number with 1 (so " 1"
// and "1.0" do). A field that is no number is run-time error 13.
bool LoginSwitchIsOn(const QString& field1);

// Error 62, reading past the end of the file.
constexpr int kInputPastEndOfFile = 62;

}  // namespace tav::menu

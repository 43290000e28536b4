#pragma once
// The message codes the framework's routines write into the system log (the data access
// layer's own codes are in dataaccess/report_codes.h).
#include <QString>

namespace tav::common::code {

// A program or document that could not be started; in the form helper, a control of a kind it
// does not serve.
inline const QString NotStarted = QStringLiteral("H004");
inline const QString UnsupportedControl = NotStarted;
// A control index or an item number that names nothing.
inline const QString NoSuchItem = QStringLiteral("H005");
// Code look-up: forbidden characters in the search text, no name item, a token that could not
// be replaced, a failed or overlong read, a bad condition attribute.
inline const QString ForbiddenSearchText = QStringLiteral("H601");
inline const QString NoNameItem = QStringLiteral("H602");
inline const QString LookupFailed = QStringLiteral("H603");
inline const QString LookupOverflow = QStringLiteral("H604");
inline const QString BadConditionAttribute = QStringLiteral("H606");
// A display format that is missing or does not apply.
inline const QString BadFormat = QStringLiteral("H811");
// The last line of the log.
inline const QString EndOfLog = QStringLiteral("K020");

}  // namespace tav::common::code

#pragma once
// What the operations of LSQLIO00 share: failures on their way to the error report, and the
// trace line.
#include <QString>
#include <vector>

#include "dataaccess/lsqlio00_state.h"
#include "dataaccess/odbc.h"

namespace tav::dataaccess::detail {

// Run-time error numbers of the layer.
constexpr qint32 kOutOfRange = 9;          // a DB or cursor number outside its table
constexpr qint32 kObjectNotSet = 91;       // no open database or record set
constexpr qint32 kOutOfMemory = 7;         // a result too large to keep
constexpr qint32 kFileNotFound = 53;       // the database file does not exist
constexpr qint32 kNoCurrentRecord = 3021;  // a column read with no current row
constexpr qint32 kOdbcCallFailed =
    3146;                               // a call the driver failed (diagnostics in the collection)
constexpr qint32 kItemNotFound = 3265;  // no column of that name or position

QString errorText(qint32 number);

// A failure on its way to the report: the run-time error number and text, and what the engine's
// error collection holds for it.
struct Failure {
    qint32 number = 0;
    QString message;
    std::vector<EngineError> errors;
};

Failure runtimeFailure(qint32 number, const QString& extra = {});
Failure odbcFailure(const odbc::OdbcError& e);

// Sets the last error message and the error collection from the failure and reports it.
[[noreturn]] void fail(const QString& op, const QString& code, const Failure& failure);
// The same for the failure being handled (a Failure or an engine error); called from a catch
// at an operation's boundary. Anything else goes on to the caller.
[[noreturn]] void failWithCurrent(const QString& op, const QString& code);
// A refusal: the text goes to the last error message, the report gets number 0.
[[noreturn]] void refuse(const QString& op, const QString& code, const QString& text);

QString l101Text(const QString& kind);
QString l102Text(const QString& kind);
QString l103Text(int db);

void trace(const QString& op, const QString& code, const QString& text);

}  // namespace tav::dataaccess::detail

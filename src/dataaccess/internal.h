#pragma once
// What the operations of LSQLIO00 share: failures on their way to the error report, and the
// trace line.
#include <QString>
#include <vector>

#include "dataaccess/lsqlio00_state.h"
#include "dataaccess/odbc.h"
#include "platform/runtime_error.h"

namespace tav::dataaccess::detail {

// Run-time error numbers the layer raises (their texts are in the system's one table).
constexpr qint32 kOutOfRange = err::OutOfRange;
constexpr qint32 kObjectNotSet = err::ObjectNotSet;
constexpr qint32 kOutOfMemory = err::OutOfMemory;
constexpr qint32 kFileNotFound = err::FileNotFound;
constexpr qint32 kNoCurrentRecord = err::NoCurrentRecord;
constexpr qint32 kOdbcCallFailed = err::OdbcCallFailed;
constexpr qint32 kItemNotFound = err::ItemNotFound;

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

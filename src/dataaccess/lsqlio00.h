#pragma once
// LSQLIO00: the one way the programs reach their databases. Databases are addressed by DB
// number (0 to 20), query results by cursor number (0 to 60). Results are variants: true on
// success, 101 when a declare finds no rows, 201 when a fetch passes the last row. A failure
// never returns: it is written to the system log by the SQL error report and ends the program.
#include <QString>
#include <QVariant>

namespace tav::dataaccess {

constexpr int kNoData = 101;       // Q0300_DECLARE found no rows
constexpr int kEndOfCursor = 201;  // Q0500_FETCH moved past the last row
constexpr int kDbCount = 21;       // DB numbers 0 to 20
constexpr int kCursorCount = 61;   // cursor numbers 0 to 60

// True for the success result (a bool true, or the integer -1 the callers compare with).
bool isTrue(const QVariant& v);

// Connects DB number `db` as FEND_RUN.INI describes it; a non-empty logon or password replaces
// the one of the settings file for this connection.
QVariant Q0100_CONNECT(qint16 db, const QString& logon = {}, const QString& password = {});
// Starts opening a DB number's database file on a thread of its own, so that a program that
// connects once its window is built finds the driver loaded and the file open: the first
// Q0100_CONNECT of that DB number takes the connection if its settings still lead to that file.
// Only for a database file; a data source is left alone, as trying it would open a server
// connection. Nothing is reported here: a file that does not open is opened again by
// Q0100_CONNECT, which reports the failure.
void OpenAhead(qint16 db);
QVariant Q0200_DISCON(qint16 db);

// Runs a SELECT of the office dialect on DB number `db` into cursor `cursor`; the first row is
// current. `option` shows in the trace only; `kind` 2 asks for an updatable record set.
QVariant Q0300_DECLARE(qint16 db, qint16 cursor, const QString& sql, qint16 option = 0,
                       const QVariant& kind = {});
QVariant Q0500_FETCH(qint16 cursor);
QVariant Q0600_DS_CLOSE(qint16 cursor);
// Tells that the next Q0300_DECLARE into `cursor` will be read for `rows` rows at most (a
// look-up that shows a limited list): its blocks stop there instead of reading past them.
// Moving on beyond them still reads the rest, block by block.
void ExpectRows(qint16 cursor, qsizetype rows);

// The column of the current row: Null (an invalid QVariant) for SQL NULL, an int or qlonglong
// for integer columns, a double for other numeric ones, a QString for text.
QVariant Q0700_GET(qint16 cursor, const QString& name);
QVariant Q0700_SGET(qint16 cursor, const QString& name);  // Null becomes ""
// Q0700_SGET's value as text (a number as QVariant::toString writes it), traced and checked as
// Q0700_SGET: a look-up reads hundreds of values at a time, and the text comes without a variant.
QString getText(qint16 cursor, const QString& name);
QVariant Q0700_NGET(qint16 cursor, const QString& name);  // Null becomes 0
QVariant Q0700_DGET(qint16 cursor, const QString& name);  // Null becomes "00000000"
// By position, 1 being the first column.
QVariant Q0710_GET(qint16 cursor, qint16 position);

// The SQL error report: writes what the engine said (or the last error message), the SQL text
// of a failed declare when the trace is off, and the closing kind-5 line, which ends the program.
[[noreturn]] void SqlErrorReport(const QString& op, const QString& code, qint32 number);
// Writes the "LA30" line when the SQL text holds a NUL character.
void SqlNullCheck(const QString& sql, const QString& op);

}  // namespace tav::dataaccess

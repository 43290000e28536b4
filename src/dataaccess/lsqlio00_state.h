#pragma once
// The process-wide tables of LSQLIO00: settings, connection rows, cursor rows and the strings of
// the error report. Programs use the Q operations only; this header lets the tests (and the
// benchmark) look at the tables and start each case from a fresh process state.
#include <QString>
#include <QVariant>
#include <future>
#include <memory>
#include <optional>
#include <vector>

#include "dataaccess/dialect.h"
#include "dataaccess/lsqlio00.h"
#include "dataaccess/odbc.h"

namespace tav::dataaccess {

extern const QString kOdbcDao;       // "ODBC_DAO"
extern const QString kOdbcDaoRdasv;  // "ODBC_DAO_RDASV"
constexpr int kQueryTimeoutSeconds = 500;
constexpr int kFlagCount = kDbCount;  // one connected flag per DB number, 20 included
// Rows a cursor reads from the driver at a time: the first block, and the most any block holds.
constexpr unsigned kFirstBlockRows = 32;
constexpr unsigned kRowsPerBlock = 256;
// Rows PostgreSQL's driver fetches from the server at a time (a round trip each).
constexpr unsigned kServerFetchRows = 1024;

bool isServedKind(const QString& kind);

// The six settings of a DB number.
struct DbSettings {
    QString dataSource, path, logonId, password, accessKind, defaultSchema;
};

// A workspace of the engine: a named session that holds the databases opened in it. ODBC has no
// such object; the row keeps its name and account so that its lifetime can be followed.
struct Workspace {
    QString name;
    QString user;
    QString password;
};

// An open database: the ODBC connection and what the layer knows of its backend.
struct Database {
    std::unique_ptr<odbc::Connection> connection;
    Backend backend = Backend::Other;
    int queryTimeout = 0;
};

struct ConnectionRow {
    DbSettings read;       // as read from FEND_RUN.INI
    bool loaded = false;   // read once per process
    DbSettings effective;  // as used by the current connection
    std::optional<Workspace> workspace;
    std::unique_ptr<Database> database;
    QString connectString;
};

// The rows of a result not read yet: the statement they come from, read a block at a time as
// the cursor moves, so a look-up that shows 200 rows of a million reads about 200.
struct PendingRows {
    std::unique_ptr<odbc::Statement> statement;
    std::vector<odbc::ColumnInfo> columns;    // as read: SQLite's numeric columns as text
    std::vector<odbc::ColumnClass> declared;  // SQLite: the declared kinds each value settles by
    bool blocks = false;                      // through bound buffers, a block at a time
    unsigned blocksRead = 0;                  // each block is twice the one before
    size_t expectedRows = 0;                  // the rows the caller said it reads (0: unknown)
    QString text;                             // the statement as run, for a run value by value
    Database* database = nullptr;             // the database it runs on
};

// A statement's result as far as it was read. Values are kept compact (numbers in place, text as
// the driver delivered it in one buffer) and become variants when a column is read.
struct Cell {
    enum Kind : quint8 { Null, Integer, Number, Text, Other };
    struct TextRef {
        quint32 offset;
        quint32 length;  // bytes
    };
    Kind kind = Null;
    union {
        qint64 integer;
        double number;
        TextRef text;
        quint32 other;  // index into RecordSet::others
    };
    Cell() : integer(0) {}
};

struct RecordSet {
    std::vector<QString> names;
    std::vector<Cell> cells;       // row after row, from row `first` on
    QByteArray textBytes;          // the text of every Text cell, UTF-8 or UTF-16
    bool wideText = false;         // textBytes holds UTF-16
    std::vector<QVariant> others;  // dates, times, binary
    size_t columns = 0;
    size_t rows = 0;     // rows read so far
    size_t first = 0;    // the first row still held: the cursor only moves on, so the rows it
                         // has passed are let go when the next block is read
    size_t current = 0;  // rows when past the last row
    std::unique_ptr<PendingRows> pending;  // null once every row has been read
    bool updatable = false;
    int db = -1;  // the DB number whose connection ran the statement

    QVariant value(size_t row, size_t column) const;
    // The value as text: a Text cell's text as it is, Null empty, any other as its variant's.
    QString text(size_t row, size_t column) const;
    // The zero-based index of a column; exact name first, then without regard to case.
    int indexOf(const QString& name) const;

  private:
    int findColumn(const QString& name) const;
    struct NameHit {
        QString name;
        int index;
    };
    mutable std::vector<NameHit> nameHits;
};

// Whether the result has a row at this index, reading blocks of the statement as needed.
bool hasRow(RecordSet& recordSet, size_t index);
// Reads every row not read yet: before the database it comes from goes away.
void readRemainingRows(RecordSet& recordSet);

// Releases a record set, keeping its buffers for the next declare (a result read once is
// likely to be read again at the same size).
void releaseRecordSet(std::unique_ptr<RecordSet>& recordSet);
// A record set with the kept buffers, emptied.
std::unique_ptr<RecordSet> newRecordSet();

struct CursorRow {
    std::unique_ptr<RecordSet> recordSet;
    QString accessKind;
    qint16 db = 0;
    size_t expectedRows = 0;  // for the next declare (ExpectRows)
};

// One entry of the engine's error collection.
struct EngineError {
    qint32 number = 0;
    QString description;
    QString source;
};

struct DataAccessState {
    ConnectionRow connections[kDbCount];
    CursorRow cursors[kCursorCount];
    bool trace = false;
    QString rawDebug;  // "1" or "0"; empty until the first Q0100_CONNECT
    bool perDbWorkspaces = false;
    bool sharedWorkspaceCreated = false;
    QString connectedFlags = QString(kFlagCount, u'0');
    qint16 connectionCount = 0;
    QString currentAccessKind;
    QString lastErrorMessage;
    QString lastSqlText;
    QString detail;
    std::vector<EngineError> errors;  // the engine's error collection of the last failure
    std::vector<Cell> spareCells;     // buffers of the last record set released
    QByteArray spareText;
    // OpenAhead's database file, opened on a thread of its own for the first Q0100_CONNECT.
    qint16 aheadDb = -1;
    std::future<std::unique_ptr<Database>> ahead;
};

// The data access layer's state in the program's context.
DataAccessState& dataAccessState();
// Closes every record set and connection and forgets everything read: a fresh process state.
void resetDataAccess();

// The path of the settings file: the program folder followed by "/FEND_RUN.INI".
QString settingsFilePath();
// One setting as the layer reads it: trailing NUL and blank characters cut, then trimmed.
QString cleanSetting(const QString& raw);

}  // namespace tav::dataaccess

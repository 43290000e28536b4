#pragma once
// The process-wide tables of LSQLIO00: settings, connection rows, cursor rows and the strings of
// the error report. Programs use the Q operations only; this header lets the tests (and the
// benchmark) look at the tables and start each case from a fresh process state.
#include <QString>
#include <QVariant>
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

// A snapshot of a statement's result: every row read at the declare.
struct RecordSet {
    std::vector<QString> names;
    std::vector<QVariant> values;  // row after row
    size_t columns = 0;
    size_t rows = 0;
    size_t current = 0;  // rows when past the last row
    bool updatable = false;
    int db = -1;  // the DB number whose connection ran the statement

    const QVariant& at(size_t row, size_t column) const { return values[row * columns + column]; }
    // The zero-based index of a column; exact name first, then without regard to case.
    int indexOf(const QString& name) const;
};

struct CursorRow {
    std::unique_ptr<RecordSet> recordSet;
    QString accessKind;
    qint16 db = 0;
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
};

DataAccessState& dataAccessState();
// Closes every record set and connection and forgets everything read: a fresh process state.
void resetDataAccess();

// The path of the settings file: the program folder followed by "/FEND_RUN.INI".
QString settingsFilePath();
// One setting as the layer reads it: trailing NUL and blank characters cut, then trimmed.
QString cleanSetting(const QString& raw);

}  // namespace tav::dataaccess

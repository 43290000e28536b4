// Q0100_CONNECT and Q0200_DISCON: settings of FEND_RUN.INI, the connection table, workspaces.
#include <QFileInfo>

#include "dataaccess/internal.h"
#include "dataaccess/report_codes.h"
#include "platform/inifile.h"

namespace tav::dataaccess {

using namespace detail;

namespace {

QString readSetting(const platform::IniFile& ini, const QString& section, const QString& key,
                    const QString& defaultValue, int readSize) {
    return cleanSetting(ini.getString(section, key, defaultValue, readSize));
}

void loadSettings(int db, DbSettings& out) {
    const platform::IniFile ini = platform::IniFile::load(settingsFilePath());
    const QString n = QString::number(db);
    out.accessKind = readSetting(ini, QStringLiteral("DAI"), QStringLiteral("Z_DAI") + n, {}, 30);
    out.dataSource = readSetting(ini, QStringLiteral("DSRC"), QStringLiteral("Z_DSRC") + n, {}, 30);
    out.path = readSetting(ini, QStringLiteral("DBPATH"), QStringLiteral("Z_PATH") + n, {}, 100);
    out.logonId =
        readSetting(ini, QStringLiteral("LOGONID"), QStringLiteral("Z_LOGON") + n, {}, 30);
    out.password =
        readSetting(ini, QStringLiteral("PASSWORD"), QStringLiteral("Z_PSWD") + n, {}, 30);
    out.defaultSchema = readSetting(ini, QStringLiteral("DEFAULT_SCM"),
                                    QStringLiteral("Z_DEFAULT_SCM") + n, {}, 30);
}

// The password as the trace shows it: never in clear.
QString maskedPassword(const QString& password) {
    return password.isEmpty() ? QString() : QStringLiteral("********");
}

// Opens the database file at the path with the SQLite3 driver; the file must exist already
// (the driver would otherwise create an empty one) and must be a database.
std::unique_ptr<Database> openFile(const QString& path) {
    QFileInfo info(path);
    if (!info.exists() || !info.isFile()) throw runtimeFailure(kFileNotFound, u' ' + path);
    auto db = std::make_unique<Database>();
    db->connection = std::make_unique<odbc::Connection>(QStringLiteral("SQLite3"));
    // StepAPI: the driver steps through a result as it is fetched instead of loading it whole
    // at the execute, so a cursor reads only the rows it is moved over.
    db->connection->connect(QStringLiteral("DRIVER=SQLite3;Database=") + odbc::connectValue(path) +
                            QStringLiteral(";NoCreat=1;StepAPI=1;"));
    // The driver opens lazily: a read of the catalogue proves the file is a database.
    odbc::Statement probe(*db->connection);
    probe.execDirect(QStringLiteral("SELECT count(*) FROM sqlite_master"));
    while (probe.fetch()) {
    }
    db->backend = backendOfDriver(db->connection->driverName());
    return db;
}

// What a connection to a data source adds for its driver. PostgreSQL's driver would read the
// whole result of a statement at its execute; declared as a server cursor it fetches a block of
// rows at a time as the layer reads them (the cursor lives in a transaction the driver opens and
// closes around it).
QString blockReadingOptions(const QString& driverDescription) {
    odbc::Environment& env = odbc::Environment::instance();
    if (backendOfDriver(env.driverFile(driverDescription)) != Backend::PostgreSQL) return {};
    return QStringLiteral("UseDeclareFetch=1;Fetch=") + QString::number(kServerFetchRows) + u';';
}

std::unique_ptr<Database> openDataSource(const QString& dataSource, const QString& logon,
                                         const QString& password) {
    auto db = std::make_unique<Database>();
    const QString driver = odbc::Environment::instance().driverOfDataSource(dataSource);
    db->connection = std::make_unique<odbc::Connection>(driver);
    db->connection->connect(QStringLiteral("DSN=") + odbc::connectValue(dataSource) +
                            QStringLiteral(";UID=") + odbc::connectValue(logon) +
                            QStringLiteral(";PWD=") + odbc::connectValue(password) + u';' +
                            blockReadingOptions(driver));
    db->backend = backendOfDriver(db->connection->driverName());
    return db;
}

// Closes the record sets that were read through a database that is going away.
void closeRecordSetsOf(int db) {
    for (CursorRow& c : dataAccessState().cursors) {
        if (c.recordSet && c.recordSet->db == db) releaseRecordSet(c.recordSet);
    }
}

// A DB number's settings in FEND_RUN.INI, read once per process.
const DbSettings& settingsOf(int db) {
    ConnectionRow& row = dataAccessState().connections[db];
    if (!row.loaded) {
        loadSettings(db, row.read);
        row.loaded = true;
    }
    return row.read;
}

}  // namespace

void OpenAhead(qint16 db) {
    DataAccessState& s = dataAccessState();
    if (db < 0 || db >= kDbCount || s.ahead.valid()) return;
    // The settings Q0100_CONNECT will read: the connection then leads to the same file.
    const DbSettings& settings = settingsOf(db);
    if (!settings.dataSource.isEmpty() || settings.path.isEmpty()) return;
    s.aheadDb = db;
    s.ahead = std::async(std::launch::async, [path = settings.path] {
        try {
            return openFile(path);
        } catch (...) {
            return std::unique_ptr<Database>();
        }
    });
}

namespace {
// The database OpenAhead opened for this DB number; null for none.
std::unique_ptr<Database> takeOpenedAhead(int db) {
    DataAccessState& s = dataAccessState();
    if (!s.ahead.valid()) return nullptr;
    std::unique_ptr<Database> opened = s.ahead.get();
    const bool same = s.aheadDb == db;
    s.aheadDb = -1;
    return same ? std::move(opened) : nullptr;
}
}  // namespace

QVariant Q0100_CONNECT(qint16 db, const QString& logon, const QString& password) {
    DataAccessState& s = dataAccessState();
    // No connection is made while the one opened ahead is still under way.
    if (s.ahead.valid()) s.ahead.wait();
    try {
        if (s.rawDebug.isEmpty()) {
            const platform::IniFile ini = platform::IniFile::load(settingsFilePath());
            const QString debug =
                readSetting(ini, QStringLiteral("SQLLOGOUT"), QStringLiteral("Q_DEBUG"), {}, 30);
            s.trace = debug == QStringLiteral("1");
            s.rawDebug = s.trace ? QStringLiteral("1") : QStringLiteral("0");
            s.perDbWorkspaces =
                readSetting(ini, QStringLiteral("SQL/IO"), QStringLiteral("Q_DB_TRAN"),
                            QStringLiteral("1"), 30) == QStringLiteral("1");
        }
        if (db < 0 || db >= kDbCount) {
            s.currentAccessKind = kOdbcDao;
            throw runtimeFailure(kOutOfRange,
                                 QStringLiteral("(DB番号=") + QString::number(db) + u')');
        }
        ConnectionRow& row = s.connections[db];
        row.effective = settingsOf(db);
        if (!logon.isEmpty()) row.effective.logonId = logon;
        if (!password.isEmpty()) row.effective.password = password;
        if (row.effective.accessKind.isEmpty()) row.effective.accessKind = kOdbcDao;
        const DbSettings& e = row.effective;

        s.currentAccessKind = e.accessKind;
        if (!isServedKind(e.accessKind))
            refuse(code::Connect, code::KindNotServed, l101Text(e.accessKind));

        const Workspace workspace{QStringLiteral("WS") + QString::number(db),
                                  QStringLiteral("admin"), QString()};
        if (s.perDbWorkspaces) {
            row.workspace = workspace;
        } else if (!s.sharedWorkspaceCreated) {
            s.connections[0].workspace =
                Workspace{QStringLiteral("WS0"), QStringLiteral("admin"), QString()};
            s.sharedWorkspaceCreated = true;
        }

        trace(code::Connect, code::TraceConnect,
              QStringLiteral("Q0100_CONNECT( ") + e.dataSource + u'-' + e.path +
                  QStringLiteral(" , '") + e.logonId + QStringLiteral("' , '") +
                  maskedPassword(e.password) + QStringLiteral("' , '") + e.accessKind +
                  QStringLiteral("' )"));

        QString connectString;
        std::unique_ptr<Database> opened;
        if (!e.dataSource.isEmpty() && !e.path.isEmpty()) {
            connectString = QStringLiteral("ODBC;DSN=") + e.dataSource + QStringLiteral(";UID=") +
                            e.logonId + QStringLiteral(";PWD=") + e.password;
            // The local file must open; its logon then reaches the data source.
            openFile(e.path);
            opened = openDataSource(e.dataSource, e.logonId, e.password);
        } else if (!e.dataSource.isEmpty()) {
            connectString =
                QStringLiteral("UID=") + e.logonId + QStringLiteral(";PWD=") + e.password;
            opened = openDataSource(e.dataSource, e.logonId, e.password);
        } else if (!e.path.isEmpty()) {
            connectString = QStringLiteral("MS Access;PWD=") + e.password;
            opened = takeOpenedAhead(db);
            if (!opened) opened = openFile(e.path);
        } else {
            refuse(code::Connect, code::DeclareFailed, l103Text(db));
        }
        opened->queryTimeout = kQueryTimeoutSeconds;
        // Connecting again replaces the database object only: cursors declared through the
        // earlier one read the rest of their result first and stay readable until closed.
        for (CursorRow& c : s.cursors) {
            if (c.recordSet && c.recordSet->db == db) readRemainingRows(*c.recordSet);
        }
        row.database = std::move(opened);

        s.connectedFlags[db] = u'1';
        if (row.connectString.isEmpty()) {
            ++s.connectionCount;
            row.connectString = connectString;
        }
        return true;
    } catch (...) {
        failWithCurrent(code::Connect, code::ConnectFailed);
    }
}

QVariant Q0200_DISCON(qint16 db) {
    DataAccessState& s = dataAccessState();
    try {
        if (db < 0 || db >= kDbCount) {
            s.currentAccessKind = kOdbcDao;
            throw runtimeFailure(kOutOfRange,
                                 QStringLiteral("(DB番号=") + QString::number(db) + u')');
        }
        ConnectionRow& row = s.connections[db];
        s.currentAccessKind = row.effective.accessKind;
        trace(code::Disconnect, code::TraceDisconnect,
              QStringLiteral("Q0200_DISCON( ") + row.effective.dataSource + u'-' +
                  row.effective.path + QStringLiteral(" )"));
        if (!isServedKind(s.currentAccessKind)) {
            refuse(code::Disconnect, code::KindNotServedHere, l102Text(s.currentAccessKind));
        }
        if (!row.database) throw runtimeFailure(kObjectNotSet);
        closeRecordSetsOf(db);
        row.database->connection->disconnect();
        row.database.reset();

        s.connectedFlags[db] = u'0';
        if (s.perDbWorkspaces) {
            row.workspace.reset();
        } else if (!s.connectedFlags.contains(u'1')) {
            s.connections[0].workspace.reset();
            s.sharedWorkspaceCreated = false;
        }
        row.connectString.clear();
        --s.connectionCount;
        return true;
    } catch (...) {
        failWithCurrent(code::Disconnect, code::DisconnectFailed);
    }
}

}  // namespace tav::dataaccess

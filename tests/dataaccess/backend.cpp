#include "backend.h"

#include <unistd.h>

#include <QFile>
#include <atomic>

#include "dataaccess/odbc.h"

namespace tav::test {

using namespace tav::dataaccess;

std::string backendName(const ::testing::TestParamInfo<BackendKind>& info) {
    return info.param == BackendKind::SQLite ? "SQLite" : "PostgreSQL";
}

QString requireEnv(const char* name) {
    const QString v = qEnvironmentVariable(name);
    if (v.isEmpty()) {
        ADD_FAILURE() << name
                      << " is not set: the PostgreSQL test server is not running (./tav test "
                         "starts it with tests/support/pg_cluster.sh)";
    }
    return v;
}

namespace {

bool run(const QString& connectString, const QStringList& statements) {
    try {
        odbc::Connection c;
        c.connect(connectString);
        for (const QString& sql : statements) {
            odbc::Statement st(c);
            st.execDirect(sql);
        }
        c.disconnect();
        return true;
    } catch (const odbc::OdbcError& e) {
        QString text;
        for (const auto& d : e.diagnostics()) text += d.sqlState + u' ' + d.message + u'\n';
        ADD_FAILURE() << "setup statement failed: " << text.toStdString() << " in "
                      << statements.join(u'\n').toStdString();
        return false;
    }
}

}  // namespace

TestDatabase::TestDatabase(BackendKind kind, const QString& folder) : kind_(kind) {
    if (kind == BackendKind::SQLite) {
        file_ = folder + QStringLiteral("/office.db");
        ready_ = run(ownerConnectString(), {QStringLiteral("CREATE TABLE tav_probe (x INTEGER)"),
                                            QStringLiteral("DROP TABLE tav_probe")});
        return;
    }
    dsn_ = requireEnv("TAV_PG_DSN");
    admin_ = requireEnv("TAV_PG_USER");
    if (dsn_.isEmpty() || admin_.isEmpty()) return;
    static std::atomic<int> counter{0};
    user_ = QStringLiteral("tavt_%1_%2").arg(::getpid()).arg(++counter);
    ready_ = run(QStringLiteral("DSN=%1;UID=%2;").arg(dsn_, admin_),
                 {QStringLiteral("CREATE ROLE %1 LOGIN").arg(user_),
                  QStringLiteral("CREATE SCHEMA AUTHORIZATION %1").arg(user_)});
}

TestDatabase::~TestDatabase() {
    if (kind_ == BackendKind::PostgreSQL && ready_) {
        run(QStringLiteral("DSN=%1;UID=%2;").arg(dsn_, admin_),
            {QStringLiteral("DROP SCHEMA %1 CASCADE").arg(user_),
             QStringLiteral("DROP ROLE %1").arg(user_)});
    }
}

QString TestDatabase::ownerConnectString() const {
    if (kind_ == BackendKind::SQLite)
        return QStringLiteral("DRIVER=SQLite3;Database=") + file_ + u';';
    return QStringLiteral("DSN=%1;UID=%2;").arg(dsn_, user_);
}

void TestDatabase::exec(const QStringList& statements) {
    if (ready_) run(ownerConnectString(), statements);
}

QString TestDatabase::iniSections(int db) const {
    const QString n = QString::number(db);
    if (kind_ == BackendKind::SQLite) {
        return QStringLiteral("[DBPATH]\nZ_PATH%1=%2\n").arg(n, file_);
    }
    return QStringLiteral("[DSRC]\nZ_DSRC%1=%2\n[LOGONID]\nZ_LOGON%1=%3\n").arg(n, dsn_, user_);
}

void writeSettings(const ProgramFolder& folder, const QString& text) {
    writeFile(folder.file(QStringLiteral("FEND_RUN.INI")), text.toUtf8());
}

QStringList logLines(const ProgramFolder& folder) {
    QByteArray bytes = readFile(folder.file(QStringLiteral("FEND_SYS.LOG")));
    QStringList lines = QString::fromUtf8(bytes).split(QStringLiteral("\r\n"));
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    return lines;
}

QStringList logTail(const ProgramFolder& folder) {
    // "YY/MM/DD HH:MM:SS " + 16 + " " + 8 + " " + 8 + " " = 18 + 35 characters.
    QStringList out;
    for (const QString& l : logLines(folder)) out << l.mid(18 + 35);
    return out;
}

}  // namespace tav::test

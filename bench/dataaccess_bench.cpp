// What the data-access layer costs over plain unixODBC calls: declare, fetch and Q0700_SGET of
// both columns over 100 000 rows of a two-column table, against the same rows read with
// SQLExecDirect / SQLFetch / SQLGetData, on the SQLite3 driver and on PostgreSQL.
//
//   bench_dataaccess                       SQLite only
//   . $PG_DIR/env && bench_dataaccess      also PostgreSQL (tests/support/pg_cluster.sh start)
#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "dataaccess/lsqlio00.h"
#include "dataaccess/lsqlio00_state.h"
#include "dataaccess/odbc.h"
#include "platform/program_info.h"

using namespace tav::dataaccess;

namespace {

constexpr int kRows = 100000;
const QString kSelect = QStringLiteral("SELECT 番号, 名称 FROM 性能表");

struct Backend {
    QString ownerConnect;  // for the set-up and the plain reads
    QString iniText;       // FEND_RUN.INI leading DB number 0 to it
    bool ok = false;
};

void fill(const QString& connectString, bool sqlite) {
    odbc::Connection c;
    c.connect(connectString);
    auto exec = [&](const QString& sql) {
        odbc::Statement st(c);
        st.execDirect(sql);
    };
    if (!sqlite) exec(QStringLiteral("DROP TABLE IF EXISTS 性能表"));
    exec(QStringLiteral("CREATE TABLE 性能表 (番号 INTEGER, 名称 VARCHAR(40))"));
    exec(QStringLiteral("BEGIN"));
    for (int start = 0; start < kRows; start += 500) {
        QString sql = QStringLiteral("INSERT INTO 性能表 VALUES ");
        for (int i = start; i < start + 500; ++i) {
            if (i > start) sql += u',';
            sql += QStringLiteral("(%1, '名称ﾃﾞｰﾀ%1ABCDEFGHIJ')").arg(i);
        }
        exec(sql);
    }
    exec(QStringLiteral("COMMIT"));
}

QTemporaryDir& folder() {
    static QTemporaryDir dir;
    return dir;
}

Backend& sqliteBackend() {
    static Backend b = [] {
        Backend r;
        const QString path = folder().path() + QStringLiteral("/bench.db");
        r.ownerConnect = QStringLiteral("DRIVER=SQLite3;Database=") + path + u';';
        r.iniText = QStringLiteral("[DBPATH]\nZ_PATH0=") + path + u'\n';
        fill(r.ownerConnect, true);
        r.ok = true;
        return r;
    }();
    return b;
}

Backend& pgBackend() {
    static Backend b = [] {
        Backend r;
        const QString dsn = qEnvironmentVariable("TAV_PG_DSN");
        const QString user = qEnvironmentVariable("TAV_PG_USER");
        if (dsn.isEmpty()) return r;
        r.ownerConnect = QStringLiteral("DSN=%1;UID=%2;").arg(dsn, user);
        r.iniText = QStringLiteral("[DSRC]\nZ_DSRC0=%1\n[LOGONID]\nZ_LOGON0=%2\n").arg(dsn, user);
        fill(r.ownerConnect, false);
        r.ok = true;
        return r;
    }();
    return b;
}

void connectLayer(const Backend& b) {
    resetDataAccess();
    tav::platform::setProgramFolder(folder().path());
    QFile f(folder().path() + QStringLiteral("/FEND_RUN.INI"));
    f.open(QIODevice::WriteOnly | QIODevice::Truncate);
    f.write(b.iniText.toUtf8());
    f.close();
    Q0100_CONNECT(0);
}

void layer(benchmark::State& state, Backend& (*backend)()) {
    Backend& b = backend();
    if (!b.ok) {
        state.SkipWithError("no PostgreSQL server (TAV_PG_DSN not set)");
        return;
    }
    connectLayer(b);
    qint64 checksum = 0;
    for (auto _ : state) {
        int rows = 0;
        if (isTrue(Q0300_DECLARE(0, 0, kSelect))) {
            do {
                checksum += Q0700_SGET(0, QStringLiteral("番号")).toInt();
                checksum += Q0700_SGET(0, QStringLiteral("名称")).toString().size();
                ++rows;
            } while (isTrue(Q0500_FETCH(0)));
        }
        Q0600_DS_CLOSE(0);
        if (rows != kRows) state.SkipWithError("wrong row count");
    }
    benchmark::DoNotOptimize(checksum);
    state.SetItemsProcessed(state.iterations() * kRows);
    Q0200_DISCON(0);
}

void plain(benchmark::State& state, Backend& (*backend)()) {
    Backend& b = backend();
    if (!b.ok) {
        state.SkipWithError("no PostgreSQL server (TAV_PG_DSN not set)");
        return;
    }
    SQLHENV env;
    SQLHDBC dbc;
    SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &env);
    SQLSetEnvAttr(env, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
    SQLAllocHandle(SQL_HANDLE_DBC, env, &dbc);
    QByteArray cs = b.ownerConnect.toUtf8();
    SQLDriverConnect(dbc, nullptr, reinterpret_cast<SQLCHAR*>(cs.data()), SQL_NTS, nullptr, 0,
                     nullptr, SQL_DRIVER_NOPROMPT);
    SQLCHAR driver[128] = {};
    SQLGetInfo(dbc, SQL_DRIVER_NAME, driver, sizeof driver, nullptr);
    // Text in the form the driver takes: UTF-16 for the Unicode PostgreSQL driver.
    const bool wide =
        odbc::encodingForDriver(QString::fromLatin1(reinterpret_cast<char*>(driver))) ==
        odbc::TextEncoding::Utf16Wide;
    const QByteArray sql8 = kSelect.toUtf8();
    qint64 checksum = 0;
    for (auto _ : state) {
        SQLHSTMT st;
        SQLAllocHandle(SQL_HANDLE_STMT, dbc, &st);
        if (wide) {
            SQLExecDirectW(
                st, const_cast<SQLWCHAR*>(reinterpret_cast<const SQLWCHAR*>(kSelect.utf16())),
                static_cast<SQLINTEGER>(kSelect.size()));
        } else {
            SQLExecDirect(st, reinterpret_cast<SQLCHAR*>(const_cast<char*>(sql8.constData())),
                          static_cast<SQLINTEGER>(sql8.size()));
        }
        int rows = 0;
        while (SQLFetch(st) == SQL_SUCCESS) {
            SQLBIGINT id = 0;
            char text[256];
            SQLLEN ind = 0;
            SQLGetData(st, 1, SQL_C_SBIGINT, &id, sizeof id, &ind);
            SQLGetData(st, 2, wide ? SQL_C_WCHAR : SQL_C_CHAR, text, sizeof text, &ind);
            checksum += id + ind;
            ++rows;
        }
        SQLFreeHandle(SQL_HANDLE_STMT, st);
        if (rows != kRows) state.SkipWithError("wrong row count");
    }
    benchmark::DoNotOptimize(checksum);
    state.SetItemsProcessed(state.iterations() * kRows);
    SQLDisconnect(dbc);
    SQLFreeHandle(SQL_HANDLE_DBC, dbc);
    SQLFreeHandle(SQL_HANDLE_ENV, env);
}

}  // namespace

BENCHMARK_CAPTURE(plain, SQLite, sqliteBackend)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK_CAPTURE(layer, SQLite, sqliteBackend)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK_CAPTURE(plain, PostgreSQL, pgBackend)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK_CAPTURE(layer, PostgreSQL, pgBackend)->Unit(benchmark::kMillisecond)->MinTime(2.0);

BENCHMARK_MAIN();

// FillCodeList into the code reference window on a code table of 100 000 rows (TAV_BENCH_ROWS
// sets another count: 1000000 for the office-scale figure), against reading the same
// statement's rows with plain unixODBC calls on the same driver settings as the layer's (SQLite
// stepping through the result, PostgreSQL reading it in blocks through a server cursor): the
// rows the look-up shows (limit + 1) and the whole result. BM_LayerLimitRows reads the look-up's
// rows through the data-access layer alone. The look-up's counter rss_growth_MB is the resident
// memory it added to the program at rest.
//
//   bench_code_lookup                       SQLite only
//   . $PG_DIR/env && bench_code_lookup      also PostgreSQL (tests/support/pg_cluster.sh start)
#include <benchmark/benchmark.h>
#include <sql.h>
#include <sqlext.h>

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "common/system_log.h"
#include "dataaccess/lsqlio00.h"
#include "dataaccess/lsqlio00_state.h"
#include "dialogs/lkf10040.h"
#include "formhelper/code_list_box.h"
#include "formhelper/code_lookup.h"
#include "platform/program_info.h"
#include "platform/units.h"
#include "support/fake_services.h"

using namespace tav::formhelper;

namespace {

const int kRows = qEnvironmentVariableIntValue("TAV_BENCH_ROWS") > 0
                      ? qEnvironmentVariableIntValue("TAV_BENCH_ROWS")
                      : 100000;

// The resident memory of this process, in MB.
double residentMb() {
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray& line : f.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024;
    }
    return 0;
}
const QString kStatement = QStringLiteral("SELECT CODE,NAME,KANA FROM CODE_M ORDER BY CODE");

enum class Backend { SQLite, PostgreSQL };

// A plain unixODBC connection, text in the form the driver takes (UTF-16 for the Unicode
// PostgreSQL driver).
struct Odbc {
    SQLHENV env = SQL_NULL_HENV;
    SQLHDBC dbc = SQL_NULL_HDBC;
    bool wide = false;
    explicit Odbc(const QString& connectString) {
        SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &env);
        SQLSetEnvAttr(env, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
        SQLAllocHandle(SQL_HANDLE_DBC, env, &dbc);
        QByteArray cs = connectString.toUtf8();
        SQLCHAR out[1024];
        SQLSMALLINT outLen = 0;
        const SQLRETURN rc =
            SQLDriverConnect(dbc, nullptr, reinterpret_cast<SQLCHAR*>(cs.data()), SQL_NTS, out,
                             sizeof out, &outLen, SQL_DRIVER_NOPROMPT);
        if (!SQL_SUCCEEDED(rc)) {
            std::fprintf(stderr, "cannot connect to %s\n", cs.constData());
            std::exit(1);
        }
        SQLCHAR driver[128] = {};
        SQLGetInfo(dbc, SQL_DRIVER_NAME, driver, sizeof driver, nullptr);
        wide = QByteArray(reinterpret_cast<char*>(driver)).startsWith("psqlodbcw");
    }
    ~Odbc() {
        SQLDisconnect(dbc);
        SQLFreeHandle(SQL_HANDLE_DBC, dbc);
        SQLFreeHandle(SQL_HANDLE_ENV, env);
    }
    void run(SQLHSTMT st, const QString& sql) {
        if (wide) {
            SQLExecDirectW(st,
                           const_cast<SQLWCHAR*>(reinterpret_cast<const SQLWCHAR*>(sql.utf16())),
                           static_cast<SQLINTEGER>(sql.size()));
        } else {
            QByteArray bytes = sql.toUtf8();
            SQLExecDirect(st, reinterpret_cast<SQLCHAR*>(bytes.data()),
                          static_cast<SQLINTEGER>(bytes.size()));
        }
    }
    void exec(const QString& sql) {
        SQLHSTMT st;
        SQLAllocHandle(SQL_HANDLE_STMT, dbc, &st);
        run(st, sql);
        SQLFreeHandle(SQL_HANDLE_STMT, st);
    }
    // Reads up to maxRows rows of the statement, every column as text; returns the rows read.
    int read(const QString& sql, int maxRows) {
        SQLHSTMT st;
        SQLAllocHandle(SQL_HANDLE_STMT, dbc, &st);
        run(st, sql);
        SQLSMALLINT cols = 0;
        SQLNumResultCols(st, &cols);
        int rows = 0;
        char buffer[256];
        SQLLEN len = 0;
        while (rows < maxRows && SQL_SUCCEEDED(SQLFetch(st))) {
            for (SQLUSMALLINT c = 1; c <= cols; ++c) {
                SQLGetData(st, c, wide ? SQL_C_WCHAR : SQL_C_CHAR, buffer, sizeof buffer, &len);
                QString text = len == SQL_NULL_DATA ? QString()
                               : wide ? QString(reinterpret_cast<const QChar*>(buffer), len / 2)
                                      : QString::fromUtf8(buffer, len);
                benchmark::DoNotOptimize(text);
            }
            ++rows;
        }
        SQLFreeHandle(SQL_HANDLE_STMT, st);
        return rows;
    }
};

// The code table on one backend, the plain connection to it and the FEND_RUN.INI that leads
// DB number 0 there.
struct Table {
    std::unique_ptr<Odbc> odbc;
    QString ini;
};

QTemporaryDir& folder() {
    static QTemporaryDir dir;
    return dir;
}

Table sqliteTable() {
    Table t;
    const QString file = folder().path() + QStringLiteral("/codes.db");
    // The driver steps through the result as it is fetched, as the layer has it.
    t.odbc = std::make_unique<Odbc>(QStringLiteral("DRIVER=SQLite3;Database=") + file +
                                    QStringLiteral(";StepAPI=1;"));
    t.odbc->exec(QStringLiteral(
        "CREATE TABLE CODE_M (CODE VARCHAR(8), NAME VARCHAR(40), KANA VARCHAR(20))"));
    t.odbc->exec(QStringLiteral("BEGIN"));
    t.odbc->exec(
        QStringLiteral("INSERT INTO CODE_M WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT "
                       "i + 1 FROM n WHERE i < %1) SELECT printf('C%06d', i), "
                       "'取引先名称' || printf('%06d', i), 'ﾄﾘﾋｷｻｷ' || printf('%06d', i) FROM n")
            .arg(kRows - 1));
    t.odbc->exec(QStringLiteral("COMMIT"));
    t.odbc->exec(QStringLiteral("CREATE INDEX CODE_M_CODE ON CODE_M (CODE)"));
    t.ini = QStringLiteral("[DBPATH]\nZ_PATH0=") + file + u'\n';
    return t;
}

Table pgTable() {
    Table t;
    const QString dsn = qEnvironmentVariable("TAV_PG_DSN");
    const QString user = qEnvironmentVariable("TAV_PG_USER");
    if (dsn.isEmpty()) return t;
    // The driver's block reading, as the layer has it.
    t.odbc = std::make_unique<Odbc>(QStringLiteral("DSN=%1;UID=%2;UseDeclareFetch=1;Fetch=%3;")
                                        .arg(dsn, user)
                                        .arg(tav::dataaccess::kServerFetchRows));
    t.odbc->exec(QStringLiteral("DROP TABLE IF EXISTS CODE_M"));
    t.odbc->exec(QStringLiteral(
        "CREATE TABLE CODE_M (CODE VARCHAR(8), NAME VARCHAR(40), KANA VARCHAR(20))"));
    t.odbc->exec(
        QStringLiteral("INSERT INTO CODE_M SELECT 'C' || lpad(i::text, 6, '0'), '取引先名称' || "
                       "lpad(i::text, 6, "
                       "'0'), 'ﾄﾘﾋｷｻｷ' || lpad(i::text, 6, '0') FROM generate_series(0, %1) AS i")
            .arg(kRows - 1));
    t.odbc->exec(QStringLiteral("CREATE INDEX CODE_M_CODE ON CODE_M (CODE)"));
    // Vacuumed and written out now, so that the server's own after-work on a million new rows
    // (the vacuum their insert calls for, the checkpoint) does not run beside the timings.
    t.odbc->exec(QStringLiteral("VACUUM ANALYZE CODE_M"));
    t.odbc->exec(QStringLiteral("CHECKPOINT"));
    t.ini = QStringLiteral("[DSRC]\nZ_DSRC0=%1\n[LOGONID]\nZ_LOGON0=%2\n").arg(dsn, user);
    return t;
}

Table& table(Backend b) {
    static Table sqlite = sqliteTable();
    if (b == Backend::SQLite) return sqlite;
    static Table pg = pgTable();
    return pg;
}

struct Setup {
    tav::platform::FakeServices fake;  // the limit's message box is answered at once
    Setup() {
        tav::platform::setProgramFolder(folder().path());
        tav::common::openSystemLog(folder().path());
        LookupState& s = lookupState();
        s.definition.keyAttribute = QStringLiteral("X");
        s.definition.keyLength = QStringLiteral("007");
        s.definition.searchKind = QStringLiteral("1");
        s.definition.keyColumn = QStringLiteral("CODE");
        LookupColumn key{QStringLiteral("X"), QStringLiteral("007"), QStringLiteral("CODE")};
        LookupColumn name{QStringLiteral("N"), QStringLiteral("012"), QStringLiteral("NAME")};
        LookupColumn kana{QStringLiteral("X"), QStringLiteral("012"), QStringLiteral("KANA")};
        s.keyColumns = {key};
        s.nameColumns = {name, kana};
        s.tableName = QStringLiteral("CODE_M");
        s.orderClause = QStringLiteral(" ORDER BY CODE");
        DeriveLineWidths();
        tav::dialogs::LKF10040::instance();  // the code reference window reads with it
    }
};

Setup& setup() {
    static Setup once;
    return once;
}

// The table on the backend, with DB number 0 connected to it; null (and the benchmark skipped
// with an error) when there is no PostgreSQL server.
Table* use(benchmark::State& state, Backend b) {
    setup();
    Table& t = table(b);
    if (!t.odbc) {
        state.SkipWithError("no PostgreSQL server (TAV_PG_DSN not set)");
        return nullptr;
    }
    tav::dataaccess::resetDataAccess();
    QFile ini(folder().path() + QStringLiteral("/FEND_RUN.INI"));
    ini.open(QIODevice::WriteOnly | QIODevice::Truncate);
    ini.write(t.ini.toUtf8());
    ini.close();
    tav::dataaccess::Q0100_CONNECT(0);
    return &t;
}

void BM_FillCodeList(benchmark::State& state, Backend b) {
    if (!use(state, b)) return;
    lookupState().rowLimit = static_cast<int>(state.range(0));
    const double atRest = residentMb();
    for (auto _ : state) {
        // The look-up alone is timed (pausing the benchmark's timer would add two process-time
        // reads to every look-up).
        const auto start = std::chrono::steady_clock::now();
        FillCodeList();
        state.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        if (tav::dialogs::LKF10040::instance().List1->count() != state.range(0))
            state.SkipWithError("wrong line count");
        // Left out of the time, as an event loop would do it after the look-up: the events the
        // look-up posted (they pile up otherwise, and the memory figure with them) and the box
        // the stand-in keeps for every answer.
        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        setup().fake.messageBox.shown.clear();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.counters["rss_growth_MB"] = residentMb() - atRest;
}

// The rows the look-up needs (limit + 1) read through the data-access layer as the look-up reads
// them, every column as text, without the formatting and the window: the layer's share.
void BM_LayerLimitRows(benchmark::State& state, Backend b) {
    if (!use(state, b)) return;
    namespace da = tav::dataaccess;
    const QString columns[] = {QStringLiteral("CODE"), QStringLiteral("NAME"),
                               QStringLiteral("KANA")};
    for (auto _ : state) {
        int rows = 0;
        if (da::isTrue(da::Q0300_DECLARE(0, 0, kStatement))) {
            do {
                for (const QString& c : columns) {
                    QString text = da::getText(0, c);
                    benchmark::DoNotOptimize(text);
                }
            } while (++rows <= state.range(0) && da::isTrue(da::Q0500_FETCH(0)));
        }
        da::Q0600_DS_CLOSE(0);
        if (rows != state.range(0) + 1) state.SkipWithError("wrong row count");
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The window's share alone: the lines of a look-up put into its list and the first one chosen,
// as FillCodeList does once it has read them, without the database. Whatever reads the rows,
// the look-up costs at least this on top.
void BM_CodeListWindow(benchmark::State& state) {
    if (!use(state, Backend::SQLite)) return;
    lookupState().rowLimit = static_cast<int>(state.range(0));
    FillCodeList();
    CodeListBox* list = tav::dialogs::LKF10040::instance().List1;
    QStringList lines;
    for (int i = 0; i < list->count(); ++i) lines << list->lineText(i);
    for (auto _ : state) {
        list->clear();
        list->setLines(lines, tav::platform::TwipsToPixels(lookupState().widestWidth));
        list->setCurrentRow(0);
    }
    if (list->count() != state.range(0)) state.SkipWithError("wrong line count");
}

// The rows the look-up needs: limit + 1.
void BM_PlainOdbcLimitRows(benchmark::State& state, Backend b) {
    Table* t = use(state, b);
    if (!t) return;
    for (auto _ : state) {
        const int n = t->odbc->read(kStatement, static_cast<int>(state.range(0)) + 1);
        if (n != state.range(0) + 1) state.SkipWithError("wrong row count");
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The whole result of the statement.
void BM_PlainOdbcWholeResult(benchmark::State& state, Backend b) {
    Table* t = use(state, b);
    if (!t) return;
    for (auto _ : state) {
        if (t->odbc->read(kStatement, kRows + 1) != kRows) state.SkipWithError("wrong row count");
    }
}

BENCHMARK_CAPTURE(BM_FillCodeList, SQLite, Backend::SQLite)
    ->Arg(200)
    ->Arg(1000)
    ->Arg(50000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LayerLimitRows, SQLite, Backend::SQLite)
    ->Arg(200)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CodeListWindow)->Arg(200)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PlainOdbcLimitRows, SQLite, Backend::SQLite)
    ->Arg(200)
    ->Arg(1000)
    ->Arg(50000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PlainOdbcWholeResult, SQLite, Backend::SQLite)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FillCodeList, PostgreSQL, Backend::PostgreSQL)
    ->Arg(200)
    ->Arg(1000)
    ->Arg(50000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LayerLimitRows, PostgreSQL, Backend::PostgreSQL)
    ->Arg(200)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PlainOdbcLimitRows, PostgreSQL, Backend::PostgreSQL)
    ->Arg(200)
    ->Arg(1000)
    ->Arg(50000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PlainOdbcWholeResult, PostgreSQL, Backend::PostgreSQL)
    ->Unit(benchmark::kMillisecond);

// The offscreen platform cannot raise a window and says so at every look-up, where a desktop
// says nothing: the note is left out of the figures.
QtMessageHandler previousHandler = nullptr;
void dropRaiseNote(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (text == QLatin1String("This plugin does not support raise()")) return;
    previousHandler(type, context, text);
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    previousHandler = qInstallMessageHandler(dropRaiseNote);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

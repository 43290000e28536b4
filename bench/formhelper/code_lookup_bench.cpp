// FillCodeList into the code reference window on a code table of 100 000 rows (TAV_BENCH_ROWS
// sets another count: 1000000 for the office-scale figure), SQLite, against reading the same
// statement's rows with plain unixODBC calls (the driver stepping through the result, as the
// layer has it): the rows the look-up shows (limit + 1) and the whole result. The look-up's
// counter rss_growth_MB is the resident memory it added to the program at rest.
#include <benchmark/benchmark.h>
#include <sql.h>
#include <sqlext.h>

#include <QApplication>
#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "common/system_log.h"
#include "dataaccess/lsqlio00.h"
#include "dialogs/lkf10040.h"
#include "formhelper/code_lookup.h"
#include "support/fake_services.h"
#include "platform/program_info.h"

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
        if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024;
    }
    return 0;
}
const char* const kStatement = "SELECT CODE,NAME,KANA FROM CODE_M ORDER BY CODE";

struct Odbc {
    SQLHENV env = SQL_NULL_HENV;
    SQLHDBC dbc = SQL_NULL_HDBC;
    explicit Odbc(const QString& file) {
        SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &env);
        SQLSetEnvAttr(env, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
        SQLAllocHandle(SQL_HANDLE_DBC, env, &dbc);
        QByteArray cs = "DRIVER=SQLite3;Database=" + file.toUtf8() + ";StepAPI=1;";
        SQLCHAR out[512];
        SQLSMALLINT outLen = 0;
        const SQLRETURN rc =
            SQLDriverConnect(dbc, nullptr, reinterpret_cast<SQLCHAR*>(cs.data()), SQL_NTS, out,
                             sizeof out, &outLen, SQL_DRIVER_NOPROMPT);
        if (!SQL_SUCCEEDED(rc)) {
            std::fprintf(stderr, "cannot connect to %s\n", cs.constData());
            std::exit(1);
        }
    }
    ~Odbc() {
        SQLDisconnect(dbc);
        SQLFreeHandle(SQL_HANDLE_DBC, dbc);
        SQLFreeHandle(SQL_HANDLE_ENV, env);
    }
    void exec(const char* sql) {
        SQLHSTMT st;
        SQLAllocHandle(SQL_HANDLE_STMT, dbc, &st);
        SQLExecDirect(st, reinterpret_cast<SQLCHAR*>(const_cast<char*>(sql)), SQL_NTS);
        SQLFreeHandle(SQL_HANDLE_STMT, st);
    }
    // Reads up to maxRows rows of the statement, every column as text; returns the rows read.
    int read(const char* sql, int maxRows) {
        SQLHSTMT st;
        SQLAllocHandle(SQL_HANDLE_STMT, dbc, &st);
        SQLExecDirect(st, reinterpret_cast<SQLCHAR*>(const_cast<char*>(sql)), SQL_NTS);
        SQLSMALLINT cols = 0;
        SQLNumResultCols(st, &cols);
        int rows = 0;
        char buffer[256];
        SQLLEN len = 0;
        while (rows < maxRows && SQL_SUCCEEDED(SQLFetch(st))) {
            for (SQLUSMALLINT c = 1; c <= cols; ++c) {
                SQLGetData(st, c, SQL_C_CHAR, buffer, sizeof buffer, &len);
                QString text = len == SQL_NULL_DATA ? QString() : QString::fromUtf8(buffer);
                benchmark::DoNotOptimize(text);
            }
            ++rows;
        }
        SQLFreeHandle(SQL_HANDLE_STMT, st);
        return rows;
    }
};

struct Setup {
    QTemporaryDir dir;
    QString file;
    std::unique_ptr<Odbc> odbc;
    tav::platform::FakeServices fake;  // the limit's message box is answered at once
    Setup() {
        file = dir.path() + QStringLiteral("/codes.db");
        odbc = std::make_unique<Odbc>(file);
        odbc->exec("CREATE TABLE CODE_M (CODE VARCHAR(8), NAME VARCHAR(40), KANA VARCHAR(20))");
        odbc->exec("BEGIN");
        const QByteArray fill =
            QStringLiteral("INSERT INTO CODE_M WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT "
                           "i + 1 FROM n WHERE i < %1) SELECT printf('C%06d', i), "
                           "'取引先名称' || printf('%06d', i), 'ﾄﾘﾋｷｻｷ' || printf('%06d', i) FROM n")
                .arg(kRows - 1)
                .toUtf8();
        odbc->exec(fill.constData());
        odbc->exec("COMMIT");
        odbc->exec("CREATE INDEX CODE_M_CODE ON CODE_M (CODE)");
        tav::platform::setProgramFolder(dir.path());
        QFile ini(dir.path() + QStringLiteral("/FEND_RUN.INI"));
        ini.open(QIODevice::WriteOnly);
        ini.write(("[DBPATH]\nZ_PATH0=" + file + "\n").toUtf8());
        ini.close();
        tav::common::openSystemLog(dir.path());
        tav::dataaccess::Q0100_CONNECT(0);

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
    static Setup s;
    return s;
}

void BM_FillCodeList(benchmark::State& state) {
    setup();
    lookupState().rowLimit = static_cast<int>(state.range(0));
    const double atRest = residentMb();
    for (auto _ : state) {
        FillCodeList();
        if (tav::dialogs::LKF10040::instance().List1->count() != state.range(0))
            state.SkipWithError("wrong line count");
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.counters["rss_growth_MB"] = residentMb() - atRest;
}

// The rows the look-up needs: limit + 1.
void BM_PlainOdbcLimitRows(benchmark::State& state) {
    Setup& s = setup();
    for (auto _ : state) {
        const int n = s.odbc->read(kStatement, static_cast<int>(state.range(0)) + 1);
        if (n != state.range(0) + 1) state.SkipWithError("wrong row count");
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The whole result of the statement.
void BM_PlainOdbcWholeResult(benchmark::State& state) {
    Setup& s = setup();
    for (auto _ : state) {
        if (s.odbc->read(kStatement, kRows + 1) != kRows) state.SkipWithError("wrong row count");
    }
}

BENCHMARK(BM_FillCodeList)->Arg(200)->Arg(1000)->Arg(50000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainOdbcLimitRows)->Arg(200)->Arg(1000)->Arg(50000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainOdbcWholeResult)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

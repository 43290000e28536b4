#include "odbc.h"

#include <sqlucode.h>

#include <QDate>
#include <QDateTime>
#include <QTime>
#include <algorithm>
#include <cstring>

namespace tav::dataaccess::odbc {

static_assert(sizeof(SQLWCHAR) == sizeof(char16_t), "unixODBC SQLWCHAR is UTF-16");

namespace {

bool ok(SQLRETURN rc) {
    return rc == SQL_SUCCESS || rc == SQL_SUCCESS_WITH_INFO;
}

const SQLWCHAR* wide(const QString& s) {
    return reinterpret_cast<const SQLWCHAR*>(s.utf16());
}

// Hands a statement's text to a driver call in the connection's encoding: UTF-16 through the
// wide entry point, UTF-8 through the narrow one; the length is passed, so a NUL still counts.
template <typename WideCall, typename NarrowCall>
SQLRETURN withStatementText(TextEncoding enc, const QString& sql, WideCall wideCall,
                            NarrowCall narrowCall) {
    if (enc == TextEncoding::Utf16Wide)
        return wideCall(const_cast<SQLWCHAR*>(wide(sql)), static_cast<SQLINTEGER>(sql.size()));
    QByteArray bytes = sql.toUtf8();
    return narrowCall(reinterpret_cast<SQLCHAR*>(bytes.data()),
                      static_cast<SQLINTEGER>(bytes.size()));
}

QString fromWide(const SQLWCHAR* p, qsizetype units) {
    return QString::fromUtf16(reinterpret_cast<const char16_t*>(p), units);
}

std::vector<Diagnostic> collect(SQLSMALLINT handleType, SQLHANDLE handle, TextEncoding enc) {
    std::vector<Diagnostic> out;
    if (handle == SQL_NULL_HANDLE) return out;
    for (SQLSMALLINT i = 1;; ++i) {
        Diagnostic d;
        SQLINTEGER native = 0;
        SQLSMALLINT len = 0;
        SQLRETURN rc;
        if (enc == TextEncoding::Utf16Wide) {
            SQLWCHAR state[6] = {};
            SQLWCHAR msg[2048];
            rc = SQLGetDiagRecW(handleType, handle, i, state, &native, msg, 2048, &len);
            if (!ok(rc)) break;
            d.sqlState = fromWide(state, 5);
            d.message = fromWide(msg, std::min<SQLSMALLINT>(len, 2047));
        } else {
            SQLCHAR state[6] = {};
            SQLCHAR msg[4096];
            rc = SQLGetDiagRec(handleType, handle, i, state, &native, msg, sizeof msg, &len);
            if (!ok(rc)) break;
            d.sqlState = QString::fromLatin1(reinterpret_cast<const char*>(state), 5);
            d.message = QString::fromUtf8(reinterpret_cast<const char*>(msg),
                                          std::min<SQLSMALLINT>(len, sizeof msg - 1));
        }
        d.nativeError = native;
        out.push_back(std::move(d));
    }
    return out;
}

}  // namespace

TextEncoding encodingForDriver(const QString& driverFileName) {
    QString base = driverFileName.section(u'/', -1).toLower();
    if (base.startsWith(QStringLiteral("psqlodbcw"))) return TextEncoding::Utf16Wide;
    return TextEncoding::Utf8Narrow;
}

QString connectValue(const QString& value) {
    if (!value.contains(u';') && !value.contains(u'{') && !value.contains(u'}') &&
        !value.startsWith(u' ') && !value.endsWith(u' ')) {
        return value;
    }
    QString v = value;
    v.replace(QStringLiteral("}"), QStringLiteral("}}"));
    return u'{' + v + u'}';
}

// ---- environment -----------------------------------------------------------------------------

Environment& Environment::instance() {
    // Never destroyed: connections held in process-wide tables may outlive any static object.
    static Environment* env = new Environment;
    return *env;
}

Environment::Environment() {
    if (!ok(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &handle_))) {
        throw OdbcError(QStringLiteral("SQLAllocHandle(ENV)"), {}, {});
    }
    SQLSetEnvAttr(handle_, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
}

Environment::~Environment() {
    if (handle_ != SQL_NULL_HENV) SQLFreeHandle(SQL_HANDLE_ENV, handle_);
}

QString Environment::driverOfDataSource(const QString& dataSource) {
    SQLCHAR name[SQL_MAX_DSN_LENGTH * 4 + 1];
    SQLCHAR desc[1024];
    SQLSMALLINT nameLen = 0, descLen = 0;
    SQLUSMALLINT direction = SQL_FETCH_FIRST;
    while (ok(SQLDataSources(handle_, direction, name, sizeof name, &nameLen, desc, sizeof desc,
                             &descLen))) {
        direction = SQL_FETCH_NEXT;
        if (QString::fromUtf8(reinterpret_cast<const char*>(name)) == dataSource) {
            return QString::fromUtf8(reinterpret_cast<const char*>(desc));
        }
    }
    return {};
}

QString Environment::driverFile(const QString& driverDescription) {
    SQLCHAR desc[1024];
    SQLCHAR attributes[4096];
    SQLSMALLINT descLen = 0, attributesLen = 0;
    SQLUSMALLINT direction = SQL_FETCH_FIRST;
    while (ok(SQLDrivers(handle_, direction, desc, sizeof desc, &descLen, attributes,
                         sizeof attributes, &attributesLen))) {
        direction = SQL_FETCH_NEXT;
        if (QString::fromUtf8(reinterpret_cast<const char*>(desc)) != driverDescription) continue;
        // The attributes come as key=value pairs, each ended by a NUL, the list by another.
        const char* p = reinterpret_cast<const char*>(attributes);
        const char* end =
            p + std::min<size_t>(sizeof attributes - 1,
                                 static_cast<size_t>(std::max<SQLSMALLINT>(attributesLen, 0)));
        while (p < end && *p) {
            const size_t n = strnlen(p, static_cast<size_t>(end - p));
            const QString pair = QString::fromUtf8(p, static_cast<qsizetype>(n));
            if (pair.startsWith(QStringLiteral("Driver="), Qt::CaseInsensitive)) return pair.mid(7);
            p += n + 1;
        }
        return {};
    }
    return {};
}

// ---- connection ------------------------------------------------------------------------------

Connection::Connection(QString driverLabel) : driverName_(std::move(driverLabel)) {
    SQLHENV env = Environment::instance().handle();
    if (!ok(SQLAllocHandle(SQL_HANDLE_DBC, env, &handle_))) {
        handle_ = SQL_NULL_HDBC;
        throw OdbcError(QStringLiteral("SQLAllocHandle(DBC)"),
                        collect(SQL_HANDLE_ENV, env, TextEncoding::Utf8Narrow), driverName_);
    }
}

Connection::~Connection() {
    if (handle_ == SQL_NULL_HDBC) return;
    if (connected_) SQLDisconnect(handle_);
    SQLFreeHandle(SQL_HANDLE_DBC, handle_);
}

std::vector<Diagnostic> Connection::diagnostics(SQLSMALLINT handleType, SQLHANDLE handle) const {
    return collect(handleType, handle, connected_ ? encoding_ : TextEncoding::Utf8Narrow);
}

void Connection::fail(const QString& what, SQLSMALLINT handleType, SQLHANDLE handle) const {
    throw OdbcError(what, diagnostics(handleType, handle), driverName_);
}

void Connection::connect(const QString& connectString) {
    QByteArray cs = connectString.toUtf8();
    SQLCHAR out[2048];
    SQLSMALLINT outLen = 0;
    SQLRETURN rc = SQLDriverConnect(handle_, nullptr, reinterpret_cast<SQLCHAR*>(cs.data()),
                                    static_cast<SQLSMALLINT>(cs.size()), out, sizeof out, &outLen,
                                    SQL_DRIVER_NOPROMPT);
    if (!ok(rc)) fail(QStringLiteral("SQLDriverConnect"), SQL_HANDLE_DBC, handle_);
    connected_ = true;
    SQLCHAR name[256] = {};
    SQLSMALLINT nameLen = 0;
    if (ok(SQLGetInfo(handle_, SQL_DRIVER_NAME, name, sizeof name, &nameLen))) {
        driverName_ = QString::fromUtf8(reinterpret_cast<const char*>(name));
    }
    encoding_ = encodingForDriver(driverName_);
}

void Connection::disconnect() {
    if (!connected_) return;
    if (!ok(SQLDisconnect(handle_))) fail(QStringLiteral("SQLDisconnect"), SQL_HANDLE_DBC, handle_);
    connected_ = false;
}

// ---- statement -------------------------------------------------------------------------------

ColumnClass classOfSqlType(SQLSMALLINT sqlType) {
    switch (sqlType) {
        case SQL_SMALLINT:
        case SQL_INTEGER:
        case SQL_TINYINT:
        case SQL_BIGINT:
            return ColumnClass::Integer;
        case SQL_DECIMAL:
        case SQL_NUMERIC:
        case SQL_REAL:
        case SQL_FLOAT:
        case SQL_DOUBLE:
            return ColumnClass::Number;
        case SQL_TYPE_DATE:
        case SQL_DATE:
            return ColumnClass::Date;
        case SQL_TYPE_TIME:
        case SQL_TIME:
            return ColumnClass::Time;
        case SQL_TYPE_TIMESTAMP:
        case SQL_TIMESTAMP:
            return ColumnClass::Timestamp;
        case SQL_BIT:
            return ColumnClass::Boolean;
        case SQL_BINARY:
        case SQL_VARBINARY:
        case SQL_LONGVARBINARY:
            return ColumnClass::Binary;
        default:
            return ColumnClass::Text;
    }
}

Statement::Statement(Connection& connection) : connection_(connection) {
    if (!ok(SQLAllocHandle(SQL_HANDLE_STMT, connection.handle(), &handle_))) {
        handle_ = SQL_NULL_HSTMT;
        connection.fail(QStringLiteral("SQLAllocHandle(STMT)"), SQL_HANDLE_DBC,
                        connection.handle());
    }
}

Statement::~Statement() {
    if (handle_ != SQL_NULL_HSTMT) SQLFreeHandle(SQL_HANDLE_STMT, handle_);
}

void Statement::fail(const QString& what) const {
    connection_.fail(what, SQL_HANDLE_STMT, handle_);
}

bool Statement::setQueryTimeout(SQLULEN seconds) {
    return ok(SQLSetStmtAttr(handle_, SQL_ATTR_QUERY_TIMEOUT, reinterpret_cast<SQLPOINTER>(seconds),
                             SQL_IS_UINTEGER));
}

void Statement::execDirect(const QString& sql) {
    const SQLRETURN rc = withStatementText(
        connection_.encoding(), sql,
        [this](SQLWCHAR* t, SQLINTEGER n) { return SQLExecDirectW(handle_, t, n); },
        [this](SQLCHAR* t, SQLINTEGER n) { return SQLExecDirect(handle_, t, n); });
    // A statement that changes nothing reports SQL_NO_DATA; it did run.
    if (!ok(rc) && rc != SQL_NO_DATA) fail(QStringLiteral("SQLExecDirect"));
}

void Statement::prepare(const QString& sql) {
    const SQLRETURN rc = withStatementText(
        connection_.encoding(), sql,
        [this](SQLWCHAR* t, SQLINTEGER n) { return SQLPrepareW(handle_, t, n); },
        [this](SQLCHAR* t, SQLINTEGER n) { return SQLPrepare(handle_, t, n); });
    if (!ok(rc)) fail(QStringLiteral("SQLPrepare"));
}

void Statement::execute() {
    const SQLRETURN rc = SQLExecute(handle_);
    if (!ok(rc) && rc != SQL_NO_DATA) fail(QStringLiteral("SQLExecute"));
}

SQLSMALLINT Statement::columnCount() {
    SQLSMALLINT n = 0;
    if (!ok(SQLNumResultCols(handle_, &n))) fail(QStringLiteral("SQLNumResultCols"));
    return n;
}

ColumnInfo Statement::describeColumn(SQLUSMALLINT column) {
    ColumnInfo info;
    SQLSMALLINT nameLen = 0, type = 0, digits = 0, nullable = 0;
    SQLULEN size = 0;
    if (connection_.encoding() == TextEncoding::Utf16Wide) {
        SQLWCHAR name[512];
        if (!ok(SQLDescribeColW(handle_, column, name, 512, &nameLen, &type, &size, &digits,
                                &nullable))) {
            fail(QStringLiteral("SQLDescribeColW"));
        }
        info.name = fromWide(name, std::min<SQLSMALLINT>(nameLen, 511));
    } else {
        SQLCHAR name[1024];
        if (!ok(SQLDescribeCol(handle_, column, name, sizeof name, &nameLen, &type, &size, &digits,
                               &nullable))) {
            fail(QStringLiteral("SQLDescribeCol"));
        }
        info.name = QString::fromUtf8(reinterpret_cast<const char*>(name),
                                      std::min<SQLSMALLINT>(nameLen, sizeof name - 1));
    }
    info.sqlType = type;
    info.size = size;
    info.kind = classOfSqlType(type);
    return info;
}

std::vector<ColumnInfo> Statement::describeColumns() {
    std::vector<ColumnInfo> cols;
    const SQLSMALLINT n = columnCount();
    cols.reserve(static_cast<size_t>(n));
    for (SQLSMALLINT i = 1; i <= n; ++i)
        cols.push_back(describeColumn(static_cast<SQLUSMALLINT>(i)));
    return cols;
}

bool Statement::fetch() {
    SQLRETURN rc = SQLFetch(handle_);
    if (rc == SQL_NO_DATA) return false;
    if (!ok(rc)) fail(QStringLiteral("SQLFetch"));
    return true;
}

bool Statement::bindColumns(const std::vector<ColumnInfo>& columns, SQLULEN rowsPerBlock) {
    const bool w = connection_.encoding() == TextEncoding::Utf16Wide;
    std::vector<Bound> bound(columns.size());
    std::vector<SQLSMALLINT> cTypes(columns.size());
    for (size_t i = 0; i < columns.size(); ++i) {
        const ColumnInfo& c = columns[i];
        switch (c.kind) {
            case ColumnClass::Integer:
                cTypes[i] = SQL_C_SBIGINT;
                bound[i].width = sizeof(SQLBIGINT);
                break;
            case ColumnClass::Number:
                cTypes[i] = SQL_C_DOUBLE;
                bound[i].width = sizeof(double);
                break;
            case ColumnClass::Text:
                if (c.size == 0 || c.size > kMaxBoundChars) return false;
                // Room for four bytes a character (UTF-8, or a UTF-16 surrogate pair) and the NUL.
                cTypes[i] = w ? SQL_C_WCHAR : SQL_C_CHAR;
                bound[i].width = static_cast<SQLLEN>(c.size * 4 + (w ? 2 : 1));
                break;
            default:
                return false;
        }
        bound[i].data = std::make_unique_for_overwrite<char[]>(static_cast<size_t>(bound[i].width) *
                                                               rowsPerBlock);
        bound[i].indicators.resize(rowsPerBlock);
    }
    if (!ok(SQLSetStmtAttr(handle_, SQL_ATTR_ROW_BIND_TYPE,
                           reinterpret_cast<SQLPOINTER>(SQL_BIND_BY_COLUMN), 0)) ||
        !ok(SQLSetStmtAttr(handle_, SQL_ATTR_ROW_ARRAY_SIZE,
                           reinterpret_cast<SQLPOINTER>(rowsPerBlock), 0))) {
        return false;
    }
    SQLULEN size = 0;
    if (!ok(SQLGetStmtAttr(handle_, SQL_ATTR_ROW_ARRAY_SIZE, &size, 0, nullptr)) ||
        size != rowsPerBlock) {
        SQLSetStmtAttr(handle_, SQL_ATTR_ROW_ARRAY_SIZE, reinterpret_cast<SQLPOINTER>(1), 0);
        return false;
    }
    rowStatus_.assign(rowsPerBlock, 0);
    SQLSetStmtAttr(handle_, SQL_ATTR_ROW_STATUS_PTR, rowStatus_.data(), 0);
    SQLSetStmtAttr(handle_, SQL_ATTR_ROWS_FETCHED_PTR, &fetched_, 0);
    for (size_t i = 0; i < columns.size(); ++i) {
        if (!ok(SQLBindCol(handle_, static_cast<SQLUSMALLINT>(i + 1), cTypes[i],
                           bound[i].data.get(), bound[i].width, bound[i].indicators.data()))) {
            fail(QStringLiteral("SQLBindCol"));
        }
    }
    bound_ = std::move(bound);
    blockRows_ = rowsPerBlock;
    return true;
}

SQLULEN Statement::fetchBlock(SQLULEN rows) {
    rows = std::clamp<SQLULEN>(rows, 1, rowStatus_.size());
    if (rows != blockRows_) {
        if (!ok(SQLSetStmtAttr(handle_, SQL_ATTR_ROW_ARRAY_SIZE, reinterpret_cast<SQLPOINTER>(rows),
                               0))) {
            fail(QStringLiteral("SQLSetStmtAttr"));
        }
        blockRows_ = rows;
    }
    fetched_ = 0;
    SQLRETURN rc = SQLFetch(handle_);
    if (rc == SQL_NO_DATA) return 0;
    if (!ok(rc)) fail(QStringLiteral("SQLFetch"));
    for (SQLULEN r = 0; r < fetched_; ++r) {
        if (rowStatus_[r] == SQL_ROW_ERROR) fail(QStringLiteral("SQLFetch"));
    }
    return fetched_;
}

SQLLEN Statement::rowCount() {
    SQLLEN n = -1;
    if (!ok(SQLRowCount(handle_, &n))) return -1;
    return n;
}

bool Statement::readText(SQLUSMALLINT column, QByteArray& out) {
    const bool w = connection_.encoding() == TextEncoding::Utf16Wide;
    const SQLSMALLINT cType = w ? SQL_C_WCHAR : SQL_C_CHAR;
    const qsizetype unit = w ? 2 : 1;
    // Small: some drivers pad the whole buffer; longer text comes in further pieces.
    char buffer[256];
    const qsizetype room = static_cast<qsizetype>(sizeof buffer) - unit;  // less the NUL
    for (;;) {
        SQLLEN ind = 0;
        SQLRETURN rc = SQLGetData(handle_, column, cType, buffer, sizeof buffer, &ind);
        if (rc == SQL_NO_DATA) break;
        if (!ok(rc)) fail(QStringLiteral("SQLGetData"));
        if (ind == SQL_NULL_DATA) return false;
        const bool truncated = rc == SQL_SUCCESS_WITH_INFO && (ind == SQL_NO_TOTAL || ind > room);
        out.append(buffer, truncated ? room : static_cast<qsizetype>(ind));
        if (!truncated) break;
    }
    return true;
}

QVariant Statement::getText(SQLUSMALLINT column) {
    QByteArray bytes;
    if (!readText(column, bytes)) return QVariant();
    if (connection_.encoding() == TextEncoding::Utf16Wide) {
        return QString(reinterpret_cast<const QChar*>(bytes.constData()), bytes.size() / 2);
    }
    return QString::fromUtf8(bytes);
}

bool Statement::readInteger(SQLUSMALLINT column, qint64& value) {
    SQLBIGINT v = 0;
    SQLLEN ind = 0;
    if (!ok(SQLGetData(handle_, column, SQL_C_SBIGINT, &v, sizeof v, &ind))) {
        fail(QStringLiteral("SQLGetData"));
    }
    value = v;
    return ind != SQL_NULL_DATA;
}

bool Statement::readNumber(SQLUSMALLINT column, double& value) {
    SQLLEN ind = 0;
    if (!ok(SQLGetData(handle_, column, SQL_C_DOUBLE, &value, sizeof value, &ind))) {
        fail(QStringLiteral("SQLGetData"));
    }
    return ind != SQL_NULL_DATA;
}

QVariant Statement::getBinary(SQLUSMALLINT column) {
    char buffer[4096];
    QByteArray whole;
    for (;;) {
        SQLLEN ind = 0;
        SQLRETURN rc = SQLGetData(handle_, column, SQL_C_BINARY, buffer, sizeof buffer, &ind);
        if (rc == SQL_NO_DATA) break;
        if (!ok(rc)) fail(QStringLiteral("SQLGetData"));
        if (ind == SQL_NULL_DATA) return QVariant();
        qsizetype got = (ind == SQL_NO_TOTAL || ind > static_cast<SQLLEN>(sizeof buffer))
                            ? static_cast<qsizetype>(sizeof buffer)
                            : static_cast<qsizetype>(ind);
        whole.append(buffer, got);
        if (rc == SQL_SUCCESS) break;
    }
    return whole;
}

QVariant Statement::getData(SQLUSMALLINT column, ColumnClass kind) {
    SQLLEN ind = 0;
    switch (kind) {
        case ColumnClass::Text:
            return getText(column);
        case ColumnClass::Binary:
            return getBinary(column);
        case ColumnClass::Integer: {
            qint64 v = 0;
            if (!readInteger(column, v)) return QVariant();
            if (v >= INT32_MIN && v <= INT32_MAX) return QVariant(static_cast<int>(v));
            return QVariant(static_cast<qlonglong>(v));
        }
        case ColumnClass::Number: {
            double v = 0;
            if (!readNumber(column, v)) return QVariant();
            return QVariant(v);
        }
        case ColumnClass::Boolean: {
            unsigned char v = 0;
            if (!ok(SQLGetData(handle_, column, SQL_C_BIT, &v, sizeof v, &ind))) {
                fail(QStringLiteral("SQLGetData"));
            }
            if (ind == SQL_NULL_DATA) return QVariant();
            return QVariant(v != 0);
        }
        case ColumnClass::Date: {
            SQL_DATE_STRUCT d{};
            if (!ok(SQLGetData(handle_, column, SQL_C_TYPE_DATE, &d, sizeof d, &ind))) {
                fail(QStringLiteral("SQLGetData"));
            }
            if (ind == SQL_NULL_DATA) return QVariant();
            return QVariant(QDate(d.year, d.month, d.day));
        }
        case ColumnClass::Time: {
            SQL_TIME_STRUCT t{};
            if (!ok(SQLGetData(handle_, column, SQL_C_TYPE_TIME, &t, sizeof t, &ind))) {
                fail(QStringLiteral("SQLGetData"));
            }
            if (ind == SQL_NULL_DATA) return QVariant();
            return QVariant(QTime(t.hour, t.minute, t.second));
        }
        case ColumnClass::Timestamp: {
            SQL_TIMESTAMP_STRUCT t{};
            if (!ok(SQLGetData(handle_, column, SQL_C_TYPE_TIMESTAMP, &t, sizeof t, &ind))) {
                fail(QStringLiteral("SQLGetData"));
            }
            if (ind == SQL_NULL_DATA) return QVariant();
            return QVariant(QDateTime(
                QDate(t.year, t.month, t.day),
                QTime(t.hour, t.minute, t.second, static_cast<int>(t.fraction / 1000000))));
        }
    }
    return QVariant();
}

}  // namespace tav::dataaccess::odbc

// The cursor operations: declare (the result read a block at a time as the cursor moves), fetch,
// close, column reads.
#include <cstring>
#include <limits>
#include <utility>

#include "common/system_log.h"
#include "dataaccess/internal.h"
#include "dataaccess/report_codes.h"

namespace tav::dataaccess {

using namespace detail;

namespace {

bool cursorInRange(qint16 c) {
    return c >= 0 && c < kCursorCount;
}

// The start of every operation on a cursor: the range, the current access kind, the trace, the
// access-kind check. Returns the cursor's row. The trace text is only built when the trace is on.
template <typename TraceText>
CursorRow& enterCursor(DataAccessState& s, const QString& op, const QString& failureCode, qint16 c,
                       const QString& traceCode, TraceText&& traceText) {
    if (s.trace) common::SystemLogReport(op, traceCode, 1, 0, traceText());
    if (!cursorInRange(c)) {
        s.currentAccessKind = kOdbcDao;
        fail(op, failureCode,
             runtimeFailure(kOutOfRange, QStringLiteral("(ｶｰｿﾙ番号=") + QString::number(c) + u')'));
    }
    CursorRow& row = s.cursors[c];
    // Compared by content: a kind held as a literal shares no data, so a check for shared data
    // would copy it on every call.
    if (s.currentAccessKind != row.accessKind) s.currentAccessKind = row.accessKind;
    if (!isServedKind(row.accessKind))
        refuse(op, code::KindNotServedHere, l102Text(row.accessKind));
    return row;
}

// A bound text value that did not fit its buffer (the driver's column size was too small).
struct Truncated {};

// Reads the next block of the result through bound buffers; false at the end of the result.
bool readBoundBlock(odbc::Statement& st, const std::vector<odbc::ColumnInfo>& cols, SQLULEN rows,
                    RecordSet& rs) {
    const SQLULEN n = st.fetchBlock(rows);
    if (n == 0) return false;
    // The block's text is measured first, then copied into room made for it at once.
    const SQLLEN nul = rs.wideText ? 2 : 1;
    quint64 textSize = 0;
    for (size_t i = 0; i < cols.size(); ++i) {
        if (cols[i].kind == odbc::ColumnClass::Integer || cols[i].kind == odbc::ColumnClass::Number)
            continue;
        for (SQLULEN r = 0; r < n; ++r) {
            const SQLLEN ind = st.boundIndicator(r, i);
            if (ind == SQL_NULL_DATA) continue;
            if (ind == SQL_NO_TOTAL || ind < 0 || ind > st.boundWidth(i) - nul) throw Truncated{};
            textSize += static_cast<quint64>(ind);
        }
    }
    const qsizetype start = rs.textBytes.size();
    if (static_cast<quint64>(start) + textSize > std::numeric_limits<quint32>::max())
        throw runtimeFailure(kOutOfMemory);
    rs.textBytes.resize(start + static_cast<qsizetype>(textSize));
    char* text = rs.textBytes.data();
    qsizetype at = start;
    for (SQLULEN r = 0; r < n; ++r) {
        for (size_t i = 0; i < cols.size(); ++i) {
            Cell cell;
            const SQLLEN ind = st.boundIndicator(r, i);
            if (ind != SQL_NULL_DATA) {
                const char* data = st.boundData(r, i);
                switch (cols[i].kind) {
                    case odbc::ColumnClass::Integer: {
                        SQLBIGINT v;
                        std::memcpy(&v, data, sizeof v);
                        cell.integer = v;
                        cell.kind = Cell::Integer;
                        break;
                    }
                    case odbc::ColumnClass::Number:
                        std::memcpy(&cell.number, data, sizeof cell.number);
                        cell.kind = Cell::Number;
                        break;
                    default:
                        std::memcpy(text + at, data, static_cast<size_t>(ind));
                        cell.kind = Cell::Text;
                        cell.text.offset = static_cast<quint32>(at);
                        cell.text.length = static_cast<quint32>(ind);
                        at += ind;
                        break;
                }
            }
            rs.cells.push_back(cell);
        }
        ++rs.rows;
    }
    return true;
}

// Reads up to a block's rows of the result, value by value; false at the end of the result.
bool readUnboundBlock(odbc::Statement& st, const std::vector<odbc::ColumnInfo>& cols, SQLULEN rows,
                      RecordSet& rs) {
    for (SQLULEN read = 0; read < rows; ++read) {
        if (!st.fetch()) return read > 0;
        for (size_t i = 0; i < cols.size(); ++i) {
            const auto column = static_cast<SQLUSMALLINT>(i + 1);
            Cell cell;
            switch (cols[i].kind) {
                case odbc::ColumnClass::Integer:
                    if (st.readInteger(column, cell.integer)) cell.kind = Cell::Integer;
                    break;
                case odbc::ColumnClass::Number:
                    if (st.readNumber(column, cell.number)) cell.kind = Cell::Number;
                    break;
                case odbc::ColumnClass::Text: {
                    const qsizetype start = rs.textBytes.size();
                    if (st.readText(column, rs.textBytes)) {
                        if (static_cast<quint64>(rs.textBytes.size()) >
                            std::numeric_limits<quint32>::max()) {
                            throw runtimeFailure(kOutOfMemory);
                        }
                        cell.kind = Cell::Text;
                        cell.text.offset = static_cast<quint32>(start);
                        cell.text.length = static_cast<quint32>(rs.textBytes.size() - start);
                    }
                    break;
                }
                default: {
                    QVariant v = st.getData(column, cols[i].kind);
                    if (!v.isNull()) {
                        cell.kind = Cell::Other;
                        cell.other = static_cast<quint32>(rs.others.size());
                        rs.others.push_back(std::move(v));
                    }
                    break;
                }
            }
            rs.cells.push_back(cell);
        }
        ++rs.rows;
    }
    return true;
}

// A statement that yields no result set: a declare refuses it before it runs.
struct NotAQuery {};

// SQLite keeps whatever value it is given, whatever the column's declared type: a REAL in an
// INTEGER column, a text in a NUMERIC one. The driver would convert such a value to the declared
// type (3.7 read as 3, 'abc' as Null), so numeric columns of SQLite are read as text and each
// value takes the kind its text shows.
bool isSqliteNumeric(const odbc::ColumnInfo& c) {
    return c.kind == odbc::ColumnClass::Integer || c.kind == odbc::ColumnClass::Number;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Whether the bytes read as [+-]?[0-9]+, and its value when it fits 64 bits.
bool wholeNumber(const char* p, const char* end, bool& fits, qint64& value) {
    bool negative = false;
    if (p < end && (*p == '+' || *p == '-')) negative = *p++ == '-';
    if (p == end) return false;
    quint64 magnitude = 0;
    fits = true;
    const quint64 limit = negative ? quint64{1} << 63 : (quint64{1} << 63) - 1;
    for (; p < end; ++p) {
        if (!isDigit(*p)) return false;
        const unsigned d = static_cast<unsigned>(*p - '0');
        if (magnitude > (limit - d) / 10) fits = false;
        if (fits) magnitude = magnitude * 10 + d;
    }
    if (fits)
        value = negative ? static_cast<qint64>(0 - magnitude) : static_cast<qint64>(magnitude);
    return true;
}

// Whether the bytes read as [+-]?([0-9]+(\.[0-9]*)?|\.[0-9]+)([eE][+-]?[0-9]+)?
bool realNumber(const char* p, const char* end) {
    if (p < end && (*p == '+' || *p == '-')) ++p;
    const char* digits = p;
    while (p < end && isDigit(*p)) ++p;
    bool mantissa = p > digits;
    if (p < end && *p == '.') {
        ++p;
        const char* fraction = p;
        while (p < end && isDigit(*p)) ++p;
        mantissa = mantissa || p > fraction;
    }
    if (!mantissa) return false;
    if (p < end && (*p == 'e' || *p == 'E')) {
        ++p;
        if (p < end && (*p == '+' || *p == '-')) ++p;
        const char* exponent = p;
        while (p < end && isDigit(*p)) ++p;
        if (p == exponent) return false;
    }
    return p == end;
}

// The kind a numeric column's text takes: an integer (in an INTEGER column) when it is a
// whole number that fits 64 bits, a number when it has the form of one, "Inf" and "-Inf" as
// infinities; anything else stays text. The bytes are ASCII when they match at all.
void settleSqliteValue(Cell& cell, odbc::ColumnClass declared, const QByteArray& textBytes) {
    if (cell.kind != Cell::Text) return;
    const char* p = textBytes.constData() + cell.text.offset;
    const char* end = p + cell.text.length;
    if (declared == odbc::ColumnClass::Integer) {
        bool fits = false;
        qint64 v = 0;
        if (wholeNumber(p, end, fits, v) && fits) {
            cell.kind = Cell::Integer;
            cell.integer = v;
            return;
        }
    }
    if (realNumber(p, end)) {
        cell.kind = Cell::Number;
        cell.number = QByteArray::fromRawData(p, end - p).toDouble();
    } else if (QByteArrayView(p, end - p) == "Inf" || QByteArrayView(p, end - p) == "-Inf") {
        cell.kind = Cell::Number;
        cell.number = *p == '-' ? -std::numeric_limits<double>::infinity()
                                : std::numeric_limits<double>::infinity();
    }
}

// Prepares, checks and runs the statement; the columns as they are read, and on SQLite the
// declared kind of each (its numeric columns are read as text and settled value by value).
std::unique_ptr<odbc::Statement> startStatement(Database& db, const QString& text,
                                                std::vector<odbc::ColumnInfo>* cols,
                                                std::vector<odbc::ColumnClass>* declared) {
    auto st = std::make_unique<odbc::Statement>(*db.connection);
    st->setQueryTimeout(static_cast<SQLULEN>(db.queryTimeout));
    st->prepare(text);
    if (st->columnCount() == 0) throw NotAQuery{};
    st->execute();
    *cols = st->describeColumns();
    declared->clear();
    if (db.backend == Backend::SQLite) {
        for (odbc::ColumnInfo& c : *cols) {
            declared->push_back(c.kind);
            if (isSqliteNumeric(c)) c.kind = odbc::ColumnClass::Text;
        }
    }
    return st;
}

// A bound text turned out longer than the driver said: the statement runs again, read value by
// value, past the rows read already.
void rerunValueByValue(RecordSet& rs) {
    PendingRows& p = *rs.pending;
    p.statement.reset();
    p.statement = startStatement(*p.database, p.text, &p.columns, &p.declared);
    p.blocks = false;
    for (size_t skipped = 0; skipped < rs.rows; ++skipped) {
        if (!p.statement->fetch()) break;
    }
}

// Reads the next block of the pending rows; at the end of the result the statement is closed.
void readNextBlock(RecordSet& rs) {
    PendingRows& p = *rs.pending;
    const size_t firstCell = rs.cells.size();
    const size_t rowsBefore = rs.rows;
    const qsizetype textBefore = rs.textBytes.size();
    // A cursor is often read only in part (one row of a key, the lines a look-up shows): the
    // first block is small and each next one twice the size, so little is read past what is used.
    SQLULEN rows =
        std::min<SQLULEN>(kRowsPerBlock, SQLULEN{kFirstBlockRows} << std::min(p.blocksRead, 16u));
    if (p.expectedRows > rs.rows) rows = std::min<SQLULEN>(rows, p.expectedRows - rs.rows);
    ++p.blocksRead;
    bool more;
    try {
        more = p.blocks ? readBoundBlock(*p.statement, p.columns, rows, rs)
                        : readUnboundBlock(*p.statement, p.columns, rows, rs);
    } catch (const Truncated&) {
        // The block's rows read so far are dropped and read again value by value.
        rs.cells.resize(firstCell);
        rs.rows = rowsBefore;
        rs.textBytes.resize(textBefore);
        rerunValueByValue(rs);
        more = readUnboundBlock(*p.statement, p.columns, rows, rs);
    }
    if (!p.declared.empty()) {
        for (size_t i = firstCell; i < rs.cells.size(); ++i) {
            const odbc::ColumnClass d = p.declared[i % p.declared.size()];
            if (d == odbc::ColumnClass::Integer || d == odbc::ColumnClass::Number)
                settleSqliteValue(rs.cells[i], d, rs.textBytes);
        }
    }
    if (!more) rs.pending.reset();
}

// Runs the statement and reads its first block (so that an empty result is known at once);
// the rest is read as the cursor moves. A statement without a result set is refused before it
// runs.
std::unique_ptr<RecordSet> runQuery(Database& db, const QString& sql, size_t expectedRows) {
    auto rs = newRecordSet();
    auto pending = std::make_unique<PendingRows>();
    pending->expectedRows = expectedRows;
    pending->text = translateSql(sql, db.backend);
    pending->database = &db;
    pending->statement = startStatement(db, pending->text, &pending->columns, &pending->declared);
    const std::vector<odbc::ColumnInfo>& cols = pending->columns;
    rs->columns = cols.size();
    rs->names.reserve(cols.size());
    for (const odbc::ColumnInfo& c : cols) rs->names.push_back(c.name);
    if (cols.empty()) return rs;
    rs->wideText = db.connection->encoding() == odbc::TextEncoding::Utf16Wide;
    rs->cells.reserve(cols.size() * kRowsPerBlock);
    pending->blocks = pending->statement->bindColumns(cols, kRowsPerBlock);
    rs->pending = std::move(pending);
    readNextBlock(*rs);
    return rs;
}

}  // namespace

bool hasRow(RecordSet& rs, size_t index) {
    while (index >= rs.rows && rs.pending) {
        if (rs.current >= rs.rows) {
            // Every row held has been passed: the next block takes their place.
            rs.first = rs.rows;
            rs.cells.clear();
            rs.textBytes.resize(0);
            rs.others.clear();
        }
        readNextBlock(rs);
    }
    return index < rs.rows;
}

void readRemainingRows(RecordSet& rs) {
    while (rs.pending) readNextBlock(rs);
}

namespace {
// hasRow for an operation: a failure of the driver while it reads on is the operation's failure.
bool rowAt(const QString& op, const QString& code, RecordSet& rs, size_t index) {
    try {
        return hasRow(rs, index);
    } catch (...) {
        failWithCurrent(op, code);
    }
}
}  // namespace

QVariant Q0300_DECLARE(qint16 db, qint16 cursor, const QString& sql, qint16 option,
                       const QVariant& kind) {
    DataAccessState& s = dataAccessState();
    try {
        if (db < 0 || db >= kDbCount || !cursorInRange(cursor)) {
            s.currentAccessKind = kOdbcDao;
            s.lastSqlText = sql;
            throw runtimeFailure(kOutOfRange, QStringLiteral("(DB番号=") + QString::number(db) +
                                                  QStringLiteral(",ｶｰｿﾙ番号=") +
                                                  QString::number(cursor) + u')');
        }
        ConnectionRow& conn = s.connections[db];
        const size_t expectedRows = std::exchange(s.cursors[cursor].expectedRows, 0);
        s.currentAccessKind = conn.effective.accessKind;
        trace(code::Declare, code::TraceDeclare,
              QStringLiteral("Q0300_DECLARE( ") + conn.effective.dataSource + u'-' +
                  conn.effective.path + QStringLiteral(" , ") + QString::number(cursor) +
                  QStringLiteral(" , ↓ , ") + QString::number(option) + QStringLiteral(" )"));
        trace(code::Declare, code::TraceDeclaredSql, QString(10, u' ') + sql);
        SqlNullCheck(sql, code::Declare);
        if (!isServedKind(s.currentAccessKind)) {
            s.lastSqlText = sql;
            refuse(code::Declare, code::KindNotServedHere, l102Text(s.currentAccessKind));
        }
        if (!conn.database) throw runtimeFailure(kObjectNotSet);
        std::unique_ptr<RecordSet> rs = runQuery(*conn.database, sql, expectedRows);
        rs->db = db;
        bool ok = false;
        rs->updatable = kind.toInt(&ok) == 2 && ok;
        CursorRow& row = s.cursors[cursor];
        releaseRecordSet(row.recordSet);
        row.recordSet = std::move(rs);
        row.accessKind = kOdbcDao;
        if (row.recordSet->rows == 0) {
            s.lastErrorMessage = QStringLiteral("101: 検索データがありません");
            return kNoData;
        }
        row.db = db;
        return true;
    } catch (const NotAQuery&) {
        // A declare opens a record set: a statement that yields none (DELETE, UPDATE, DROP)
        // is refused like an operation the access kind does not serve, and never runs.
        s.lastSqlText = sql;
        refuse(code::Declare, code::KindNotServedHere, l102Text(s.currentAccessKind));
    } catch (...) {
        s.lastSqlText = sql;
        failWithCurrent(code::Declare, code::DeclareFailed);
    }
}

QVariant Q0500_FETCH(qint16 cursor) {
    CursorRow& row = enterCursor(
        dataAccessState(), code::Fetch, code::FetchFailed, cursor, code::TraceFetch, [&] {
            return QStringLiteral("Q0500_FETCH( ") + QString::number(cursor) + QStringLiteral(" )");
        });
    RecordSet* rs = row.recordSet.get();
    if (!rs) fail(code::Fetch, code::FetchFailed, runtimeFailure(kObjectNotSet));
    if (!rowAt(code::Fetch, code::FetchFailed, *rs, rs->current))
        fail(code::Fetch, code::FetchFailed, runtimeFailure(kNoCurrentRecord));
    ++rs->current;
    if (!rowAt(code::Fetch, code::FetchFailed, *rs, rs->current)) return kEndOfCursor;
    return true;
}

void ExpectRows(qint16 cursor, qsizetype rows) {
    if (cursorInRange(cursor))
        dataAccessState().cursors[cursor].expectedRows =
            static_cast<size_t>(std::max<qsizetype>(rows, 0));
}

QVariant Q0600_DS_CLOSE(qint16 cursor) {
    CursorRow& row = enterCursor(dataAccessState(), code::Close, code::CloseFailed, cursor,
                                 code::TraceClose, [&] {
                                     return QStringLiteral("Q0600_DS_CLOSE( ") +
                                            QString::number(cursor) + QStringLiteral(" )");
                                 });
    if (!row.recordSet) fail(code::Close, code::CloseFailed, runtimeFailure(kObjectNotSet));
    releaseRecordSet(row.recordSet);
    return true;
}

namespace {
// The record set of a column read by name, on its current row, and the column's index.
std::pair<RecordSet*, size_t> locateByName(DataAccessState& s, qint16 cursor, const QString& name) {
    CursorRow& row =
        enterCursor(s, code::GetByName, code::GetFailed, cursor, code::TraceGetByName, [&] {
            return QStringLiteral("Q0700_GET( ") + QString::number(cursor) +
                   QStringLiteral(" , '") + name + QStringLiteral("' )");
        });
    RecordSet* rs = row.recordSet.get();
    if (!rs) fail(code::GetByName, code::GetFailed, runtimeFailure(kObjectNotSet));
    const int index = rs->indexOf(name);
    if (index < 0) {
        s.detail = QStringLiteral("(ｶﾗﾑ名='") + name + QStringLiteral("')");
        Failure f = runtimeFailure(kItemNotFound);
        f.errors.push_back(EngineError{kItemNotFound, f.message, QStringLiteral("LSQLIO00")});
        fail(code::GetByName, code::GetFailed, f);
    }
    if (!rowAt(code::GetByName, code::GetFailed, *rs, rs->current)) {
        fail(code::GetByName, code::GetFailed, runtimeFailure(kNoCurrentRecord));
    }
    return {rs, static_cast<size_t>(index)};
}

QVariant getByName(DataAccessState& s, qint16 cursor, const QString& name) {
    const auto [rs, index] = locateByName(s, cursor, name);
    return rs->value(rs->current, index);
}

// The trace line of a typed read (Q0700_SGET and its kin), written before the read's own.
void traceTypedGet(const DataAccessState& s, qint16 cursor, const QString& name,
                   const QString& code, const QString& fn) {
    if (s.trace) {
        trace(code::GetByName, code,
              fn + QStringLiteral("( ") + QString::number(cursor) + QStringLiteral(" , '") + name +
                  QStringLiteral("' )"));
    }
}
}  // namespace

QVariant Q0700_GET(qint16 cursor, const QString& name) {
    return getByName(dataAccessState(), cursor, name);
}

namespace {

enum class NullAs { Empty, Zero, Date };

QVariant typedGet(qint16 cursor, const QString& name, const QString& code, const QString& fn,
                  NullAs nullAs) {
    DataAccessState& s = dataAccessState();
    traceTypedGet(s, cursor, name, code, fn);
    QVariant v = getByName(s, cursor, name);
    if (!v.isNull()) return v;
    switch (nullAs) {
        case NullAs::Empty:
            return QVariant(QString());
        case NullAs::Zero:
            return QVariant(0);
        case NullAs::Date:
            break;
    }
    return QVariant(QStringLiteral("00000000"));
}

}  // namespace

QVariant Q0700_SGET(qint16 cursor, const QString& name) {
    return typedGet(cursor, name, code::TraceGetString, QStringLiteral("Q0700_SGET"),
                    NullAs::Empty);
}

QString getText(qint16 cursor, const QString& name) {
    DataAccessState& s = dataAccessState();
    traceTypedGet(s, cursor, name, code::TraceGetString, QStringLiteral("Q0700_SGET"));
    const auto [rs, index] = locateByName(s, cursor, name);
    return rs->text(rs->current, index);
}

QVariant Q0700_NGET(qint16 cursor, const QString& name) {
    return typedGet(cursor, name, code::TraceGetNumber, QStringLiteral("Q0700_NGET"), NullAs::Zero);
}

QVariant Q0700_DGET(qint16 cursor, const QString& name) {
    return typedGet(cursor, name, code::TraceGetDate, QStringLiteral("Q0700_DGET"), NullAs::Date);
}

QVariant Q0710_GET(qint16 cursor, qint16 position) {
    CursorRow& row = enterCursor(dataAccessState(), code::GetByPosition, code::GetFailed, cursor,
                                 code::TraceGetByPosition, [&] {
                                     return QStringLiteral("Q0710_GET( ") +
                                            QString::number(cursor) + QStringLiteral(" , ") +
                                            QString::number(position) + QStringLiteral(" )");
                                 });
    RecordSet* rs = row.recordSet.get();
    if (!rs) fail(code::GetByPosition, code::GetFailed, runtimeFailure(kObjectNotSet));
    const int index = position - 1;
    if (index < 0 || static_cast<size_t>(index) >= rs->columns) {
        fail(code::GetByPosition, code::GetFailed,
             runtimeFailure(kItemNotFound, QStringLiteral("(ｶﾗﾑ位置='") + QString::number(index) +
                                               QStringLiteral("')")));
    }
    if (!rowAt(code::GetByPosition, code::GetFailed, *rs, rs->current)) {
        fail(code::GetByPosition, code::GetFailed, runtimeFailure(kNoCurrentRecord));
    }
    return rs->value(rs->current, static_cast<size_t>(index));
}

}  // namespace tav::dataaccess

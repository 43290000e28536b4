// The cursor operations: declare (a snapshot of the whole result), fetch, close, column reads.
#include "dataaccess/internal.h"

namespace tav::dataaccess {

using namespace detail;

namespace {

const QString kQ0300 = QStringLiteral("Q0300");
const QString kQ0500 = QStringLiteral("Q0500");
const QString kQ0600 = QStringLiteral("Q0600");
const QString kQ0700 = QStringLiteral("Q0700");
const QString kQ0710 = QStringLiteral("Q0710");

bool cursorInRange(qint16 c) {
    return c >= 0 && c < kCursorCount;
}

// The start of every operation on a cursor: the range, the current access kind, the trace, the
// access-kind check. Returns the cursor's row.
CursorRow& enterCursor(const QString& op, const QString& failureCode, qint16 c,
                       const QString& traceCode, const QString& traceText) {
    DataAccessState& s = dataAccessState();
    if (!cursorInRange(c)) {
        trace(op, traceCode, traceText);
        s.currentAccessKind = kOdbcDao;
        fail(op, failureCode,
             runtimeFailure(kOutOfRange, QStringLiteral("(ｶｰｿﾙ番号=") + QString::number(c) + u')'));
    }
    CursorRow& row = s.cursors[c];
    s.currentAccessKind = row.accessKind;
    trace(op, traceCode, traceText);
    if (!isServedKind(row.accessKind)) refuse(op, QStringLiteral("L102"), l102Text(row.accessKind));
    return row;
}

std::unique_ptr<RecordSet> runQuery(Database& db, const QString& sql) {
    odbc::Statement st(*db.connection);
    st.setQueryTimeout(static_cast<SQLULEN>(db.queryTimeout));
    st.execDirect(translateSql(sql, db.backend));
    auto rs = std::make_unique<RecordSet>();
    const std::vector<odbc::ColumnInfo> cols = st.describeColumns();
    rs->columns = cols.size();
    rs->names.reserve(cols.size());
    for (const odbc::ColumnInfo& c : cols) rs->names.push_back(c.name);
    if (cols.empty()) return rs;  // a statement without a result: no rows
    while (st.fetch()) {
        for (size_t i = 0; i < cols.size(); ++i) {
            rs->values.push_back(st.getData(static_cast<SQLUSMALLINT>(i + 1), cols[i].kind));
        }
        ++rs->rows;
    }
    return rs;
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
        s.currentAccessKind = conn.effective.accessKind;
        trace(kQ0300, QStringLiteral("L030"),
              QStringLiteral("Q0300_DECLARE( ") + conn.effective.dataSource + u'-' +
                  conn.effective.path + QStringLiteral(" , ") + QString::number(cursor) +
                  QStringLiteral(" , ↓ , ") + QString::number(option) + QStringLiteral(" )"));
        trace(kQ0300, QStringLiteral("L031"), QString(10, u' ') + sql);
        SqlNullCheck(sql, kQ0300);
        if (!isServedKind(s.currentAccessKind)) {
            s.lastSqlText = sql;
            refuse(kQ0300, QStringLiteral("L102"), l102Text(s.currentAccessKind));
        }
        if (!conn.database) throw runtimeFailure(kObjectNotSet);
        std::unique_ptr<RecordSet> rs = runQuery(*conn.database, sql);
        rs->db = db;
        bool ok = false;
        rs->updatable = kind.toInt(&ok) == 2 && ok;
        CursorRow& row = s.cursors[cursor];
        row.recordSet = std::move(rs);
        row.accessKind = kOdbcDao;
        if (row.recordSet->rows == 0) {
            s.lastErrorMessage = QStringLiteral("101: 検索データがありません");
            return kNoData;
        }
        row.db = db;
        return true;
    } catch (const Failure& f) {
        s.lastSqlText = sql;
        fail(kQ0300, QStringLiteral("L903"), f);
    } catch (const odbc::OdbcError& e) {
        s.lastSqlText = sql;
        fail(kQ0300, QStringLiteral("L903"), odbcFailure(e));
    }
}

QVariant Q0500_FETCH(qint16 cursor) {
    CursorRow& row = enterCursor(
        kQ0500, QStringLiteral("L905"), cursor, QStringLiteral("L050"),
        QStringLiteral("Q0500_FETCH( ") + QString::number(cursor) + QStringLiteral(" )"));
    RecordSet* rs = row.recordSet.get();
    if (!rs) fail(kQ0500, QStringLiteral("L905"), runtimeFailure(kObjectNotSet));
    if (rs->current >= rs->rows)
        fail(kQ0500, QStringLiteral("L905"), runtimeFailure(kNoCurrentRecord));
    ++rs->current;
    if (rs->current >= rs->rows) return kEndOfCursor;
    return true;
}

QVariant Q0600_DS_CLOSE(qint16 cursor) {
    CursorRow& row = enterCursor(
        kQ0600, QStringLiteral("L906"), cursor, QStringLiteral("L060"),
        QStringLiteral("Q0600_DS_CLOSE( ") + QString::number(cursor) + QStringLiteral(" )"));
    if (!row.recordSet) fail(kQ0600, QStringLiteral("L906"), runtimeFailure(kObjectNotSet));
    row.recordSet.reset();
    return true;
}

QVariant Q0700_GET(qint16 cursor, const QString& name) {
    CursorRow& row = enterCursor(kQ0700, QStringLiteral("L907"), cursor, QStringLiteral("L070"),
                                 QStringLiteral("Q0700_GET( ") + QString::number(cursor) +
                                     QStringLiteral(" , '") + name + QStringLiteral("' )"));
    const RecordSet* rs = row.recordSet.get();
    if (!rs) fail(kQ0700, QStringLiteral("L907"), runtimeFailure(kObjectNotSet));
    const int index = rs->indexOf(name);
    if (index < 0) {
        dataAccessState().detail = QStringLiteral("(ｶﾗﾑ名='") + name + QStringLiteral("')");
        Failure f = runtimeFailure(kItemNotFound);
        f.errors.push_back(EngineError{kItemNotFound, f.message, QStringLiteral("LSQLIO00")});
        fail(kQ0700, QStringLiteral("L907"), f);
    }
    if (rs->current >= rs->rows) {
        fail(kQ0700, QStringLiteral("L907"), runtimeFailure(kNoCurrentRecord));
    }
    return rs->at(rs->current, static_cast<size_t>(index));
}

namespace {

QVariant typedGet(qint16 cursor, const QString& name, const QString& code, const QString& fn,
                  const QVariant& nullValue) {
    trace(kQ0700, code,
          fn + QStringLiteral("( ") + QString::number(cursor) + QStringLiteral(" , '") + name +
              QStringLiteral("' )"));
    QVariant v = Q0700_GET(cursor, name);
    return v.isNull() ? nullValue : v;
}

}  // namespace

QVariant Q0700_SGET(qint16 cursor, const QString& name) {
    return typedGet(cursor, name, QStringLiteral("L07S"), QStringLiteral("Q0700_SGET"),
                    QVariant(QString()));
}

QVariant Q0700_NGET(qint16 cursor, const QString& name) {
    return typedGet(cursor, name, QStringLiteral("L07N"), QStringLiteral("Q0700_NGET"),
                    QVariant(0));
}

QVariant Q0700_DGET(qint16 cursor, const QString& name) {
    return typedGet(cursor, name, QStringLiteral("L07D"), QStringLiteral("Q0700_DGET"),
                    QVariant(QStringLiteral("00000000")));
}

QVariant Q0710_GET(qint16 cursor, qint16 position) {
    CursorRow& row =
        enterCursor(kQ0710, QStringLiteral("L907"), cursor, QStringLiteral("L071"),
                    QStringLiteral("Q0710_GET( ") + QString::number(cursor) +
                        QStringLiteral(" , ") + QString::number(position) + QStringLiteral(" )"));
    const RecordSet* rs = row.recordSet.get();
    if (!rs) fail(kQ0710, QStringLiteral("L907"), runtimeFailure(kObjectNotSet));
    const int index = position - 1;
    if (index < 0 || static_cast<size_t>(index) >= rs->columns) {
        fail(kQ0710, QStringLiteral("L907"),
             runtimeFailure(kItemNotFound, QStringLiteral("(ｶﾗﾑ位置='") + QString::number(index) +
                                               QStringLiteral("')")));
    }
    if (rs->current >= rs->rows) {
        fail(kQ0710, QStringLiteral("L907"), runtimeFailure(kNoCurrentRecord));
    }
    return rs->at(rs->current, static_cast<size_t>(index));
}

}  // namespace tav::dataaccess

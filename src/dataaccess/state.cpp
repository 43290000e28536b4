#include "dataaccess/lsqlio00_state.h"

#include "platform/context.h"
#include "platform/program_info.h"
#include "platform/text.h"

namespace tav::dataaccess {

const QString kOdbcDao = QStringLiteral("ODBC_DAO");
const QString kOdbcDaoRdasv = QStringLiteral("ODBC_DAO_RDASV");

bool isServedKind(const QString& kind) {
    // A cursor's kind is the layer's own constant, asked for on every read.
    if (kind.constData() == kOdbcDao.constData()) return true;
    return kind == kOdbcDao || kind == kOdbcDaoRdasv;
}

bool isTrue(const QVariant& v) {
    if (v.typeId() == QMetaType::Bool) return v.toBool();
    bool ok = false;
    const qlonglong n = v.toLongLong(&ok);
    return ok && n == -1;
}

QVariant RecordSet::value(size_t row, size_t column) const {
    const Cell& c = cells[(row - first) * columns + column];
    switch (c.kind) {
        case Cell::Null:
            return QVariant();
        case Cell::Integer:
            if (c.integer >= INT32_MIN && c.integer <= INT32_MAX) {
                return QVariant(static_cast<int>(c.integer));
            }
            return QVariant(static_cast<qlonglong>(c.integer));
        case Cell::Number:
            return QVariant(c.number);
        case Cell::Text: {
            // The text is made in the value's own room: no copy of it is counted and let go.
            QVariant v(QMetaType::fromType<QString>());
            *static_cast<QString*>(v.data()) = text(row, column);
            return v;
        }
        case Cell::Other:
            return others[c.other];
    }
    return QVariant();
}

QString RecordSet::text(size_t row, size_t column) const {
    const Cell& c = cells[(row - first) * columns + column];
    if (c.kind == Cell::Null) return QString();
    if (c.kind != Cell::Text) return value(row, column).toString();
    const char* p = textBytes.constData() + c.text.offset;
    if (wideText) return QString(reinterpret_cast<const QChar*>(p), c.text.length / 2);
    return QString::fromUtf8(p, c.text.length);
}

void releaseRecordSet(std::unique_ptr<RecordSet>& recordSet) {
    if (!recordSet) return;
    constexpr size_t kKeepBytes = size_t{64} << 20;
    DataAccessState& s = dataAccessState();
    if (recordSet->cells.capacity() > s.spareCells.capacity() &&
        recordSet->cells.capacity() * sizeof(Cell) <= kKeepBytes) {
        s.spareCells = std::move(recordSet->cells);
    }
    if (recordSet->textBytes.capacity() > s.spareText.capacity() &&
        static_cast<size_t>(recordSet->textBytes.capacity()) <= kKeepBytes) {
        s.spareText = std::move(recordSet->textBytes);
    }
    recordSet.reset();
}

std::unique_ptr<RecordSet> newRecordSet() {
    DataAccessState& s = dataAccessState();
    auto rs = std::make_unique<RecordSet>();
    rs->cells = std::move(s.spareCells);
    rs->cells.clear();
    rs->textBytes = std::move(s.spareText);
    rs->textBytes.resize(0);
    s.spareCells = {};
    s.spareText = QByteArray();
    return rs;
}

int RecordSet::indexOf(const QString& name) const {
    // A program reads a column by the same name object row after row: the text it points at
    // is remembered with the index found (the copy kept holds that text unchanged).
    for (const NameHit& hit : nameHits) {
        if (hit.name.constData() == name.constData() && hit.name.size() == name.size())
            return hit.index;
    }
    const int index = findColumn(name);
    if (index >= 0 && nameHits.size() < 16) nameHits.push_back(NameHit{name, index});
    return index;
}

int RecordSet::findColumn(const QString& name) const {
    for (size_t i = 0; i < names.size(); ++i) {
        if (names[i] == name) return static_cast<int>(i);
    }
    for (size_t i = 0; i < names.size(); ++i) {
        if (names[i].compare(name, Qt::CaseInsensitive) == 0) return static_cast<int>(i);
    }
    return -1;
}

DataAccessState& dataAccessState() {
    return context().get<DataAccessState>();
}

void resetDataAccess() {
    DataAccessState& s = dataAccessState();
    for (CursorRow& c : s.cursors) c = CursorRow{};
    for (ConnectionRow& r : s.connections) r = ConnectionRow{};
    s = DataAccessState{};
}

QString settingsFilePath() {
    return platform::programFolder() + QStringLiteral("/FEND_RUN.INI");
}

QString cleanSetting(const QString& raw) {
    qsizetype n = raw.size();
    while (n > 0 && (raw[n - 1] == QChar(u'\0') || raw[n - 1] == u' ')) --n;
    return text::Trim(raw.left(n));
}

}  // namespace tav::dataaccess

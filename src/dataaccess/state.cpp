#include "dataaccess/lsqlio00_state.h"
#include "platform/program_info.h"
#include "platform/text.h"

namespace tav::dataaccess {

const QString kOdbcDao = QStringLiteral("ODBC_DAO");
const QString kOdbcDaoRdasv = QStringLiteral("ODBC_DAO_RDASV");

bool isServedKind(const QString& kind) {
    return kind == kOdbcDao || kind == kOdbcDaoRdasv;
}

bool isTrue(const QVariant& v) {
    if (v.typeId() == QMetaType::Bool) return v.toBool();
    bool ok = false;
    const qlonglong n = v.toLongLong(&ok);
    return ok && n == -1;
}

int RecordSet::indexOf(const QString& name) const {
    for (size_t i = 0; i < names.size(); ++i) {
        if (names[i] == name) return static_cast<int>(i);
    }
    for (size_t i = 0; i < names.size(); ++i) {
        if (names[i].compare(name, Qt::CaseInsensitive) == 0) return static_cast<int>(i);
    }
    return -1;
}

DataAccessState& dataAccessState() {
    static DataAccessState state;
    return state;
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

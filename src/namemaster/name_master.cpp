#include "name_master.h"

#include <exception>

#include "common/system_log.h"
#include "dataaccess/dialect.h"
#include "dataaccess/lsqlio00.h"
#include "platform/context.h"
#include "platform/runtime_error.h"

namespace tav::common {

namespace da = tav::dataaccess;

namespace {
// What the last look-up left for its callers.
struct NameMasterState {
    QString commonStatus = QStringLiteral("  ");
    qint16 commonReturnCode = 0;
    QString nameDescription;
};
NameMasterState& state() {
    return context().get<NameMasterState>();
}
}  // namespace

QString& CommonStatus() {
    return state().commonStatus;
}

qint16& CommonReturnCode() {
    return state().commonReturnCode;
}

QString& NameDescription() {
    return state().nameDescription;
}

qint16 returnCodeOf(const QVariant& result) {
    if (result.typeId() == QMetaType::Bool) return result.toBool() ? -1 : 0;
    return static_cast<qint16>(result.toInt());
}

QVariant P5300_MEISYOU_SELECT1(const QString& nameId, const QString& nameKind) {
    try {
        const QString sql =
            QStringLiteral("SELECT") + QStringLiteral(" 名称ＩＤ") + QStringLiteral(",名称名称") +
            QStringLiteral(",名称説明") + QStringLiteral(" FROM 名称マスタ") +
            QStringLiteral(" WHERE 名称ＩＤ = ") + da::dialectLiteral(nameId) +
            QStringLiteral(" AND 名称区分 = ") + da::dialectLiteral(nameKind);
        const QVariant declared = da::Q0300_DECLARE(0, 10, sql, 0);
        CommonReturnCode() = returnCodeOf(declared);
        QVariant result;
        if (da::isTrue(declared)) {
            CommonStatus() = QStringLiteral("OK");
            result = da::Q0700_SGET(10, QStringLiteral("名称名称"));
            NameDescription() = da::Q0700_SGET(10, QStringLiteral("名称説明")).toString();
        } else {
            CommonStatus() = QStringLiteral("NG");
            result = QStringLiteral("名称名称?");
        }
        CommonReturnCode() = returnCodeOf(da::Q0600_DS_CLOSE(10));
        return result;
    } catch (const RuntimeError& e) {
        SystemLogReport(QStringLiteral("P5300_MEISYOU_SELECT1"), QStringLiteral("GE00"), 4,
                        e.number(), e.description());
    } catch (const std::exception& e) {
        SystemLogReport(QStringLiteral("P5300_MEISYOU_SELECT1"), QStringLiteral("GE00"), 4, 0,
                        QString::fromLocal8Bit(e.what()));
    }
    return QVariant();
}

}  // namespace tav::common

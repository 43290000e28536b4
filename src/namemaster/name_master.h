#pragma once
// The name master (名称マスタ) look-up and the process-wide results it leaves behind.
#include <QString>
#include <QVariant>

namespace tav::common {

// "OK" when the last look-up found its row, "NG" when not (two characters; blank at start).
QString& CommonStatus();
// The result of the last data-access call of a routine: -1 (true), 101 or 201.
qint16& CommonReturnCode();
// 名称説明 of the row the last successful look-up found.
QString& NameDescription();

// The result of a data-access call as the common return code holds it.
qint16 returnCodeOf(const QVariant& result);

// 名称名称 of the row with that name ID and name kind on DB number 0 (cursor 10), or "名称名称?"
// when there is none; the cursor is closed either way. A run-time error is reported (GE00,
// kind 4) and gives an empty result.
QVariant P5300_MEISYOU_SELECT1(const QString& nameId, const QString& nameKind);

}  // namespace tav::common

#include "option_menu.h"

#include "dataaccess/dialect.h"
#include "dataaccess/lsqlio00.h"
#include "menu_context.h"
#include "menu_errors.h"
#include "platform/services.h"
#include "platform/text.h"

namespace tav::menu {

using text::Left;
using text::Mid;

namespace {
constexpr qint16 kDb = 0;
constexpr qint16 kOptionCursor = 10;
constexpr int kMaxOptions = 10;
}  // namespace

QString OptionMenuStatement(const QString& nameKind) {
    return QStringLiteral("SELECT") + QStringLiteral(" 名称ＩＤ") + QStringLiteral(",名称名称") +
           QStringLiteral(",名称説明") + QStringLiteral(" FROM 名称マスタ") +
           QStringLiteral(" WHERE 名称区分 = ") + dataaccess::dialectLiteral(nameKind) +
           QStringLiteral(" ORDER BY 名称ＩＤ");
}

void M0140_OPT_MENU() {
    MenuTable& table = menuTable();
    // The index the routine is at, named by its failure message. The option menu raises the index
    // before it fills the entry, so an entry that no longer fits is named by the index it would
    // have taken (1000); the table itself never holds an index past its end.
    int at = table.LastEntryIndex;
    try {
        const int base = table.LastEntryIndex;
        const MenuEntry baseEntry = menuEntry(base);
        const QString kind = Mid(baseEntry.Command, 11, 2);
        if (Left(kind, 1) != QStringLiteral("M")) err::raise(err::InvalidCall);

        using namespace dataaccess;
        if (!isTrue(Q0300_DECLARE(kDb, kOptionCursor, OptionMenuStatement(kind)))) {
            platform::messageBox(QStringLiteral("名称マスタ SELECT-ERROR"),
                                 QStringLiteral("オプションメニュー展開"));
            err::raise(err::InvalidCall);
        }
        for (;;) {
            at = table.LastEntryIndex + 1;
            if (at > kLastMenuIndex) err::raise(err::OutOfRange);
            table.LastEntryIndex = static_cast<qint16>(at);
            MenuEntry& e = menuEntry(table.LastEntryIndex);
            e = MenuEntry{};
            const QString id = Q0700_GET(kOptionCursor, QStringLiteral("名称ＩＤ")).toString();
            const QString name = Q0700_GET(kOptionCursor, QStringLiteral("名称名称")).toString();
            const QString description =
                Q0700_GET(kOptionCursor, QStringLiteral("名称説明")).toString();
            e.Kind = EntryKind::Button;
            e.ListGroup = baseEntry.ListGroup;
            e.ButtonGroup = baseEntry.ButtonGroup;
            e.ButtonNumber = static_cast<qint16>(table.LastEntryIndex - base);
            e.Caption = name;
            e.LaunchMode = QStringLiteral("0");
            e.RelativeFlag = QStringLiteral("1");
            e.Command = id + u' ' + description;
            e.ProfileFlags = baseEntry.ProfileFlags;
            e.Description = description;
            if (e.ButtonNumber == kMaxOptions) break;
            if (!isTrue(Q0500_FETCH(kOptionCursor))) break;
        }
        Q0600_DS_CLOSE(kOptionCursor);
    } catch (const std::exception&) {
        StopWithMessage(QStringLiteral("M0140_OPT_MENUでエラーが発生しました。") +
                        QStringLiteral("\r\n") + QStringLiteral("行番号 ") + QString::number(at));
    }
}

}  // namespace tav::menu

#include "command_expansion.h"

#include "command_tokens.h"

#include "common/relative_folder.h"
#include "menu_context.h"
#include "menu_database.h"
#include "menu_errors.h"
#include "platform/paths.h"
#include "platform/program_info.h"
#include "platform/services.h"
#include "platform/text.h"

namespace tav::menu {

using text::Left;
using text::Mid;

namespace {

[[noreturn]] void StopInExpansion(const QString& routine) {
    StopWithMessage(routine + QStringLiteral("でエラーが発生しました。") + QStringLiteral("\r\n") +
                    QStringLiteral("行番号 ") + QString::number(menuTable().LastEntryIndex));
}

}  // namespace

QString M0130_PARAM02() {
    try {
        const QString folder = platform::programFolder();
        const QString n =
            menuDatabase().P5300_MEISYOU_SELECT1(QStringLiteral("BK_KING"), QStringLiteral("BK"));
        if (Left(n, 1) == QStringLiteral("\\")) return QStringLiteral("EXPLORER ") + folder + n;
        if (Mid(n, 2, 1) == QStringLiteral(":")) return QStringLiteral("EXPLORER ") + n;
        // A full path of this machine names the folder as it is.
        if (Left(n, 1) == QString(platform::kSeparator)) return QStringLiteral("EXPLORER ") + n;
        if (Left(n, 3) == QStringLiteral("..\\"))
            return QStringLiteral("EXPLORER ") + common::P0310_CHG_DIR_UD(n);
        platform::messageBox(QStringLiteral("名称マスタのバックアップ先ホルダ名称エラー:") + n,
                             QStringLiteral("起動エラー"));
        return QStringLiteral("EXPLORER");
    } catch (const std::exception&) {
        StopInExpansion(QStringLiteral("M0130_PARAM02"));
    }
}

void M0130_MDAT_PARAM_CNV() {
    try {
        const MenuContext& ctx = menuContext();
        MenuEntry& entry = menuEntry(menuTable().LastEntryIndex);
        const QString folder = platform::programFolder();
        const QChar sep = platform::kSeparator;
        QString c = entry.Command;

        if (StartsWithToken(c, token::Param01))
            c = QStringLiteral("EXPLORER ") + folder + TokenArgument(c, token::Param01);
        if (c == QLatin1String(token::Param02.text)) c = M0130_PARAM02();
        if (StartsWithToken(c, token::Param03))
            c = QStringLiteral("EXPLORER ") + TokenArgument(c, token::Param03);
        if (StartsWithToken(c, token::P04Notepad))
            c = QStringLiteral("notepad  ") + TokenArgument(c, token::P04Notepad);
        if (StartsWithToken(c, token::P05Notepad))
            c = QStringLiteral("notepad  ") + folder + TokenArgument(c, token::P05Notepad);
        const QString own = sep + ctx.ProgramFolderName + sep + platform::programFileName();
        if (StartsWithToken(c, token::P06Test))
            c = ctx.BaseFolder + sep + ctx.SystemFolderName + QStringLiteral("_TST") + own;
        if (StartsWithToken(c, token::P06Sub))
            c = ctx.BaseFolder + sep + ctx.SystemFolderName + QStringLiteral("_SUB") + own;
        if (StartsWithToken(c, token::P06Main))
            c = ctx.BaseFolder + sep + ctx.SystemFolderName + own;
        if (StartsWithToken(c, token::OptionMenu)) {
            entry.Command = c;
            menuDatabase().M0140_OPT_MENU();
        }
        if (StartsWithToken(c, token::P07Xls)) {
            entry.Parameters = u'"' + folder + sep + TokenArgument(c, token::P07Xls) + u'"';
            c = QStringLiteral("ZUC730MD.VBS");
        }
        entry.Command = c;
    } catch (const std::exception&) {
        StopInExpansion(QStringLiteral("M0130_MDAT_PARAM_CNV"));
    }
}

}  // namespace tav::menu

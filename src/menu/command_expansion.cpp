#include "command_expansion.h"

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

        if (Left(c, 8) == QStringLiteral("%PARAM01"))
            c = QStringLiteral("EXPLORER ") + folder + Mid(c, 10);
        if (c == QStringLiteral("%PARAM02")) c = M0130_PARAM02();
        if (Left(c, 8) == QStringLiteral("%PARAM03")) c = QStringLiteral("EXPLORER ") + Mid(c, 10);
        if (Left(c, 12) == QStringLiteral("%P04_notepad"))
            c = QStringLiteral("notepad  ") + Mid(c, 13);
        if (Left(c, 12) == QStringLiteral("%P05_notepad"))
            c = QStringLiteral("notepad  ") + folder + Mid(c, 14);
        const QString own = sep + ctx.ProgramFolderName + sep + platform::programFileName();
        if (Left(c, 8) == QStringLiteral("%P06_TST"))
            c = ctx.BaseFolder + sep + ctx.SystemFolderName + QStringLiteral("_TST") + own;
        if (Left(c, 8) == QStringLiteral("%P06_SUB"))
            c = ctx.BaseFolder + sep + ctx.SystemFolderName + QStringLiteral("_SUB") + own;
        if (Left(c, 9) == QStringLiteral("%P06_MAIN"))
            c = ctx.BaseFolder + sep + ctx.SystemFolderName + own;
        if (Left(c, 9) == QStringLiteral("%OPT_MENU")) {
            entry.Command = c;
            menuDatabase().M0140_OPT_MENU();
        }
        if (Left(c, 8) == QStringLiteral("%P07_XLS")) {
            entry.Parameters = u'"' + folder + sep + Mid(c, 10) + u'"';
            c = QStringLiteral("ZUC730MD.VBS");
        }
        entry.Command = c;
    } catch (const std::exception&) {
        StopInExpansion(QStringLiteral("M0130_MDAT_PARAM_CNV"));
    }
}

}  // namespace tav::menu

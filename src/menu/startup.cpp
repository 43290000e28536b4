#include "startup.h"

#include <QFile>
#include <QFileInfo>

#include "common/launcher.h"
#include "menu_context.h"
#include "menu_database.h"
#include "menu_errors.h"
#include "menu_file.h"
#include "menu_window.h"
#include "platform/paths.h"
#include "platform/program_info.h"
#include "platform/services.h"
#include "platform/text.h"

namespace tav::menu {

using platform::Answer;
using platform::Buttons;
using platform::Icon;
using text::GetField;
using text::IsNumeric;
using text::Left;
using text::Mid;
using text::Right;
using text::Trim;

namespace {

const QString kStandardMenuFile = QStringLiteral("TAV_MENU1") + QStringLiteral(".DAT");

[[noreturn]] void StopAtStart(const QString& text, const QString& title) {
    platform::messageBox(text, title);
    platform::endProgram(platform::ExitStopped);
}

// Asks whether to start the setup program; starts it on Yes; ends the program in both cases.
[[noreturn]] void SetupPrompt() {
    MenuContext& ctx = menuContext();
    Answer answer = platform::messageBox(
        ctx.MenuFileName + QStringLiteral("が見つかりません。") + QStringLiteral("\r\n") +
            QStringLiteral("インストール直後でしたら、セットアップが必要です。") +
            QStringLiteral("\r\n") + QStringLiteral("TAV_setup.exeを呼び出しますか"),
        QStringLiteral("セットアップ確認"), Buttons::YesNo);
    if (answer == Answer::Yes) {
        MenuEntry& request = menuEntry(0);
        request.LaunchMode = QStringLiteral("0");
        request.RelativeFlag = QStringLiteral("1");
        request.Command = QStringLiteral("..\\TAV_setup.EXE ");
        common::WidgetLaunchOwner noOwner(nullptr);
        common::Launch(noOwner, request);
    }
    platform::endProgram(platform::ExitStopped);
}

}  // namespace

QString MenuFilePath(const QString& menuFileName) {
    if (Mid(menuFileName, 2, 1) == QStringLiteral(":") ||
        Left(menuFileName, 1) == QString(platform::kSeparator))
        return platform::toLocalPath(menuFileName);
    return platform::toLocalPath(platform::programFolder() + platform::kSeparator + menuFileName);
}

void M0005_KIDOU_CHECK() {
    MenuContext& ctx = menuContext();
    try {
        const QString path = platform::programFolder();
        const qsizetype d = path.lastIndexOf(platform::kSeparator);
        if (d < 0) {
            StopAtStart(QStringLiteral("環境エラー1　M0005_KIDOU_CHECK") +
                            QStringLiteral("\r\n\r\nAPP.PATH = ") + path,
                        QStringLiteral("起動エラー"));
        }
        const qsizetype e = d > 0 ? path.lastIndexOf(platform::kSeparator, d - 1) : -1;
        if (e < 0) {
            StopAtStart(QStringLiteral("環境エラー2　M0005_KIDOU_CHECK") +
                            QStringLiteral("\r\n\r\nAPP.PATH = ") + path,
                        QStringLiteral("起動エラー"));
        }
        ctx.BaseFolder = path.left(e);
        ctx.SystemFolderName = path.mid(e + 1, d - e - 1);
        ctx.ProgramFolderName = path.mid(d + 1);
        const QString suffix = Right(ctx.SystemFolderName, 4);
        if (suffix == QStringLiteral("_TST") || suffix == QStringLiteral("_SUB")) {
            ctx.RunMode =
                suffix == QStringLiteral("_TST") ? QStringLiteral("T") : QStringLiteral("S");
            ctx.SystemFolderName.chop(4);
        } else {
            ctx.RunMode = QStringLiteral("M");
        }

        const QString fileName = platform::programFileName();
        if (fileName == QStringLiteral("TAV_Loan")) {
            StopAtStart(QStringLiteral("当ｱﾌﾟﾘｹｰｼｮﾝは、実行できません。") + QStringLiteral("\r\n") +
                            QStringLiteral("サブフォルダの TAV_menu1.EXEを実行してください。"),
                        fileName + QStringLiteral(" : ") + QStringLiteral("TAV_MENU1"));
        }

        ctx.MenuFileName = kStandardMenuFile;
        const QString menuPath = MenuFilePath(ctx.MenuFileName);
        if (!QFileInfo::exists(menuPath)) SetupPrompt();
        QFile probe(menuPath);
        if (!probe.open(QIODevice::ReadOnly) || QFileInfo(menuPath).isDir())
            throw FileAccessError();
    } catch (const std::exception& e) {
        StopWithUnexpectedError(QStringLiteral("M0005_KIDOU_CHECK"), e);
    }
}

void ReadStartArguments() {
    MenuContext& ctx = menuContext();
    try {
        const QString line = platform::commandLine();
        QString argument;
        if (!line.isEmpty()) {
            argument = GetField(line, 1, QStringLiteral(","));
            if (argument == QStringLiteral("ERROR")) argument.clear();
        }
        ctx.MenuFileArgument = argument;
        const QString profile = GetField(line, 2, QStringLiteral(","));
        qint16 number = IsNumeric(profile) ? text::ToInt16(profile) : qint16(1);
        // There are eight profile columns; any other number is taken as the first.
        ctx.ProfileNumber = (number >= 1 && number <= 8) ? number : qint16(1);
    } catch (const std::exception&) {
        ctx.MenuFileName = Left(platform::programFileName(), 6) + QStringLiteral("A.DAT");
        ctx.ProfileNumber = 1;
    }
}

void SelectMenuFile() {
    MenuContext& ctx = menuContext();
    try {
        if (!ctx.MenuFileArgument.isEmpty()) {
            ctx.MenuFileName = ctx.MenuFileArgument;
            return;
        }
        MenuDatabase& db = menuDatabase();
        const QString name =
            db.P5300_MEISYOU_SELECT1(QStringLiteral("TAV_MENU"), QStringLiteral("M0"));
        if (db.CommonStatusIsOk()) {
            ctx.MenuFileName = Trim(name);
            return;
        }
        StopAtStart(
            QStringLiteral("DBアクセスできませんでした。") + QStringLiteral("\r\n\r\n") +
                QStringLiteral("Vista , Windows-7で実行している場合、「互換性」設定が必要です。") +
                QStringLiteral("\r\n") +
                QStringLiteral(
                    "下記ﾌｧｲﾙの「ﾌﾟﾛﾊﾟﾃｨ」を開き、「互換性」「特権ﾚﾍﾞﾙ」を設定してください。") +
                QStringLiteral("\r\n") + platform::programFolder() + platform::kSeparator +
                QStringLiteral("TAV_MENU1") + QStringLiteral(".exe"),
            QStringLiteral("実行環境確認"));
    } catch (const std::exception&) {
        ctx.ProfileNumber = 1;
    }
}

void ReadStartPosition() {
    MenuContext& ctx = menuContext();
    try {
        const QString line = platform::commandLine();
        const QString page = Trim(GetField(line, 3, QStringLiteral(",")));
        ctx.StartPage = IsNumeric(page) ? text::ToInt16(page) : qint16(1);
        const QString item = Trim(GetField(line, 4, QStringLiteral(",")));
        ctx.StartItem = IsNumeric(item) ? text::ToInt16(item) : qint16(1);
    } catch (const std::exception&) {
        ctx.StartPage = 1;
        ctx.StartItem = 1;
    }
}

QPoint StartWindowPosition(const QString& runMode, QSize screen, QSize window) {
    if (runMode == QStringLiteral("M"))
        return QPoint((screen.width() - window.width()) / 2,
                      (screen.height() - window.height()) / 2);
    return QPoint(screen.width() - window.width(), screen.height() - window.height());
}

void RunStartSequence(MenuWindow& window) {
    MenuContext& ctx = menuContext();
    MenuDatabase& db = menuDatabase();
    try {
        window.setButtonPointers();
        ctx.TitleColour = window.designTitleColour();

        M0005_KIDOU_CHECK();
        ReadStartArguments();
        db.M2000_OPEN_RTN();
        SelectMenuFile();
        ReadStartPosition();
        M0100_LMN000_IN();
        window.fillPageList();
        db.M0030_JISYA_L_SET(window);
        db.M2900_CLOSE_RTN();
        ctx.TimerStartFlag = QStringLiteral("0");
        window.armTimer(1);

        window.placeWindow([mode = ctx.RunMode](QSize screen, QSize frame) {
            return std::optional<QPoint>(StartWindowPosition(mode, screen, frame));
        });
        window.setWindowCaption(Trim(ctx.SystemName) + u' ' + Trim(ctx.VersionText));
        window.setTitleLabels(Trim(ctx.TitleText), ctx.TitleColour);
        window.clearHint();
    } catch (const std::exception& e) {
        StopWithUnexpectedError(QStringLiteral("Form_Load"), e);
    }
}

}  // namespace tav::menu

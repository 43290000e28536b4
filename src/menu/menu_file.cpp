#include "menu_file.h"

#include <QFile>
#include <QFileInfo>
#include <cmath>

#include "command_expansion.h"
#include "menu_context.h"
#include "menu_database.h"
#include "menu_errors.h"
#include "platform/services.h"
#include "platform/text.h"
#include "platform/textfile.h"
#include "startup.h"

namespace tav::menu {

using platform::Answer;
using platform::Buttons;
using platform::Icon;
using text::Mid;
using text::Trim;

namespace {

const QString kStandardMenuFile = QStringLiteral("TAV_MENU1") + QStringLiteral(".DAT");

// A header record: number A selects the caption text it sets; the run mode then decides the
// title of test and sub-system installations.
void ApplyHeaderRecord(const QString& line200) {
    MenuContext& ctx = menuContext();
    MenuDatabase& db = menuDatabase();
    const qint16 what = MenuNumberColumn(line200, 2);
    const QString value = Trim(Mid(line200, 14, 100));
    if (what == 1) {
        ctx.SystemName = value;
        const QString name =
            db.P5300_MEISYOU_SELECT1(QStringLiteral("MAIN_WIN_CAP"), QStringLiteral("M3"));
        if (db.CommonStatusIsOk()) ctx.SystemName = name;
    } else if (what == 2) {
        ctx.VersionText = value;
    } else if (what == 3) {
        ctx.TitleText = value;
        const QString name =
            db.P5300_MEISYOU_SELECT1(QStringLiteral("MAIN_LBL_CAP"), QStringLiteral("M3"));
        if (db.CommonStatusIsOk()) ctx.TitleText = name;
    }
    if (ctx.RunMode == QStringLiteral("T")) {
        ctx.TitleText = QStringLiteral("テスト環境");
        ctx.TitleColour = QStringLiteral("255");
    } else if (ctx.RunMode == QStringLiteral("S")) {
        ctx.TitleText = QStringLiteral("サブシステム");
        ctx.TitleColour = QString::number(0xFF8080);
    }
}

}  // namespace

QString MenuLine(const QString& line) {
    return text::FixedWidth(line, kMenuLineWidth);
}

qint16 MenuNumberColumn(const QString& line200, int position) {
    const QString column = Mid(line200, position, 2);
    if (Trim(column).isEmpty()) return 0;
    const auto value = text::ToNumber(column);
    if (!value) err::raise(err::TypeMismatch);
    const double whole = std::floor(*value);
    if (whole < -32768.0 || whole > 32767.0) err::raise(err::Overflow);
    return static_cast<qint16>(whole);
}

QStringList MenuTextFields(const QString& textPart, bool entryRecord) {
    QStringList fields;
    if (!textPart.contains(u',')) {
        if (entryRecord) {
            const qsizetype blank = textPart.indexOf(u' ');
            fields.append(blank < 0 ? textPart : textPart.left(blank));
        }
        return fields;
    }
    for (const QString& f : textPart.split(u',')) fields.append(Trim(f));
    return fields;
}

void ParseEntryRecord(const QString& line200, MenuEntry& entry) {
    entry = MenuEntry{};
    entry.Kind = MenuNumberColumn(line200, 2);
    entry.ListGroup = MenuNumberColumn(line200, 5);
    entry.ButtonGroup = MenuNumberColumn(line200, 8);
    entry.ButtonNumber = MenuNumberColumn(line200, 11);
    const QStringList fields = MenuTextFields(Trim(Mid(line200, 14)), true);
    auto field = [&](int n) { return n <= fields.size() ? fields[n - 1] : QString(); };
    entry.Caption = field(1);
    entry.LaunchMode = field(2);
    entry.RelativeFlag = field(3);
    entry.Command = field(4);
    for (int i = 0; i < 8; ++i) entry.ProfileFlags[static_cast<size_t>(i)] = field(5 + i);
    entry.Description = field(13);
}

bool ReadMenuLines(const QStringList& lines) {
    MenuTable& table = menuTable();
    for (const QString& raw : lines) {
        if (table.LastEntryIndex >= kLastMenuIndex) {
            platform::messageBox(QStringLiteral("データが999件を超えました。"),
                                 QStringLiteral("読込みエラー"), Buttons::Ok, Icon::Critical);
            return false;
        }
        const QChar kind = raw.isEmpty() ? QChar() : raw.at(0);
        if (kind == u'@') {
            table.LastEntryIndex += 1;
            MenuEntry& entry = menuEntry(table.LastEntryIndex);
            try {
                ParseEntryRecord(MenuLine(raw), entry);
            } catch (const std::exception&) {
                StopWithMessage(QStringLiteral("データファイル読み込み中にエラーが発生しました。") +
                                QStringLiteral("\r\n") + QStringLiteral("行番号 ") +
                                QString::number(table.LastEntryIndex + 1));
            }
            M0130_MDAT_PARAM_CNV();
        } else if (kind == u'$') {
            table.LastEntryIndex += 1;
            menuEntry(table.LastEntryIndex) = MenuEntry{};
            ApplyHeaderRecord(MenuLine(raw));
        }
    }
    return true;
}

void M0100_LMN000_IN() {
    MenuContext& ctx = menuContext();
    MenuTable& table = menuTable();
    try {
        if (ctx.SystemName.isEmpty()) ctx.SystemName = QStringLiteral("マルヴネシステム");
        if (ctx.TitleText.isEmpty()) ctx.TitleText = QStringLiteral("マルヴネ 業務メニュー");
        table.LastEntryIndex = -1;

        bool standardChosen = false;
        for (;;) {
            const QString path = MenuFilePath(ctx.MenuFileName);
            if (!QFileInfo::exists(path)) {
                // The standard file was chosen and is missing too: nothing is left to read.
                if (standardChosen) err::raise(err::FileNotFound);
                Answer answer = platform::messageBox(
                    ctx.MenuFileName + QStringLiteral("が見つかりません。") +
                        QStringLiteral("\r\n") +
                        QStringLiteral("メニュー構成ファイル名の確認をしてください。") +
                        QStringLiteral("\r\n\r\n") + QStringLiteral(" 標準メニューで起動します。"),
                    QStringLiteral("セットアップ確認 2"), Buttons::YesNo);
                if (answer != Answer::Yes) platform::endProgram(platform::ExitStopped);
                ctx.MenuFileName = kStandardMenuFile;
                standardChosen = true;
                continue;
            }
            QFile file(path);
            if (QFileInfo(path).isDir() || !file.open(QIODevice::ReadOnly)) throw FileAccessError();
            const QByteArray bytes = file.readAll();
            if (file.error() != QFileDevice::NoError) throw FileAccessError();
            file.close();
            if (!ReadMenuLines(platform::splitLines(platform::decodeText(bytes)))) return;
            break;
        }

        MenuDatabase& db = menuDatabase();
        const QString version =
            db.P5300_MEISYOU_SELECT1(QStringLiteral("VERSION"), QStringLiteral("BA"));
        ctx.VersionText = db.CommonStatusIsOk() ? version : QString();
    } catch (const std::exception& e) {
        StopWithUnexpectedError(QStringLiteral("M0100_LMN000_IN"), e);
    }
}

}  // namespace tav::menu

// Writes the office's part of the demonstration installation into a menu program folder: the
// menu file (CP932) with pages, items and buttons of every launch mode and "%" token and an
// option menu, the password file, FEND_RUN.INI and the SQLite office database it leads to, and
// the small files some entries open.
//   tav_demo_make <program folder>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <cstdio>

#include "platform/textfile.h"
#include "sample_data.h"
#include "officedb/office_db.h"

namespace {

using tav::officedb::CompanyRow;
using tav::officedb::NameRow;

// One record of the menu file: four two-digit numbers, then the text part from column 14.
QString record(char mark, int a, int b, int c, int d, const QString& text) {
    return QStringLiteral("%1%2 %3 %4 %5 %6")
        .arg(QChar::fromLatin1(mark))
        .arg(a, 2, 10, QChar(u'0'))
        .arg(b, 2, 10, QChar(u'0'))
        .arg(c, 2, 10, QChar(u'0'))
        .arg(d, 2, 10, QChar(u'0'))
        .arg(text);
}

const QString kAllProfiles = QStringLiteral(",1,1,1,1,1,1,1,1");

QString page(int list, const QString& caption) {
    return record('@', 10, list, 0, 0, caption + QStringLiteral(",,,") + kAllProfiles);
}

QString item(int list, int group, const QString& caption, const QString& mode = {},
             const QString& relative = {}, const QString& command = {}) {
    return record('@', 20, list, group, 0,
                  caption + u',' + mode + u',' + relative + u',' + command + kAllProfiles);
}

QString button(int list, int group, int key, const QString& caption, const QString& mode,
               const QString& relative, const QString& command, const QString& description) {
    return record('@', 30, list, group, key,
                  caption + u',' + mode + u',' + relative + u',' + command + kAllProfiles + u',' +
                      description);
}

QStringList menuFile() {
    QStringList l;
    l << QStringLiteral("* TAV 業務メニュー（デモ）");
    l << record('$', 1, 0, 0, 0, QStringLiteral("マルヴネシステム"));
    l << record('$', 2, 0, 0, 0, QStringLiteral("Ver 0.0"));
    l << record('$', 3, 0, 0, 0, QStringLiteral("マルヴネ 業務メニュー"));

    l << page(1, QStringLiteral("日常業務"));
    l << item(1, 1, QStringLiteral("顧客と貸付"));
    l << button(1, 1, 1, QStringLiteral("顧客照会"), "0", "1",
                QStringLiteral("tav_demo_note 顧客照会"),
                QStringLiteral("顧客の情報を照会します（待たずに起動）"));
    l << button(1, 1, 2, QStringLiteral("自社情報の変更"), "2", "1",
                QStringLiteral("tav_demo_header 3 株式会社マルヴネ　新宿本店"),
                QStringLiteral("３秒後に自社名を書き換えます（終わるまで待ち、読み直します）"));
    l << button(1, 1, 3, QStringLiteral("貸付実行"), "5", "1", QStringLiteral("TAV_KASI0100"),
                QStringLiteral("起動パラメータ E000000000 を付けて起動し、終わるまで待ちます"));
    l << button(1, 1, 4, QStringLiteral("返済入力"), "6", "1", QStringLiteral("TAV_KASI0200"),
                QStringLiteral("起動パラメータ E000000000 を付けて、待たずに起動します"));
    l << button(1, 1, 5, QStringLiteral("操作説明"), "1", "1", QStringLiteral("TAV_操作説明.TXT"),
                QStringLiteral("説明書を既定のアプリケーションで開きます"));
    l << button(1, 1, 6, QStringLiteral("操作説明（待つ）"), "3", "1",
                QStringLiteral("TAV_操作説明.TXT"),
                QStringLiteral("説明書を開き、閉じられるまで待ちます"));
    l << button(1, 1, 8, QStringLiteral("顧客照会（画面）"), "2", "1",
                QStringLiteral("TAV_KOKY0100"),
                QStringLiteral("顧客照会の業務画面（F4 コード参照、F11 デバッガー、F12 終了）を"
                               "起動し、終わるまで待ちます"));
    l << button(1, 1, 12, QStringLiteral("日次締めと業務終了"), "7", "1",
                QStringLiteral("tav_demo_note 日次締め"),
                QStringLiteral("プログラムを起動してから業務終了を確認します"));
    l << item(1, 2, QStringLiteral("フォルダとメモ帳"));
    l << button(1, 2, 1, QStringLiteral("データフォルダ"), "0", "0",
                QStringLiteral("%PARAM01 \\Data"),
                QStringLiteral("プログラムフォルダの Data を開きます"));
    l << button(1, 2, 2, QStringLiteral("バックアップ先"), "0", "0", QStringLiteral("%PARAM02"),
                QStringLiteral("名称マスタのバックアップ先を開きます"));
    l << button(1, 2, 3, QStringLiteral("一時フォルダ"), "0", "0", QStringLiteral("%PARAM03 /tmp"),
                QStringLiteral("フォルダを名前で開きます"));
    l << button(1, 2, 4, QStringLiteral("メモ帳"), "0", "0",
                QStringLiteral("%P04_notepad/tmp/TAV_memo.txt"),
                QStringLiteral("メモ帳でファイルを開きます"));
    l << button(1, 2, 5, QStringLiteral("メニュー構成ファイル"), "0", "0",
                QStringLiteral("%P05_notepad \\TAV_MENU1.DAT"),
                QStringLiteral("プログラムフォルダのファイルをメモ帳で開きます"));
    l << button(1, 2, 6, QStringLiteral("データ（ツリーなし）"), "0", "1",
                QStringLiteral("WINDOW Data"), QStringLiteral("フォルダツリーなしで開きます"));
    l << button(1, 2, 7, QStringLiteral("集計表"), "1", "1",
                QStringLiteral("%P07_XLS Data\\集計.csv"),
                QStringLiteral("集計表を開くスクリプトを起動します"));

    l << page(2, QStringLiteral("環境とオプション"));
    l << item(2, 3, QStringLiteral("環境の切替"));
    l << button(2, 3, 1, QStringLiteral("テスト環境"), "0", "0", QStringLiteral("%P06_TST"),
                QStringLiteral("テスト環境のメニューを起動します"));
    l << button(2, 3, 2, QStringLiteral("サブシステム"), "0", "0", QStringLiteral("%P06_SUB"),
                QStringLiteral("サブシステムのメニューを起動します"));
    l << button(2, 3, 3, QStringLiteral("本番環境"), "0", "0", QStringLiteral("%P06_MAIN"),
                QStringLiteral("本番環境のメニューを起動します"));
    l << item(2, 4, QStringLiteral("オプションメニュー"), "0", "1", QStringLiteral("%OPT_MENU MA"));
    l << item(2, 5, QStringLiteral("月次処理"));
    l << button(2, 5, 1, QStringLiteral("月次集計"), "2", "1",
                QStringLiteral("tav_demo_note 月次集計"),
                QStringLiteral("月次集計を起動し、終わるまで待ちます"));

    l << page(3, QStringLiteral("管理"));
    l << item(3, 6, QStringLiteral("業務終了"));
    l << button(3, 6, 1, QStringLiteral("説明書を開いて業務終了"), "8", "1",
                QStringLiteral("TAV_操作説明.TXT"),
                QStringLiteral("説明書を開いてから業務終了を確認します"));
    return l;
}

bool write(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "tav_demo_make: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: tav_demo_make <program folder>\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    QDir().mkpath(folder.filePath(QStringLiteral("Data")));
    QDir().mkpath(folder.filePath(QStringLiteral("../../Backup")));

    const QString database = folder.filePath(QStringLiteral("TAV_OFFICE.db"));
    const std::vector<NameRow> names = {
        {QStringLiteral("TAV_MENU"), QStringLiteral("M0"), QStringLiteral("TAV_MENU1.DAT"), {}},
        {QStringLiteral("VERSION"), QStringLiteral("BA"), QStringLiteral("Ver 1.0"), {}},
        {QStringLiteral("BK_KING"), QStringLiteral("BK"), QStringLiteral("..\\..\\Backup"), {}},
        {QStringLiteral("TAV_OPT01"), QStringLiteral("MA"), QStringLiteral("顧客一覧表"),
         QStringLiteral("顧客一覧")},
        {QStringLiteral("TAV_OPT02"), QStringLiteral("MA"), QStringLiteral("延滞者リスト"),
         QStringLiteral("延滞")},
        {QStringLiteral("TAV_OPT03"), QStringLiteral("MA"), QStringLiteral("利息計算"),
         QStringLiteral("利息")},
    };
    CompanyRow company;
    company.address = 100;
    company.menuHeader = QStringLiteral("  株式会社マルヴネ　本店  ");
    company.titles[0] = QStringLiteral("所在地");
    company.contents[0] = QStringLiteral("東京都新宿区西新宿１－１－１");
    QString failure = tav::officedb::createOfficeDatabase(database, names, {company});
    // The customers that the sample screen 顧客照会 (TAV_KOKY0100) looks up.
    if (failure.isEmpty())
        failure = tav::officedb::execSqlite(database, tav::sample::customerTableStatements());
    if (!failure.isEmpty()) {
        std::fprintf(stderr, "tav_demo_make: %s\n", qPrintable(failure));
        return 1;
    }

    bool ok = true;
    ok &= write(folder.filePath(QStringLiteral("FEND_RUN.INI")),
                tav::platform::encodeCp932(
                    QStringLiteral("[SQLLOGOUT]\r\nQ_DEBUG=0\r\n[DAI]\r\nZ_DAI0=ODBC_DAO\r\n") +
                    tav::officedb::settingsFor(database).replace(u'\n', QStringLiteral("\r\n"))));
    ok &= write(folder.filePath(QStringLiteral("TAV_MENU1.DAT")),
                tav::platform::encodeCp932(menuFile().join(QStringLiteral("\r\n")) +
                                           QStringLiteral("\r\n")));
    // The login is switched off in the demonstration; "1" asks for the password "tav".
    ok &= write(folder.filePath(QStringLiteral("TAV_MENU1.PWD")),
                tav::platform::encodeCp932(QStringLiteral("0,\"tav\"\r\n")));
    ok &= write(folder.filePath(QStringLiteral("TAV_操作説明.TXT")),
                tav::platform::encodeCp932(
                    QStringLiteral("TAV 業務メニュー（デモ）\r\n\r\nF1〜F12 で業務を起動します。"
                                   "Esc で業務を終了します。\r\n")));
    ok &= write(folder.filePath(QStringLiteral("ZUC730MD.VBS")),
                QByteArray("' opens the sheet named by its argument\r\n"));
    ok &= write(folder.filePath(QStringLiteral("Data/集計.csv")),
                tav::platform::encodeCp932(QStringLiteral("月,件数\r\n4,12\r\n")));
    return ok ? 0 : 1;
}

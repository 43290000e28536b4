// The menu's database routines against a real SQLite office database.
#include <QDir>

#include "namemaster/name_master.h"
#include "common/system_log.h"
#include "dataaccess/lsqlio00.h"
#include "dataaccess/lsqlio00_state.h"
#include "formhelper/code_lookup.h"
#include "menu/company.h"
#include "menu/launch_entry.h"
#include "menu/menu_file.h"
#include "menu/office_menu_database.h"
#include "menu/option_menu.h"
#include "menu/startup.h"
#include "menu_fakes.h"
#include "platform/text.h"
#include "officedb/office_db.h"

using namespace tav::menu;
using tav::officedb::CompanyRow;
using tav::officedb::NameRow;
using tav::platform::Buttons;
using tav::platform::Icon;
using tav::test::exitStatusOf;

namespace {

const QString kCompanySql =
    "SELECT アドレス,メニューヘッダ,タイトル１行目,内容１行目,タイトル２行目,内容２行目,"
    "タイトル３行目,内容３行目,タイトル４行目,内容４行目,タイトル５行目,内容５行目,"
    "タイトル６行目,内容６行目,タイトル７行目,内容７行目 FROM 自社情報 WHERE アドレス = 0100";

CompanyRow company(int address, const QString& header) {
    CompanyRow r;
    r.address = address;
    r.menuHeader = header;
    for (int i = 0; i < 7; ++i) {
        r.titles[static_cast<size_t>(i)] = QStringLiteral("見出し%1").arg(i + 1);
        r.contents[static_cast<size_t>(i)] = QStringLiteral("内容の行%1").arg(i + 1);
    }
    return r;
}

}  // namespace

class OfficeDatabase : public tav::test::MenuTest {
  protected:
    void SetUp() override {
        tav::common::commonArea() = tav::common::CommonArea{};
        tav::common::closeSystemLog();
        tav::common::openSystemLog(pf.path());
        tav::dataaccess::resetDataAccess();
        companyRecord().clear();
        tav::common::CommonStatus() = "  ";
        installOfficeMenuDatabase();
        dbPath = pf.root() + "/office.db";
    }
    void TearDown() override {
        tav::common::closeSystemLog();
        tav::dataaccess::resetDataAccess();
        setMenuDatabase(&db);  // the fixture's fake uninstalls itself
    }
    void office(const std::vector<NameRow>& names, const std::vector<CompanyRow>& rows = {}) {
        ASSERT_EQ(tav::officedb::createOfficeDatabase(dbPath, names, rows), QString());
        tav::test::writeFile(
            pf.file("FEND_RUN.INI"),
            (tav::officedb::settingsFor(dbPath) + "[SQLLOGOUT]\nQ_DEBUG=1\n").toUtf8());
    }
    QStringList log() const {
        QStringList lines = QString::fromUtf8(tav::test::readFile(pf.file("FEND_SYS.LOG")))
                                .split("\r\n", Qt::SkipEmptyParts);
        return lines;
    }
    // The statements the data layer was given, as its trace shows them.
    QStringList statements() const {
        QStringList out;
        const QString mark = " L031 1 00000000 ";
        for (const QString& l : log()) {
            const qsizetype p = l.indexOf(mark);
            if (p >= 0) out << l.mid(p + mark.size()).mid(10);
        }
        return out;
    }
    // The trace codes in order.
    QStringList codes() const {
        QStringList out;
        for (const QString& l : log()) {
            const QStringList f = l.mid(18 + 35).split(' ');
            if (f.size() > 1 && f[1].startsWith("L0")) out << f[1];
        }
        return out;
    }
    void refresh() {
        menuDatabase().M2000_OPEN_RTN();
        menuDatabase().M0030_JISYA_L_SET(window);
        menuDatabase().M2900_CLOSE_RTN();
    }
    QString dbPath;
};

TEST_F(OfficeDatabase, TheCompanyHeaderIsReadWithTheExactStatement) {
    office({}, {company(100, "  ㈱マルヴネ商事　本店  "), company(200, "別")});
    ASSERT_EQ(exitStatusOf([&] { refresh(); }), -1);
    EXPECT_EQ(window.company, "㈱マルヴネ商事　本店 ");
    EXPECT_EQ(CompanySelectStatement(), kCompanySql);
    EXPECT_EQ(statements(), QStringList{kCompanySql});
    // Each typed read also traces the plain column read it is built on.
    QStringList expected{"L010", "L030", "L031", "L07N", "L070"};
    for (int i = 0; i < 15; ++i)
        expected << "L07S"
                 << "L070";
    expected << "L060"
             << "L020";
    EXPECT_EQ(codes(), expected);
    const CompanyRecord& r = companyRecord();
    EXPECT_EQ(r.address, "100 ");
    EXPECT_EQ(r.menuHeader, tav::text::FixedWidth("  ㈱マルヴネ商事　本店  ", 80));
    EXPECT_EQ(r.titleLines[6], tav::text::FixedWidth("見出し7", 24));
    EXPECT_EQ(r.contentLines[0], tav::text::FixedWidth("内容の行1", 80));
    EXPECT_EQ(tav::common::CommonStatus(), "OK");
    EXPECT_EQ(tav::common::CommonReturnCode(), -1);
    EXPECT_TRUE(boxes().empty());
}

TEST_F(OfficeDatabase, AFailureWhileShowingTheHeaderEndsWithItsBox) {
    office({}, {company(100, "社名")});
    struct BrokenWindow : tav::test::FakeMenuWindow {
        using FakeMenuWindow::FakeMenuWindow;
        void setCompanyCaption(const QString&) override { tav::err::raise(tav::err::TypeMismatch); }
    } broken(journal);
    EXPECT_EQ(exitStatusOf([&] {
                  menuDatabase().M2000_OPEN_RTN();
                  menuDatabase().M0030_JISYA_L_SET(broken);
              }),
              1);
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0].text,
              "予期せぬエラーが発生しました。   M0030_JISYA_L_SET\r\n13 : 型が一致しません。");
    EXPECT_EQ(boxes()[0].icon, Icon::Critical);
    EXPECT_EQ(boxes()[0].buttons, Buttons::Ok);
    EXPECT_EQ(boxes()[0].title, tav::platform::programTitle());
}

TEST_F(OfficeDatabase, NoCompanyRowGivesOneBlankAndNoMessage) {
    office({}, {company(200, "別の会社")});
    companyRecord().menuHeader = tav::text::FixedWidth("前の値", 80);
    ASSERT_EQ(exitStatusOf([&] { refresh(); }), -1);
    EXPECT_EQ(window.company, " ");
    EXPECT_EQ(companyRecord().menuHeader, QString(80, ' '));
    EXPECT_EQ(companyRecord().address, "    ");
    EXPECT_EQ(companyRecord().titleLines[3], QString(24, ' '));
    EXPECT_EQ(tav::common::CommonStatus(), "NG");
    EXPECT_TRUE(boxes().empty());
    EXPECT_TRUE(codes().contains("L060"));
}

TEST_F(OfficeDatabase, ALongHeaderIsCutTo80BeforeItIsTrimmed) {
    office({}, {company(100, "  " + QString(78, u'長') + "XYZ")});
    ASSERT_EQ(exitStatusOf([&] { refresh(); }), -1);
    EXPECT_EQ(window.company, QString(78, u'長') + " ");
}

TEST_F(OfficeDatabase, TheHeaderIsRefreshedAfterAWaitedForProgram) {
    office({}, {company(100, "旧社名")});
    ASSERT_EQ(exitStatusOf([&] { refresh(); }), -1);
    EXPECT_EQ(window.company, "旧社名 ");
    // The started program changes the header while the menu waits.
    fake.events.onProcess = [&] {
        if (fake.events.processed != 1) return;
        EXPECT_EQ(
            tav::officedb::execSqlite(
                dbPath, {"UPDATE 自社情報 SET メニューヘッダ = '新社名' WHERE アドレス = 100"}),
            QString());
    };
    MenuEntry& e = menuEntry(1);
    e.LaunchMode = "2";
    e.RelativeFlag = "1";
    e.Command = "LKM00100.exe";
    ASSERT_EQ(exitStatusOf([&] { LaunchMenuEntry(window, 1); }), -1);
    EXPECT_EQ(window.company, "新社名 ");
    EXPECT_TRUE(boxes().empty());
}

TEST_F(OfficeDatabase, TheNameMasterChoosesTheMenuFileAndTheCaptions) {
    office({{"TAV_MENU", "M0", "NM.DAT", ""},
            {"MAIN_WIN_CAP", "M3", "名称の表題", ""},
            {"VERSION", "BA", "Ver 2.00", "版"}});
    tav::test::writeCp932(pf.file("TAV_MENU1.DAT"), "");
    tav::test::writeCp932(pf.file("NM.DAT"), "$01 00 00 00 ファイルの表題\r\n@10 01 00 00 P\r\n");
    ASSERT_EQ(exitStatusOf([&] { RunStartSequence(window); }), -1);
    EXPECT_EQ(menuContext().MenuFileName, "NM.DAT");
    EXPECT_EQ(window.caption, "名称の表題 Ver 2.00");
    EXPECT_EQ(menuTable().LastEntryIndex, 1);
    EXPECT_EQ(statements().first(),
              "SELECT 名称ＩＤ,名称名称,名称説明 FROM 名称マスタ WHERE 名称ＩＤ = \"TAV_MENU\" AND "
              "名称区分 = \"M0\"");
    EXPECT_EQ(statements().last(), kCompanySql);
    // Connected once for start-up, disconnected at its end.
    EXPECT_EQ(codes().first(), "L010");
    EXPECT_EQ(codes().last(), "L020");
    EXPECT_EQ(codes().count("L010"), 1);
    EXPECT_TRUE(boxes().empty());
}

TEST_F(OfficeDatabase, AMissingMenuNameStopsWithNoDatabaseAccess) {
    office({});
    tav::test::writeCp932(pf.file("TAV_MENU1.DAT"), "");
    ASSERT_EQ(exitStatusOf([&] { RunStartSequence(window); }), 1);
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0].title, "実行環境確認");
}

TEST_F(OfficeDatabase, TheBackupFolderComesFromTheNameMaster) {
    office({{"BK_KING", "BK", "..\\BACKUP", ""}});
    tav::test::writeCp932(pf.file("TAV_MENU1.DAT"), "@30 01 01 01 退避,2,0,%PARAM02,1\r\n");
    menuContext().MenuFileName = "TAV_MENU1.DAT";
    ASSERT_EQ(exitStatusOf([&] {
                  menuDatabase().M2000_OPEN_RTN();
                  M0100_LMN000_IN();
                  menuDatabase().M2900_CLOSE_RTN();
              }),
              -1);
    EXPECT_EQ(menuEntry(0).Command, "EXPLORER " + pf.root() + "/TAV/SYS/BACKUP");
}

class OptionMenu : public OfficeDatabase {
  protected:
    // Reads a menu file whose item at index 1 carries the option token.
    int readWithOption(const QString& token, const QString& before = {}) {
        tav::test::writeCp932(pf.file("TAV_MENU1.DAT"),
                              before + "@10 03 00 00 P\r\n@20 03 07 00 ｵﾌﾟｼｮﾝ,0,1," + token +
                                  ",1,0,1,0,0,0,0,1\r\n@20 03 08 00 次\r\n");
        menuContext().MenuFileName = "TAV_MENU1.DAT";
        return exitStatusOf([&] {
            menuDatabase().M2000_OPEN_RTN();
            M0100_LMN000_IN();
            menuDatabase().M2900_CLOSE_RTN();
        });
    }
};

TEST_F(OptionMenu, RowsBecomeFunctionButtonsInNameIdOrder) {
    office({{"ZKM300", "M5", "月報", "-m 月次"},
            {"AKM100", "M5", "日報", "-d"},
            {"BKM200", "M5", "週報", ""},
            {"CKM999", "M6", "他の区分", ""}});
    ASSERT_EQ(readWithOption("%OPT_MENU M5"), -1);
    EXPECT_EQ(OptionMenuStatement("M5"),
              "SELECT 名称ＩＤ,名称名称,名称説明 FROM 名称マスタ WHERE 名称区分 = \"M5\" ORDER BY "
              "名称ＩＤ");
    EXPECT_TRUE(statements().contains(OptionMenuStatement("M5")));
    EXPECT_EQ(menuTable().LastEntryIndex, 5);
    EXPECT_EQ(menuEntry(1).Command, "%OPT_MENU M5");
    const QStringList captions{"日報", "週報", "月報"};
    const QStringList commands{"AKM100 -d", "BKM200 ", "ZKM300 -m 月次"};
    for (int i = 0; i < 3; ++i) {
        const MenuEntry& e = menuEntry(2 + i);
        EXPECT_EQ(e.Kind, 30);
        EXPECT_EQ(e.ListGroup, 3);
        EXPECT_EQ(e.ButtonGroup, 7);
        EXPECT_EQ(e.ButtonNumber, i + 1);
        EXPECT_EQ(e.Caption, captions[i]);
        EXPECT_EQ(e.LaunchMode, "0");
        EXPECT_EQ(e.RelativeFlag, "1");
        EXPECT_EQ(e.Command, commands[i]);
        EXPECT_EQ(e.Parameters, "");
        EXPECT_EQ(e.ProfileFlags, menuEntry(1).ProfileFlags);
    }
    EXPECT_EQ(menuEntry(4).Description, "-m 月次");
    EXPECT_EQ(menuEntry(5).ButtonGroup, 8);
    EXPECT_TRUE(boxes().empty());

    // A button starts its program in the program folder without waiting.
    ASSERT_EQ(exitStatusOf([&] { LaunchMenuEntry(window, 4); }), -1);
    EXPECT_EQ(fake.processes.started, QStringList{pf.path() + "/ZKM300 -m 月次"});
    EXPECT_EQ(fake.processes.last->polls, 0);
}

TEST_F(OptionMenu, AtMostTenButtons) {
    std::vector<NameRow> rows;
    for (int i = 1; i <= 12; ++i)
        rows.push_back({QStringLiteral("P%1").arg(i, 2, 10, QChar('0')), "MA", "b", ""});
    office(rows);
    ASSERT_EQ(readWithOption("%OPT_MENU MA"), -1);
    EXPECT_EQ(menuTable().LastEntryIndex, 12);
    EXPECT_EQ(menuEntry(11).ButtonNumber, 10);
    EXPECT_EQ(menuEntry(11).Command, "P10 ");
    EXPECT_EQ(menuEntry(12).Caption, "次");
}

TEST_F(OptionMenu, NullColumnsGiveEmptyTexts) {
    office({});
    ASSERT_EQ(tav::officedb::execSqlite(
                  dbPath, {"INSERT INTO 名称マスタ (名称ＩＤ, 名称区分) VALUES ('X1', 'M1')"}),
              QString());
    ASSERT_EQ(readWithOption("%OPT_MENU M1"), -1);
    EXPECT_EQ(menuEntry(2).Caption, "");
    EXPECT_EQ(menuEntry(2).Command, "X1 ");
    EXPECT_EQ(menuEntry(2).Description, "");
}

TEST_F(OptionMenu, AClassThatDoesNotBeginWithMEndsWithoutQuerying) {
    office({{"A", "K5", "x", ""}});
    EXPECT_EQ(readWithOption("%OPT_MENU K5"), 1);
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0].text, "M0140_OPT_MENUでエラーが発生しました。\r\n行番号 1");
    EXPECT_EQ(boxes()[0].icon, Icon::Critical);
    EXPECT_EQ(boxes()[0].title, tav::platform::programTitle());
    for (const QString& s : statements()) EXPECT_FALSE(s.contains("ORDER BY")) << s.toStdString();
}

TEST_F(OptionMenu, AClassWithoutRowsShowsBothMessagesAndEnds) {
    office({{"A", "M7", "x", ""}});
    EXPECT_EQ(readWithOption("%OPT_MENU M5"), 1);
    ASSERT_EQ(boxes().size(), 2u);
    EXPECT_EQ(boxes()[0].title, "オプションメニュー展開");
    EXPECT_EQ(boxes()[0].text, "名称マスタ SELECT-ERROR");
    EXPECT_EQ(boxes()[0].buttons, Buttons::Ok);
    EXPECT_EQ(boxes()[0].icon, Icon::None);
    EXPECT_EQ(boxes()[1].text, "M0140_OPT_MENUでエラーが発生しました。\r\n行番号 1");
}

TEST_F(OptionMenu, AQuoteInTheClassStaysInsideTheLiteral) {
    office({{"A", "M\"", "引用符", ""}});
    ASSERT_EQ(readWithOption("%OPT_MENU M\""), -1);
    EXPECT_TRUE(
        statements().contains("SELECT 名称ＩＤ,名称名称,名称説明 FROM 名称マスタ WHERE 名称区分 = "
                              "\"M\"\"\" ORDER BY 名称ＩＤ"));
    EXPECT_EQ(menuEntry(2).Caption, "引用符");
    EXPECT_TRUE(boxes().empty());
}

// The option menu raises the index before it fills the entry, so the message names
// 1000, the index of the entry that no longer fits; the table keeps its last entry at 999.
TEST_F(OptionMenu, ATableThatIsFullEnds) {
    office({{"A", "M1", "a", ""}, {"B", "M1", "b", ""}, {"C", "M1", "c", ""}});
    QString before;
    for (int i = 0; i < 996; ++i) before += "@30 01 01 01 x\r\n";
    EXPECT_EQ(readWithOption("%OPT_MENU M1", before), 1);
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0].text, "M0140_OPT_MENUでエラーが発生しました。\r\n行番号 1000");
    EXPECT_EQ(menuTable().LastEntryIndex, 999);
}

TEST_F(OfficeDatabase, OpeningPointsTheCodeLookUpAtTheOfficeDatabase) {
    office({}, {company(100, "本店")});
    tav::formhelper::lookupState().db = 7;
    ASSERT_EQ(exitStatusOf([&] { refresh(); }), -1);
    EXPECT_EQ(tav::formhelper::lookupState().db, 0);
}

#include "menu/command_expansion.h"
#include "menu/menu_file.h"
#include "menu/startup.h"
#include "menu_fakes.h"

using namespace tav::menu;
using tav::platform::Buttons;
using tav::platform::Icon;
using tav::test::exitStatusOf;

class CommandExpansion : public tav::test::MenuTest {
  protected:
    CommandExpansion() : MenuTest("TAV/SYS_TST/MENU") {}
    void SetUp() override {
        ASSERT_EQ(exitStatusOf([] { M0005_KIDOU_CHECK(); }), 1);
    }
    // Stores an entry with the command at the next index and expands it.
    QString expand(const QString& command) {
        MenuTable& t = menuTable();
        t.LastEntryIndex += 1;
        menuEntry(t.LastEntryIndex) = MenuEntry{};
        menuEntry(t.LastEntryIndex).Command = command;
        const int index = t.LastEntryIndex;
        M0130_MDAT_PARAM_CNV();
        return menuEntry(index).Command;
    }
    QString base() const { return pf.root() + "/TAV"; }
};

TEST_F(CommandExpansion, EveryToken) {
    // The folders come from the start-up check (the menu file is missing there, hence 1 above).
    fake.messageBox.shown.clear();
    const QString folder = pf.path();
    EXPECT_EQ(expand("%PARAM01 \\DATA"), "EXPLORER " + folder + "\\DATA");
    EXPECT_EQ(expand("%PARAM03 C:\\TAV\\DOC"), "EXPLORER C:\\TAV\\DOC");
    EXPECT_EQ(expand("%P04_notepadREADME.TXT"), "notepad  README.TXT");
    EXPECT_EQ(expand("%P05_notepad \\LOG.TXT"), "notepad  " + folder + "\\LOG.TXT");
    EXPECT_EQ(expand("%P06_TST"), base() + "/SYS_TST/MENU/TAV_menu1");
    EXPECT_EQ(expand("%P06_SUB x"), base() + "/SYS_SUB/MENU/TAV_menu1");
    EXPECT_EQ(expand("%P06_MAIN"), base() + "/SYS/MENU/TAV_menu1");
    EXPECT_EQ(expand("%P07_XLS 帳票\\月報.XLS"), "ZUC730MD.VBS");
    EXPECT_EQ(menuEntry(menuTable().LastEntryIndex).Parameters,
              "\"" + folder + "/帳票\\月報.XLS\"");
    // Tokens compare exactly and only at the start.
    EXPECT_EQ(expand("%param01 x"), "%param01 x");
    EXPECT_EQ(expand(" %PARAM01 x"), " %PARAM01 x");
    EXPECT_EQ(expand("%PARAM02 "), "%PARAM02 ");
    EXPECT_EQ(expand("prog.exe %PARAM01"), "prog.exe %PARAM01");
    EXPECT_EQ(expand("%PARAM01"), "EXPLORER " + folder);
    EXPECT_TRUE(boxes().empty());
    EXPECT_TRUE(journal.isEmpty());
}

TEST_F(CommandExpansion, TheOptionTokenCallsTheOptionMenuAndStaysUnchanged) {
    fake.messageBox.shown.clear();
    EXPECT_EQ(expand("%OPT_MENU M5"), "%OPT_MENU M5");
    EXPECT_EQ(journal, QStringList{"M0140 %OPT_MENU M5"});
}

TEST_F(CommandExpansion, TheBackupFolderFromTheNameMaster) {
    fake.messageBox.shown.clear();
    db.names[{"BK_KING", "BK"}] = "\\BACKUP";
    EXPECT_EQ(expand("%PARAM02"), "EXPLORER " + pf.path() + "\\BACKUP");
    db.names[{"BK_KING", "BK"}] = "D:\\BACKUP";
    EXPECT_EQ(expand("%PARAM02"), "EXPLORER D:\\BACKUP");
    db.names[{"BK_KING", "BK"}] = "..\\BACKUP";
    EXPECT_EQ(expand("%PARAM02"), "EXPLORER " + pf.root() + "/TAV/SYS_TST/BACKUP");
    db.names[{"BK_KING", "BK"}] = "/srv/backup";
    EXPECT_EQ(expand("%PARAM02"), "EXPLORER /srv/backup");
    EXPECT_TRUE(boxes().empty());

    db.names[{"BK_KING", "BK"}] = "BACKUP";
    EXPECT_EQ(expand("%PARAM02"), "EXPLORER");
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0].title, "起動エラー");
    EXPECT_EQ(boxes()[0].text, "名称マスタのバックアップ先ホルダ名称エラー:BACKUP");
    EXPECT_EQ(boxes()[0].buttons, Buttons::Ok);
    EXPECT_EQ(boxes()[0].icon, Icon::None);

    db.names.clear();
    EXPECT_EQ(expand("%PARAM02"), "EXPLORER");
    EXPECT_EQ(boxes()[1].text, "名称マスタのバックアップ先ホルダ名称エラー:名称名称?");
}

TEST_F(CommandExpansion, FailuresEndWithTheIndexOfTheEntry) {
    fake.messageBox.shown.clear();
    menuTable().LastEntryIndex = 6;
    db.onLookup = [](const QString&, const QString&) { throw std::runtime_error("broken"); };
    EXPECT_EQ(exitStatusOf([&] { expand("%PARAM02"); }), 1);
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0].text, "M0130_PARAM02でエラーが発生しました。\r\n行番号 7");
    EXPECT_EQ(boxes()[0].title, tav::platform::programTitle());
    EXPECT_EQ(boxes()[0].icon, Icon::Critical);

    db.onOptionMenu = [] { tav::err::raise(tav::err::Overflow); };
    EXPECT_EQ(exitStatusOf([&] { expand("%OPT_MENU M1"); }), 1);
    ASSERT_EQ(boxes().size(), 2u);
    EXPECT_EQ(boxes()[1].text, "M0130_MDAT_PARAM_CNVでエラーが発生しました。\r\n行番号 8");
    EXPECT_EQ(boxes()[1].icon, Icon::Critical);
}

TEST_F(CommandExpansion, TheReaderExpandsEachEntryRecordAsItIsStored) {
    fake.messageBox.shown.clear();
    tav::test::writeCp932(pf.file("M.DAT"),
                          "@30 01 01 01 照会,0,0,%PARAM03 D:\\X\r\n"
                          "@30 01 01 02 メモ,1,0,%P04_notepadA.TXT\r\n");
    menuContext().MenuFileName = "M.DAT";
    ASSERT_EQ(exitStatusOf([] { M0100_LMN000_IN(); }), -1);
    EXPECT_EQ(menuEntry(0).Command, "EXPLORER D:\\X");
    EXPECT_EQ(menuEntry(1).Command, "notepad  A.TXT");
}

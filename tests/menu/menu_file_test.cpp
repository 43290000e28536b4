#include <QDir>
#include <QFile>
#include <stdexcept>

#include "menu/menu_file.h"
#include "menu/startup.h"
#include "menu_fakes.h"
#include "platform/textfile.h"

using namespace tav::menu;
using tav::platform::Answer;
using tav::platform::Buttons;
using tav::platform::Icon;
using tav::test::exitStatusOf;

namespace {

QString rec(QChar kind, const QString& a, const QString& b, const QString& c, const QString& d,
            const QString& text) {
    return kind + a + u' ' + b + u' ' + c + u' ' + d + u' ' + text;
}
QString entry(const QString& a, const QString& b, const QString& c, const QString& d,
              const QString& text) {
    return rec(u'@', a, b, c, d, text);
}
QString header(const QString& a, const QString& text) {
    return rec(u'$', a, "00", "00", "00", text);
}

}  // namespace

class MenuFile : public tav::test::MenuTest {
  protected:
    void SetUp() override {
        menuContext().RunMode = "M";
        menuContext().MenuFileName = "TAV_MENU1.DAT";
    }
    // Writes the lines (CR LF) as the standard menu file in CP932 and reads it.
    int read(const QStringList& lines, const QString& name = "TAV_MENU1.DAT") {
        tav::test::writeCp932(pf.file(name), lines.join("\r\n") + "\r\n");
        return exitStatusOf([] { M0100_LMN000_IN(); });
    }
    const MenuEntry& at(int i) { return menuEntry(i); }
};

TEST_F(MenuFile, APageRecordWithASingleWordTakesItAsCaption) {
    ASSERT_EQ(read({entry("10", "01", "00", "00", "業務一覧")}), -1);
    EXPECT_EQ(menuTable().LastEntryIndex, 0);
    EXPECT_EQ(at(0).Kind, 10);
    EXPECT_EQ(at(0).ListGroup, 1);
    EXPECT_EQ(at(0).ButtonGroup, 0);
    EXPECT_EQ(at(0).ButtonNumber, 0);
    EXPECT_EQ(at(0).Caption, "業務一覧");
    EXPECT_EQ(at(0).LaunchMode, "");
    EXPECT_EQ(at(0).Command, "");
    EXPECT_EQ(at(0).Description, "");
    EXPECT_TRUE(boxes().empty());
    // Without a comma the caption ends at the first blank.
    ASSERT_EQ(read({entry("10", "02", "00", "00", " 顧客 管理  ")}), -1);
    EXPECT_EQ(at(0).Caption, "顧客");
}

TEST_F(MenuFile, ThirteenFieldsGoToTheEntryInOrderAndMissingOnesAreEmpty) {
    ASSERT_EQ(read({entry("30", "01", "02", "03",
                          " 顧客照会 , 2 ,1, prog.exe a ,1,0,1,0,1,0,1,0, 説明です "),
                    entry("20", "01", "02", "00", "一覧,0,1")}),
              -1);
    const MenuEntry& e = at(0);
    EXPECT_EQ(e.Kind, 30);
    EXPECT_EQ(e.ListGroup, 1);
    EXPECT_EQ(e.ButtonGroup, 2);
    EXPECT_EQ(e.ButtonNumber, 3);
    EXPECT_EQ(e.Caption, "顧客照会");
    EXPECT_EQ(e.LaunchMode, "2");
    EXPECT_EQ(e.RelativeFlag, "1");
    EXPECT_EQ(e.Command, "prog.exe a");
    EXPECT_EQ(e.Parameters, "");
    EXPECT_EQ(e.ProfileFlags, (std::array<QString, 8>{"1", "0", "1", "0", "1", "0", "1", "0"}));
    EXPECT_EQ(e.Description, "説明です");
    EXPECT_EQ(at(1).Caption, "一覧");
    EXPECT_EQ(at(1).LaunchMode, "0");
    EXPECT_EQ(at(1).RelativeFlag, "1");
    EXPECT_EQ(at(1).Command, "");
    EXPECT_EQ(at(1).ProfileFlags[0], "");
}

TEST_F(MenuFile, NumberColumns) {
    EXPECT_EQ(MenuNumberColumn(MenuLine("@  "), 2), 0);
    EXPECT_EQ(MenuNumberColumn(MenuLine("@ 5"), 2), 5);
    EXPECT_EQ(MenuNumberColumn(MenuLine("@5 "), 2), 5);
    EXPECT_EQ(MenuNumberColumn(MenuLine("@-1"), 2), -1);
    EXPECT_EQ(MenuNumberColumn(MenuLine("@.5"), 2), 0);
    EXPECT_EQ(MenuNumberColumn(MenuLine("@-1.5"), 2), -1);
    EXPECT_EQ(MenuNumberColumn(MenuLine("@1."), 2), 1);
    EXPECT_THROW(MenuNumberColumn(MenuLine("@-"), 2), tav::RuntimeError);
    EXPECT_THROW(MenuNumberColumn(MenuLine("@1A"), 2), tav::RuntimeError);
    EXPECT_THROW(MenuNumberColumn(MenuLine("@１"), 2), tav::RuntimeError);
}

TEST_F(MenuFile, ALetterInANumberColumnEndsWithTheRecordNumber) {
    EXPECT_EQ(read({"* comment", entry("10", "01", "00", "00", "A"), "", header("01", "X"),
                    entry("2O", "01", "01", "00", "B")}),
              1);
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0].text, "データファイル読み込み中にエラーが発生しました。\r\n行番号 3");
    EXPECT_EQ(boxes()[0].title, tav::platform::programTitle());
    EXPECT_EQ(boxes()[0].buttons, Buttons::Ok);
    EXPECT_EQ(boxes()[0].icon, Icon::Critical);
}

TEST_F(MenuFile, ALetterInTheLastNumberColumnToo) {
    EXPECT_EQ(read({entry("30", "01", "01", "1x", "A")}), 1);
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0].text, "データファイル読み込み中にエラーが発生しました。\r\n行番号 1");
}

TEST_F(MenuFile, ANonNumericHeaderKindIsAnUnexpectedError) {
    EXPECT_EQ(read({entry("10", "01", "00", "00", "A"), header("x1", "TITLE")}), 1);
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0].text,
              "予期せぬエラーが発生しました。   M0100_LMN000_IN\r\n13 : 型が一致しません。");
    EXPECT_EQ(boxes()[0].icon, Icon::Critical);
    EXPECT_EQ(boxes()[0].title, tav::platform::programTitle());
}

TEST_F(MenuFile, HeaderRecordsSetTheCaptionsAndTakeAnEmptySlot) {
    db.names[{"VERSION", "BA"}] = "Ver 3.1";
    ASSERT_EQ(read({header("01", "  社内システム  "), header("02", "ファイルの版"),
                    header("03", "業務メニュー"), header("07", "無視"),
                    entry("10", "05", "00", "00", "P")}),
              -1);
    const MenuContext& ctx = menuContext();
    EXPECT_EQ(ctx.SystemName, "社内システム");
    EXPECT_EQ(ctx.TitleText, "業務メニュー");
    // The version always comes from the name master at the end of the file.
    EXPECT_EQ(ctx.VersionText, "Ver 3.1");
    EXPECT_EQ(menuTable().LastEntryIndex, 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(at(i).Kind, 0);
        EXPECT_EQ(at(i).ListGroup, 0);
        EXPECT_EQ(at(i).Caption, "");
    }
    EXPECT_EQ(at(4).ListGroup, 5);
    EXPECT_EQ(journal,
              (QStringList{"P5300 MAIN_WIN_CAP M3", "P5300 MAIN_LBL_CAP M3", "P5300 VERSION BA"}));
}

TEST_F(MenuFile, TheHeaderValueIsCharacters14To113) {
    QString value = QString(99, u'あ') + "XYZ";
    ASSERT_EQ(read({header("03", value)}), -1);
    EXPECT_EQ(menuContext().TitleText, QString(99, u'あ') + "X");
}

TEST_F(MenuFile, TheNameMasterOverridesTheCaptionsAndAMissingVersionIsEmpty) {
    db.names[{"MAIN_WIN_CAP", "M3"}] = "名称マスタの表題";
    db.names[{"MAIN_LBL_CAP", "M3"}] = "名称マスタのタイトル";
    ASSERT_EQ(read({header("01", "ファイルの表題"), header("03", "ファイルのタイトル"),
                    header("02", "1.0")}),
              -1);
    EXPECT_EQ(menuContext().SystemName, "名称マスタの表題");
    EXPECT_EQ(menuContext().TitleText, "名称マスタのタイトル");
    EXPECT_EQ(menuContext().VersionText, "");
}

TEST_F(MenuFile, DefaultCaptionsWhenEmpty) {
    ASSERT_EQ(read({entry("10", "01", "00", "00", "P")}), -1);
    EXPECT_EQ(menuContext().SystemName, "マルヴネシステム");
    EXPECT_EQ(menuContext().TitleText, "マルヴネ 業務メニュー");
}

TEST_F(MenuFile, TheRunModeDecidesTheTitleAfterEveryHeader) {
    menuContext().TitleColour = "8388608";
    menuContext().RunMode = "T";
    ASSERT_EQ(read({header("03", "業務"), entry("10", "01", "00", "00", "P")}), -1);
    EXPECT_EQ(menuContext().TitleText, "テスト環境");
    EXPECT_EQ(menuContext().TitleColour, "255");

    tav::menu::resetMenuState();
    menuContext().RunMode = "S";
    menuContext().MenuFileName = "TAV_MENU1.DAT";
    ASSERT_EQ(read({header("09", "")}), -1);
    EXPECT_EQ(menuContext().TitleText, "サブシステム");
    EXPECT_EQ(menuContext().TitleColour, "16744576");

    // Without any header the design title stays.
    tav::menu::resetMenuState();
    menuContext().RunMode = "T";
    menuContext().TitleColour = "8388608";
    menuContext().MenuFileName = "TAV_MENU1.DAT";
    ASSERT_EQ(read({entry("10", "01", "00", "00", "P")}), -1);
    EXPECT_EQ(menuContext().TitleText, "マルヴネ 業務メニュー");
    EXPECT_EQ(menuContext().TitleColour, "8388608");
}

TEST_F(MenuFile, ALineLongerThan200CharactersIsCut) {
    QString text = "長い説明,0,0,cmd,1,1,1,1,1,1,1,1," + QString(200, u'説');
    ASSERT_EQ(read({entry("30", "01", "01", "01", text)}), -1);
    const int kept =
        200 - 13 - static_cast<int>(QString("長い説明,0,0,cmd,1,1,1,1,1,1,1,1,").size());
    EXPECT_EQ(at(0).Description, QString(kept, u'説'));
}

TEST_F(MenuFile, ExactlyAThousandRecordsAndTheLimit) {
    QStringList lines;
    for (int i = 0; i < 1000; ++i)
        lines << (i % 100 == 0 ? header("02", "v") : entry("30", "01", "01", "01", "B"));
    db.names[{"VERSION", "BA"}] = "名称の版";
    ASSERT_EQ(read(lines), -1);
    EXPECT_TRUE(boxes().empty());
    EXPECT_EQ(menuTable().LastEntryIndex, 999);
    EXPECT_EQ(menuContext().VersionText, "名称の版");

    // Any further line, even an empty one, shows the limit; the version is not looked up.
    tav::menu::resetMenuState();
    menuContext().RunMode = "M";
    menuContext().MenuFileName = "TAV_MENU1.DAT";
    lines << "";
    ASSERT_EQ(read(lines), -1);
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0].text, "データが999件を超えました。");
    EXPECT_EQ(boxes()[0].title, "読込みエラー");
    EXPECT_EQ(boxes()[0].icon, Icon::Critical);
    EXPECT_EQ(menuTable().LastEntryIndex, 999);
    EXPECT_EQ(menuContext().VersionText, "v");
}

TEST_F(MenuFile, EveryEntryUpToTheLimitReadsEmptyUntilWrittenAndStaysWhereItIs) {
    ASSERT_EQ(
        read({entry("20", "01", "01", "01", "一覧"), entry("30", "01", "01", "01", "ボタン")}), -1);
    const MenuEntry& first = at(0);
    const MenuTable& table = menuTable();
    EXPECT_EQ(table.MenuEntries[998].Kind, 0);
    EXPECT_TRUE(table.MenuEntries[998].Caption.isEmpty());
    menuEntry(999).Caption = "最後";  // the entries in between are made; the first stays put
    EXPECT_EQ(first.Caption, "一覧");
    EXPECT_EQ(first.Kind, EntryKind::ListItem);
    EXPECT_EQ(table.MenuEntries[999].Caption, "最後");
    EXPECT_THROW(menuEntry(1000), std::out_of_range);
    EXPECT_THROW(menuEntry(-1), std::out_of_range);
    EXPECT_THROW((void)table.MenuEntries[1000], std::out_of_range);
    resetMenuState();
    EXPECT_TRUE(table.MenuEntries[0].Caption.isEmpty());
    EXPECT_TRUE(table.MenuEntries[999].Caption.isEmpty());
}

TEST_F(MenuFile, Cp932AndUtf8FilesKeepEveryCharacter) {
    const QString caption = "㈱丸部①～ｶﾌﾞｼｷｶﾞｲｼｬ";
    const QString description = "①ｺﾒﾝﾄ～㈲ テスト";
    const QString line =
        entry("30", "01", "01", "01", caption + ",0,1,prog.exe,1,1,1,1,1,1,1,1," + description);
    tav::test::writeCp932(pf.file("TAV_MENU1.DAT"), header("01", "㈱マルヴネ～") + "\r\n" + line);
    ASSERT_EQ(exitStatusOf([] { M0100_LMN000_IN(); }), -1);
    EXPECT_EQ(menuContext().SystemName, "㈱マルヴネ～");
    EXPECT_EQ(at(1).Caption, caption);
    EXPECT_EQ(at(1).Description, description);

    tav::menu::resetMenuState();
    menuContext().RunMode = "M";
    menuContext().MenuFileName = "TAV_MENU1.DAT";
    tav::test::writeFile(pf.file("TAV_MENU1.DAT"),
                         (header("01", "㈱マルヴネ～") + "\n" + line + "\n").toUtf8());
    ASSERT_EQ(exitStatusOf([] { M0100_LMN000_IN(); }), -1);
    EXPECT_EQ(menuContext().SystemName, "㈱マルヴネ～");
    EXPECT_EQ(at(1).Caption, caption);
    EXPECT_EQ(at(1).Description, description);
    EXPECT_TRUE(boxes().empty());
}

TEST_F(MenuFile, TheBytesOfACp932FileAreReadAsTheOfficeWroteThem) {
    // ㈱ 87 8A, ① 87 40, ～ 81 60, ｶ B6, ﾞ DE, 丸 8A DB.
    const QByteArray line = QByteArray("@30 01 01 01 ") + "\x87\x8A\x87\x40\x81\x60\xB6\xDE" +
                            ",0,1,x.exe,1,1,1,1,1,1,1,1," + "\x8A\xDB\xB6\x87\x40";
    tav::test::writeFile(pf.file("TAV_MENU1.DAT"), line + "\r\n");
    ASSERT_EQ(exitStatusOf([] { M0100_LMN000_IN(); }), -1);
    EXPECT_EQ(at(0).Caption, "㈱①～ｶﾞ");
    EXPECT_EQ(at(0).Description, "丸ｶ①");
}

// A menu file of ASCII and half-width katakana is valid UTF-8 by chance ("ﾃｽ"
// is C3 BD) and is still read as the CP932 the office wrote.
TEST_F(MenuFile, HalfWidthKatakanaThatLooksLikeUtf8IsReadAsCp932) {
    const QString text = entry("10", "01", "00", "00", "ﾃｽﾄｰ") + "\r\n" +
                         entry("20", "01", "01", "00", "ﾃｽ,0,1,x.exe,1,1,1,1,1,1,1,1,ﾃｽ ﾃｽ") +
                         "\r\n";
    tav::test::writeCp932(pf.file("TAV_MENU1.DAT"), text);
    const QByteArray bytes = tav::test::readFile(pf.file("TAV_MENU1.DAT"));
    ASSERT_EQ(QString::fromUtf8(bytes).toUtf8(), bytes);  // valid UTF-8 as it stands
    ASSERT_EQ(exitStatusOf([] { M0100_LMN000_IN(); }), -1);
    EXPECT_EQ(at(0).Caption, "ﾃｽﾄｰ");
    EXPECT_EQ(at(1).Caption, "ﾃｽ");
    EXPECT_EQ(at(1).Description, "ﾃｽ ﾃｽ");
    EXPECT_TRUE(boxes().empty());
}

// A stray LF inside a record of a CR LF file does not split the record, so the
// entry is not lost; a file without any CR LF is split at LF.
TEST_F(MenuFile, AStrayLfInsideACrLfRecordKeepsTheRecordWhole) {
    tav::test::writeCp932(
        pf.file("TAV_MENU1.DAT"),
        entry("10", "01", "00", "00", "業務") + "\r\n" +
            entry("20", "01", "01", "00", "照会,2,1,prog.exe\n a,1,1,1,1,1,1,1,1,説明") + "\r\n" +
            entry("20", "01", "02", "00", "次") + "\r\n");
    ASSERT_EQ(exitStatusOf([] { M0100_LMN000_IN(); }), -1);
    EXPECT_EQ(menuTable().LastEntryIndex, 2);
    EXPECT_EQ(at(1).Caption, "照会");
    EXPECT_EQ(at(1).Command, "prog.exe\n a");
    EXPECT_EQ(at(1).Description, "説明");
    EXPECT_EQ(at(2).Caption, "次");

    tav::menu::resetMenuState();
    menuContext().RunMode = "M";
    menuContext().MenuFileName = "TAV_MENU1.DAT";
    tav::test::writeCp932(pf.file("TAV_MENU1.DAT"), entry("10", "01", "00", "00", "業務") + "\n" +
                                                        entry("20", "01", "01", "00", "照会") +
                                                        "\n");
    ASSERT_EQ(exitStatusOf([] { M0100_LMN000_IN(); }), -1);
    EXPECT_EQ(menuTable().LastEntryIndex, 1);
    EXPECT_EQ(at(1).Caption, "照会");
    EXPECT_TRUE(boxes().empty());
}

TEST_F(MenuFile, AMissingFileOffersTheStandardMenu) {
    tav::test::writeCp932(pf.file("TAV_MENU1.DAT"), entry("10", "07", "00", "00", "標準"));
    menuContext().MenuFileName = "OTHER.DAT";
    ASSERT_EQ(exitStatusOf([] { M0100_LMN000_IN(); }), -1);
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0].title, "セットアップ確認 2");
    EXPECT_EQ(boxes()[0].text,
              "OTHER.DATが見つかりません。\r\nメニュー構成ファイル名の確認をしてください。\r\n\r\n"
              " 標準メニューで起動します。");
    EXPECT_EQ(boxes()[0].buttons, Buttons::YesNo);
    EXPECT_EQ(boxes()[0].icon, Icon::None);
    EXPECT_EQ(menuContext().MenuFileName, "TAV_MENU1.DAT");
    EXPECT_EQ(at(0).ListGroup, 7);
}

TEST_F(MenuFile, NoToTheStandardMenuEnds) {
    menuContext().MenuFileName = "OTHER.DAT";
    fake.messageBox.answers = {Answer::No};
    EXPECT_EQ(exitStatusOf([] { M0100_LMN000_IN(); }), 1);
    EXPECT_EQ(boxes().size(), 1u);
}

TEST_F(MenuFile, AMissingStandardFileEndsAfterYes) {
    menuContext().MenuFileName = "OTHER.DAT";
    EXPECT_EQ(exitStatusOf([] { M0100_LMN000_IN(); }), 1);
    ASSERT_EQ(boxes().size(), 2u);
    EXPECT_EQ(
        boxes()[1].text,
        "予期せぬエラーが発生しました。   M0100_LMN000_IN\r\n53 : ファイルが見つかりません。");
    EXPECT_EQ(boxes()[1].icon, Icon::Critical);
}

TEST_F(MenuFile, AFileThatCannotBeReadIsAnUnexpectedError) {
    QDir().mkpath(pf.file("TAV_MENU1.DAT"));
    EXPECT_EQ(exitStatusOf([] { M0100_LMN000_IN(); }), 1);
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0].text,
              "予期せぬエラーが発生しました。   M0100_LMN000_IN\r\n75 : パス名が無効です。");
}

TEST_F(MenuFile, FullPathsAndFoldersInTheName) {
    tav::test::writeCp932(pf.root() + "/elsewhere/M.DAT", entry("10", "03", "00", "00", "X"));
    menuContext().MenuFileName = pf.root() + "/elsewhere/M.DAT";
    ASSERT_EQ(exitStatusOf([] { M0100_LMN000_IN(); }), -1);
    EXPECT_EQ(at(0).ListGroup, 3);
    EXPECT_EQ(MenuFilePath("SUB\\M.DAT"), pf.path() + "/SUB/M.DAT");
    EXPECT_EQ(MenuFilePath("C:\\M.DAT"), "C:/M.DAT");
}

TEST_F(MenuFile, FunctionButtonsOutsideOneToTwelveStayButAreNeverShown) {
    ASSERT_EQ(read({entry("30", "01", "01", "13", "F13"), entry("30", "01", "01", "00", "F0"),
                    entry("30", "01", "01", "-1", "Fm"), entry("30", "01", "01", "12", "F12"),
                    entry("20", "01", "01", "05", "item")}),
              -1);
    EXPECT_EQ(menuTable().LastEntryIndex, 4);
    EXPECT_EQ(FunctionButtonSlot(at(0)), -1);
    EXPECT_EQ(FunctionButtonSlot(at(1)), -1);
    EXPECT_EQ(FunctionButtonSlot(at(2)), -1);
    EXPECT_EQ(FunctionButtonSlot(at(3)), 11);
    EXPECT_EQ(FunctionButtonSlot(at(4)), -1);
}

TEST_F(MenuFile, ProfileVisibility) {
    MenuEntry e;
    e.ProfileFlags = {"1", "0", "", "1", "1", "1", "1", "0"};
    EXPECT_TRUE(VisibleForProfile(e, 1));
    EXPECT_FALSE(VisibleForProfile(e, 2));
    EXPECT_FALSE(VisibleForProfile(e, 3));
    EXPECT_FALSE(VisibleForProfile(e, 8));
    EXPECT_TRUE(VisibleForProfile(e, 9));  // taken as profile 1
    EXPECT_TRUE(VisibleForProfile(e, 0));
}

#include "fixture.h"

using namespace tav::formhelper;
using tav::test::Screen;

TEST_F(Screen, DefinitionFileFillsTheTables) {
    const HelperContext& ctx = helperContext();
    ASSERT_EQ(ctx.items.size(), 17u);
    ASSERT_EQ(ctx.forms.size(), 2u);
    EXPECT_EQ(ctx.forms[0].formId, QStringLiteral("OTHER     "));
    EXPECT_EQ(ctx.forms[0].firstItem, 0);
    EXPECT_EQ(ctx.forms[0].lastItem, 0);
    EXPECT_EQ(ctx.forms[1].firstItem, 1);
    EXPECT_EQ(ctx.forms[1].lastItem, 16);
    const ItemRecord& code = ctx.items[1];
    EXPECT_EQ(code.itemId, QStringLiteral("CUST_CODE       "));
    EXPECT_EQ(code.codeId, QStringLiteral("CUSTOMER"));
    EXPECT_EQ(code.inputType, QStringLiteral("99"));
    EXPECT_EQ(code.nameItemId, QStringLiteral("CUST_NAME       "));
    EXPECT_EQ(code.column, -1);
    EXPECT_EQ(ctx.items[5].inputType, QStringLiteral("9 "));  // the blank is kept
    EXPECT_EQ(ctx.items[6].decimals, 2);
    EXPECT_EQ(ctx.items[12].column, 1);
    EXPECT_EQ(ctx.inputBackColor, 12648447u);
    EXPECT_EQ(ctx.codeCheckBaseColor, 14737632u);
    EXPECT_TRUE(ctx.ReformatOnExit);
    EXPECT_EQ(ctx.changeFlags, QString(17, u'0'));
    EXPECT_EQ(tav::common::displayFormatSettings().userFormats[0], QStringLiteral(" #,##0.0"));
    EXPECT_EQ(tav::common::displayFormatSettings().eras.size(), 5u);  // the default table
    // The tag header of a repeating item in row 2.
    EXPECT_EQ(c(tav::test::kRow2Code).tag(), QStringLiteral("ROW_CODE         01102    "));
    EXPECT_EQ(form->itemControl(1), tav::test::kCode);
    EXPECT_EQ(form->blockControl(1, 2), tav::test::kRow2Name);
}

TEST(ScreenDefinitionFile, FaultsNameTheLine) {
    struct Case {
        const char* text;
        int line;
        const char* message;
    } cases[] = {
        {"A | 1 | TXT | | X | 5 | 0 | 00 | 1", 1,
         "見出し ([SETTINGS] [FORMATS] [ERAS] [FORM ID]) の前に行があります"},
        {"[FORM F]\nA | 1 | TXT | | X | 5 | 0", 2,
         "項目の欄の数が正しくありません (9～11 欄、区切りは |)"},
        {"[FORM F]\n\n# c\nA | 1 | TXT | | X | 5x | 0 | 00 | 1", 4,
         "桁数は 1～999 の数字で指定してください (5x)"},
        {"[FORM F]\nA | 1 | TEXT | | X | 5 | 0 | 00 | 1", 2,
         "コントロール種別は TXT CMB LBL BTN OPT CHK のいずれかです (TEXT)"},
        {"[FORM F]\nA | 1 | TXT | | X | 5 | 0 | 0 | 1", 2, "フォーマットIDは2文字です (0)"},
        {"[FORM F]\nA | 1 | TXT | | X | 5 | 0 | 00 | 1\na | 1 | TXT | | X | 5 | 0 | 00 | 1", 3,
         "項目IDが重複しています (a)"},
        {"[FORM F]\nABCDEFGHIJKLMNOPQ | 1 | TXT | | X | 5 | 0 | 00 | 1", 2,
         "項目IDは 16 文字以内で指定してください (ABCDEFGHIJKLMNOPQ)"},
        {"[FORM F]\n[form f]", 2, "フォームIDが重複しています (f)"},
        {"[SETTINGS]\nFORECOLOR=16777216", 2,
         "FORECOLORは 0～16777215 の数字で指定してください (16777216)"},
        {"[SETTINGS]\nREFORMATONEXIT=yes", 2,
         "REFORMATONEXITは 0～1 の数字で指定してください (yes)"},
        {"[SETTINGS]\nCOLOUR=1", 2, "設定項目名が正しくありません (COLOUR)"},
        {"[FORMATS]\n90=0", 2, "フォーマットIDは 80～89 で指定してください (90)"},
        {"[FORMATS]\n81=yyyy/mm/dd", 2, "表示書式を解釈できません (yyyy/mm/dd)"},
        {"[ERAS]\nH=1989\nS=1926", 3, "元号は開始年の順に並べてください (S)"},
        {"[SCREEN]", 1, "見出しが正しくありません (SCREEN)"},
        {"[FORMATS]\n80 #,##0", 2, "「名前=値」の形ではありません"},
    };
    for (const Case& k : cases) {
        try {
            parseScreenDefinitions(QString::fromUtf8(k.text), QStringLiteral("APP.SCR"));
            ADD_FAILURE() << k.text;
        } catch (const ScreenDefinitionError& e) {
            EXPECT_EQ(e.line, k.line) << k.text;
            EXPECT_EQ(e.message, QString::fromUtf8(k.message)) << k.text;
            EXPECT_EQ(e.text(), QStringLiteral("APP.SCR ") + QString::number(k.line) +
                                    QStringLiteral("行目: ") + QString::fromUtf8(k.message));
        }
    }
}

TEST(ScreenDefinitionFile, LoadsCp932AndKeepsTheOldTablesOnAFault) {
    tav::test::ProgramFolder folder;
    HelperContext& ctx = helperContext();
    const auto savedFormats = tav::common::displayFormatSettings();
    tav::test::writeCp932(
        folder.file("APP.SCR"),
        QStringLiteral("[ERAS]\r\nＨ=1989\r\n[FORM 顧客]\r\n顧客ｺｰﾄﾞ|1|TXT||9|6|0|00|1\r\n"));
    ASSERT_FALSE(LoadScreenDefinitions(folder.file("APP.SCR")).has_value());
    ASSERT_EQ(ctx.items.size(), 1u);
    EXPECT_EQ(ctx.items[0].itemId, QStringLiteral("顧客ｺｰﾄﾞ") + QString(10, u' '));
    EXPECT_EQ(ctx.findForm(QStringLiteral("顧客")), 0);
    EXPECT_EQ(tav::common::ToEraDate("20240315"), QStringLiteral("Ｈ360315"));

    tav::test::writeFile(folder.file("BAD.SCR"),
                         "[FORM A]\nX|1|TXT||9|6|0|00|1\nY|1|TXT||9|6|0|0|1\n");
    auto fault = LoadScreenDefinitions(folder.file("BAD.SCR"));
    ASSERT_TRUE(fault.has_value());
    EXPECT_EQ(fault->text(), QStringLiteral("BAD.SCR 3行目: フォーマットIDは2文字です (0)"));
    EXPECT_EQ(ctx.items.size(), 1u);  // nothing of the faulty file was installed
    auto missing = LoadScreenDefinitions(folder.file("NONE.SCR"));
    ASSERT_TRUE(missing.has_value());
    EXPECT_EQ(missing->text(), QStringLiteral("NONE.SCR: ファイルを読めません"));
    tav::common::displayFormatSettings() = savedFormats;
}

TEST(ScreenDefinitionFile, TheExampleOfTheReadmeLoads) {
    const QString readme = QString::fromUtf8(tav::test::readFile(QStringLiteral(TAV_README)));
    const qsizetype section = readme.indexOf(QStringLiteral("## Screen-definition files"));
    ASSERT_GE(section, 0);
    const qsizetype start = readme.indexOf(QStringLiteral("```\n"), section) + 4;
    const qsizetype end = readme.indexOf(QStringLiteral("```"), start);
    const ScreenDefinitions d =
        parseScreenDefinitions(readme.mid(start, end - start), QStringLiteral("README"));
    ASSERT_EQ(d.items.size(), 3u);
    EXPECT_EQ(d.inputBackColor, 12648447u);
    EXPECT_EQ(d.items[0].nameItemId, QStringLiteral("CUST_NAME       "));
    EXPECT_EQ(d.items[2].column, 0);
    EXPECT_EQ(d.userFormats[0].trimmed(), QStringLiteral("#,##0.0;(#,##0.0)"));
    ASSERT_EQ(d.eras.size(), 2u);
    EXPECT_EQ(d.eras[1].letter, QStringLiteral("R"));
    // Comments after a blank; a "#" inside a field stays.
    const ScreenDefinitions c = parseScreenDefinitions(
        QStringLiteral("[FORM F] # the form\nNO#1 | 1 | TXT | | X | 5 | 0 | 00 | 1 # c\n"), "T");
    EXPECT_EQ(c.items[0].itemId.trimmed(), QStringLiteral("NO#1"));
}

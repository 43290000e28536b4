// The code look-up: statement assembly, ReplaceToken, the search-text checks, and reading real
// code tables on both backends into a list.
#include "formhelper/code_lookup.h"

#include <QFontMetrics>
#include <QItemSelectionModel>

#include "common/system_log.h"
#include "dataaccess/fixture.h"
#include "formhelper/code_list_box.h"

using namespace tav::formhelper;
using namespace tav::dataaccess;
namespace t = tav::test;

namespace {

const QChar kW(0x3000);

LookupColumn column(const char* attribute, const char* width, const char* name) {
    LookupColumn c;
    c.attribute = QString::fromUtf8(attribute);
    c.width = QString::fromUtf8(width);
    c.name = QString::fromUtf8(name).leftJustified(50);
    return c;
}

// The window as the look-up sees it, without the window.
class StubView : public CodeReferenceView {
  public:
    StubView() : list_(new CodeListBox(&window_)) {}
    QWidget* window() override { return &window_; }
    CodeListBox* list() override { return list_; }
    QString searchText() const override { return text; }
    void applyListLayout() override { ++layouts; }
    QStringList lines() const {
        QStringList out;
        for (int i = 0; i < list_->count(); ++i) out << list_->lineText(i);
        return out;
    }
    QString text;
    int layouts = 0;

  private:
    QWidget window_;
    CodeListBox* list_;
};

// A character-keyed code table definition: CODE (5) with NAME.
void characterDefinition() {
    resetLookupState();
    LookupState& s = lookupState();
    s.definition.keyAttribute = QStringLiteral("X");
    s.definition.keyLength = QStringLiteral("005");
    s.definition.searchKind = QStringLiteral("1");
    s.definition.keyColumn = QStringLiteral(" CODE").leftJustified(50);
    s.keyColumns = {column("X", "005", "CODE")};
    s.nameColumns = {column("N", "006", "NAME"), column("X", "004", "KANA")};
    s.tableName = QStringLiteral("CODE_M");
    s.orderClause = QStringLiteral(" ORDER BY CODE");
    s.currentCodeId = QStringLiteral("CUST    ");
    DeriveLineWidths();
}

class Statement : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(tav::common::openSystemLog(folder.path()));
        characterDefinition();
    }
    void TearDown() override {
        resetLookupState();
        tav::common::closeSystemLog();
    }
    QStringList log() const { return t::logTail(folder); }
    QString rawLog() const { return QString::fromUtf8(t::readFile(folder.file("FEND_SYS.LOG"))); }
    tav::platform::FakeServices fake;
    t::ProgramFolder folder;
};

// Statement for search text v with the definition as set up.
QString stmt(const QString& v) {
    return BuildLookupStatement(v);
}

void setKind(int position, const QString& codeId) {
    LookupState& s = lookupState();
    s.kinds[static_cast<size_t>(position)].codeId = codeId;
    s.kindCount = std::max(s.kindCount, position);
}

}  // namespace

TEST_F(Statement, SelectListIsKeyColumnsThenNameColumns) {
    lookupState().keyColumns.push_back(column("9", "003", " BRANCH "));
    BuildSelectList();
    EXPECT_EQ(lookupState().selectList, QStringLiteral("CODE,BRANCH,NAME,KANA"));
    EXPECT_EQ(lookupState().keyColumnList, QStringLiteral("CODE,BRANCH"));
}

TEST_F(Statement, EverySearchConditionFormWithoutExtraCondition) {
    LookupState& s = lookupState();
    const QString base = QStringLiteral("SELECT CODE,NAME,KANA FROM CODE_M");
    // Empty search text: no WHERE clause at all.
    EXPECT_EQ(stmt({}), base + QStringLiteral(" ORDER BY CODE"));
    // Prefix search on a character key: LIKE with "*" unless the text is a whole key.
    EXPECT_EQ(stmt(QStringLiteral("AB")),
              base + QStringLiteral(" WHERE CODE LIKE 'AB*' ORDER BY CODE"));
    EXPECT_EQ(stmt(QStringLiteral("ABCDE")),
              base + QStringLiteral(" WHERE CODE = 'ABCDE' ORDER BY CODE"));
    EXPECT_EQ(stmt(QStringLiteral("ABCDEF")),
              base + QStringLiteral(" WHERE CODE LIKE 'ABCDEF*' ORDER BY CODE"));
    // Exact search on a character key.
    s.definition.searchKind = QStringLiteral("2");
    EXPECT_EQ(stmt(QStringLiteral("AB")),
              base + QStringLiteral(" WHERE CODE = 'AB' ORDER BY CODE"));
    // Numeric key: exact is "=", anything else is "=>", both unquoted.
    s.definition.keyAttribute = QStringLiteral("9");
    EXPECT_EQ(stmt(QStringLiteral("12")), base + QStringLiteral(" WHERE CODE = 12 ORDER BY CODE"));
    s.definition.searchKind = QStringLiteral(" ");
    EXPECT_EQ(stmt(QStringLiteral("12")), base + QStringLiteral(" WHERE CODE => 12 ORDER BY CODE"));
    EXPECT_TRUE(log().isEmpty());
}

TEST_F(Statement, EverySearchConditionFormWithExtraCondition) {
    LookupState& s = lookupState();
    s.definition.extraCondition = QStringLiteral("  DEL_FLG = 0  ");
    s.definition.conditionAttribute = QStringLiteral("9");
    s.orderClause.clear();
    const QString base = QStringLiteral("SELECT CODE,NAME,KANA FROM CODE_M WHERE ");
    EXPECT_EQ(stmt({}), base + QStringLiteral("DEL_FLG = 0"));
    EXPECT_EQ(stmt(QStringLiteral("AB")), base + QStringLiteral("CODE LIKE 'AB*' AND DEL_FLG = 0"));
    EXPECT_EQ(stmt(QStringLiteral("ABCDE")),
              base + QStringLiteral("CODE = 'ABCDE' AND DEL_FLG = 0"));
    s.definition.searchKind = QStringLiteral("2");
    EXPECT_EQ(stmt(QStringLiteral("AB")), base + QStringLiteral("CODE = 'AB' AND DEL_FLG = 0"));
    s.definition.keyAttribute = QStringLiteral("9");
    EXPECT_EQ(stmt(QStringLiteral("12")), base + QStringLiteral("CODE = 12 AND DEL_FLG = 0"));
    s.definition.searchKind = QStringLiteral("1");
    EXPECT_EQ(stmt(QStringLiteral("12")), base + QStringLiteral("CODE => 12 AND DEL_FLG = 0"));
    // Every valid condition attribute, the blank included.
    for (const char* a : {"X", "N", "D", " "}) {
        s.definition.conditionAttribute = QString::fromUtf8(a);
        EXPECT_EQ(stmt({}), base + QStringLiteral("DEL_FLG = 0")) << a;
    }
    // A blank extra condition is no condition, whatever its attribute.
    s.definition.extraCondition = QStringLiteral("   ");
    s.definition.conditionAttribute = QStringLiteral("?");
    EXPECT_EQ(stmt({}), QStringLiteral("SELECT CODE,NAME,KANA FROM CODE_M"));
    EXPECT_TRUE(log().isEmpty());
}

TEST_F(Statement, ExtraConditionTemplate) {
    LookupState& s = lookupState();
    s.orderClause.clear();
    setKind(1, QStringLiteral("OTHER"));
    setKind(2, QStringLiteral(" CUST "));
    LookupKind& kind = s.kinds[2];
    const QString base = QStringLiteral("SELECT CODE,NAME,KANA FROM CODE_M WHERE ");
    // With the token: the whole search condition goes in its place, every time it appears.
    kind.extraConditionTemplate = QStringLiteral(" (%%) OR ALT IN (SELECT ALT FROM X WHERE %%) ");
    EXPECT_EQ(stmt(QStringLiteral("AB")),
              base + QStringLiteral("(CODE LIKE 'AB*') OR ALT IN (SELECT ALT FROM X WHERE CODE "
                                    "LIKE 'AB*')"));
    // Without the token: joined with AND.
    kind.extraConditionTemplate = QStringLiteral("KIND = 1");
    EXPECT_EQ(stmt(QStringLiteral("AB")), base + QStringLiteral("CODE LIKE 'AB*' AND KIND = 1"));
    // No search text and no extra condition: the template alone.
    EXPECT_EQ(stmt({}), base + QStringLiteral("KIND = 1"));
    kind.extraConditionTemplate = QStringLiteral(" (%%) ");
    EXPECT_EQ(stmt({}), base + QStringLiteral("(%%)"));
    // With the extra condition.
    s.definition.extraCondition = QStringLiteral("DEL_FLG = 0");
    s.definition.conditionAttribute = QStringLiteral("X");
    EXPECT_EQ(stmt({}), base + QStringLiteral("(DEL_FLG = 0)"));
    EXPECT_EQ(stmt(QStringLiteral("AB")),
              base + QStringLiteral("(CODE LIKE 'AB*' AND DEL_FLG = 0)"));
    kind.extraConditionTemplate = QStringLiteral("KIND = 1");
    EXPECT_EQ(stmt({}), base + QStringLiteral("DEL_FLG = 0 AND KIND = 1"));
    // Another code ID has no template: kind 1 is taken.
    s.currentCodeId = QStringLiteral("OTHER");
    EXPECT_EQ(stmt({}), base + QStringLiteral("DEL_FLG = 0"));
}

TEST_F(Statement, LookupKindIsFoundByCodeIdElsePositionZero) {
    LookupState& s = lookupState();
    s.orderClause.clear();
    setKind(1, QStringLiteral("BANK"));
    setKind(2, QStringLiteral("CUST"));
    s.kinds[0].extraColumns = QStringLiteral("ZERO");
    s.kinds[1].extraColumns = QStringLiteral("ONE");
    s.kinds[2].extraColumns = QStringLiteral(" EXTRA1,EXTRA2 ");
    EXPECT_EQ(stmt({}), QStringLiteral("SELECT CODE,NAME,KANA,EXTRA1,EXTRA2 FROM CODE_M"));
    s.currentCodeId = QStringLiteral("NONE");
    EXPECT_EQ(stmt({}), QStringLiteral("SELECT CODE,NAME,KANA,ZERO FROM CODE_M"));
    // Entries beyond the count are not looked at.
    s.kindCount = 1;
    s.currentCodeId = QStringLiteral("CUST");
    EXPECT_EQ(stmt({}), QStringLiteral("SELECT CODE,NAME,KANA,ZERO FROM CODE_M"));
}

TEST_F(Statement, FixedSqlTakesPrecedenceOnlyWhenAllThreeTextsAreSet) {
    LookupState& s = lookupState();
    setKind(1, QStringLiteral("CUST"));
    LookupKind& kind = s.kinds[1];
    kind.enablingText = QStringLiteral("1");
    kind.fixedSql = QStringLiteral("  SELECT CODE,NAME,KANA FROM V_CUST  ");
    kind.sqlTemplate =
        QStringLiteral(" SELECT CODE,NAME,KANA FROM V_CUST WHERE CODE LIKE '%%Q_VALUE%%*' ");
    EXPECT_EQ(stmt({}), QStringLiteral("SELECT CODE,NAME,KANA FROM V_CUST"));
    EXPECT_EQ(stmt(QStringLiteral("A1")),
              QStringLiteral("SELECT CODE,NAME,KANA FROM V_CUST WHERE CODE LIKE 'A1*'"));
    const QString normal =
        QStringLiteral("SELECT CODE,NAME,KANA FROM CODE_M WHERE CODE LIKE 'A1*' ORDER BY CODE");
    for (QString* text : {&kind.enablingText, &kind.fixedSql, &kind.sqlTemplate}) {
        const QString saved = *text;
        *text = QStringLiteral("  ");
        EXPECT_EQ(stmt(QStringLiteral("A1")), normal);
        *text = saved;
    }
}

TEST_F(Statement, BadConditionAttributeEndsTheProgram) {
    LookupState& s = lookupState();
    s.definition.extraCondition = QStringLiteral("DEL_FLG = 0");
    s.definition.conditionAttribute = QStringLiteral("Z");
    EXPECT_EQ(t::exitStatusOf([] { BuildLookupStatement(QStringLiteral("A")); }), 2);
    ASSERT_FALSE(log().isEmpty());
    EXPECT_EQ(log().first(),
              QStringLiteral("D6052 H606 5 00000003 ｺｰﾄﾞ管理 属性指定エラー (属性 = Z)"));
}

TEST(ReplaceTokenTest, ReplacesEveryOccurrenceAndAlwaysEnds) {
    EXPECT_EQ(
        ReplaceToken(QStringLiteral(" a %% b %% "), QStringLiteral(" X "), QStringLiteral("%%")),
        QStringLiteral("a X b X"));
    EXPECT_EQ(ReplaceToken(QStringLiteral(" none "), QStringLiteral("X"), QStringLiteral("%%")),
              QStringLiteral("none"));
    // The replacement holding the token: replaced once per original occurrence.
    EXPECT_EQ(ReplaceToken(QStringLiteral("(%%)"), QStringLiteral("%%%%"), QStringLiteral("%%")),
              QStringLiteral("(%%%%)"));
    EXPECT_EQ(ReplaceToken(QStringLiteral("%%Q_VALUE%% %%Q_VALUE%%"),
                           QStringLiteral("a%%Q_VALUE%%"), QStringLiteral("%%Q_VALUE%%")),
              QStringLiteral("a%%Q_VALUE%% a%%Q_VALUE%%"));
    // The occurrence is as long as the token as given, blanks included.
    EXPECT_EQ(ReplaceToken(QStringLiteral("x%%yz"), QStringLiteral("-"), QStringLiteral(" %%")),
              QStringLiteral("x-z"));
    // Case matters; an empty token changes nothing.
    EXPECT_EQ(ReplaceToken(QStringLiteral("%%q_value%%"), QStringLiteral("1"),
                           QStringLiteral("%%Q_VALUE%%")),
              QStringLiteral("%%q_value%%"));
    EXPECT_EQ(ReplaceToken(QStringLiteral(" ab "), QStringLiteral("1"), QStringLiteral("  ")),
              QStringLiteral("ab"));
}

TEST_F(Statement, ForbiddenCharactersAndNonNumbersForANumericKeyAreRefused) {
    // The message's two line breaks are two blanks in the log.
    const QString head = QStringLiteral("検索条件に使用出来ない文字が含まれています。  ");
    // The trimmed text stands where the number of the line stands.
    for (const char* text : {"A|B", " O'Brien ", "[A]"}) {
        fake.messageBox.shown.clear();
        EXPECT_TRUE(RefuseSearchText(QString::fromUtf8(text))) << text;
        ASSERT_EQ(fake.messageBox.shown.size(), 1u);
        EXPECT_TRUE(rawLog().endsWith(QStringLiteral("ｺｰﾄﾞ参照 H601 4 ") +
                                      QString::fromUtf8(text).trimmed() + u' ' + head +
                                      QStringLiteral("使用不可能文字 = | ' [\r\n")))
            << text;
    }
    // Full-width look-alikes and the other brackets are allowed.
    for (const char* text : {"Ａ｜Ｂ", "［Ａ］", "A]", "  ", ""})
        EXPECT_FALSE(RefuseSearchText(QString::fromUtf8(text))) << text;
    // A numeric key is written unquoted: only a plain number passes.
    lookupState().definition.keyAttribute = QStringLiteral("9");
    for (const char* text : {" 12 ", "-3", "1.5", ""})
        EXPECT_FALSE(RefuseSearchText(QString::fromUtf8(text))) << text;
    const qsizetype before = rawLog().count(QStringLiteral(" H601 4 "));
    for (const char* text : {"0 OR 1=1", "1;DROP TABLE X", "１２", "12A", "1e5"})
        EXPECT_TRUE(RefuseSearchText(QString::fromUtf8(text))) << text;
    EXPECT_EQ(rawLog().count(QStringLiteral(" H601 4 ")), before + 5);
    EXPECT_TRUE(rawLog().contains(QStringLiteral(" H601 4 12A ") + head));
    // A numeric text is written as the reporter writes a number.
    EXPECT_TRUE(rawLog().endsWith(QStringLiteral(" H601 4 00100000 ") + head +
                                  QStringLiteral("数値のコードは数字で入力してください。\r\n")));
}

TEST_F(Statement, SearchTextNeverLeavesItsLiteral) {
    LookupState& s = lookupState();
    const QString base = QStringLiteral("SELECT CODE,NAME,KANA FROM CODE_M WHERE CODE ");
    // The wildcards typed are matched as they are; only the "*" after them is one.
    EXPECT_EQ(stmt(QStringLiteral("A*?")), base + QStringLiteral("LIKE 'A[*][?]*' ORDER BY CODE"));
    EXPECT_EQ(stmt(QStringLiteral("x'\"")), base + QStringLiteral("LIKE 'x''\"*' ORDER BY CODE"));
    s.definition.keyAttribute = QStringLiteral("9");
    EXPECT_EQ(stmt(QStringLiteral("1 OR 1")), base + QStringLiteral("=> '1 OR 1' ORDER BY CODE"));
    // A template takes the text in the form of each place it names.
    setKind(1, QStringLiteral("CUST"));
    s.currentCodeId = QStringLiteral("CUST");
    s.kinds[1].enablingText = QStringLiteral("1");
    s.kinds[1].fixedSql = QStringLiteral("SELECT CODE FROM V");
    s.kinds[1].sqlTemplate = QStringLiteral(
        "SELECT CODE FROM V WHERE A = \"%%Q_VALUE%%\" AND B LIKE '%%Q_VALUE%%*' AND "
        "C = %%Q_VALUE%% AND [%%Q_VALUE%%] = 1");
    EXPECT_EQ(stmt(QStringLiteral("a\"b'*]")),
              QStringLiteral("SELECT CODE FROM V WHERE A = \"a\"\"b'*]\" AND B LIKE 'a\"b''[*]]*' "
                             "AND C = \"a\"\"b'*]\" AND [a\"b'*] = 1"));
    EXPECT_EQ(stmt(QStringLiteral("-12")),
              QStringLiteral("SELECT CODE FROM V WHERE A = \"-12\" AND B LIKE '-12*' AND C = (-12) "
                             "AND [-12] = 1"));
    EXPECT_EQ(stmt(QStringLiteral("12")),
              QStringLiteral("SELECT CODE FROM V WHERE A = \"12\" AND B LIKE '12*' AND C = 12 AND "
                             "[12] = 1"));
}

// ---- reading real code tables
// --------------------------------------------------------------------

namespace {

class Reading : public t::BackendTest {
  protected:
    void SetUp() override {
        BackendTest::SetUp();
        if (HasFatalFailure()) return;
        tav::common::commonArea().setProgramId(QStringLiteral("KFM001"));
        db->exec(
            {QStringLiteral("CREATE TABLE CODE_M (CODE VARCHAR(8), NAME VARCHAR(20), KANA "
                            "VARCHAR(10), EXTRA1 VARCHAR(10), EXTRA2 INTEGER, DEL_FLG INTEGER)"),
             QStringLiteral("INSERT INTO CODE_M VALUES ('A01', '山田商事', 'ﾔﾏﾀﾞ', 'x1', 5, 0)"),
             QStringLiteral(
                 "INSERT INTO CODE_M VALUES ('A02', '川上', 'ｶﾜｶﾐｶﾜｶﾐｶﾜ', NULL, NULL, 0)"),
             QStringLiteral("INSERT INTO CODE_M VALUES ('B01', '  海野 ', NULL, 'z', 7, 0)"),
             QStringLiteral("INSERT INTO CODE_M VALUES ('B02', '削除済', 'ｻｸｼﾞｮ', NULL, 1, 1)"),
             QStringLiteral("CREATE TABLE NUM_M (NO INTEGER, NAME VARCHAR(20), AMOUNT INTEGER, "
                            "RANK_NO INTEGER)"),
             QStringLiteral("INSERT INTO NUM_M VALUES (7, '七', 1234, 3)"),
             QStringLiteral("INSERT INTO NUM_M VALUES (12, '十二', -5, 12)"),
             QStringLiteral("INSERT INTO NUM_M VALUES (120, '百二十', 0, 1)")});
        settings();
        Q0100_CONNECT(0);
        characterDefinition();
        lookupState().rowLimit = 100;
        setCodeReferenceView(&view);
    }
    void TearDown() override {
        setCodeReferenceView(nullptr);
        resetLookupState();
        BackendTest::TearDown();
    }
    void numericDefinition() {
        LookupState& s = lookupState();
        s.definition.keyAttribute = QStringLiteral("9");
        s.definition.keyLength = QStringLiteral("004");
        s.definition.searchKind = QStringLiteral("1");
        s.definition.keyColumn = QStringLiteral("NO");
        s.keyColumns = {column("9", "004", "NO")};
        s.nameColumns = {column("N", "003", "NAME"), column("9", "006", "AMOUNT"),
                         column("Z", "003", "RANK_NO")};
        s.tableName = QStringLiteral("NUM_M");
        s.orderClause = QStringLiteral(" ORDER BY NO");
        DeriveLineWidths();
    }
    StubView view;
};

TAV_BOTH_BACKENDS(Reading);

}  // namespace

TEST_P(Reading, CharacterKeyLinesAreFixedWidthWithDoubleByteNamesPaddedFullWidth) {
    FillCodeList();
    const QStringList lines = view.lines();
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[0],
              QStringLiteral("A01   山田商事") + QString(2, kW) + kW + QStringLiteral("ﾔﾏﾀﾞ "));
    EXPECT_EQ(lines[1],
              QStringLiteral("A02   川上") + QString(4, kW) + kW + QStringLiteral("ｶﾜｶﾐ "));
    // Blanks around a name are dropped; a NULL name is an empty one.
    EXPECT_EQ(lines[2],
              QStringLiteral("B01   海野") + QString(4, kW) + kW + QStringLiteral("     "));
    EXPECT_EQ(view.layouts, 1);
    EXPECT_EQ(view.list()->currentRow(), 0);
    EXPECT_TRUE(view.window()->isVisible());
    EXPECT_TRUE(lines.contains(lookupState().widestLine + QStringLiteral(" ")) ||
                lines.contains(lookupState().widestLine));
    EXPECT_GT(lookupState().widestWidth, 0);
    EXPECT_TRUE(dataAccessState().cursors[0].recordSet == nullptr);  // closed
    EXPECT_TRUE(fake.messageBox.shown.empty());
}

TEST_P(Reading, SearchTextExtraConditionAndPreselect) {
    LookupState& s = lookupState();
    s.definition.extraCondition = QStringLiteral("DEL_FLG = 0");
    s.definition.conditionAttribute = QStringLiteral("9");
    s.preselectText = QStringLiteral("B0");
    view.text = QStringLiteral("  B ");
    FillCodeList();
    ASSERT_EQ(view.lines().size(), 1);
    EXPECT_TRUE(view.lines()[0].startsWith(QStringLiteral("B01 ")));
    EXPECT_EQ(s.preselectIndex, 0);
    view.text.clear();
    FillCodeList();
    EXPECT_EQ(view.lines().size(), 3);
    EXPECT_EQ(s.preselectIndex, 2);
    EXPECT_EQ(view.list()->currentRow(), 2);
    // A whole key is an equality; nothing found leaves the list empty and the window shown.
    view.text = QStringLiteral("A0");
    s.definition.keyLength = QStringLiteral("002");
    FillCodeList();
    EXPECT_TRUE(view.lines().isEmpty());
    EXPECT_EQ(view.list()->currentRow(), -1);
    EXPECT_TRUE(view.window()->isVisible());
}

TEST_P(Reading, ExtraColumnsWithNulls) {
    LookupState& s = lookupState();
    s.kindCount = 1;
    s.kinds[1].codeId = QStringLiteral("CUST");
    s.kinds[1].extraColumns = QStringLiteral("EXTRA1, EXTRA2");
    FillCodeList();
    ASSERT_EQ(s.extraValues.size(), 4u);
    EXPECT_EQ(s.extraValues[0], QStringLiteral("x1,5,"));
    EXPECT_EQ(s.extraValues[1], QStringLiteral(" , ,"));
    EXPECT_EQ(s.extraValues[2], QStringLiteral("z,7,"));
    // Without a code ID no extra column is read.
    s.currentCodeId = QStringLiteral("        ");
    s.kinds[0].extraColumns = QStringLiteral("EXTRA1");
    FillCodeList();
    EXPECT_EQ(s.extraValues[0], QString());
}

TEST_P(Reading, NumericKeyLinesAndOverflow) {
    numericDefinition();
    view.text = QStringLiteral("12");
    FillCodeList();
    const QStringList lines = view.lines();
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0], QStringLiteral("0012 十二") + kW + kW + QStringLiteral("    -5 012 "));
    EXPECT_EQ(lines[1], QStringLiteral("0120 百二十") + kW + QStringLiteral("     0 001 "));
    // A key wider than its column is left out of the line and reported.
    lookupState().keyColumns[0].width = QStringLiteral("001");
    view.text.clear();
    FillCodeList();
    ASSERT_EQ(view.lines().size(), 3);
    EXPECT_EQ(view.lines()[0],
              QStringLiteral("7 七") + kW + kW + kW + QStringLiteral("  1234 003 "));
    EXPECT_EQ(view.lines()[1], QStringLiteral(" 十二") + kW + kW + QStringLiteral("    -5 012 "));
    EXPECT_TRUE(log().contains(QStringLiteral(
        "D6053 H604 3 00000000 ｺｰﾄﾞ桁数ｵｰﾊﾞｰ｡実ﾃﾞｰﾀがｺｰﾄﾞ定義の桁数を超えています。（実ﾃﾞｰﾀ :12 "
        "定義 :1 桁 )")));
}

TEST_P(Reading, CharacterKeyLongerThanItsColumnIsCutAndReported) {
    lookupState().keyColumns[0].width = QStringLiteral("002");
    FillCodeList();
    ASSERT_EQ(view.lines().size(), 4);
    EXPECT_TRUE(view.lines()[0].startsWith(QStringLiteral("A0 山田")));
    EXPECT_TRUE(log().contains(QStringLiteral(
        "D6053 H604 1 00000000 ｺｰﾄﾞ桁数ｵｰﾊﾞｰ｡実ﾃﾞｰﾀがｺｰﾄﾞ定義の桁数を超えています。（実ﾃﾞｰﾀ :A01 "
        "定義 :2 桁 )")));
}

TEST_P(Reading, RowLimitShowsTheLimitAndItsMessage) {
    LookupState& s = lookupState();
    s.rowLimit = 3;  // four rows match
    FillCodeList();
    EXPECT_EQ(view.lines().size(), 3);
    ASSERT_EQ(fake.messageBox.shown.size(), 1u);
    const auto& box = fake.messageBox.shown[0];
    EXPECT_EQ(box.text,
              QStringLiteral("データが3件を超えました。\r\n絞り込み範囲を狭くしてください。"));
    EXPECT_EQ(box.title, QStringLiteral("KFM001  "));
    EXPECT_EQ(box.icon, tav::platform::Icon::Exclamation);
    EXPECT_EQ(box.buttons, tav::platform::Buttons::Ok);
    EXPECT_EQ(view.layouts, 1);  // the lines read so far are shown
    EXPECT_TRUE(dataAccessState().cursors[0].recordSet == nullptr);
    // Exactly the limit: no message.
    s.rowLimit = 4;
    FillCodeList();
    EXPECT_EQ(view.lines().size(), 4);
    EXPECT_EQ(fake.messageBox.shown.size(), 1u);
}

TEST_P(Reading, RefusedSearchTextReadsNothing) {
    numericDefinition();
    view.text = QStringLiteral("0 OR 1=1");
    FillCodeList();
    EXPECT_EQ(view.layouts, 0);
    EXPECT_EQ(fake.messageBox.shown.size(), 1u);
    for (const QString& line : log())
        EXPECT_FALSE(line.startsWith(QStringLiteral("Q0300"))) << line.toStdString();
}

TEST_P(Reading, ListSizeFollowsTheLinesAndTheSourceMode) {
    LookupState& s = lookupState();
    FillCodeList();
    CodeListBox* list = view.list();
    const int line = listItemHeight(list) * 15;
    EXPECT_EQ(list->height(), (4 * line + 30) / 15);
    EXPECT_FALSE(s.listHasScrollBar);
    // Search kind "1" in source mode "2": at least 1700 twips.
    EXPECT_EQ(list->width() * 15 / 15,
              std::max(1700, s.widestWidth + listLineRoomTwips(list)) / 15);
    s.sourceMode = QStringLiteral("3");
    SizeLookupList();
    EXPECT_EQ(list->width(), (s.widestWidth + listLineRoomTwips(list)) / 15);
    // More lines than fit in 2010 twips: a scroll bar and 240 more.
    s.sourceMode = QStringLiteral("2");
    QStringList more = view.lines();
    for (int i = 0; i < 40; ++i) more << QStringLiteral("X");
    list->setLines(more, 0);
    SizeLookupList();
    EXPECT_TRUE(s.listHasScrollBar);
    EXPECT_EQ(list->height(), ((2010 / line) * line + 30) / 15);
    EXPECT_EQ(list->width(),
              std::max(1700 + 240, s.widestWidth + listLineRoomTwips(list) + 240) / 15);
    // Empty: one line's height.
    list->clear();
    SizeLookupList();
    EXPECT_EQ(list->height(), (line + 30) / 15);
}

TEST_F(Statement, EveryRowOfTheConditionTableWithTemplateAndExtraCondition) {
    LookupState& s = lookupState();
    s.orderClause.clear();
    setKind(1, QStringLiteral("CUST"));
    struct Row {
        const char* kind;
        const char* attribute;
        const char* text;
        const char* condition;
    };
    const Row rows[] = {{"2", "9", "12", "CODE = 12"},
                        {"2", "X", "AB", "CODE = 'AB'"},
                        {"1", "9", "12", "CODE => 12"},
                        {" ", "X", "AB", "CODE LIKE 'AB*'"},
                        {"1", "X", "ABCDE", "CODE = 'ABCDE'"}};
    const QString base = QStringLiteral("SELECT CODE,NAME,KANA FROM CODE_M WHERE ");
    for (const Row& r : rows) {
        s.definition.searchKind = QString::fromUtf8(r.kind);
        s.definition.keyAttribute = QString::fromUtf8(r.attribute);
        const QString v = QString::fromUtf8(r.text);
        const QString c = QString::fromUtf8(r.condition);
        for (bool extra : {false, true}) {
            s.definition.extraCondition = extra ? QStringLiteral("DEL_FLG = 0") : QString();
            s.definition.conditionAttribute = QStringLiteral("9");
            const QString ce = extra ? c + QStringLiteral(" AND DEL_FLG = 0") : c;
            s.kinds[1].extraConditionTemplate.clear();
            EXPECT_EQ(stmt(v), base + ce) << r.condition << extra;
            s.kinds[1].extraConditionTemplate = QStringLiteral("(%%) OR ALT = 1");
            EXPECT_EQ(stmt(v), base + u'(' + ce + QStringLiteral(") OR ALT = 1")) << r.condition;
            s.kinds[1].extraConditionTemplate = QStringLiteral("ALT = 1");
            EXPECT_EQ(stmt(v), base + ce + QStringLiteral(" AND ALT = 1")) << r.condition;
        }
    }
}

TEST(CodeListBox, LinesReplaceEachOtherAndTakeTheHeightOfTheirFont) {
    CodeListBox box;
    box.setLines({QStringLiteral("C0001 山田商事"), QStringLiteral("C0002 ｻﾄｳ")}, 90);
    box.setCurrentRow(1);
    ASSERT_EQ(box.count(), 2);
    EXPECT_EQ(box.lineText(1), QStringLiteral("C0002 ｻﾄｳ"));
    EXPECT_EQ(box.lineText(2), QString());
    EXPECT_EQ(box.lineText(-1), QString());
    EXPECT_EQ(box.currentRow(), 1);
    EXPECT_EQ(box.selectionModel()->selectedIndexes().size(), 1);
    // Every line is as high as a line of the font, and as wide as the widest line's text.
    const int height = box.lineHeight();
    EXPECT_GE(height, QFontMetrics(box.font()).height());
    EXPECT_EQ(box.sizeHintForRow(1), height);
    EXPECT_GE(box.sizeHintForColumn(0), 90);
    QFont large = box.font();
    large.setPointSize(large.pointSize() * 3);
    box.setFont(large);
    EXPECT_GT(box.lineHeight(), height);
    EXPECT_EQ(box.sizeHintForRow(0), box.lineHeight());
    // New lines leave nothing of the old ones current.
    box.setLines({QStringLiteral("C0003")}, 30);
    EXPECT_EQ(box.count(), 1);
    EXPECT_EQ(box.currentRow(), -1);
    box.clear();
    EXPECT_EQ(box.count(), 0);
}

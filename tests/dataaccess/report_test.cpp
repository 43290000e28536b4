// The SQL error report: the dump of the engine's error collection, the refusal texts, the SQL
// text line and the closing abnormal end.
#include "fixture.h"

using namespace tav::dataaccess;
using tav::test::exitStatusOf;

namespace {

const QString kClosing =
    QStringLiteral("ＳＱＬ処理でエラーが発生しました（エラー内容はこの行以前に出力されています）");

class Report : public tav::test::DataAccessTest {};

TEST_F(Report, CollectionIsDumpedFromTheLastEntryDown) {
    DataAccessState& s = dataAccessState();
    s.currentAccessKind = QStringLiteral("ODBC_DAO");
    s.errors = {EngineError{1, QStringLiteral("最初"), QStringLiteral("HY000 a.so")},
                EngineError{-2, QStringLiteral("二番目"), QStringLiteral("42S22 a.so")}};
    s.lastErrorMessage = QStringLiteral("使われない");
    EXPECT_EQ(
        exitStatusOf([] { SqlErrorReport(QStringLiteral("Q0500"), QStringLiteral("L905"), 3146); }),
        2);
    EXPECT_EQ(log(),
              (QStringList{
                  QStringLiteral("Q0500 L905 1 00003146 (Errors(1):-2) 二番目 発生元=42S22 a.so"),
                  QStringLiteral("Q0500 L905 1 00003146 (Errors(0):1) 最初 発生元=HY000 a.so"),
                  QStringLiteral("Q0500 L905 5 00003146 ") + kClosing}));
    ASSERT_EQ(fake.messageBox.shown.size(), 1u);
    EXPECT_EQ(fake.messageBox.shown[0].text,
              QStringLiteral("Q0500で異常終了 ログファイルを参照して下さい。 "));
    EXPECT_EQ(fake.programEnd.statuses, std::vector<int>{2});
}

TEST_F(Report, UnservedKindTakesTheNumberAsZero) {
    DataAccessState& s = dataAccessState();
    s.currentAccessKind = QStringLiteral("ODBC_RDO");
    s.errors = {EngineError{1, QStringLiteral("x"), QStringLiteral("y")}};
    s.lastErrorMessage = QStringLiteral("理由");
    EXPECT_EQ(
        exitStatusOf([] { SqlErrorReport(QStringLiteral("Q0600"), QStringLiteral("L906"), 3146); }),
        2);
    EXPECT_EQ(log(), (QStringList{QStringLiteral("Q0600 L906 1 00000000 (0) 理由"),
                                  QStringLiteral("Q0600 L906 5 00000000 ") + kClosing}));
}

TEST_F(Report, DetailFollowsTheCollection) {
    DataAccessState& s = dataAccessState();
    s.currentAccessKind = QStringLiteral("ODBC_DAO_RDASV");
    s.errors = {EngineError{3265, QStringLiteral("e"), QStringLiteral("s")}};
    s.detail = QStringLiteral("(ｶﾗﾑ名='X')");
    EXPECT_EQ(
        exitStatusOf([] { SqlErrorReport(QStringLiteral("Q0700"), QStringLiteral("L907"), 3265); }),
        2);
    EXPECT_EQ(log()[1], QStringLiteral("Q0700 L907 1 00003265 詳細情報：(ｶﾗﾑ名='X')"));
}

TEST_F(Report, DeclareReportWritesTheSqlTextOnlyWithTheTraceOff) {
    DataAccessState& s = dataAccessState();
    s.currentAccessKind = QStringLiteral("ODBC_DAO");
    s.lastErrorMessage = QStringLiteral("m");
    s.lastSqlText = QStringLiteral("SELECT 1");
    EXPECT_EQ(
        exitStatusOf([] { SqlErrorReport(QStringLiteral("Q0300"), QStringLiteral("L903"), 5); }),
        2);
    EXPECT_EQ(log(), (QStringList{QStringLiteral("Q0300 L903 1 00000005 (5) m"),
                                  QStringLiteral("Q0300 L903 1 00000005 SELECT 1"),
                                  QStringLiteral("Q0300 L903 5 00000005 ") + kClosing}));
    s.trace = true;
    EXPECT_EQ(
        exitStatusOf([] { SqlErrorReport(QStringLiteral("Q0300"), QStringLiteral("L903"), 5); }),
        2);
    EXPECT_EQ(log().size(), 5);
    // Other operations never write it.
    s.trace = false;
    EXPECT_EQ(
        exitStatusOf([] { SqlErrorReport(QStringLiteral("Q0500"), QStringLiteral("L905"), 5); }),
        2);
    EXPECT_EQ(log().size(), 7);
}

TEST_F(Report, RefusalTextsOfTheCursorOperations) {
    DataAccessState& s = dataAccessState();
    s.connections[0].effective.accessKind = QStringLiteral("ODBC_RDO");
    const QString sql = QStringLiteral("SELECT 1");
    EXPECT_EQ(exitStatusOf([&] { Q0300_DECLARE(0, 0, sql); }), 2);
    EXPECT_EQ(log(), (QStringList{
                         QStringLiteral("Q0300 L102 1 00000000 (0) "
                                        "このSQL関数はﾃﾞｰﾀｱｸｾｽ種別'ODBC_RDO'では使用できません。"),
                         QStringLiteral("Q0300 L102 1 00000000 ") + sql,
                         QStringLiteral("Q0300 L102 5 00000000 ") + kClosing}));
    s.cursors[9].accessKind = QStringLiteral("JET");
    EXPECT_EQ(exitStatusOf([] { Q0710_GET(9, 1); }), 2);
    EXPECT_EQ(log()[3],
              QStringLiteral(
                  "Q0710 L102 1 00000000 (0) このSQL関数はﾃﾞｰﾀｱｸｾｽ種別'JET'では使用できません。"));
    // A DB number never connected has no kind.
    EXPECT_EQ(exitStatusOf([&] { Q0300_DECLARE(1, 0, sql); }), 2);
    EXPECT_TRUE(log().contains(QStringLiteral(
        "Q0300 L102 1 00000000 (0) "
        "ﾃﾞｰﾀｱｸｾｽ種別が設定されていません。またはｶｰｿﾙ､ﾃﾞｰﾀﾍﾞｰｽが開かれていません｡")));
}

TEST_F(Report, NulCheckWritesOnlyForANul) {
    SqlNullCheck(QStringLiteral("SELECT 1"), QStringLiteral("Q0300"));
    EXPECT_TRUE(log().isEmpty());
    QString s = QStringLiteral("A");
    s += QChar(u'\0');
    SqlNullCheck(s, QStringLiteral("Q0300"));
    ASSERT_EQ(log().size(), 1);
    EXPECT_EQ(
        log()[0],
        QStringLiteral("Q0300 LA30 1 00000000 NULL文字を含むSQL文が指定されました。SQL=") + s);
    EXPECT_TRUE(fake.messageBox.shown.empty());
}

TEST(ResultValues, IsTrue) {
    EXPECT_TRUE(isTrue(QVariant(true)));
    EXPECT_TRUE(isTrue(QVariant(-1)));
    EXPECT_FALSE(isTrue(QVariant(false)));
    EXPECT_FALSE(isTrue(QVariant(kNoData)));
    EXPECT_FALSE(isTrue(QVariant(kEndOfCursor)));
    EXPECT_FALSE(isTrue(QVariant()));
    EXPECT_FALSE(isTrue(QVariant(QStringLiteral("x"))));
}

}  // namespace

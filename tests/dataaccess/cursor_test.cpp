// Cursors on both backends: snapshots, end codes, columns by name and position, typed reads,
// Japanese names and values, the dialect on a real server, and the failures that end the program.
#include <limits>

#include "fixture.h"

using namespace tav::dataaccess;
using tav::test::exitStatusOf;

namespace {

class Cursors : public tav::test::BackendTest {
  protected:
    void SetUp() override {
        BackendTest::SetUp();
        if (HasFatalFailure()) return;
        db->exec(
            {QStringLiteral("CREATE TABLE 名称マスタ (名称ＩＤ VARCHAR(20), 名称区分 VARCHAR(10), "
                            "名称名称 VARCHAR(100), 名称説明 VARCHAR(200), 表示順 INTEGER, "
                            "金額 NUMERIC(12,2))"),
             QStringLiteral("INSERT INTO 名称マスタ VALUES ('MENU', '01', 'ﾒﾆｭｰ㈱①～', "
                            "'説明 \"引用\" と ''単引用''', 1, 1234.5)"),
             QStringLiteral("INSERT INTO 名称マスタ VALUES ('MENU', '02', '第二', NULL, 2, NULL)"),
             QStringLiteral(
                 "INSERT INTO 名称マスタ VALUES ('ＡＢＣ１', '01', '全角ＩＤ', '', 3, 0.25)")});
    }
};

TEST_P(Cursors, JapaneseNamesAndValuesRoundTrip) {
    settings();
    ASSERT_TRUE(isTrue(Q0100_CONNECT(0)));
    // A full-width table and column name written the way programs write them.
    db->exec(
        QStringLiteral("CREATE TABLE タイトル１行目 (タイトル１行目 VARCHAR(50), 番号 INTEGER)"));
    db->exec(QStringLiteral("INSERT INTO タイトル１行目 VALUES ('ｶﾞｷﾞｸﾞ　全角空白 ㈲Ⅱ', 1)"));
    ASSERT_TRUE(
        isTrue(Q0300_DECLARE(0, 10, QStringLiteral("SELECT タイトル１行目 FROM タイトル１行目"))));
    EXPECT_EQ(Q0700_SGET(10, QStringLiteral("タイトル１行目")).toString(),
              QStringLiteral("ｶﾞｷﾞｸﾞ　全角空白 ㈲Ⅱ"));
    EXPECT_TRUE(isTrue(Q0600_DS_CLOSE(10)));

    ASSERT_TRUE(isTrue(Q0300_DECLARE(
        0, 10,
        QStringLiteral("SELECT 名称名称, 名称説明 FROM 名称マスタ WHERE 名称ＩＤ = \"MENU\" AND "
                       "名称区分 = \"01\""))));
    EXPECT_EQ(Q0700_SGET(10, QStringLiteral("名称名称")).toString(), QStringLiteral("ﾒﾆｭｰ㈱①～"));
    EXPECT_EQ(Q0700_SGET(10, QStringLiteral("名称説明")).toString(),
              QStringLiteral("説明 \"引用\" と '単引用'"));
    // A full-width value in a dialect literal, and a doubled quote inside one.
    ASSERT_TRUE(isTrue(Q0300_DECLARE(
        0, 11, QStringLiteral("SELECT 名称名称 FROM 名称マスタ WHERE 名称ＩＤ = \"ＡＢＣ１\""))));
    EXPECT_EQ(Q0710_GET(11, 1).toString(), QStringLiteral("全角ＩＤ"));
    EXPECT_EQ(Q0300_DECLARE(0, 12,
                            QStringLiteral("SELECT 名称名称 FROM 名称マスタ WHERE 名称説明 = "
                                           "\"説明 \"\"引用\"\" と '単引用'\"")),
              QVariant(true));
    EXPECT_EQ(Q0700_GET(12, QStringLiteral("名称名称")).toString(), QStringLiteral("ﾒﾆｭｰ㈱①～"));
}

TEST_P(Cursors, AColumnNameChangedInPlaceFindsItsNewColumn) {
    settings();
    ASSERT_TRUE(isTrue(Q0100_CONNECT(0)));
    db->exec(QStringLiteral("CREATE TABLE 甲乙 (甲 VARCHAR(4), 乙 VARCHAR(4))"));
    db->exec(QStringLiteral("INSERT INTO 甲乙 VALUES ('一', '二')"));
    ASSERT_TRUE(isTrue(Q0300_DECLARE(0, 3, QStringLiteral("SELECT 甲, 乙 FROM 甲乙"))));
    QString name = QString::fromUtf8("甲");
    EXPECT_EQ(Q0700_SGET(3, name), QVariant(QStringLiteral("一")));
    name[0] = QChar(u'乙');
    EXPECT_EQ(Q0700_SGET(3, name), QVariant(QStringLiteral("二")));
    EXPECT_EQ(Q0700_SGET(3, QStringLiteral("甲")), QVariant(QStringLiteral("一")));
}

TEST_P(Cursors, SnapshotRowsAndEndCodes) {
    settings();
    ASSERT_TRUE(isTrue(Q0100_CONNECT(0)));
    QVariant r = Q0300_DECLARE(0, 10,
                               QStringLiteral("SELECT 名称区分 FROM 名称マスタ WHERE "
                                              "名称ＩＤ = \"MENU\" ORDER BY 表示順"));
    ASSERT_EQ(r, QVariant(true));
    EXPECT_EQ(dataAccessState().cursors[10].db, 0);
    EXPECT_EQ(Q0700_GET(10, QStringLiteral("名称区分")).toString(), QStringLiteral("01"));
    // Rows added after the declare are not in its snapshot.
    db->exec(QStringLiteral(
        "INSERT INTO 名称マスタ (名称ＩＤ, 名称区分, 表示順) VALUES ('MENU', '03', 9)"));
    EXPECT_EQ(Q0500_FETCH(10), QVariant(true));
    EXPECT_EQ(Q0700_GET(10, QStringLiteral("名称区分")).toString(), QStringLiteral("02"));
    EXPECT_EQ(Q0500_FETCH(10), QVariant(kEndOfCursor));
}

TEST_P(Cursors, EmptyResultGives101AndStillNeedsClosing) {
    settings();
    Q0100_CONNECT(0);
    EXPECT_EQ(
        Q0300_DECLARE(0, 10, QStringLiteral("SELECT * FROM 名称マスタ WHERE 名称ＩＤ = \"NONE\"")),
        QVariant(kNoData));
    EXPECT_EQ(dataAccessState().lastErrorMessage, QStringLiteral("101: 検索データがありません"));
    EXPECT_TRUE(dataAccessState().cursors[10].recordSet != nullptr);
    EXPECT_TRUE(isTrue(Q0600_DS_CLOSE(10)));
    EXPECT_TRUE(dataAccessState().cursors[10].recordSet == nullptr);
}

TEST_P(Cursors, OneRowResultFetchesTo201) {
    settings();
    Q0100_CONNECT(0);
    ASSERT_TRUE(isTrue(
        Q0300_DECLARE(0, 0, QStringLiteral("SELECT 表示順 FROM 名称マスタ WHERE 表示順 = 3"))));
    EXPECT_EQ(Q0700_GET(0, QStringLiteral("表示順")), QVariant(3));
    EXPECT_EQ(Q0500_FETCH(0), QVariant(kEndOfCursor));
}

TEST_P(Cursors, NumbersStayNumbersAndNullIsNull) {
    settings();
    Q0100_CONNECT(0);
    ASSERT_TRUE(isTrue(Q0300_DECLARE(
        0, 60,
        QStringLiteral(
            "SELECT 表示順, 金額, 名称説明, 名称ＩＤ FROM 名称マスタ ORDER BY 表示順"))));
    QVariant n = Q0700_GET(60, QStringLiteral("表示順"));
    EXPECT_EQ(n.typeId(), QMetaType::Int);
    EXPECT_EQ(n.toInt(), 1);
    QVariant d = Q0700_GET(60, QStringLiteral("金額"));
    EXPECT_EQ(d.typeId(), QMetaType::Double);
    EXPECT_DOUBLE_EQ(d.toDouble(), 1234.5);
    EXPECT_EQ(Q0700_GET(60, QStringLiteral("名称ＩＤ")).typeId(), QMetaType::QString);
    EXPECT_EQ(Q0700_NGET(60, QStringLiteral("金額")), QVariant(1234.5));
    EXPECT_EQ(Q0700_DGET(60, QStringLiteral("名称ＩＤ")), QVariant(QStringLiteral("MENU")));
    // The text read gives what Q0700_SGET gives, written as text.
    for (const QString& c :
         {QStringLiteral("表示順"), QStringLiteral("金額"), QStringLiteral("名称ＩＤ")})
        EXPECT_EQ(getText(60, c), Q0700_SGET(60, c).toString()) << c.toStdString();
    EXPECT_EQ(getText(60, QStringLiteral("金額")), QStringLiteral("1234.5"));
    ASSERT_EQ(Q0500_FETCH(60), QVariant(true));
    EXPECT_EQ(getText(60, QStringLiteral("名称説明")), QString());
    EXPECT_EQ(getText(60, QStringLiteral("金額")), QString());
    EXPECT_TRUE(Q0700_GET(60, QStringLiteral("名称説明")).isNull());
    EXPECT_TRUE(Q0700_GET(60, QStringLiteral("金額")).isNull());
    EXPECT_EQ(Q0700_SGET(60, QStringLiteral("名称説明")), QVariant(QString()));
    EXPECT_EQ(Q0700_NGET(60, QStringLiteral("名称説明")), QVariant(0));
    EXPECT_EQ(Q0700_DGET(60, QStringLiteral("名称説明")), QVariant(QStringLiteral("00000000")));
    EXPECT_TRUE(Q0710_GET(60, 2).isNull());
    ASSERT_EQ(Q0500_FETCH(60), QVariant(true));
    // An empty text is not Null.
    EXPECT_FALSE(Q0700_GET(60, QStringLiteral("名称説明")).isNull());
    EXPECT_EQ(Q0700_DGET(60, QStringLiteral("名称説明")), QVariant(QString()));
}

TEST_P(Cursors, ColumnsByPositionAndByNameWithoutRegardToCase) {
    settings();
    Q0100_CONNECT(0);
    ASSERT_TRUE(isTrue(Q0300_DECLARE(
        0, 5, QStringLiteral("SELECT 表示順 AS Seq, 名称名称 FROM 名称マスタ WHERE 表示順 = 2"))));
    EXPECT_EQ(Q0710_GET(5, 1), QVariant(2));
    EXPECT_EQ(Q0710_GET(5, 2), QVariant(QStringLiteral("第二")));
    EXPECT_EQ(Q0700_GET(5, QStringLiteral("SEQ")), QVariant(2));
    EXPECT_EQ(Q0700_GET(5, QStringLiteral("seq")), QVariant(2));
}

TEST_P(Cursors, DialectRunsOnTheBackend) {
    settings();
    Q0100_CONNECT(0);
    db->exec(QStringLiteral(
        "INSERT INTO 名称マスタ (名称ＩＤ, 名称区分, 表示順) VALUES ('A%B', '09', 10)"));
    db->exec(QStringLiteral(
        "INSERT INTO 名称マスタ (名称ＩＤ, 名称区分, 表示順) VALUES ('AXB', '09', 11)"));
    auto count = [](const QString& sql) {
        int n = 0;
        QVariant r = Q0300_DECLARE(0, 1, sql);
        if (isTrue(r)) {
            do ++n;
            while (isTrue(Q0500_FETCH(1)));
        }
        Q0600_DS_CLOSE(1);
        return n;
    };
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM 名称マスタ WHERE 名称ＩＤ LIKE \"ME*\"")), 2);
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM 名称マスタ WHERE 名称ＩＤ LIKE \"MEN?\"")), 2);
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM 名称マスタ WHERE 名称ＩＤ LIKE \"A?B\"")), 2);
    // A % of the office dialect is a plain character.
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM 名称マスタ WHERE 名称ＩＤ LIKE \"A%B\"")), 1);
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM 名称マスタ WHERE 表示順 => 10")), 2);
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM 名称マスタ WHERE 表示順 =< 2")), 2);
    EXPECT_EQ(count(QStringLiteral("SELECT [名称ＩＤ] FROM [名称マスタ] WHERE [表示順] = 3")), 1);
    // Nothing inside a literal is rewritten.
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM 名称マスタ WHERE 名称ＩＤ = \"=>[x]*\"")), 0);
}

TEST_P(Cursors, NulInTheStatementIsLoggedAndTheStatementStillRuns) {
    settings();
    Q0100_CONNECT(0);
    QString sql = QStringLiteral("SELECT 名称名称 FROM 名称マスタ WHERE 表示順 = 3");
    sql.append(QChar(u'\0'));
    QVariant r = Q0300_DECLARE(0, 3, sql);
    ASSERT_EQ(r, QVariant(true));
    EXPECT_EQ(Q0700_SGET(3, QStringLiteral("名称名称")), QVariant(QStringLiteral("全角ＩＤ")));
    ASSERT_EQ(log().size(), 1);
    EXPECT_EQ(
        log()[0],
        QStringLiteral("Q0300 LA30 1 00000000 NULL文字を含むSQL文が指定されました。SQL=") + sql);
}

TEST_P(Cursors, UnknownColumnInTheStatementEndsWithL903AndTheStatement) {
    settings();
    Q0100_CONNECT(0);
    const QString sql =
        QStringLiteral("SELECT 存在しない列 FROM 名称マスタ WHERE 名称ＩＤ = \"MENU\"");
    EXPECT_EQ(exitStatusOf([&] { Q0300_DECLARE(0, 10, sql); }), 2);
    const QStringList l = log();
    ASSERT_GE(l.size(), 3);
    for (qsizetype i = 0; i + 2 < l.size(); ++i) {
        EXPECT_TRUE(l[i].startsWith(QStringLiteral("Q0300 L903 1 00003146 (Errors(") +
                                    QString::number(l.size() - 3 - i) + QStringLiteral("):")))
            << l[i].toStdString();
        EXPECT_TRUE(l[i].contains(QStringLiteral(" 発生元="))) << l[i].toStdString();
    }
    EXPECT_TRUE(l[l.size() - 3].contains(QStringLiteral("存在しない列"))) << l[0].toStdString();
    EXPECT_EQ(l[l.size() - 2], QStringLiteral("Q0300 L903 1 00003146 ") + sql);
    EXPECT_EQ(l.last(),
              QStringLiteral(
                  "Q0300 L903 5 00003146 "
                  "ＳＱＬ処理でエラーが発生しました（エラー内容はこの行以前に出力されています）"));
    ASSERT_EQ(fake.messageBox.shown.size(), 1u);
    EXPECT_EQ(fake.messageBox.shown[0].text,
              QStringLiteral("Q0300で異常終了 ログファイルを参照して下さい。 "));
}

TEST_P(Cursors, UnknownColumnNameEndsWithL907AndTheDetailLine) {
    settings();
    Q0100_CONNECT(0);
    ASSERT_TRUE(isTrue(Q0300_DECLARE(0, 10, QStringLiteral("SELECT 名称名称 FROM 名称マスタ"))));
    EXPECT_EQ(exitStatusOf([] { Q0700_SGET(10, QStringLiteral("名称説明")); }), 2);
    EXPECT_EQ(
        log(),
        (QStringList{
            QStringLiteral("Q0700 L907 1 00003265 (Errors(0):3265) "
                           "指定された列がレコードセットにありません。 発生元=LSQLIO00"),
            QStringLiteral("Q0700 L907 1 00003265 詳細情報：(ｶﾗﾑ名='名称説明')"),
            QStringLiteral(
                "Q0700 L907 5 00003265 "
                "ＳＱＬ処理でエラーが発生しました（エラー内容はこの行以前に出力されています）"),
        }));
}

TEST_P(Cursors, PositionPastTheLastColumnEndsWithL907AndTheIndex) {
    settings();
    Q0100_CONNECT(0);
    ASSERT_TRUE(
        isTrue(Q0300_DECLARE(0, 10, QStringLiteral("SELECT 名称名称, 名称ＩＤ FROM 名称マスタ"))));
    EXPECT_EQ(exitStatusOf([] { Q0710_GET(10, 3); }), 2);
    EXPECT_EQ(
        log(),
        (QStringList{
            QStringLiteral("Q0710 L907 1 00003265 (3265) "
                           "指定された列がレコードセットにありません。(ｶﾗﾑ位置='2')"),
            QStringLiteral(
                "Q0710 L907 5 00003265 "
                "ＳＱＬ処理でエラーが発生しました（エラー内容はこの行以前に出力されています）"),
        }));
}

TEST_P(Cursors, TraceWritesOneLinePerCall) {
    settings(QStringLiteral("[SQLLOGOUT]\nQ_DEBUG=1\n"));
    Q0100_CONNECT(0);
    const QString sql = QStringLiteral("SELECT 名称名称, 表示順 FROM 名称マスタ WHERE 表示順 = 1");
    Q0300_DECLARE(0, 10, sql, 0);
    Q0700_SGET(10, QStringLiteral("名称名称"));
    getText(10, QStringLiteral("名称名称"));
    Q0700_NGET(10, QStringLiteral("表示順"));
    Q0700_DGET(10, QStringLiteral("表示順"));
    Q0710_GET(10, 1);
    Q0500_FETCH(10);
    Q0600_DS_CLOSE(10);
    Q0200_DISCON(0);
    const QString where = db->dataSource() + u'-' + db->filePath();
    QStringList want{
        QStringLiteral("Q0100 L010 1 00000000 Q0100_CONNECT( ") + where + QStringLiteral(" , '") +
            db->user() + QStringLiteral("' , '' , 'ODBC_DAO' )"),
        QStringLiteral("Q0300 L030 1 00000000 Q0300_DECLARE( ") + where +
            QStringLiteral(" , 10 , ↓ , 0 )"),
        QStringLiteral("Q0300 L031 1 00000000           ") + sql,
        QStringLiteral("Q0700 L07S 1 00000000 Q0700_SGET( 10 , '名称名称' )"),
        QStringLiteral("Q0700 L070 1 00000000 Q0700_GET( 10 , '名称名称' )"),
        QStringLiteral("Q0700 L07S 1 00000000 Q0700_SGET( 10 , '名称名称' )"),
        QStringLiteral("Q0700 L070 1 00000000 Q0700_GET( 10 , '名称名称' )"),
        QStringLiteral("Q0700 L07N 1 00000000 Q0700_NGET( 10 , '表示順' )"),
        QStringLiteral("Q0700 L070 1 00000000 Q0700_GET( 10 , '表示順' )"),
        QStringLiteral("Q0700 L07D 1 00000000 Q0700_DGET( 10 , '表示順' )"),
        QStringLiteral("Q0700 L070 1 00000000 Q0700_GET( 10 , '表示順' )"),
        QStringLiteral("Q0710 L071 1 00000000 Q0710_GET( 10 , 1 )"),
        QStringLiteral("Q0500 L050 1 00000000 Q0500_FETCH( 10 )"),
        QStringLiteral("Q0600 L060 1 00000000 Q0600_DS_CLOSE( 10 )"),
        QStringLiteral("Q0200 L020 1 00000000 Q0200_DISCON( ") + where + QStringLiteral(" )"),
    };
    EXPECT_EQ(log(), want);
}

TEST_P(Cursors, FailingDeclareWithTraceOnWritesTheStatementOnce) {
    settings(QStringLiteral("[SQLLOGOUT]\nQ_DEBUG=1\n"));
    Q0100_CONNECT(0);
    const QString sql = QStringLiteral("SELECT x FROM 無いテーブル");
    EXPECT_EQ(exitStatusOf([&] { Q0300_DECLARE(0, 10, sql); }), 2);
    EXPECT_EQ(log().filter(sql).size(), 1);
    EXPECT_TRUE(log().last().startsWith(QStringLiteral("Q0300 L903 5 ")));
}

TEST_P(Cursors, OperationsOnClosedOrUndeclaredCursorsEndTheProgram) {
    settings();
    Q0100_CONNECT(0);
    // Never declared: refused with the empty-kind text.
    EXPECT_EQ(exitStatusOf([] { Q0500_FETCH(7); }), 2);
    EXPECT_EQ(
        log()[0],
        QStringLiteral("Q0500 L102 1 00000000 (0) "
                       "ﾃﾞｰﾀｱｸｾｽ種別が設定されていません。またはｶｰｿﾙ､ﾃﾞｰﾀﾍﾞｰｽが開かれていません｡"));
    EXPECT_EQ(log()[1],
              QStringLiteral(
                  "Q0500 L102 5 00000000 "
                  "ＳＱＬ処理でエラーが発生しました（エラー内容はこの行以前に出力されています）"));
    ASSERT_TRUE(isTrue(Q0300_DECLARE(0, 7, QStringLiteral("SELECT 名称名称 FROM 名称マスタ"))));
    ASSERT_TRUE(isTrue(Q0600_DS_CLOSE(7)));
    EXPECT_EQ(exitStatusOf([] { Q0500_FETCH(7); }), 2);
    EXPECT_TRUE(log().contains(QStringLiteral(
        "Q0500 L905 1 00000091 (91) データベースまたはレコードセットが開かれていません。")));
    EXPECT_EQ(exitStatusOf([] { Q0600_DS_CLOSE(7); }), 2);
    EXPECT_TRUE(log().last().startsWith(QStringLiteral("Q0600 L906 5 00000091")));
    EXPECT_EQ(exitStatusOf([] { Q0700_GET(7, QStringLiteral("名称名称")); }), 2);
    EXPECT_TRUE(log().last().startsWith(QStringLiteral("Q0700 L907 5 00000091")));
    EXPECT_EQ(exitStatusOf([] { Q0710_GET(7, 1); }), 2);
    EXPECT_TRUE(log().last().startsWith(QStringLiteral("Q0710 L907 5 00000091")));
}

TEST_P(Cursors, ReadingPastTheLastRowEndsTheProgram) {
    settings();
    Q0100_CONNECT(0);
    ASSERT_TRUE(isTrue(
        Q0300_DECLARE(0, 10, QStringLiteral("SELECT 名称名称 FROM 名称マスタ WHERE 表示順 = 1"))));
    ASSERT_EQ(Q0500_FETCH(10), QVariant(kEndOfCursor));
    EXPECT_EQ(exitStatusOf([] { Q0700_GET(10, QStringLiteral("名称名称")); }), 2);
    EXPECT_EQ(log()[0],
              QStringLiteral("Q0700 L907 1 00003021 (3021) カレント レコードがありません。"));
    EXPECT_EQ(exitStatusOf([] { Q0500_FETCH(10); }), 2);
    EXPECT_TRUE(log().last().startsWith(QStringLiteral("Q0500 L905 5 00003021")));
}

TEST_P(Cursors, DeclareOnADisconnectedDatabaseEndsWithL903) {
    settings();
    Q0100_CONNECT(0);
    ASSERT_TRUE(isTrue(Q0300_DECLARE(0, 10, QStringLiteral("SELECT 名称名称 FROM 名称マスタ"))));
    Q0200_DISCON(0);
    // The disconnect closed the record sets read through it.
    EXPECT_TRUE(dataAccessState().cursors[10].recordSet == nullptr);
    const QString sql = QStringLiteral("SELECT 名称名称 FROM 名称マスタ");
    EXPECT_EQ(exitStatusOf([&] { Q0300_DECLARE(0, 10, sql); }), 2);
    EXPECT_EQ(
        log(),
        (QStringList{
            QStringLiteral(
                "Q0300 L903 1 00000091 (91) データベースまたはレコードセットが開かれていません。"),
            QStringLiteral("Q0300 L903 1 00000091 ") + sql,
            QStringLiteral(
                "Q0300 L903 5 00000091 "
                "ＳＱＬ処理でエラーが発生しました（エラー内容はこの行以前に出力されています）"),
        }));
}

TEST_P(Cursors, LongTextComesBackWhole) {
    settings();
    Q0100_CONNECT(0);
    QString longText;
    for (int i = 0; i < 3000; ++i) longText += (i % 2 ? QStringLiteral("あ") : QStringLiteral("x"));
    db->exec(QStringLiteral("CREATE TABLE 長文 (本文 TEXT)"));
    db->exec(QStringLiteral("INSERT INTO 長文 VALUES ('") + longText + QStringLiteral("')"));
    ASSERT_TRUE(isTrue(Q0300_DECLARE(0, 1, QStringLiteral("SELECT 本文 FROM 長文"))));
    EXPECT_EQ(Q0700_SGET(1, QStringLiteral("本文")).toString(), longText);
}

TEST_P(Cursors, ValuesBuiltIntoLiteralsMatchThemselvesOnly) {
    settings();
    Q0100_CONNECT(0);
    // Every quote kind, the wildcards of both dialects, brackets, the escape and the operators.
    const QStringList hostile{
        QStringLiteral("A\""),  QStringLiteral("\"OR\"1"), QStringLiteral("x' OR 'a'='a"),
        QStringLiteral("\"\""), QStringLiteral("*"),       QStringLiteral("A?"),
        QStringLiteral("%_"),   QStringLiteral("[*]"),     QStringLiteral("[a]]"),
        QStringLiteral("\\%"),  QStringLiteral("#1"),      QStringLiteral("=>[x"),
        QStringLiteral("`$;--")};
    db->exec(QStringLiteral("CREATE TABLE 値 (v VARCHAR(20))"));
    for (const QString& h : hostile) {
        QString standard = h;
        standard.replace(u'\'', QStringLiteral("''"));
        db->exec(QStringLiteral("INSERT INTO 値 VALUES ('") + standard + QStringLiteral("')"));
        db->exec(QStringLiteral("INSERT INTO 値 VALUES ('") + standard + QStringLiteral("z')"));
    }
    auto rows = [](const QString& condition) {
        QStringList got;
        QVariant r = Q0300_DECLARE(
            0, 1,
            QStringLiteral("SELECT v FROM 値 WHERE ") + condition + QStringLiteral(" ORDER BY v"));
        if (isTrue(r)) {
            do got << Q0700_SGET(1, QStringLiteral("v")).toString();
            while (isTrue(Q0500_FETCH(1)));
        }
        Q0600_DS_CLOSE(1);
        return got;
    };
    for (const QString& h : hostile) {
        EXPECT_EQ(rows(QStringLiteral("v = ") + dialectLiteral(h)), QStringList{h})
            << h.toStdString();
        EXPECT_EQ(rows(QStringLiteral("v LIKE ") + dialectLiteral(likeLiteralText(h) + u'*')),
                  (QStringList{h, h + u'z'}))
            << h.toStdString();
        EXPECT_EQ(rows(QStringLiteral("v LIKE '") + literalContent(likeLiteralText(h), u'\'') +
                       QStringLiteral("?'")),
                  QStringList{h + u'z'})
            << h.toStdString();
    }
    EXPECT_TRUE(log().isEmpty()) << log().join(u'\n').toStdString();
}

TEST_P(Cursors, StatementsWithoutAResultAreRefusedBeforeTheyRun) {
    settings();
    Q0100_CONNECT(0);
    const QString closing = QStringLiteral(
        "Q0300 L102 5 00000000 "
        "ＳＱＬ処理でエラーが発生しました（エラー内容はこの行以前に出力されています）");
    for (const QString& sql :
         {QStringLiteral("DELETE FROM 名称マスタ"),
          QStringLiteral("UPDATE 名称マスタ SET 名称名称 = \"x\""),
          QStringLiteral("DROP TABLE 名称マスタ"),
          QStringLiteral("INSERT INTO 名称マスタ (名称ＩＤ) VALUES (\"NEW\")")}) {
        const qsizetype before = log().size();
        EXPECT_EQ(exitStatusOf([&] { Q0300_DECLARE(0, 10, sql); }), 2) << sql.toStdString();
        EXPECT_EQ(
            log().mid(before),
            (QStringList{QStringLiteral("Q0300 L102 1 00000000 (0) "
                                        "このSQL関数はﾃﾞｰﾀｱｸｾｽ種別'ODBC_DAO'では使用できません。"),
                         QStringLiteral("Q0300 L102 1 00000000 ") + sql, closing}));
    }
    // The data is untouched.
    ASSERT_TRUE(isTrue(Q0300_DECLARE(
        0, 10, QStringLiteral("SELECT 名称区分, 名称名称 FROM 名称マスタ ORDER BY 表示順"))));
    EXPECT_EQ(Q0700_SGET(10, QStringLiteral("名称名称")), QVariant(QStringLiteral("ﾒﾆｭｰ㈱①～")));
    ASSERT_EQ(Q0500_FETCH(10), QVariant(true));
    ASSERT_EQ(Q0500_FETCH(10), QVariant(true));
    EXPECT_EQ(Q0500_FETCH(10), QVariant(kEndOfCursor));
}

TEST_P(Cursors, ConnectingAgainLeavesDeclaredCursorsReadable) {
    settings();
    Q0100_CONNECT(0);
    ASSERT_TRUE(isTrue(Q0300_DECLARE(
        0, 10,
        QStringLiteral(
            "SELECT 名称区分 FROM 名称マスタ WHERE 名称ＩＤ = \"MENU\" ORDER BY 表示順"))));
    ASSERT_TRUE(isTrue(Q0100_CONNECT(0)));
    EXPECT_EQ(Q0700_GET(10, QStringLiteral("名称区分")), QVariant(QStringLiteral("01")));
    EXPECT_EQ(Q0500_FETCH(10), QVariant(true));
    EXPECT_EQ(Q0710_GET(10, 1), QVariant(QStringLiteral("02")));
    EXPECT_TRUE(isTrue(Q0600_DS_CLOSE(10)));
    EXPECT_TRUE(log().isEmpty()) << log().join(u'\n').toStdString();
}

TAV_BOTH_BACKENDS(Cursors);

// SQLite keeps a value of any kind in any column; a get returns what the database holds.
class SqliteValues : public tav::test::DataAccessTest {};

TEST_F(SqliteValues, ValuesOutsideTheColumnsTypeComeBackAsStored) {
    tav::test::TestDatabase sqlite(tav::test::BackendKind::SQLite, folder.path());
    sqlite.exec(
        {QStringLiteral("CREATE TABLE 混在 (番号 INTEGER, 金額 NUMERIC(8,2), 率 REAL, 順 INTEGER)"),
         QStringLiteral("INSERT INTO 混在 VALUES (3.7, 'zz', 'abc', 1)"),
         QStringLiteral("INSERT INTO 混在 VALUES ('abc', 12.25, 2, 2)"),
         QStringLiteral("INSERT INTO 混在 VALUES (-9007199254740993, 5, NULL, 3)")});
    tav::test::writeSettings(folder, sqlite.iniSections(0));
    Q0100_CONNECT(0);
    ASSERT_TRUE(
        isTrue(Q0300_DECLARE(0, 1, QStringLiteral("SELECT 番号, 金額, 率 FROM 混在 ORDER BY 順"))));
    EXPECT_EQ(Q0700_GET(1, QStringLiteral("番号")), QVariant(3.7));
    EXPECT_EQ(Q0700_NGET(1, QStringLiteral("金額")), QVariant(QStringLiteral("zz")));
    EXPECT_EQ(Q0700_GET(1, QStringLiteral("率")), QVariant(QStringLiteral("abc")));
    ASSERT_EQ(Q0500_FETCH(1), QVariant(true));
    EXPECT_EQ(Q0700_NGET(1, QStringLiteral("番号")), QVariant(QStringLiteral("abc")));
    EXPECT_EQ(Q0700_GET(1, QStringLiteral("金額")), QVariant(12.25));
    EXPECT_EQ(Q0710_GET(1, 3), QVariant(2.0));
    ASSERT_EQ(Q0500_FETCH(1), QVariant(true));
    EXPECT_EQ(Q0700_GET(1, QStringLiteral("番号")), QVariant(qlonglong(-9007199254740993LL)));
    EXPECT_EQ(Q0700_GET(1, QStringLiteral("金額")), QVariant(5.0));
    EXPECT_TRUE(Q0700_GET(1, QStringLiteral("率")).isNull());
    EXPECT_EQ(Q0700_NGET(1, QStringLiteral("率")), QVariant(0));
}

TEST_F(SqliteValues, NumbersAtTheEdgesOfTheirKindsSettleAsStored) {
    tav::test::TestDatabase sqlite(tav::test::BackendKind::SQLite, folder.path());
    sqlite.exec({QStringLiteral("CREATE TABLE 端 (値 INTEGER, 数 NUMERIC(8,2), 順 INTEGER)"),
                 QStringLiteral("INSERT INTO 端 VALUES (9223372036854775807, '12', 1)"),
                 QStringLiteral("INSERT INTO 端 VALUES (-9223372036854775808, '1e', 2)"),
                 QStringLiteral("INSERT INTO 端 VALUES (1e300, 9e999, 3)"),
                 QStringLiteral("INSERT INTO 端 VALUES ('12abc', -9e999, 4)"),
                 QStringLiteral("INSERT INTO 端 VALUES ('-', '.', 5)")});
    tav::test::writeSettings(folder, sqlite.iniSections(0));
    Q0100_CONNECT(0);
    ASSERT_TRUE(isTrue(Q0300_DECLARE(0, 1, QStringLiteral("SELECT 値, 数 FROM 端 ORDER BY 順"))));
    EXPECT_EQ(Q0700_GET(1, QStringLiteral("値")), QVariant(qlonglong(9223372036854775807LL)));
    // A whole number in a column that is not INTEGER is a number, not an integer.
    EXPECT_EQ(Q0700_GET(1, QStringLiteral("数")), QVariant(12.0));
    ASSERT_EQ(Q0500_FETCH(1), QVariant(true));
    EXPECT_EQ(Q0700_GET(1, QStringLiteral("値")),
              QVariant(qlonglong(std::numeric_limits<qint64>::min())));
    EXPECT_EQ(Q0700_GET(1, QStringLiteral("数")), QVariant(QStringLiteral("1e")));
    ASSERT_EQ(Q0500_FETCH(1), QVariant(true));
    EXPECT_EQ(Q0700_GET(1, QStringLiteral("値")), QVariant(1e300));
    EXPECT_EQ(Q0700_GET(1, QStringLiteral("数")),
              QVariant(std::numeric_limits<double>::infinity()));
    ASSERT_EQ(Q0500_FETCH(1), QVariant(true));
    EXPECT_EQ(Q0700_GET(1, QStringLiteral("値")), QVariant(QStringLiteral("12abc")));
    EXPECT_EQ(Q0700_GET(1, QStringLiteral("数")),
              QVariant(-std::numeric_limits<double>::infinity()));
    ASSERT_EQ(Q0500_FETCH(1), QVariant(true));
    EXPECT_EQ(Q0700_GET(1, QStringLiteral("値")), QVariant(QStringLiteral("-")));
    EXPECT_EQ(Q0700_GET(1, QStringLiteral("数")), QVariant(QStringLiteral(".")));
    EXPECT_EQ(Q0500_FETCH(1), QVariant(kEndOfCursor));
}

// PostgreSQL reads a declared cursor's result through a server cursor, a block at a time, and
// lets it go when the cursor is closed.
class ServerCursors : public tav::test::DataAccessTest {};

TEST_F(ServerCursors, ADeclaredResultStaysOnTheServerUntilClosed) {
    tav::test::TestDatabase pg(tav::test::BackendKind::PostgreSQL, folder.path());
    ASSERT_TRUE(pg.ready());
    pg.exec({QStringLiteral("CREATE TABLE 大量 (番号 INTEGER)"),
             QStringLiteral("INSERT INTO 大量 SELECT generate_series(1, 3000)")});
    tav::test::writeSettings(folder, pg.iniSections(0));
    Q0100_CONNECT(0);
    const QString open = QStringLiteral(
        "SELECT count(*) AS 件数 FROM pg_cursors WHERE position('FROM 大量' IN statement) > 0 "
        "AND position('pg_cursors' IN statement) = 0");
    ASSERT_TRUE(isTrue(Q0300_DECLARE(0, 2, QStringLiteral("SELECT 番号 FROM 大量 ORDER BY 番号"))));
    ASSERT_TRUE(isTrue(Q0300_DECLARE(0, 3, open)));
    EXPECT_EQ(Q0700_NGET(3, QStringLiteral("件数")).toInt(), 1);
    int n = 0;
    do {
        ASSERT_EQ(Q0700_GET(2, QStringLiteral("番号")), QVariant(++n));
    } while (isTrue(Q0500_FETCH(2)));
    EXPECT_EQ(n, 3000);
    EXPECT_TRUE(isTrue(Q0600_DS_CLOSE(2)));
    ASSERT_TRUE(isTrue(Q0300_DECLARE(0, 3, open)));
    EXPECT_EQ(Q0700_NGET(3, QStringLiteral("件数")).toInt(), 0);
    Q0600_DS_CLOSE(3);
    EXPECT_TRUE(isTrue(Q0200_DISCON(0)));
}

}  // namespace

namespace {

class Blocks : public tav::test::BackendTest {};

TEST_P(Blocks, ManyRowsComeBackInOrderAcrossBlocks) {
    db->exec(QStringLiteral("CREATE TABLE 多数 (番号 INTEGER, 名称 VARCHAR(20), 値 NUMERIC(8,2))"));
    QString insert = QStringLiteral("INSERT INTO 多数 VALUES ");
    for (int i = 0; i < 1000; ++i) {
        if (i) insert += u',';
        insert += i % 7 == 0 ? QStringLiteral("(%1, NULL, NULL)").arg(i)
                             : QStringLiteral("(%1, '行%1ｶﾅ', %1.5)").arg(i);
    }
    db->exec(insert);
    settings();
    Q0100_CONNECT(0);
    ASSERT_TRUE(isTrue(
        Q0300_DECLARE(0, 1, QStringLiteral("SELECT 番号, 名称, 値 FROM 多数 ORDER BY 番号"))));
    int n = 0;
    QVariant r;
    do {
        ASSERT_EQ(Q0700_GET(1, QStringLiteral("番号")), QVariant(n));
        if (n % 7 == 0) {
            EXPECT_TRUE(Q0700_GET(1, QStringLiteral("名称")).isNull());
            EXPECT_TRUE(Q0710_GET(1, 3).isNull());
        } else {
            EXPECT_EQ(Q0700_SGET(1, QStringLiteral("名称")),
                      QVariant(QStringLiteral("行%1ｶﾅ").arg(n)));
            EXPECT_EQ(Q0710_GET(1, 3), QVariant(n + 0.5));
        }
        ++n;
    } while (isTrue(r = Q0500_FETCH(1)));
    EXPECT_EQ(r, QVariant(kEndOfCursor));
    EXPECT_EQ(n, 1000);
}

TEST_P(Blocks, TextLongerThanItsDeclaredSizeComesBackWhole) {
    // SQLite keeps text longer than the declared size; the driver still reports the declared one.
    db->exec(QStringLiteral("CREATE TABLE 短い (名称 VARCHAR(5), 番号 INTEGER)"));
    const QString longer = GetParam() == tav::test::BackendKind::SQLite
                               ? QStringLiteral("五文字を超える全角の名称ですｶﾅ")
                               : QStringLiteral("全角五字");
    db->exec(QStringLiteral("INSERT INTO 短い VALUES ('") + longer + QStringLiteral("', 1)"));
    db->exec(QStringLiteral("INSERT INTO 短い VALUES ('ab', 2)"));
    settings();
    Q0100_CONNECT(0);
    ASSERT_TRUE(isTrue(Q0300_DECLARE(0, 1, QStringLiteral("SELECT 名称 FROM 短い ORDER BY 番号"))));
    EXPECT_EQ(Q0700_SGET(1, QStringLiteral("名称")), QVariant(longer));
    ASSERT_EQ(Q0500_FETCH(1), QVariant(true));
    EXPECT_EQ(Q0700_SGET(1, QStringLiteral("名称")), QVariant(QStringLiteral("ab")));
}

TEST_P(Blocks, RowsAreReadAsTheCursorMovesAndALongTextLaterOnRereadsNoRowTwice) {
    db->exec(QStringLiteral("CREATE TABLE 段 (番号 INTEGER, 名称 VARCHAR(4))"));
    QString insert = QStringLiteral("INSERT INTO 段 VALUES ");
    for (int i = 0; i < 700; ++i) {
        // SQLite keeps the longer text of row 600, in a later block; PostgreSQL has room.
        const QString name = i == 600 && GetParam() == tav::test::BackendKind::SQLite
                                 ? QStringLiteral("四文字を超える名称")
                                 : QStringLiteral("名%1").arg(i % 100);
        insert +=
            (i ? QStringLiteral(",") : QString()) + QStringLiteral("(%1, '%2')").arg(i).arg(name);
    }
    db->exec(insert);
    settings();
    Q0100_CONNECT(0);
    ASSERT_TRUE(
        isTrue(Q0300_DECLARE(0, 2, QStringLiteral("SELECT 番号, 名称 FROM 段 ORDER BY 番号"))));
    // One small block read at the declare, not the whole result; the blocks grow as it is read.
    const RecordSet& rs = *dataAccessState().cursors[2].recordSet;
    EXPECT_EQ(rs.rows, kFirstBlockRows);
    int n = 0;
    do {
        ASSERT_EQ(Q0700_GET(2, QStringLiteral("番号")), QVariant(n)) << "row " << n;
        if (n == 40) {
            EXPECT_EQ(rs.rows, 3 * kFirstBlockRows);
        }
        ++n;
    } while (isTrue(Q0500_FETCH(2)));
    EXPECT_EQ(n, 700);
    EXPECT_EQ(dataAccessState().cursors[2].recordSet->pending, nullptr);
}

TEST_P(Blocks, ACursorExpectedToBeReadForSomeRowsReadsNoFurtherUntilItMovesOn) {
    db->exec(QStringLiteral("CREATE TABLE 段 (番号 INTEGER)"));
    QString insert = QStringLiteral("INSERT INTO 段 VALUES (0)");
    for (int i = 1; i < 300; ++i) insert += QStringLiteral(",(%1)").arg(i);
    db->exec(insert);
    settings();
    Q0100_CONNECT(0);
    ExpectRows(2, 50);
    ASSERT_TRUE(isTrue(Q0300_DECLARE(0, 2, QStringLiteral("SELECT 番号 FROM 段 ORDER BY 番号"))));
    const auto held = [] { return dataAccessState().cursors[2].recordSet->rows; };
    EXPECT_EQ(held(), kFirstBlockRows);
    int n = 0;
    do {
        ASSERT_EQ(Q0700_GET(2, QStringLiteral("番号")), QVariant(n));
        if (n == 49) EXPECT_EQ(held(), 50u);
    } while (++n, isTrue(Q0500_FETCH(2)));
    EXPECT_EQ(n, 300);
    // The word holds for one declare only.
    ASSERT_TRUE(isTrue(Q0300_DECLARE(0, 2, QStringLiteral("SELECT 番号 FROM 段 ORDER BY 番号"))));
    for (int i = 0; i < 40; ++i) Q0500_FETCH(2);
    EXPECT_EQ(held(), 3 * kFirstBlockRows);
}

TAV_BOTH_BACKENDS(Blocks);

}  // namespace

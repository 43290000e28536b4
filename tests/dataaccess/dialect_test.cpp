// The office dialect rewritten for the backends.
#include <gtest/gtest.h>

#include "dataaccess/dialect.h"
#include "support/test_support.h"

using namespace tav::dataaccess;

namespace {

QString sq(const QString& s) {
    return translateSql(s, Backend::SQLite);
}
QString pg(const QString& s) {
    return translateSql(s, Backend::PostgreSQL);
}

TEST(Dialect, DoubleQuotedLiteralsBecomeStandardLiterals) {
    EXPECT_EQ(sq(QStringLiteral("SELECT * FROM T WHERE A = \"x\"")),
              QStringLiteral("SELECT * FROM T WHERE A = 'x'"));
    // A doubled quote inside is one quote; a single quote inside is doubled.
    EXPECT_EQ(pg(QStringLiteral("WHERE A = \"say \"\"hi\"\"\" AND B = \"it's\"")),
              QStringLiteral("WHERE A = 'say \"hi\"' AND B = 'it''s'"));
    EXPECT_EQ(pg(QStringLiteral("A = \"\"")), QStringLiteral("A = ''"));
    EXPECT_EQ(pg(QStringLiteral("A = \"\"\"\"")), QStringLiteral("A = '\"'"));
    // Standard literals stay as they are.
    EXPECT_EQ(pg(QStringLiteral("A = 'it''s \"x\"'")), QStringLiteral("A = 'it''s \"x\"'"));
}

TEST(Dialect, NothingInsideALiteralIsTouched) {
    EXPECT_EQ(sq(QStringLiteral("A = \"=> =< [x] * ? % _\"")),
              QStringLiteral("A = '=> =< [x] * ? % _'"));
    EXPECT_EQ(sq(QStringLiteral("A = '[LIKE] \"*\"'")), QStringLiteral("A = '[LIKE] \"*\"'"));
}

TEST(Dialect, ComparisonOperators) {
    EXPECT_EQ(pg(QStringLiteral("A => 1 AND B =< 2 AND C>=3 AND D<=4 AND E<>5 AND F=6")),
              QStringLiteral("A >= 1 AND B <= 2 AND C>=3 AND D<=4 AND E<>5 AND F=6"));
    EXPECT_EQ(pg(QStringLiteral("A=>\"1\"")), QStringLiteral("A>='1'"));
}

TEST(Dialect, BracketedNamesBecomeQuotedIdentifiers) {
    EXPECT_EQ(pg(QStringLiteral("SELECT [名称 ＩＤ], [a\"b] FROM [名称マスタ]")),
              QStringLiteral("SELECT \"名称 ＩＤ\", \"a\"\"b\" FROM \"名称マスタ\""));
}

TEST(Dialect, WildcardsOnlyInLikePatterns) {
    EXPECT_EQ(sq(QStringLiteral("SELECT * FROM T WHERE A LIKE \"AB*\" AND B = \"*\"")),
              QStringLiteral("SELECT * FROM T WHERE A LIKE 'AB%' AND B = '*'"));
    EXPECT_EQ(pg(QStringLiteral("WHERE A like \"?x*\"")), QStringLiteral("WHERE A like '_x%'"));
    EXPECT_EQ(pg(QStringLiteral("WHERE A NOT LIKE 'a*'")), QStringLiteral("WHERE A NOT LIKE 'a%'"));
    EXPECT_EQ(pg(QStringLiteral("WHERE A LIKE\n  \"a?\"")), QStringLiteral("WHERE A LIKE\n  'a_'"));
    // A ? outside a pattern is a parameter marker and stays.
    EXPECT_EQ(pg(QStringLiteral("WHERE A = ? AND B LIKE ?")),
              QStringLiteral("WHERE A = ? AND B LIKE ?"));
    // A word that merely ends in LIKE is not the keyword.
    EXPECT_EQ(pg(QStringLiteral("WHERE UNLIKE = \"a*\"")), QStringLiteral("WHERE UNLIKE = 'a*'"));
}

TEST(Dialect, PatternCharactersOfTheirOwnAreEscaped) {
    EXPECT_EQ(pg(QStringLiteral("A LIKE \"100%*\"")),
              QStringLiteral("A LIKE '100\\%%' ESCAPE '\\'"));
    EXPECT_EQ(sq(QStringLiteral("A LIKE \"a_b\"")), QStringLiteral("A LIKE 'a\\_b' ESCAPE '\\'"));
    EXPECT_EQ(sq(QStringLiteral("A LIKE \"c:\\*\"")),
              QStringLiteral("A LIKE 'c:\\\\%' ESCAPE '\\'"));
    // [*] and [?] stand for the character itself.
    EXPECT_EQ(sq(QStringLiteral("A LIKE \"[*][?]*\"")), QStringLiteral("A LIKE '*?%'"));
    EXPECT_EQ(sq(QStringLiteral("A LIKE \"[%]*\"")), QStringLiteral("A LIKE '\\%%' ESCAPE '\\'"));
}

TEST(Dialect, FullWidthIdentifiersAndTextPassUnchanged) {
    const QString s = QStringLiteral(
        "SELECT 名称ＩＤ,名称名称,タイトル１行目 FROM 名称マスタ WHERE 名称区分 = ０１");
    EXPECT_EQ(sq(s), s);
    EXPECT_EQ(pg(s), s);
    EXPECT_EQ(pg(QStringLiteral("WHERE 名称ＩＤ = \"ｶﾅ　全角\"")),
              QStringLiteral("WHERE 名称ＩＤ = 'ｶﾅ　全角'"));
}

TEST(Dialect, UnclosedLiteralsAndNamesAreLeftForTheBackend) {
    EXPECT_EQ(pg(QStringLiteral("A = \"open")), QStringLiteral("A = \"open"));
    EXPECT_EQ(pg(QStringLiteral("SELECT [open")), QStringLiteral("SELECT [open"));
    EXPECT_EQ(pg(QString()), QString());
}

TEST(Dialect, NulCharactersGoThrough) {
    QString s = QStringLiteral("SELECT 1");
    s += QChar(u'\0');
    s += QStringLiteral(" \"x\"");
    QString want = QStringLiteral("SELECT 1");
    want += QChar(u'\0');
    want += QStringLiteral(" 'x'");
    EXPECT_EQ(sq(s), want);
}

TEST(Dialect, BackendOfTheDriver) {
    EXPECT_EQ(backendOfDriver(QStringLiteral("libsqlite3odbc.so")), Backend::SQLite);
    EXPECT_EQ(backendOfDriver(QStringLiteral("sqlite3odbc.so")), Backend::SQLite);
    EXPECT_EQ(backendOfDriver(QStringLiteral("/usr/lib/x86_64-linux-gnu/odbc/psqlodbcw.so")),
              Backend::PostgreSQL);
    EXPECT_EQ(backendOfDriver(QStringLiteral("PSQLODBCA.SO")), Backend::PostgreSQL);
    EXPECT_EQ(backendOfDriver(QStringLiteral("libmyodbc.so")), Backend::Other);
}

}  // namespace

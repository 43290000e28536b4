// The ODBC wrapper: text in the encoding each driver takes, diagnostics, value types.
#include <gtest/gtest.h>

#include "backend.h"
#include "dataaccess/odbc.h"

using namespace tav::dataaccess::odbc;
using tav::test::BackendKind;
using tav::test::TestDatabase;

namespace {

TEST(OdbcText, EncodingByDriver) {
    EXPECT_EQ(encodingForDriver(QStringLiteral("psqlodbcw.so")), TextEncoding::Utf16Wide);
    EXPECT_EQ(encodingForDriver(QStringLiteral("/usr/lib/odbc/psqlodbcw.so")),
              TextEncoding::Utf16Wide);
    EXPECT_EQ(encodingForDriver(QStringLiteral("psqlodbca.so")), TextEncoding::Utf8Narrow);
    EXPECT_EQ(encodingForDriver(QStringLiteral("libsqlite3odbc.so")), TextEncoding::Utf8Narrow);
    EXPECT_EQ(encodingForDriver(QStringLiteral("sqlite3odbc.so")), TextEncoding::Utf8Narrow);
}

TEST(OdbcText, ConnectValuesAreQuotedOnlyWhenNeeded) {
    EXPECT_EQ(connectValue(QStringLiteral("plain")), QStringLiteral("plain"));
    EXPECT_EQ(connectValue(QStringLiteral("a;b")), QStringLiteral("{a;b}"));
    EXPECT_EQ(connectValue(QStringLiteral("a}b")), QStringLiteral("{a}}b}"));
    EXPECT_EQ(connectValue(QStringLiteral(" pad")), QStringLiteral("{ pad}"));
    EXPECT_EQ(connectValue(QString()), QString());
}

class Odbc : public ::testing::TestWithParam<BackendKind> {
  protected:
    void SetUp() override {
        db = std::make_unique<TestDatabase>(GetParam(), dir.path());
        ASSERT_TRUE(db->ready());
        conn.connect(db->ownerConnectString());
    }
    void exec(const QString& sql) {
        Statement st(conn);
        st.execDirect(sql);
    }
    QTemporaryDir dir;
    std::unique_ptr<TestDatabase> db;
    Connection conn;
};

const QString kValue = QStringLiteral("ｶﾞｷﾞ　名称ＩＤ㈱①～髙﨑\"'\\");

TEST_P(Odbc, JapaneseNamesAndValuesReachTheDatabaseUnchanged) {
    exec(QStringLiteral(
        "CREATE TABLE 名称マスタ (名称ＩＤ VARCHAR(40), タイトル１行目 VARCHAR(40))"));
    QString v = kValue;
    v.replace(u'\'', QStringLiteral("''"));
    exec(QStringLiteral("INSERT INTO 名称マスタ VALUES ('") + v + QStringLiteral("', 'ｱ')"));
    Statement st(conn);
    if (GetParam() == BackendKind::SQLite) {
        st.execDirect(
            QStringLiteral("SELECT 名称ＩＤ, タイトル１行目, hex(名称ＩＤ) AS h FROM 名称マスタ"));
    } else {
        st.execDirect(
            QStringLiteral("SELECT 名称ＩＤ, タイトル１行目, upper(encode(convert_to(名称ＩＤ, "
                           "'UTF8'), 'hex')) AS h FROM 名称マスタ"));
    }
    const auto cols = st.describeColumns();
    ASSERT_EQ(cols.size(), 3u);
    EXPECT_EQ(cols[0].name, QStringLiteral("名称ＩＤ"));
    EXPECT_EQ(cols[1].name, QStringLiteral("タイトル１行目"));
    ASSERT_TRUE(st.fetch());
    EXPECT_EQ(st.getData(1, cols[0].kind).toString(), kValue);
    EXPECT_EQ(st.getData(2, cols[1].kind).toString(), QStringLiteral("ｱ"));
    // What the database stored is the UTF-8 of the text, byte for byte.
    EXPECT_EQ(st.getData(3, ColumnClass::Text).toString().toLatin1(),
              kValue.toUtf8().toHex().toUpper());
    EXPECT_FALSE(st.fetch());
}

TEST_P(Odbc, FailedCallsCarryEveryDiagnosticRecord) {
    Statement st(conn);
    try {
        st.execDirect(QStringLiteral("SELECT 無い列 FROM 無い表"));
        FAIL() << "no error";
    } catch (const OdbcError& e) {
        ASSERT_FALSE(e.diagnostics().empty());
        EXPECT_EQ(e.diagnostics()[0].sqlState.size(), 5);
        EXPECT_TRUE(e.diagnostics()[0].message.contains(QStringLiteral("無い")))
            << e.diagnostics()[0].message.toStdString();
        EXPECT_EQ(e.driver(), conn.driverName());
        EXPECT_FALSE(e.driver().isEmpty());
    }
}

TEST_P(Odbc, ValueTypesAndNull) {
    exec(QStringLiteral(
        "CREATE TABLE 型 (i INTEGER, b BIGINT, n NUMERIC(10,3), t VARCHAR(5), d DATE)"));
    exec(QStringLiteral("INSERT INTO 型 VALUES (-7, 5000000000, 12.125, 'abc', '2026-04-01')"));
    exec(QStringLiteral("INSERT INTO 型 VALUES (NULL, NULL, NULL, NULL, NULL)"));
    Statement st(conn);
    st.execDirect(QStringLiteral("SELECT i, b, n, t FROM 型 ORDER BY i"));
    const auto cols = st.describeColumns();
    ASSERT_EQ(cols.size(), 4u);
    EXPECT_EQ(cols[0].kind, ColumnClass::Integer);
    EXPECT_EQ(cols[1].kind, ColumnClass::Integer);
    EXPECT_EQ(cols[2].kind, ColumnClass::Number);
    EXPECT_EQ(cols[3].kind, ColumnClass::Text);
    std::vector<std::vector<QVariant>> rows;
    while (st.fetch()) {
        std::vector<QVariant> r;
        for (SQLUSMALLINT c = 1; c <= 4; ++c) r.push_back(st.getData(c, cols[c - 1].kind));
        rows.push_back(r);
    }
    ASSERT_EQ(rows.size(), 2u);
    // NULLs sort first on SQLite and last on PostgreSQL.
    const auto& full = rows[0][0].isNull() ? rows[1] : rows[0];
    const auto& empty = rows[0][0].isNull() ? rows[0] : rows[1];
    EXPECT_EQ(full[0], QVariant(-7));
    EXPECT_EQ(full[1], QVariant(qlonglong(5000000000)));
    EXPECT_EQ(full[2], QVariant(12.125));
    EXPECT_EQ(full[3], QVariant(QStringLiteral("abc")));
    for (const QVariant& v : empty) EXPECT_TRUE(v.isNull());
}

TEST_P(Odbc, DisconnectIsSafeTwice) {
    conn.disconnect();
    EXPECT_FALSE(conn.connected());
    conn.disconnect();
}

INSTANTIATE_TEST_SUITE_P(Backends, Odbc,
                         ::testing::Values(BackendKind::SQLite, BackendKind::PostgreSQL),
                         tav::test::backendName);

}  // namespace

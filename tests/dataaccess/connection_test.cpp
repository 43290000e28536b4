// FEND_RUN.INI, the connection table, workspaces, connected flags, the three ways to connect and
// the failures of Q0100_CONNECT and Q0200_DISCON.
#include <QFile>
#include <QRegularExpression>

#include "fixture.h"

using namespace tav::dataaccess;
using tav::test::BackendKind;
using tav::test::exitStatusOf;
using tav::test::TestDatabase;

namespace {

const QString kClosing =
    QStringLiteral("ＳＱＬ処理でエラーが発生しました（エラー内容はこの行以前に出力されています）");

class Connections : public tav::test::DataAccessTest {
  protected:
    void SetUp() override {
        DataAccessTest::SetUp();
        sqlite = std::make_unique<TestDatabase>(BackendKind::SQLite, folder.path());
    }
    void ini(const QString& text) { tav::test::writeSettings(folder, text); }
    std::unique_ptr<TestDatabase> sqlite;
};

TEST_F(Connections, NoSettingsFileFailsWithTheL103Text) {
    EXPECT_EQ(exitStatusOf([] { Q0100_CONNECT(0); }), 2);
    EXPECT_EQ(
        log(),
        (QStringList{
            QStringLiteral(
                "Q0100 L903 1 00000000 (0) "
                "DB番号0のﾃﾞｰﾀｿｰｽ名・ﾊﾟｽ名が設定されていません。ODBC_DAO接続は失敗しました。"),
            QStringLiteral("Q0100 L903 5 00000000 ") + kClosing}));
    EXPECT_EQ(dataAccessState().connections[0].effective.accessKind, QStringLiteral("ODBC_DAO"));
    ASSERT_EQ(fake.messageBox.shown.size(), 1u);
    EXPECT_EQ(fake.messageBox.shown[0].text,
              QStringLiteral("Q0100で異常終了 ログファイルを参照して下さい。 "));
    EXPECT_EQ(fake.messageBox.shown[0].icon, tav::platform::Icon::Critical);
}

TEST_F(Connections, UnservedAccessKindIsRefusedWithL101) {
    ini(QStringLiteral("[DAI]\nZ_DAI3=ODBC_RDO\n[DBPATH]\nZ_PATH3=") + sqlite->filePath() + u'\n');
    EXPECT_EQ(exitStatusOf([] { Q0100_CONNECT(3); }), 2);
    EXPECT_EQ(log(), (QStringList{QStringLiteral("Q0100 L101 1 00000000 (0) "
                                                 "ﾃﾞｰﾀｱｸｾｽ種別'ODBC_RDO'"
                                                 "は現在のﾓｼﾞｭｰﾙでは使用できません。または、Fendrix"
                                                 "の現ﾊﾞｰｼﾞｮﾝではｻﾎﾟｰﾄされていません。"),
                                  QStringLiteral("Q0100 L101 5 00000000 ") + kClosing}));
}

TEST_F(Connections, BothServedKindsConnect) {
    ini(QStringLiteral("[DAI]\nZ_DAI1=ODBC_DAO_RDASV\n[DBPATH]\nZ_PATH1=%1\nZ_PATH2=%1\n")
            .arg(sqlite->filePath()));
    EXPECT_TRUE(isTrue(Q0100_CONNECT(1)));
    EXPECT_TRUE(isTrue(Q0100_CONNECT(2)));
    EXPECT_EQ(dataAccessState().connections[1].effective.accessKind,
              QStringLiteral("ODBC_DAO_RDASV"));
    EXPECT_EQ(dataAccessState().connections[2].effective.accessKind, QStringLiteral("ODBC_DAO"));
    EXPECT_TRUE(isTrue(Q0300_DECLARE(1, 0, QStringLiteral("SELECT 1 AS x"))));
    EXPECT_TRUE(isTrue(Q0500_FETCH(0)) == false);
}

TEST_F(Connections, SettingsAreCleanedCutAndReadOncePerDbNumber) {
    QByteArray text = "[DBPATH]\r\nZ_PATH0=" + sqlite->filePath().toUtf8() +
                      "   \r\n[LOGONID]\r\nZ_LOGON0= user1 \r\n[PASSWORD]\r\nZ_PSWD0=pw\r\n"
                      "[DSRC]\r\nZ_DSRC5=" +
                      QByteArray(40, 'D') +
                      "\r\n"
                      "[DEFAULT_SCM]\r\nZ_DEFAULT_SCM0=dbo\r\n";
    tav::test::writeFile(folder.file(QStringLiteral("FEND_RUN.INI")), text);
    ASSERT_TRUE(isTrue(Q0100_CONNECT(0)));
    const ConnectionRow& row = dataAccessState().connections[0];
    EXPECT_TRUE(row.loaded);
    EXPECT_EQ(row.read.path, sqlite->filePath());
    EXPECT_EQ(row.read.logonId, QStringLiteral("user1"));
    EXPECT_EQ(row.read.password, QStringLiteral("pw"));
    EXPECT_EQ(row.read.defaultSchema, QStringLiteral("dbo"));
    // A later change of the file does not reach a DB number already read ...
    ini(QStringLiteral("[DBPATH]\nZ_PATH0=/nowhere.db\nZ_PATH1=") + sqlite->filePath() +
        QStringLiteral("\n[DSRC]\nZ_DSRC5=") + QString(40, u'D') + u'\n');
    Q0200_DISCON(0);
    EXPECT_TRUE(isTrue(Q0100_CONNECT(0)));
    EXPECT_EQ(dataAccessState().connections[0].read.path, sqlite->filePath());
    // ... but a DB number read for the first time sees it.
    EXPECT_TRUE(isTrue(Q0100_CONNECT(1)));
    // Values are read with a 30-character read size (29 characters kept), paths with 100.
    dataAccessState().connections[5].loaded = false;
    EXPECT_EQ(exitStatusOf([] { Q0100_CONNECT(5); }), 2);
    EXPECT_EQ(dataAccessState().connections[5].read.dataSource, QString(29, u'D'));
}

TEST_F(Connections, TrailingNulAndBlanksAreCut) {
    EXPECT_EQ(
        cleanSetting(QStringLiteral("  abc ") + QChar(u'\0') + QStringLiteral(" ") + QChar(u'\0')),
        QStringLiteral("abc"));
    EXPECT_EQ(cleanSetting(QString(5, QChar(u'\0'))), QString());
    EXPECT_EQ(cleanSetting(QStringLiteral("a") + QChar(u'\0') + QStringLiteral("b ")),
              QStringLiteral("a") + QChar(u'\0') + QStringLiteral("b"));
    // A full-width blank is not a blank of the settings file.
    EXPECT_EQ(cleanSetting(QStringLiteral("名称　")), QStringLiteral("名称　"));
}

TEST_F(Connections, LogonArgumentsReplaceTheFilesForThisConnection) {
    ini(QStringLiteral(
            "[DBPATH]\nZ_PATH0=%1\n[LOGONID]\nZ_LOGON0=fileuser\n[PASSWORD]\nZ_PSWD0=filepw\n")
            .arg(sqlite->filePath()));
    Q0100_CONNECT(0, QStringLiteral("arguser"), QStringLiteral("argpw"));
    const ConnectionRow& row = dataAccessState().connections[0];
    EXPECT_EQ(row.effective.logonId, QStringLiteral("arguser"));
    EXPECT_EQ(row.effective.password, QStringLiteral("argpw"));
    EXPECT_EQ(row.read.logonId, QStringLiteral("fileuser"));
    EXPECT_EQ(row.connectString, QStringLiteral("MS Access;PWD=argpw"));
    Q0200_DISCON(0);
    Q0100_CONNECT(0, {}, QStringLiteral("x"));
    EXPECT_EQ(dataAccessState().connections[0].effective.logonId, QStringLiteral("fileuser"));
    EXPECT_EQ(dataAccessState().connections[0].effective.password, QStringLiteral("x"));
}

TEST_F(Connections, TraceLineNeverShowsThePassword) {
    ini(QStringLiteral(
            "[SQLLOGOUT]\nQ_DEBUG= 1 \n[DBPATH]\nZ_PATH0=%1\nZ_PATH1=%1\n[LOGONID]\nZ_LOGON0=u\n"
            "[PASSWORD]\nZ_PSWD0=secret\n")
            .arg(sqlite->filePath()));
    Q0100_CONNECT(0);
    Q0100_CONNECT(1);
    EXPECT_TRUE(dataAccessState().trace);
    EXPECT_EQ(dataAccessState().rawDebug, QStringLiteral("1"));
    EXPECT_EQ(
        log(),
        (QStringList{QStringLiteral("Q0100 L010 1 00000000 Q0100_CONNECT( -") + sqlite->filePath() +
                         QStringLiteral(" , 'u' , '********' , 'ODBC_DAO' )"),
                     QStringLiteral("Q0100 L010 1 00000000 Q0100_CONNECT( -") + sqlite->filePath() +
                         QStringLiteral(" , '' , '' , 'ODBC_DAO' )")}));
    EXPECT_FALSE(QString::fromUtf8(tav::test::readFile(folder.file("FEND_SYS.LOG")))
                     .contains(QStringLiteral("secret")));
}

TEST_F(Connections, TraceIsOffUnlessTheValueIsExactlyOne) {
    ini(QStringLiteral("[SQLLOGOUT]\nQ_DEBUG=yes\n[DBPATH]\nZ_PATH0=%1\n").arg(sqlite->filePath()));
    Q0100_CONNECT(0);
    EXPECT_FALSE(dataAccessState().trace);
    EXPECT_EQ(dataAccessState().rawDebug, QStringLiteral("0"));
    EXPECT_TRUE(log().isEmpty());
}

TEST_F(Connections, PerDbWorkspacesAreTheDefault) {
    ini(QStringLiteral("[DBPATH]\nZ_PATH0=%1\nZ_PATH3=%1\nZ_PATH20=%1\n").arg(sqlite->filePath()));
    EXPECT_EQ(dataAccessState().connectedFlags, QString(21, u'0'));
    Q0100_CONNECT(3);
    DataAccessState& s = dataAccessState();
    EXPECT_TRUE(s.perDbWorkspaces);
    ASSERT_TRUE(s.connections[3].workspace.has_value());
    EXPECT_EQ(s.connections[3].workspace->name, QStringLiteral("WS3"));
    EXPECT_EQ(s.connections[3].workspace->user, QStringLiteral("admin"));
    EXPECT_EQ(s.connections[3].workspace->password, QString());
    EXPECT_FALSE(s.connections[0].workspace.has_value());
    Q0100_CONNECT(20);
    EXPECT_EQ(s.connections[20].workspace->name, QStringLiteral("WS20"));
    EXPECT_EQ(s.connectedFlags, QStringLiteral("000100000000000000001"));
    EXPECT_EQ(s.connectionCount, 2);
    EXPECT_EQ(s.connections[20].database->queryTimeout, 500);
    Q0200_DISCON(3);
    EXPECT_FALSE(s.connections[3].workspace.has_value());
    EXPECT_FALSE(s.connections[3].database);
    EXPECT_EQ(s.connections[3].connectString, QString());
    EXPECT_EQ(s.connectedFlags, QStringLiteral("000000000000000000001"));
    EXPECT_EQ(s.connectionCount, 1);
    Q0200_DISCON(20);
    EXPECT_EQ(s.connectionCount, 0);
}

TEST_F(Connections, SharedWorkspaceLivesWhileAnyDbIsConnected) {
    ini(QStringLiteral("[SQL/IO]\nQ_DB_TRAN=0\n[DBPATH]\nZ_PATH1=%1\nZ_PATH2=%1\n")
            .arg(sqlite->filePath()));
    DataAccessState& s = dataAccessState();
    Q0100_CONNECT(1);
    EXPECT_FALSE(s.perDbWorkspaces);
    EXPECT_TRUE(s.sharedWorkspaceCreated);
    ASSERT_TRUE(s.connections[0].workspace.has_value());
    EXPECT_EQ(s.connections[0].workspace->name, QStringLiteral("WS0"));
    EXPECT_FALSE(s.connections[1].workspace.has_value());
    Q0100_CONNECT(2);
    Q0200_DISCON(1);
    EXPECT_TRUE(s.sharedWorkspaceCreated);
    Q0200_DISCON(2);
    EXPECT_FALSE(s.sharedWorkspaceCreated);
    EXPECT_FALSE(s.connections[0].workspace.has_value());
    Q0100_CONNECT(2);
    EXPECT_EQ(s.connections[0].workspace->name, QStringLiteral("WS0"));
}

TEST_F(Connections, ConnectingAgainKeepsTheCountAndConnectString) {
    ini(QStringLiteral("[DBPATH]\nZ_PATH0=%1\n[PASSWORD]\nZ_PSWD0=a\n").arg(sqlite->filePath()));
    Q0100_CONNECT(0);
    Q0100_CONNECT(0, {}, QStringLiteral("b"));
    DataAccessState& s = dataAccessState();
    EXPECT_EQ(s.connectionCount, 1);
    EXPECT_EQ(s.connections[0].connectString, QStringLiteral("MS Access;PWD=a"));
    EXPECT_TRUE(isTrue(Q0200_DISCON(0)));
    EXPECT_EQ(s.connectionCount, 0);
}

TEST_F(Connections, MissingDatabaseFileIsAFailedConnectionAndIsNotCreated) {
    const QString path = folder.file(QStringLiteral("missing.db"));
    ini(QStringLiteral("[DBPATH]\nZ_PATH0=") + path + u'\n');
    EXPECT_EQ(exitStatusOf([] { Q0100_CONNECT(0); }), 2);
    EXPECT_EQ(log(),
              (QStringList{
                  QStringLiteral("Q0100 L901 1 00000053 (53) ファイルが見つかりません。 ") + path,
                  QStringLiteral("Q0100 L901 5 00000053 ") + kClosing}));
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_EQ(dataAccessState().connectedFlags[0], u'0');
}

TEST_F(Connections, AFileOpenedAheadBecomesTheConnectionAndADataSourceIsNotTried) {
    ini(QStringLiteral("[DBPATH]\nZ_PATH0=%1\n[DSRC]\nZ_DSRC1=NO_SUCH_SOURCE\n")
            .arg(sqlite->filePath()));
    sqlite->exec(QStringLiteral("CREATE TABLE 先 (番号 INTEGER)"));
    DataAccessState& s = dataAccessState();
    OpenAhead(1);
    EXPECT_FALSE(s.ahead.valid());
    OpenAhead(0);
    ASSERT_TRUE(s.ahead.valid());
    EXPECT_TRUE(isTrue(Q0100_CONNECT(0)));
    EXPECT_FALSE(s.ahead.valid());
    EXPECT_EQ(Q0300_DECLARE(0, 0, QStringLiteral("SELECT 番号 FROM 先")), QVariant(kNoData));
    EXPECT_TRUE(log().isEmpty());
}

TEST_F(Connections, AMissingFileOpenedAheadFailsAsItWouldOtherwise) {
    const QString path = folder.file(QStringLiteral("missing.db"));
    ini(QStringLiteral("[DBPATH]\nZ_PATH0=") + path + u'\n');
    EXPECT_EQ(exitStatusOf([] {
                  OpenAhead(0);
                  Q0100_CONNECT(0);
              }),
              2);
    EXPECT_EQ(log(),
              (QStringList{
                  QStringLiteral("Q0100 L901 1 00000053 (53) ファイルが見つかりません。 ") + path,
                  QStringLiteral("Q0100 L901 5 00000053 ") + kClosing}));
    EXPECT_FALSE(QFile::exists(path));
}

TEST_F(Connections, FileThatIsNoDatabaseIsAFailedConnection) {
    const QString path = folder.file(QStringLiteral("notes.txt"));
    tav::test::writeFile(path, QByteArray(4096, 'x'));
    ini(QStringLiteral("[DBPATH]\nZ_PATH0=") + path + u'\n');
    EXPECT_EQ(exitStatusOf([] { Q0100_CONNECT(0); }), 2);
    const QStringList l = log();
    ASSERT_GE(l.size(), 2);
    EXPECT_TRUE(l[0].startsWith(QStringLiteral("Q0100 L901 1 00003146 (Errors(0):")))
        << l[0].toStdString();
    EXPECT_TRUE(l[0].contains(QStringLiteral("発生元=")));
    EXPECT_EQ(l.last(), QStringLiteral("Q0100 L901 5 00003146 ") + kClosing);
}

TEST_F(Connections, UnknownDataSourceIsAFailedConnection) {
    ini(QStringLiteral("[DSRC]\nZ_DSRC0=NO_SUCH_SOURCE\n"));
    EXPECT_EQ(exitStatusOf([] { Q0100_CONNECT(0); }), 2);
    const QStringList l = log();
    ASSERT_EQ(l.size(), 2);
    EXPECT_TRUE(l[0].startsWith(QStringLiteral("Q0100 L901 1 00003146 (Errors(0):0) ")));
    EXPECT_TRUE(l[0].endsWith(QStringLiteral("発生元=IM002"))) << l[0].toStdString();
    DataAccessState& s = dataAccessState();
    EXPECT_EQ(s.connections[0].effective.dataSource, QStringLiteral("NO_SUCH_SOURCE"));
}

TEST_F(Connections, DbNumbersOutsideTheTableEndThroughTheReport) {
    EXPECT_EQ(exitStatusOf([] { Q0100_CONNECT(21); }), 2);
    EXPECT_EQ(log(),
              (QStringList{
                  QStringLiteral(
                      "Q0100 L901 1 00000009 (9) インデックスが有効範囲にありません。(DB番号=21)"),
                  QStringLiteral("Q0100 L901 5 00000009 ") + kClosing}));
    EXPECT_EQ(exitStatusOf([] { Q0100_CONNECT(-1); }), 2);
    EXPECT_EQ(exitStatusOf([] { Q0200_DISCON(21); }), 2);
    EXPECT_TRUE(log().last().startsWith(QStringLiteral("Q0200 L902 5 00000009")));
    EXPECT_EQ(exitStatusOf([] { Q0200_DISCON(-32768); }), 2);
    EXPECT_EQ(exitStatusOf([] { Q0300_DECLARE(21, 0, QStringLiteral("SELECT 1")); }), 2);
    EXPECT_TRUE(log().contains(QStringLiteral("Q0300 L903 1 00000009 SELECT 1")));
    EXPECT_EQ(exitStatusOf([] { Q0300_DECLARE(0, 61, QStringLiteral("SELECT 1")); }), 2);
    EXPECT_TRUE(log().last().startsWith(QStringLiteral("Q0300 L903 5 00000009")));
}

TEST_F(Connections, CursorNumbersOutsideTheTableEndThroughTheReport) {
    const std::pair<std::function<void()>, QString> calls[] = {
        {[] { Q0500_FETCH(61); }, QStringLiteral("Q0500 L905")},
        {[] { Q0500_FETCH(-1); }, QStringLiteral("Q0500 L905")},
        {[] { Q0600_DS_CLOSE(61); }, QStringLiteral("Q0600 L906")},
        {[] { Q0700_GET(61, QStringLiteral("x")); }, QStringLiteral("Q0700 L907")},
        {[] { Q0700_SGET(100, QStringLiteral("x")); }, QStringLiteral("Q0700 L907")},
        {[] { Q0700_NGET(-5, QStringLiteral("x")); }, QStringLiteral("Q0700 L907")},
        {[] { Q0700_DGET(32767, QStringLiteral("x")); }, QStringLiteral("Q0700 L907")},
        {[] { Q0710_GET(61, 1); }, QStringLiteral("Q0710 L907")},
    };
    for (const auto& [call, prefix] : calls) {
        EXPECT_EQ(exitStatusOf(call), 2) << prefix.toStdString();
        EXPECT_TRUE(log().last().startsWith(prefix + QStringLiteral(" 5 00000009")))
            << log().last().toStdString();
    }
}

TEST_F(Connections, DisconnectingWhatIsNotConnected) {
    // Never connected: no access kind yet.
    EXPECT_EQ(exitStatusOf([] { Q0200_DISCON(4); }), 2);
    EXPECT_EQ(
        log()[0],
        QStringLiteral("Q0200 L102 1 00000000 (0) "
                       "ﾃﾞｰﾀｱｸｾｽ種別が設定されていません。またはｶｰｿﾙ､ﾃﾞｰﾀﾍﾞｰｽが開かれていません｡"));
    // Already disconnected.
    ini(QStringLiteral("[DBPATH]\nZ_PATH4=") + sqlite->filePath() + u'\n');
    Q0100_CONNECT(4);
    Q0200_DISCON(4);
    EXPECT_EQ(exitStatusOf([] { Q0200_DISCON(4); }), 2);
    EXPECT_TRUE(log().contains(QStringLiteral(
        "Q0200 L902 1 00000091 (91) データベースまたはレコードセットが開かれていません。")));
    EXPECT_EQ(dataAccessState().connectionCount, 0);
}

// ---- PostgreSQL: a data source, a stopped server, and a data source reached with a file's logon

class ServerConnections : public Connections {};

TEST_F(ServerConnections, DataSourceAloneConnectsWithUidAndPwd) {
    TestDatabase pg(BackendKind::PostgreSQL, folder.path());
    ASSERT_TRUE(pg.ready());
    pg.exec(QStringLiteral("CREATE TABLE 接続 (値 VARCHAR(10))"));
    pg.exec(QStringLiteral("INSERT INTO 接続 VALUES ('ｻｰﾊﾞｰ')"));
    ini(QStringLiteral("[DSRC]\nZ_DSRC2=%1\n[LOGONID]\nZ_LOGON2=%2\n[PASSWORD]\nZ_PSWD2=pw\n")
            .arg(pg.dataSource(), pg.user()));
    ASSERT_TRUE(isTrue(Q0100_CONNECT(2)));
    EXPECT_EQ(dataAccessState().connections[2].connectString,
              QStringLiteral("UID=") + pg.user() + QStringLiteral(";PWD=pw"));
    EXPECT_EQ(dataAccessState().connections[2].database->backend, Backend::PostgreSQL);
    ASSERT_TRUE(isTrue(Q0300_DECLARE(2, 0, QStringLiteral("SELECT 値 FROM 接続"))));
    EXPECT_EQ(Q0700_SGET(0, QStringLiteral("値")), QVariant(QStringLiteral("ｻｰﾊﾞｰ")));
    EXPECT_TRUE(isTrue(Q0200_DISCON(2)));
}

TEST_F(ServerConnections, DataSourceAndPathUseTheDataSourceWithTheFilesLogon) {
    TestDatabase pg(BackendKind::PostgreSQL, folder.path());
    ASSERT_TRUE(pg.ready());
    pg.exec(QStringLiteral("CREATE TABLE 接続 (値 VARCHAR(10))"));
    pg.exec(QStringLiteral("INSERT INTO 接続 VALUES ('PG')"));
    ini(QStringLiteral("[DSRC]\nZ_DSRC0=%1\n[DBPATH]\nZ_PATH0=%2\n[LOGONID]\nZ_LOGON0=%3\n")
            .arg(pg.dataSource(), sqlite->filePath(), pg.user()));
    ASSERT_TRUE(isTrue(Q0100_CONNECT(0)));
    EXPECT_EQ(dataAccessState().connections[0].connectString,
              QStringLiteral("ODBC;DSN=") + pg.dataSource() + QStringLiteral(";UID=") + pg.user() +
                  QStringLiteral(";PWD="));
    ASSERT_TRUE(isTrue(Q0300_DECLARE(0, 0, QStringLiteral("SELECT 値 FROM 接続"))));
    EXPECT_EQ(Q0700_SGET(0, QStringLiteral("値")), QVariant(QStringLiteral("PG")));
}

TEST_F(ServerConnections, DataSourceAndMissingFileIsAFailedConnection) {
    const QString dsn = tav::test::requireEnv("TAV_PG_DSN");
    ini(QStringLiteral("[DSRC]\nZ_DSRC0=%1\n[DBPATH]\nZ_PATH0=/nonexistent/x.mdb\n").arg(dsn));
    EXPECT_EQ(exitStatusOf([] { Q0100_CONNECT(0); }), 2);
    EXPECT_EQ(
        log()[0],
        QStringLiteral("Q0100 L901 1 00000053 (53) ファイルが見つかりません。 /nonexistent/x.mdb"));
}

TEST_F(ServerConnections, StoppedServerEndsWithL901AndTheDriversDiagnostics) {
    const QString dsn = tav::test::requireEnv("TAV_PG_DOWN_DSN");
    ini(QStringLiteral("[DSRC]\nZ_DSRC0=%1\n[LOGONID]\nZ_LOGON0=tav\n").arg(dsn));
    EXPECT_EQ(exitStatusOf([] { Q0100_CONNECT(0); }), 2);
    const QStringList l = log();
    ASSERT_GE(l.size(), 2);
    for (qsizetype i = 0; i + 1 < l.size(); ++i) {
        EXPECT_TRUE(l[i].startsWith(QStringLiteral("Q0100 L901 1 00003146 (Errors(") +
                                    QString::number(l.size() - 2 - i) + QStringLiteral("):")))
            << l[i].toStdString();
    }
    // The first record (written last) names the SQLSTATE and the driver.
    EXPECT_TRUE(l[l.size() - 2].contains(
        QRegularExpression(QStringLiteral(" 発生元=08\\w\\w\\w PostgreSQL Unicode$"))))
        << l[l.size() - 2].toStdString();
    EXPECT_EQ(l.last(), QStringLiteral("Q0100 L901 5 00003146 ") + kClosing);
    EXPECT_TRUE(l[l.size() - 2].contains(QStringLiteral("Connection refused")));
    // A driver message of several lines stays on its log line.
    for (const QString& line : l) EXPECT_FALSE(line.contains(u'\n') || line.contains(u'\t'));
    EXPECT_EQ(dataAccessState().connectionCount, 0);
}

}  // namespace

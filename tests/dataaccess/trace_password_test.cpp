// The password of a connection never reaches the log: neither the trace of a connect nor the
// error report of a failed one, in a real process writing FEND_SYS.LOG.
#include <QProcess>

#include "backend.h"

namespace {

const QString kPassword = QStringLiteral("Kagi-7391-ひみつ");

struct ProbeResult {
    int status = -1;
    QString out;
};

ProbeResult probeConnect(const tav::test::ProgramFolder& folder, const char* db) {
    QProcess p;
    p.start(QStringLiteral(TAV_DA_PROBE),
            {folder.path(), QStringLiteral("connect"), QString::fromLatin1(db)});
    EXPECT_TRUE(p.waitForFinished(60000));
    return ProbeResult{p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
                       QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError())};
}

QString traced(const QString& sections) {
    return QStringLiteral("[SQLLOGOUT]\nQ_DEBUG=1\n[PASSWORD]\nZ_PSWD4=") + kPassword +
           QStringLiteral("\n[LOGONID]\nZ_LOGON4=") + tav::test::requireEnv("TAV_PG_USER") + u'\n' +
           sections;
}

void expectNoPassword(const tav::test::ProgramFolder& folder, const ProbeResult& r) {
    const QString log = tav::test::logLines(folder).join(u'\n');
    EXPECT_FALSE(log.contains(kPassword)) << log.toStdString();
    EXPECT_FALSE(log.contains(QStringLiteral("Kagi"))) << log.toStdString();
    EXPECT_FALSE(r.out.contains(QStringLiteral("Kagi"))) << r.out.toStdString();
}

TEST(PasswordInTheLog, TracedConnectShowsStarsOnly) {
    tav::test::ProgramFolder folder;
    tav::test::writeSettings(
        folder,
        traced(QStringLiteral("[DSRC]\nZ_DSRC4=%1\n").arg(tav::test::requireEnv("TAV_PG_DSN"))));
    const ProbeResult r = probeConnect(folder, "4");
    EXPECT_EQ(r.status, 0) << r.out.toStdString();
    const QStringList log = tav::test::logTail(folder);
    ASSERT_FALSE(log.isEmpty());
    EXPECT_TRUE(log[0].startsWith(QStringLiteral("Q0100 L010 1 ")) &&
                log[0].contains(QStringLiteral(" Q0100_CONNECT( ")))
        << log[0].toStdString();
    EXPECT_TRUE(log[0].contains(QStringLiteral(" , '********' , 'ODBC_DAO' )")))
        << log[0].toStdString();
    expectNoPassword(folder, r);
}

TEST(PasswordInTheLog, FailedConnectReportsWithoutThePassword) {
    tav::test::ProgramFolder folder;
    tav::test::writeSettings(
        folder,
        traced(
            QStringLiteral("[DSRC]\nZ_DSRC4=%1\n").arg(tav::test::requireEnv("TAV_PG_DOWN_DSN"))));
    const ProbeResult r = probeConnect(folder, "4");
    EXPECT_EQ(r.status, 2) << r.out.toStdString();
    EXPECT_GE(tav::test::logLines(folder).size(), 3);
    expectNoPassword(folder, r);
}

TEST(PasswordInTheLog, MissingFileWithPasswordReportsWithoutIt) {
    tav::test::ProgramFolder folder;
    tav::test::writeSettings(
        folder,
        traced(
            QStringLiteral("[DBPATH]\nZ_PATH4=%1\n").arg(folder.file(QStringLiteral("無い.db")))));
    const ProbeResult r = probeConnect(folder, "4");
    EXPECT_EQ(r.status, 2) << r.out.toStdString();
    EXPECT_GE(tav::test::logLines(folder).size(), 2);
    expectNoPassword(folder, r);
}

}  // namespace

// Failures end a real process with exit status 2, after the log lines and the abnormal-end box.
#include <QProcess>

#include "backend.h"

namespace {

struct ProbeRun {
    int status = -1;
    QString out;
};

ProbeRun probe(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral(TAV_DA_PROBE), args);
    EXPECT_TRUE(p.waitForFinished(60000));
    return ProbeRun{p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
                    QString::fromUtf8(p.readAllStandardOutput())};
}

TEST(ProgramEnd, FailedDeclareEndsTheProcessWithStatus2) {
    tav::test::ProgramFolder folder;
    tav::test::TestDatabase db(tav::test::BackendKind::SQLite, folder.path());
    ASSERT_TRUE(db.ready());
    tav::test::writeSettings(folder, db.iniSections(0));
    const QString sql = QStringLiteral("SELECT 無い列 FROM 無い表");
    ProbeRun r = probe({folder.path(), QStringLiteral("declare"), QStringLiteral("0"), sql});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, QStringLiteral("BOX:Q0300で異常終了 ログファイルを参照して下さい。 \n"));
    const QStringList log = tav::test::logTail(folder);
    ASSERT_GE(log.size(), 3);
    EXPECT_TRUE(log[0].startsWith(QStringLiteral("Q0300 L903 1 00003146 (Errors(0):")))
        << log[0].toStdString();
    EXPECT_EQ(log[log.size() - 2], QStringLiteral("Q0300 L903 1 00003146 ") + sql);
    EXPECT_EQ(log.last(),
              QStringLiteral(
                  "Q0300 L903 5 00003146 "
                  "ＳＱＬ処理でエラーが発生しました（エラー内容はこの行以前に出力されています）"));
}

TEST(ProgramEnd, StoppedServerEndsTheProcessWithStatus2) {
    tav::test::ProgramFolder folder;
    const QString dsn = tav::test::requireEnv("TAV_PG_DOWN_DSN");
    tav::test::writeSettings(folder, QStringLiteral("[DSRC]\nZ_DSRC4=%1\n").arg(dsn));
    ProbeRun r = probe({folder.path(), QStringLiteral("connect"), QStringLiteral("4")});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, QStringLiteral("BOX:Q0100で異常終了 ログファイルを参照して下さい。 \n"));
    const QStringList log = tav::test::logTail(folder);
    ASSERT_GE(log.size(), 2);
    EXPECT_TRUE(log[0].startsWith(QStringLiteral("Q0100 L901 1 00003146 (Errors(")))
        << log[0].toStdString();
    EXPECT_EQ(log.last(),
              QStringLiteral(
                  "Q0100 L901 5 00003146 "
                  "ＳＱＬ処理でエラーが発生しました（エラー内容はこの行以前に出力されています）"));
}

TEST(ProgramEnd, SuccessReturns) {
    tav::test::ProgramFolder folder;
    tav::test::TestDatabase db(tav::test::BackendKind::SQLite, folder.path());
    ASSERT_TRUE(db.ready());
    tav::test::writeSettings(folder, db.iniSections(0));
    ProbeRun r = probe({folder.path(), QStringLiteral("declare"), QStringLiteral("0"),
                        QStringLiteral("SELECT 1 AS x")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, QStringLiteral("RETURNED\n"));
}

}  // namespace

// Several programs append to one FEND_SYS.LOG at once: every line arrives whole, none is lost.
#include <gtest/gtest.h>

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <map>

#include "support/test_support.h"

TEST(SystemLogConcurrency, LinesOfSeveralProgramsNeverInterleave) {
    constexpr int kWriters = 4;
    constexpr int kLines = 5000;
    QTemporaryDir dir;
    std::vector<std::unique_ptr<QProcess>> writers;
    for (int w = 0; w < kWriters; ++w) {
        auto p = std::make_unique<QProcess>();
        p->start(QStringLiteral(TAV_LOG_WRITER),
                 {dir.path(), QString::number(w), QString::number(kLines)});
        writers.push_back(std::move(p));
    }
    for (auto& p : writers) {
        ASSERT_TRUE(p->waitForFinished(120000));
        ASSERT_EQ(p->exitCode(), 0);
    }
    const QString log = QString::fromUtf8(tav::test::readFile(dir.filePath("FEND_SYS.LOG")));
    ASSERT_TRUE(log.endsWith(QStringLiteral("\r\n")));
    QStringList lines = log.split(QStringLiteral("\r\n"));
    lines.removeLast();
    ASSERT_EQ(lines.size(), kWriters * kLines);
    static const QRegularExpression whole(QStringLiteral(
        "^\\d\\d/\\d\\d/\\d\\d \\d\\d:\\d\\d:\\d\\d {18}W(\\d) {16}T0001 L000 1 (\\d{8}) "
        "writer (\\d) line (\\d+) 名称マスタ$"));
    std::map<int, int> next;  // each writer's lines arrive in its own order
    for (const QString& line : lines) {
        auto m = whole.match(line);
        ASSERT_TRUE(m.hasMatch()) << line.toStdString();
        int w = m.captured(1).toInt();
        ASSERT_EQ(m.captured(3).toInt(), w);
        ASSERT_EQ(m.captured(2).toInt(), m.captured(4).toInt());
        ASSERT_EQ(m.captured(4).toInt(), next[w]++);
    }
    for (int w = 0; w < kWriters; ++w) EXPECT_EQ(next[w], kLines);
}

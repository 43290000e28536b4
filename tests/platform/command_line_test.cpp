#include <gtest/gtest.h>

#include <QSet>

#include "platform/command_line.h"
#include "platform/paths.h"
#include "support/test_support.h"

using namespace tav::platform;

TEST(SplitArguments, FollowsTheWindowsRules) {
    EXPECT_EQ(splitArguments(QStringLiteral(" a  b\tc ")), (QStringList{"a", "b", "c"}));
    EXPECT_EQ(splitArguments(QStringLiteral("\"a b\" c")), (QStringList{"a b", "c"}));
    EXPECT_EQ(splitArguments(QStringLiteral("\"\"")), (QStringList{""}));
    EXPECT_EQ(splitArguments(QStringLiteral("a\"b c\"d")), (QStringList{"ab cd"}));
    EXPECT_EQ(splitArguments(QStringLiteral("\"a\"\"b\"")), (QStringList{"a\"b"}));
    EXPECT_EQ(splitArguments(QStringLiteral("a\\\\b")), (QStringList{"a\\\\b"}));
    EXPECT_EQ(splitArguments(QStringLiteral("a\\\"b")), (QStringList{"a\"b"}));
    EXPECT_EQ(splitArguments(QStringLiteral("\"a\\\\\" b")), (QStringList{"a\\", "b"}));
    EXPECT_EQ(splitArguments(QStringLiteral("a\\\\\\\"b")), (QStringList{"a\\\"b"}));
    EXPECT_EQ(splitArguments(QStringLiteral("; | $(rm -rf x)")),
              (QStringList{";", "|", "$(rm", "-rf", "x)"}));
    EXPECT_EQ(splitArguments(QString()), QStringList());
}

TEST(ResolveCommandLine, TriesPrefixesAtEachBlankShortestFirst) {
    QSet<QString> existing{"C:\\Program Files\\Tool App\\run.exe", "C:\\Program"};
    QStringList tried;
    auto finder = [&](const QString& p) {
        tried.append(p);
        return existing.contains(p) ? p : QString();
    };
    auto r = resolveCommandLine(QStringLiteral("C:\\Program Files\\Tool App\\run.exe a \"b c\""),
                                finder);
    ASSERT_TRUE(r);
    // "C:\Program" exists too and is the shortest prefix: Windows takes it as well.
    EXPECT_EQ(r->program, QStringLiteral("C:\\Program"));
    EXPECT_EQ(r->arguments, (QStringList{"Files\\Tool", "App\\run.exe", "a", "b c"}));

    existing.remove("C:\\Program");
    tried.clear();
    r = resolveCommandLine(QStringLiteral("C:\\Program Files\\Tool App\\run.exe a \"b c\""),
                           finder);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->program, QStringLiteral("C:\\Program Files\\Tool App\\run.exe"));
    EXPECT_EQ(r->arguments, (QStringList{"a", "b c"}));
    EXPECT_EQ(tried, (QStringList{"C:\\Program", "C:\\Program Files\\Tool",
                                  "C:\\Program Files\\Tool App\\run.exe"}));
}

TEST(ResolveCommandLine, QuotedProgramEndsAtItsQuote) {
    auto finder = [](const QString& p) {
        return p == "x y" ? QStringLiteral("/bin/xy") : QString();
    };
    auto r = resolveCommandLine(QStringLiteral("\"x y\" 1 2"), finder);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->program, QStringLiteral("/bin/xy"));
    EXPECT_EQ(r->arguments, (QStringList{"1", "2"}));
    EXPECT_FALSE(resolveCommandLine(QStringLiteral("\"nothing\" 1"), finder));
    EXPECT_FALSE(resolveCommandLine(QStringLiteral("   "), finder));
}

TEST(ToLocalPath, MapsSeparatorsAndFallsBackFromExe) {
    QTemporaryDir dir;
    tav::test::writeFile(dir.filePath("prog"), "x");
    tav::test::writeFile(dir.filePath("both.EXE"), "x");
    QString win = dir.path() + QStringLiteral("\\prog.EXE");
    EXPECT_EQ(toLocalPath(win), dir.filePath("prog"));
    EXPECT_EQ(toLocalPath(dir.path() + QStringLiteral("\\both.EXE")), dir.filePath("both.EXE"));
    EXPECT_EQ(toLocalPath(QStringLiteral("..\\TAV_setup.EXE ")),
              QStringLiteral("../TAV_setup.EXE "));
    EXPECT_EQ(toLocalPath(dir.path() + QStringLiteral("\\none.exe")), dir.filePath("none.exe"));
}

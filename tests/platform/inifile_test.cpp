#include <gtest/gtest.h>

#include "platform/inifile.h"
#include "support/test_support.h"

using tav::platform::IniFile;

namespace {
const QString kIni = QStringLiteral(
    "; settings\r\n"
    "[sql/io]\r\n"
    "  db00 =  C:\\DATA\\TAV.MDB  \r\n"
    "DB01=\"quoted value\"\r\n"
    "DB02='single'\r\n"
    "DB03=\"unbalanced'\r\n"
    ";DB04=commented\r\n"
    "DB00=second wins not\r\n"
    "[ DSRC ]\r\n"
    "DB00=TAVDSN\r\n"
    "[SQL/IO]\r\n"
    "DB05=in the second section of the same name\r\n"
    "[LOGONID]\r\n"
    "DB00=名前\r\n");
}

TEST(IniFile, NamesMatchWithoutCaseOrBlanksFirstWins) {
    auto ini = IniFile::fromText(kIni);
    EXPECT_EQ(ini.getString("SQL/IO", "DB00", "x", 255), QStringLiteral("C:\\DATA\\TAV.MDB"));
    EXPECT_EQ(ini.getString(" dsrc ", "db00", "x", 255), QStringLiteral("TAVDSN"));
    EXPECT_EQ(ini.getString("LOGONID", "DB00", "x", 255), QStringLiteral("名前"));
    // Only the first section of a name is read.
    EXPECT_EQ(ini.getString("SQL/IO", "DB05", "none", 255), QStringLiteral("none"));
}

TEST(IniFile, QuotesComeOffOnlyInMatchingPairs) {
    auto ini = IniFile::fromText(kIni);
    EXPECT_EQ(ini.getString("SQL/IO", "DB01", "", 255), QStringLiteral("quoted value"));
    EXPECT_EQ(ini.getString("SQL/IO", "DB02", "", 255), QStringLiteral("single"));
    EXPECT_EQ(ini.getString("SQL/IO", "DB03", "", 255), QStringLiteral("\"unbalanced'"));
    // A default loses its quotes the same way, after its trailing blanks.
    EXPECT_EQ(ini.getString("SQL/IO", "NONE", "\"DEF VALUE\"  ", 255), QStringLiteral("DEF VALUE"));
    EXPECT_EQ(ini.getString("SQL/IO", "NONE", "'x'", 255), QStringLiteral("x"));
    EXPECT_EQ(ini.getString("SQL/IO", "NONE", "\"x'", 255), QStringLiteral("\"x'"));
}

TEST(IniFile, MissingThingsGiveTheDefaultAndCommentsAreSkipped) {
    auto ini = IniFile::fromText(kIni);
    EXPECT_EQ(ini.getString("SQL/IO", "DB04", "def", 255), QStringLiteral("def"));
    EXPECT_EQ(ini.getString("NOSECTION", "DB00", "def", 255), QStringLiteral("def"));
    EXPECT_EQ(ini.getString("SQL/IO", "DB00", "def", 255), QStringLiteral("C:\\DATA\\TAV.MDB"));
    QTemporaryDir dir;
    EXPECT_EQ(
        tav::platform::getPrivateProfileString("A", "B", "def  ", 255, dir.filePath("none.ini")),
        QStringLiteral("def"));
}

TEST(IniFile, ValuesAreCutToReadSizeMinusOne) {
    auto ini = IniFile::fromText(QStringLiteral("[A]\nK=abcdefghij\n"));
    EXPECT_EQ(ini.getString("A", "K", "", 5), QStringLiteral("abcd"));
    EXPECT_EQ(ini.getString("A", "K", "", 1), QString());
    EXPECT_EQ(ini.getString("A", "K", "", 0), QString());
    EXPECT_EQ(ini.getString("A", "X", "0123456789", 3), QStringLiteral("01"));
}

TEST(IniFile, ReadsCp932Files) {
    QTemporaryDir dir;
    tav::test::writeCp932(dir.filePath("FEND_RUN.INI"),
                          QStringLiteral("[LOGONID]\r\nDB00=㈱ﾃｽﾄ\r\n"));
    EXPECT_EQ(tav::platform::getPrivateProfileString("LOGONID", "DB00", "", 255,
                                                     dir.filePath("FEND_RUN.INI")),
              QStringLiteral("㈱ﾃｽﾄ"));
}

// A FEND_RUN.INI of ASCII and half-width katakana is valid UTF-8 by
// chance ("ﾃｽ" is C3 BD), and still CP932; a stray LF stays inside its CR LF line.
TEST(IniFile, HalfWidthKatakanaThatLooksLikeUtf8IsReadAsCp932) {
    QTemporaryDir dir;
    const QString path = dir.filePath("FEND_RUN.INI");
    tav::test::writeCp932(path, QStringLiteral("[LOGONID]\r\nDB00=ﾃｽ\r\nDB01=ﾃｽ\nDB02=x\r\n"));
    EXPECT_EQ(QString::fromUtf8(tav::test::readFile(path)).toUtf8(), tav::test::readFile(path));
    EXPECT_EQ(tav::platform::getPrivateProfileString("LOGONID", "DB00", "", 255, path),
              QStringLiteral("ﾃｽ"));
    EXPECT_EQ(tav::platform::getPrivateProfileString("LOGONID", "DB01", "", 255, path),
              QStringLiteral("ﾃｽ\nDB02=x"));
    EXPECT_EQ(tav::platform::getPrivateProfileString("LOGONID", "DB02", "none", 255, path),
              QStringLiteral("none"));
}

#include <gtest/gtest.h>

#include "platform/runtime_error.h"
#include "platform/text.h"
#include "support/test_support.h"

using namespace tav::text;

TEST(Trim, RemovesOnlyAsciiBlanks) {
    EXPECT_EQ(Trim(QStringLiteral("  ab c  ")), QStringLiteral("ab c"));
    EXPECT_EQ(Trim(QStringLiteral("\u3000名称\u3000")), QStringLiteral("\u3000名称\u3000"));
    EXPECT_EQ(Trim(QStringLiteral("\tx\t")), QStringLiteral("\tx\t"));
    EXPECT_EQ(Trim(QStringLiteral("   ")), QString());
    EXPECT_EQ(LTrim(QStringLiteral("  a ")), QStringLiteral("a "));
    EXPECT_EQ(RTrim(QStringLiteral("  a ")), QStringLiteral("  a"));
}

TEST(LeftMidRight, CountCharactersNotBytes) {
    const QString s = QStringLiteral("㈱ﾃｽﾄ名称");
    EXPECT_EQ(Left(s, 1), QStringLiteral("㈱"));
    EXPECT_EQ(Mid(s, 2, 3), QStringLiteral("ﾃｽﾄ"));
    EXPECT_EQ(Mid(s, 5), QStringLiteral("名称"));
    EXPECT_EQ(Right(s, 2), QStringLiteral("名称"));
    // Out of range gives what exists, never fails.
    EXPECT_EQ(Left(s, 100), s);
    EXPECT_EQ(Left(s, -1), QString());
    EXPECT_EQ(Mid(s, 100), QString());
    EXPECT_EQ(Mid(s, 0, 1), QStringLiteral("㈱"));
    EXPECT_EQ(Right(s, 0), QString());
}

TEST(FixedWidth, PadsAndCuts) {
    EXPECT_EQ(FixedWidth(QStringLiteral("ab"), 4), QStringLiteral("ab  "));
    EXPECT_EQ(FixedWidth(QStringLiteral("abcdef"), 4), QStringLiteral("abcd"));
    EXPECT_EQ(FixedWidth(QString(), 0), QString());
}

TEST(IsNumeric, AcceptsTheNumberForms) {
    for (const char* yes :
         {"1", " 1 ", "1.0", "-1", "+2", ".5", "5.", "1E3", "1e-3", "2D2", "  -12.5E+02  ", "0001"})
        EXPECT_TRUE(IsNumeric(QString::fromLatin1(yes))) << yes;
    for (const char* no :
         {"", " ", "abc", "1,0", ".", "-", "1E", "1 2", "１", "1a", "E3", "--1", "0x10"})
        EXPECT_FALSE(IsNumeric(QString::fromUtf8(no))) << no;
}

TEST(ToNumber, GivesTheValue) {
    EXPECT_DOUBLE_EQ(*ToNumber(QStringLiteral(" -12.5E+02 ")), -1250.0);
    EXPECT_FALSE(ToNumber(QStringLiteral("x")).has_value());
}

TEST(ToInt16, RoundsHalfToEvenAndChecksRange) {
    EXPECT_EQ(ToInt16(QStringLiteral("2.5")), 2);
    EXPECT_EQ(ToInt16(QStringLiteral("3.5")), 4);
    EXPECT_EQ(ToInt16(QStringLiteral("-2.5")), -2);
    EXPECT_EQ(ToInt16(QStringLiteral(" 32767 ")), 32767);
    EXPECT_EQ(ToInt16(QStringLiteral("-32768")), -32768);
    try {
        ToInt16(QStringLiteral("32768"));
        FAIL();
    } catch (const tav::RuntimeError& e) {
        EXPECT_EQ(e.number(), 6);
        EXPECT_EQ(e.description(), QStringLiteral("オーバーフローしました。"));
    }
    try {
        ToInt16(QStringLiteral("abc"));
        FAIL();
    } catch (const tav::RuntimeError& e) {
        EXPECT_EQ(e.number(), 13);
    }
}

TEST(GetField, FieldOneNeedsASeparatorBehindIt) {
    EXPECT_EQ(GetField(QStringLiteral("MENU.DAT"), 1, QStringLiteral(",")),
              QStringLiteral("ERROR"));
    EXPECT_EQ(GetField(QStringLiteral("MENU.DAT,"), 1, QStringLiteral(",")),
              QStringLiteral("MENU.DAT"));
    EXPECT_EQ(GetField(QStringLiteral("MENU.DAT,3"), 1, QStringLiteral(",")),
              QStringLiteral("MENU.DAT"));
    EXPECT_EQ(GetField(QStringLiteral(",4,2,3"), 1, QStringLiteral(",")), QString());
}

TEST(GetField, LaterFieldsNeedNone) {
    const QString line = QStringLiteral(",4,2,3");
    EXPECT_EQ(GetField(line, 2, QStringLiteral(",")), QStringLiteral("4"));
    EXPECT_EQ(GetField(line, 3, QStringLiteral(",")), QStringLiteral("2"));
    EXPECT_EQ(GetField(line, 4, QStringLiteral(",")), QStringLiteral("3"));
    EXPECT_EQ(GetField(line, 5, QStringLiteral(",")), QStringLiteral("ERROR"));
    EXPECT_EQ(GetField(QStringLiteral("a,,c"), 2, QStringLiteral(",")), QString());
    EXPECT_EQ(GetField(QStringLiteral("a"), 2, QStringLiteral(",")), QStringLiteral("ERROR"));
    EXPECT_EQ(GetField(QStringLiteral("a,"), 2, QStringLiteral(",")), QString());
    EXPECT_EQ(GetField(QString(), 2, QStringLiteral(",")), QStringLiteral("ERROR"));
}

TEST(GetField, DefaultSeparatorIsOneBlankAndSearchIsExact) {
    EXPECT_EQ(GetField(QStringLiteral("ab cd ef"), 2), QStringLiteral("cd"));
    EXPECT_EQ(GetField(QStringLiteral("ab\u3000cd"), 2), QStringLiteral("ERROR"));
    EXPECT_EQ(GetField(QStringLiteral("aXbxc"), 2, QStringLiteral("x")), QStringLiteral("c"));
    EXPECT_EQ(GetField(QStringLiteral("a::b::c"), 3, QStringLiteral("::")), QStringLiteral("c"));
    EXPECT_EQ(GetField(QStringLiteral("a,b"), 0, QStringLiteral(",")), QStringLiteral("ERROR"));
}

TEST(ZeroPad, KeepsTheSign) {
    EXPECT_EQ(ZeroPad(0, 8), QStringLiteral("00000000"));
    EXPECT_EQ(ZeroPad(3075, 8), QStringLiteral("00003075"));
    EXPECT_EQ(ZeroPad(-1, 8), QStringLiteral("-00000001"));
    EXPECT_EQ(ZeroPad(7, 3), QStringLiteral("007"));
    EXPECT_EQ(ZeroPad(123456789, 8), QStringLiteral("123456789"));
    EXPECT_EQ(ZeroPad(std::numeric_limits<qint64>::min(), 8),
              QStringLiteral("-9223372036854775808"));
}

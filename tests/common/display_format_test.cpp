#include <gtest/gtest.h>

#include <QStringList>

#include "common/display_format.h"
#include "common/system_log.h"
#include "platform/runtime_error.h"
#include "support/test_support.h"

using namespace tav::common;

namespace {

class DisplayFormat : public ::testing::Test {
  protected:
    void SetUp() override {
        saved = displayFormatSettings();
        displayFormatSettings().userFormats = {};
        displayFormatSettings().eras = DisplayFormatSettings::defaultEras();
        displayFormatSettings().itemAttributes = [this](int n) {
            return n == 1 ? item : FormatItemAttributes{};
        };
        fake.clock.current = QDateTime(QDate(2026, 4, 1), QTime(9, 5, 7));
        commonArea() = CommonArea{};
        ASSERT_TRUE(openSystemLog(folder.path()));
    }
    void TearDown() override {
        closeSystemLog();
        displayFormatSettings() = saved;
    }
    // The report part of each log line: place, code, kind, number and message.
    QStringList reports() {
        QStringList out;
        const QString all = QString::fromUtf8(tav::test::readFile(folder.file("FEND_SYS.LOG")));
        // Split at the date that starts each line.
        for (const QString& line :
             all.split(QStringLiteral("26/04/01 09:05:07 "), Qt::SkipEmptyParts)) {
            QString l = line;
            if (l.endsWith(QStringLiteral("\r\n"))) l.chop(2);
            out << l.mid(16 + 1 + 8 + 1 + 8 + 1);
        }
        return out;
    }
    FormatItemAttributes item{8, 2, QStringLiteral("9 ")};
    DisplayFormatSettings saved;
    tav::platform::FakeServices fake;
    tav::test::ProgramFolder folder;
};

struct Row {
    const char* id;
    std::array<const char*, 5> shown;     // FormatById of the five values below
    std::array<const char*, 5> unformed;  // UnformatById of the same five texts
};

// Zero, a negative number, a decimal, an empty value and a non-numeric value, for every format
// ID, with an item of length 8, two decimals and input type "9 ". "80" is "#,##0.0;(#,##0.0);
// "ゼロ"", "81" is "000-0000", "82" is blank, "99" does not exist.
const Row kRows[] = {
    {"00", {"0", "-1234.5", "12.345", "", "ab12"}, {"0", "-1234.5", "12.345", "", "ab12"}},
    {"10", {"0000.00", "-1234.50", "0012.35", "", "ab12"}, {"0", "-1234.5", "12.345", "", "ab12"}},
    {"11", {"0.00", "-1234.50", "12.35", "", "ab12"}, {"0", "-1234.5", "12.345", "", "ab12"}},
    {"12", {"0.00", "-1,234.50", "12.35", "", "ab12"}, {"0", "-1234.5", "12.345", "", "ab12"}},
    {"14", {"", "-1234.50", "12.35", "", "ab12"}, {"0", "-1234.5", "12.345", "", "ab12"}},
    {"15", {"", "-1,234.50", "12.35", "", "ab12"}, {"0", "-1234.5", "12.345", "", "ab12"}},
    {"23", {".00", "-1234.50", "12.35", "", "ab12"}, {"0", "-1234.5", "12.345", "", "ab12"}},
    {"31",
     {"\\0.00", "-\\1,234.50", "\\12.35", "", "ab12"},
     {"0", "-1234.5", "12.345", "", "ab12"}},
    {"34", {"", "-\\1,234.50", "\\12.35", "", "ab12"}, {"0", "-1234.5", "12.345", "", "ab12"}},
    {"52", {"0", "-1234.5", "12.345", "", "ab12"}, {"0", "-1234.5", "12.345", "", "ab12"}},
    {"53",
     {"00/00/00", "12/34/.5", "12/.3/45", "", "ab12"},
     {"000000", "1234.5", "12.345", "", "ab12"}},
    {"54", {"0", "-1234.5", "12.3/45", "", "ab12"}, {"0", "-1234.5", "12.345", "", "ab12"}},
    {"55", {"00/00", "34/.5", ".3/45", "", "ab12"}, {"0000", "34.5", ".345", "", "ab12"}},
    {"56",
     {"00:00:00", "12:34:.5", "12:.3:45", "", "ab12"},
     {"000000", "1234.5", "12.345", "", "ab12"}},
    {"57", {"00:00", "34:.5", ".3:45", "", "ab12"}, {"0000", "34.5", ".345", "", "ab12"}},
    {"58", {"00:00", "34:.5", ".3:45", "", "ab12"}, {"0000", "34.5", ".345", "", "ab12"}},
    {"59", {"00/00", "34/.5", ".3/45", "", "ab12"}, {"0000", "34.5", ".345", "", "ab12"}},
    {"60", {"0", "-.12.34..5", "1.02..3.45", "", "ab12"}, {"0", "-1234.5", "102.345", "", "ab12"}},
    {"61",
     {"00/0000", "12/34.5", "12/.345", "", "ab12"},
     {"000000", "1234.5", "12.345", "", "ab12"}},
    {"62", {"00/00", "34/.5", ".3/45", "", "ab12"}, {"0000", "34.5", ".345", "", "ab12"}},
    {"63", {"00/00", "34/.5", ".3/45", "", "ab12"}, {"000000", "1234.5", "12.345", "", "ab12"}},
    {"64", {"00/00", "34/.5", ".3/45", "", "ab12"}, {"0000", "34.5", ".345", "", "ab12"}},
    {"65",
     {"00/00/0000", "0-/12/34.5", "00/12/.345", "", "ab12"},
     {"00000000", "0-1234.5", "0012.345", "", "ab12"}},
    {"66",
     {"00/00/00", "12/34/.5", "12/.3/45", "", "ab12"},
     {"000000", "1234.5", "12.345", "", "ab12"}},
    {"80", {"ゼロ", "(1,234.5)", "12.3", "", "ab12"}, {"0", "-1234.5", "12.345", "", "ab12"}},
    {"81",
     {"000-0000", "-000-1235", "000-0012", "", "ab12"},
     {"0", "-1234.5", "12.345", "", "ab12"}},
    {"82", {"0", "-1234.5", "12.345", "", "ab12"}, {"0", "-1234.5", "12.345", "", "ab12"}},
    {"99", {"0", "-1234.5", "12.345", "", "ab12"}, {"0", "-1234.5", "12.345", "", "ab12"}},
};

}  // namespace

TEST_F(DisplayFormat, EveryFormatIdOverZeroNegativeDecimalEmptyAndText) {
    displayFormatSettings().userFormats[0] = QStringLiteral("#,##0.0;(#,##0.0);\"ゼロ\"");
    displayFormatSettings().userFormats[1] = QStringLiteral("000-0000");
    displayFormatSettings().userFormats[2] = QStringLiteral("   ");
    const char* values[] = {"0", "-1234.5", "12.345", "", "ab12"};
    for (const Row& row : kRows) {
        for (int i = 0; i < 5; ++i) {
            EXPECT_EQ(FormatById(row.id, QString::fromUtf8(values[i]), 1),
                      QString::fromUtf8(row.shown[i]))
                << "FormatById " << row.id << " " << values[i];
            EXPECT_EQ(UnformatById(row.id, QString::fromUtf8(values[i])),
                      QString::fromUtf8(row.unformed[i]))
                << "UnformatById " << row.id << " " << values[i];
        }
    }
    // Only the blank user format and the unknown ID reported, once per call.
    const QStringList r = reports();
    ASSERT_EQ(r.size(), 15);
    EXPECT_EQ(r[0], QStringLiteral("C8100 H811 3 00000082 フォーマット内容 がありません｡(82)"));
    EXPECT_EQ(r[5], QStringLiteral("C8100 H811 3 00000099 フォーマットID がありません｡(99)"));
    EXPECT_EQ(r[6], QStringLiteral("C8101 H811 3 00000099 フォーマットID がありません｡(99)"));
}

TEST_F(DisplayFormat, NumbersFollowTheItemsDecimalsAndLength) {
    item = {5, 0, QStringLiteral("99")};
    EXPECT_EQ(FormatById("10", "42", 1), QStringLiteral("00042"));
    item = {5, 0, QStringLiteral("9+")};
    EXPECT_EQ(FormatById("10", "42", 1), QStringLiteral("0042"));  // room for the sign
    item = {3, 2, QStringLiteral("99")};
    EXPECT_EQ(FormatById("10", "0.5", 1), QStringLiteral(".50"));  // no integer digits left
    item = {9, 0, QStringLiteral("X ")};
    EXPECT_EQ(FormatById("11", "0", 1), QStringLiteral("0"));
    EXPECT_EQ(FormatById("12", "0", 1), QStringLiteral("0"));
    EXPECT_EQ(FormatById("14", "0", 1), QString());
    EXPECT_EQ(FormatById("15", "0.000", 1), QString());
    EXPECT_EQ(FormatById("12", "1234567", 1), QStringLiteral("1,234,567"));
    EXPECT_EQ(FormatById("31", "1234567", 1), QStringLiteral("\\1,234,567"));
    EXPECT_EQ(FormatById("23", "0", 1), QString());
    // Digit strings longer than a double holds keep every digit.
    EXPECT_EQ(FormatById("12", "12345678901234567890", 1),
              QStringLiteral("12,345,678,901,234,567,890"));
    // Without an item (or an unknown one) there are no decimals.
    EXPECT_EQ(FormatById("11", "2.5"), QStringLiteral("3"));
    EXPECT_TRUE(reports().isEmpty());
}

TEST_F(DisplayFormat, DatesAndTimes) {
    EXPECT_EQ(FormatById("52", "20240315"), QStringLiteral("2024/03/15"));
    EXPECT_EQ(FormatById("52", "2024031"), QStringLiteral("2024031"));
    EXPECT_EQ(FormatById("53", "1234"), QStringLiteral("00/12/34"));
    EXPECT_EQ(FormatById("53", "240315"), QStringLiteral("24/03/15"));
    EXPECT_EQ(FormatById("54", "202403"), QStringLiteral("2024/03"));
    EXPECT_EQ(FormatById("55", "315"), QStringLiteral("03/15"));
    EXPECT_EQ(FormatById("56", "5"), QStringLiteral("00:00:05"));
    EXPECT_EQ(FormatById("56", "93005"), QStringLiteral("09:30:05"));
    EXPECT_EQ(FormatById("57", "930"), QStringLiteral("09:30"));
    EXPECT_EQ(FormatById("60", "H050315"), QStringLiteral("H.05.03.15"));
    EXPECT_EQ(FormatById("60", "h050315"), QStringLiteral("H.05.03.15"));
    EXPECT_EQ(FormatById("60", "H50315"), QStringLiteral("H.05.03.15"));
    EXPECT_EQ(FormatById("60", "HX50315"), QStringLiteral("HX50315"));
    EXPECT_EQ(FormatById("61", "3202024"), QStringLiteral("20/2024"));
    EXPECT_EQ(FormatById("65", "3152024"), QStringLiteral("03/15/2024"));
    EXPECT_EQ(FormatById("66", "20240315"), QStringLiteral("24/03/15"));
    EXPECT_EQ(UnformatById("53", "24/03/15"), QStringLiteral("24/03/15"));
    EXPECT_EQ(UnformatById("53", "315"), QStringLiteral("000315"));
    EXPECT_EQ(UnformatById("65", "3152024"), QStringLiteral("03152024"));
    EXPECT_EQ(UnformatById("60", "r10401"), QStringLiteral("R010401"));
    EXPECT_EQ(UnformatById("60", "R.01.04.01"), QStringLiteral("R.01.04.01"));
}

TEST_F(DisplayFormat, EraDatesAcrossBoundariesAndBeforeTheFirstEra) {
    EXPECT_EQ(ToEraDate("00000000"), QString());
    EXPECT_EQ(ToEraDate(""), QString());
    EXPECT_EQ(ToEraDate("2024/03/15"), QString());
    EXPECT_EQ(ToEraDate("19890107"), QStringLiteral("H010107"));  // the era's start year
    EXPECT_EQ(ToEraDate("19881231"), QStringLiteral("S631231"));
    EXPECT_EQ(ToEraDate("19260101"), QStringLiteral("S010101"));
    EXPECT_EQ(ToEraDate("19251231"), QStringLiteral("T141231"));
    EXPECT_EQ(ToEraDate("18680101"), QStringLiteral("M010101"));
    EXPECT_EQ(ToEraDate("20190501"), QStringLiteral("R010501"));  // the last era is used too
    EXPECT_EQ(ToEraDate("20240315"), QStringLiteral("R060315"));
    EXPECT_EQ(ToEraDate("18001231"), QStringLiteral("M011231"));  // before the first era
    EXPECT_EQ(ToEraDate("00010101"), QStringLiteral("M010101"));
    displayFormatSettings().eras = {{QStringLiteral("S"), 1926}, {QStringLiteral("H"), 1989}};
    EXPECT_EQ(ToEraDate("21000101"), QStringLiteral("H120101"));  // era year cut to two digits
    displayFormatSettings().eras.clear();
    EXPECT_EQ(ToEraDate("20240315"), QStringLiteral("20240315"));
}

TEST_F(DisplayFormat, PatternFormatterRoundsHalfAwayFromZeroAndGroups) {
    // Rounding half away from zero on the decimal digits as written.
    EXPECT_EQ(FormatPattern("2.675", "0.00"), QStringLiteral("2.68"));
    EXPECT_EQ(FormatPattern("-2.5", "0"), QStringLiteral("-3"));
    EXPECT_EQ(FormatPattern("0.5", "0"), QStringLiteral("1"));
    EXPECT_EQ(FormatPattern("999.995", "#,##0.00"), QStringLiteral("1,000.00"));
    // A negative that rounds to nothing shows no sign.
    EXPECT_EQ(FormatPattern("-0.4", "0"), QStringLiteral("0"));
    // Optional digits, forced digits, and the digits beyond the pattern.
    EXPECT_EQ(FormatPattern("5", "#0#"), QStringLiteral("05"));
    EXPECT_EQ(FormatPattern("123456", "00"), QStringLiteral("123456"));
    EXPECT_EQ(FormatPattern("0.5", "#.00"), QStringLiteral(".50"));
    EXPECT_EQ(FormatPattern("1", "#.##"), QStringLiteral("1."));
    EXPECT_EQ(FormatPattern("1.5", "0.0#"), QStringLiteral("1.5"));
    EXPECT_EQ(FormatPattern("1.25", "0.0#"), QStringLiteral("1.25"));
    EXPECT_EQ(FormatPattern("5", ".00"), QStringLiteral("5.00"));
    EXPECT_EQ(FormatPattern("0", "###"), QString());
    // Grouping, scaling by a thousand, percent, literals and sections.
    EXPECT_EQ(FormatPattern("-1234567.891", "#,##0.00"), QStringLiteral("-1,234,567.89"));
    EXPECT_EQ(FormatPattern("1234567", "#,##0,"), QStringLiteral("1,235"));
    EXPECT_EQ(FormatPattern("0.125", "0.0%"), QStringLiteral("12.5%"));
    EXPECT_EQ(FormatPattern("1234567", "000-0000"), QStringLiteral("123-4567"));
    EXPECT_EQ(FormatPattern("1234", "0\\円"), QStringLiteral("1234円"));
    EXPECT_EQ(FormatPattern("1234", "\"No.\"0"), QStringLiteral("No.1234"));
    EXPECT_EQ(FormatPattern("-5", "0;(0)"), QStringLiteral("(5)"));
    EXPECT_EQ(FormatPattern("-5", "0;;\"zero\""), QStringLiteral("-5"));
    EXPECT_EQ(FormatPattern("0", "0;(0);\"ゼロ\""), QStringLiteral("ゼロ"));
    EXPECT_EQ(FormatPattern("1e3", "#,##0"), QStringLiteral("1,000"));
    EXPECT_EQ(FormatPattern("1e-300", "0.00"), QStringLiteral("0.00"));
    EXPECT_EQ(FormatPattern(" 42 ", "0000"), QStringLiteral("0042"));
    // Not a number: unchanged.
    EXPECT_EQ(FormatPattern("1,234", "0"), QStringLiteral("1,234"));
    EXPECT_EQ(FormatPattern("", "0"), QString());
    // Patterns this formatter cannot render fail with error 5.
    for (const char* bad : {"yyyy/mm/dd", "0.00E+00", "\"open", "0\\", "0;0;0;0;0", "@@@"}) {
        try {
            FormatPattern("1", bad);
            ADD_FAILURE() << bad;
        } catch (const tav::RuntimeError& e) {
            EXPECT_EQ(e.number(), 5) << bad;
        }
    }
}

TEST_F(DisplayFormat, UserFormatFailureIsReportedAndKeepsTheValue) {
    displayFormatSettings().userFormats[3] = QStringLiteral(" yyyy/mm/dd ");
    EXPECT_EQ(FormatById("83", "20240315"), QStringLiteral("20240315"));
    const QStringList r = reports();
    ASSERT_EQ(r.size(), 1);
    // The report's line breaks are blanks in the log: it stays one line.
    EXPECT_EQ(r[0], QStringLiteral("C8100 H811 1 00000083 "
                                   "ユーザ定義フォーマット文字列を使用したフォーマット関数にて"
                                   "エラーが発生しました。 83  yyyy/mm/dd 入力値：20240315"
                                   " 5 プロシージャの呼び出し、または引数が不正です。(83)"));
    EXPECT_TRUE(fake.messageBox.shown.empty());
}

TEST_F(DisplayFormat, MissingIdsShowTheBoxInDebugMode) {
    commonArea().setExecutionMode(QStringLiteral("D"));
    EXPECT_EQ(tav::test::exitStatusOf([] { FormatById("7A", "x"); }), 2);
    ASSERT_EQ(fake.messageBox.shown.size(), 1u);
    EXPECT_EQ(fake.messageBox.shown[0].text,
              QStringLiteral("発生場所 = C8100\rフォーマットID がありません｡(7A)"));
    EXPECT_EQ(reports().value(0),
              QStringLiteral("C8100 H811 3 00000000 フォーマットID がありません｡(7A)"));
}

#include <gtest/gtest.h>

#include "platform/textfile.h"
#include "support/test_support.h"

using namespace tav::platform;

namespace {
// ㈱ ① ～ in CP932 (NEC and IBM extension rows), then half-width katakana ｱｲ and あ.
const QByteArray kCp932Bytes("\x87\x8a\x87\x40\x81\x60\xb1\xb2\x82\xa0", 10);
const QString kCp932Text = QStringLiteral("㈱①～ｱｲあ");
}  // namespace

TEST(Cp932, DecodesTheExtensionCharactersAndHalfWidthKatakana) {
    EXPECT_EQ(decodeCp932(kCp932Bytes), kCp932Text);
    // CP932 maps 0x8160 to the full-width tilde, not the wave dash of plain Shift_JIS.
    EXPECT_EQ(decodeCp932(QByteArray("\x81\x60")), QString(QChar(0xFF5E)));
}

TEST(Cp932, RoundTrips) {
    int replaced = -1;
    EXPECT_EQ(encodeCp932(kCp932Text, &replaced), kCp932Bytes);
    EXPECT_EQ(replaced, 0);
    QString mixed = QStringLiteral("名称ＩＤ タイトル１行目 \u3000 ABC");
    EXPECT_EQ(decodeCp932(encodeCp932(mixed)), mixed);
}

TEST(Cp932, UndecodableBytesBecomeReplacementCharacters) {
    // 0xA0 and 0xFD cannot start a character; a lead byte at the end has no trail.
    QString s =
        decodeCp932(QByteArray("A\xa0"
                               "B\xfd"
                               "C\x82",
                               6));
    EXPECT_EQ(s, QStringLiteral("A\uFFFDB\uFFFDC\uFFFD"));
}

TEST(Cp932, UnencodableCharactersAreCounted) {
    int replaced = 0;
    EXPECT_EQ(encodeCp932(QStringLiteral("a😀b"), &replaced), QByteArray("a?b"));
    EXPECT_EQ(replaced, 1);
}

TEST(DecodeText, ChoosesUtf8OnlyWhenItIsUtf8WithNonAscii) {
    EXPECT_EQ(decodeText(kCp932Bytes), kCp932Text);
    EXPECT_EQ(decodeText(kCp932Text.toUtf8()), kCp932Text);
    EXPECT_EQ(decodeText(QByteArray("\xEF\xBB\xBF"
                                    "abc")),
              QStringLiteral("abc"));
    EXPECT_EQ(decodeText(QByteArray("plain")), QStringLiteral("plain"));
    EXPECT_FALSE(isUtf8Text(QByteArray("plain")));
    // Overlong and surrogate forms are not UTF-8.
    EXPECT_FALSE(isUtf8Text(QByteArray("\xC0\xAF")));
    EXPECT_FALSE(isUtf8Text(QByteArray("\xED\xA0\x80")));
}

TEST(SplitLines, EndsLinesAtCrLfOrLf) {
    EXPECT_EQ(splitLines(QStringLiteral("a\r\nb\r\nc")), (QStringList{"a", "b", "c"}));
    EXPECT_EQ(splitLines(QStringLiteral("a\nb\nc")), (QStringList{"a", "b", "c"}));
    EXPECT_EQ(splitLines(QStringLiteral("a\r\n")), (QStringList{"a"}));
    EXPECT_EQ(splitLines(QStringLiteral("a\r\n\r\nb\r\n")), (QStringList{"a", "", "b"}));
    EXPECT_EQ(splitLines(QStringLiteral("a\n\nb\n")), (QStringList{"a", "", "b"}));
    EXPECT_EQ(splitLines(QStringLiteral("a\rb\n")), (QStringList{"a\rb"}));
    EXPECT_EQ(splitLines(QString()), QStringList());
}

// A file that uses CR LF ends its lines at CR LF only, so a stray LF (or CR)
// inside a record stays in that record; only a file without any CR LF is split at LF.
TEST(SplitLines, AStrayLfInsideACrLfFileStaysInItsLine) {
    EXPECT_EQ(splitLines(QStringLiteral("a\r\nb\nc\r\nd")), (QStringList{"a", "b\nc", "d"}));
    EXPECT_EQ(splitLines(QStringLiteral("\nx\r\n")), (QStringList{"\nx"}));
    EXPECT_EQ(splitLines(QStringLiteral("a\n\r\n")), (QStringList{"a\n"}));
    EXPECT_EQ(splitLines(QStringLiteral("a\r\r\nb")), (QStringList{"a\r", "b"}));
}

// Half-width katakana pairs such as "ﾃｽ" (C3 BD) are valid two-byte UTF-8, but
// that alone decides nothing: a file of ASCII and half-width kana is CP932.
TEST(DecodeText, HalfWidthKatakanaThatLooksLikeUtf8IsCp932) {
    const QByteArray kana("@10 01 00 00 \xC3\xBD\xC4\xB0 \xC3\xBD");  // ﾃｽﾄｰ ﾃｽ
    EXPECT_EQ(QString::fromUtf8(kana).toUtf8(), kana);                // valid UTF-8 as it stands
    EXPECT_FALSE(isUtf8Text(kana));
    EXPECT_EQ(decodeText(kana), QStringLiteral("@10 01 00 00 ﾃｽﾄｰ ﾃｽ"));
    // A half-width kana before a double-byte character whose second byte is ASCII: ﾃ ア = C3 83 41.
    EXPECT_FALSE(isUtf8Text(QByteArray("\xC3\x83\x41")));
    EXPECT_EQ(decodeText(QByteArray("\xC3\x83\x41")), QStringLiteral("ﾃア"));
    // A sequence CP932 cannot form by chance decides for UTF-8: three bytes, or a second byte
    // of 80 or A0; so do a BOM and kana beside it.
    EXPECT_EQ(decodeText(QStringLiteral("ﾃｽ テスト").toUtf8()), QStringLiteral("ﾃｽ テスト"));
    EXPECT_EQ(decodeText(QStringLiteral("à").toUtf8()), QStringLiteral("à"));
    EXPECT_EQ(decodeText(QByteArray("\xEF\xBB\xBF\xC3\xBD")), QStringLiteral("ý"));
    EXPECT_EQ(decodeText(QStringLiteral("😀").toUtf8()), QStringLiteral("😀"));
}

TEST(ReadTextLines, ReadsCp932AndUtf8FilesAlike) {
    QTemporaryDir dir;
    QString cp = dir.filePath("cp.txt"), u8 = dir.filePath("u8.txt");
    tav::test::writeFile(cp, kCp932Bytes + "\r\n2行目\r\n");
    tav::test::writeFile(u8, (kCp932Text + QStringLiteral("\n2行目\n")).toUtf8());
    // the second line of the CP932 file was written in UTF-8 above; write it properly
    tav::test::writeCp932(cp, kCp932Text + QStringLiteral("\r\n2行目\r\n"));
    auto a = readTextLines(cp), b = readTextLines(u8);
    ASSERT_TRUE(a && b);
    EXPECT_EQ(*a, (QStringList{kCp932Text, QStringLiteral("2行目")}));
    EXPECT_EQ(*a, *b);
    EXPECT_FALSE(readTextLines(dir.filePath("missing.txt")).has_value());
}

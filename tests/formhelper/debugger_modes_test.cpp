#include "formhelper/debugger_modes.h"

#include "fixture.h"
#include "formhelper/item_access.h"

using namespace tav::formhelper;
using tav::test::Screen;
namespace t = tav::test;

namespace {

struct Look {
    QString text;
    Colour back, fore;
    bool visible, enabled;
    bool operator==(const Look&) const = default;
};

Look lookOf(const Control& c) {
    return {c.text(), c.backColor(), c.foreColor(), c.visible(), c.enabled()};
}

}  // namespace

TEST_F(Screen, TagsThenResetPutsEveryControlBack) {
    SetItemValue(*form, t::kAmount, QStringLiteral("1234"));
    c(t::kCode).setVisible(false);
    c(t::kRate).setEnabled(false);
    c(t::kName).setForeColor(0x123456);
    std::vector<Look> before;
    for (int i = 0; i < t::kControlCount; ++i) before.push_back(lookOf(c(i)));
    SaveControlStates();
    ShowTags();
    EXPECT_EQ(c(t::kAmount).text(), QStringLiteral("AMOUNT           005      1234"));
    EXPECT_EQ(c(t::kAmount).backColor(), kHighlightColour);
    EXPECT_TRUE(c(t::kCode).visible());
    EXPECT_EQ(c(t::kButton).caption(), QStringLiteral("OK_BTN           010      "));
    EXPECT_EQ(c(t::kFree).backColor(), before[t::kFree].back);  // untagged: unchanged
    ShowGroups();  // the second mode shows over the first
    EXPECT_EQ(c(t::kAmount).text(), QStringLiteral("4"));
    EXPECT_EQ(c(t::kStart).backColor(), 16776960u);        // group "3": cyan
    EXPECT_EQ(c(t::kCount).backColor(), 255u);             // group "0": red
    EXPECT_EQ(c(t::kBank).backColor(), kHighlightColour);  // group "X": left from "TAG表示"
    EXPECT_EQ(c(t::kBank).caption(), QStringLiteral("X"));
    EXPECT_EQ(c(t::kOther).text(),
              QStringLiteral("X_ITEM           000      "));  // not of this form
    RestoreControlStates();
    for (int i = 0; i < t::kControlCount; ++i)
        EXPECT_EQ(lookOf(c(i)), before[static_cast<size_t>(i)]) << i;
}

TEST_F(Screen, TypeCodesMarkMismatchedKinds) {
    SaveControlStates();
    c(t::kRate).setEnabled(false);
    ShowTypeCodes();
    EXPECT_EQ(c(t::kPay).text(), QStringLiteral("TXT"));  // a combo box whose item says TXT
    EXPECT_EQ(c(t::kPay).backColor(), kHighlightColour);
    EXPECT_EQ(c(t::kAmount).text(), QStringLiteral("TXT"));
    EXPECT_NE(c(t::kAmount).backColor(), kHighlightColour);
    EXPECT_EQ(c(t::kOption).caption(), QStringLiteral("OPT"));
    EXPECT_NE(c(t::kOption).backColor(), kHighlightColour);
    EXPECT_TRUE(c(t::kRate).enabled());
}

TEST_F(Screen, CodeIdsOfInputAndOtherItems) {
    c(t::kStart).setText(QStringLiteral("2024/03/15"));
    c(t::kName).setCaption(QStringLiteral("山田"));
    ShowCodeIds();
    EXPECT_EQ(c(t::kCode).text(), QStringLiteral("CUSTOMER"));
    EXPECT_EQ(c(t::kCode).backColor(), kCodeColour);
    EXPECT_EQ(c(t::kStart).text(), QString());  // input item without a code ID
    EXPECT_EQ(c(t::kStart).backColor(), 14737632u);
    EXPECT_EQ(c(t::kRow1Code).text(), QStringLiteral("GOODS"));
    EXPECT_EQ(c(t::kBank).caption(), QStringLiteral("BANK"));  // class 9 with a code ID
    EXPECT_EQ(c(t::kBank).foreColor(), 255u);
    EXPECT_EQ(c(t::kName).caption(), QString());  // class 5 is an input class here
}

TEST_F(Screen, SampleFillByInputType) {
    c(t::kKanji).setVisible(false);
    c(t::kCount).setEnabled(false);
    c(t::kOther).setText(QStringLiteral("keep"));
    AttributeSampleFill();
    EXPECT_EQ(c(t::kCount).text(), QStringLiteral("-9999"));       // "9 ", 5, format 00
    EXPECT_EQ(c(t::kRate).text(), QStringLiteral("999.00"));       // "9+", 7.2: "+999"
    EXPECT_EQ(c(t::kKanji).text(), QStringLiteral("日本語ああ"));  // "N ", 10: five characters
    EXPECT_EQ(c(t::kStart).text(), QStringLiteral("2222/22/22"));  // "D ", 8, format 52
    EXPECT_EQ(c(t::kPay).text(), QStringLiteral("22/22/22"));      // format 53
    EXPECT_EQ(c(t::kAmount).text(), QStringLiteral("-99,999,999"));
    EXPECT_EQ(c(t::kCode).text(), QStringLiteral("999999"));
    EXPECT_EQ(c(t::kRow1Code).text(), QStringLiteral("XXXXX"));
    EXPECT_EQ(c(t::kName).caption(), QStringLiteral("日本語") + QString(17, u'あ'));
    EXPECT_EQ(c(t::kOdd).text(), QString());  // unknown input type: the format of nothing
    EXPECT_EQ(c(t::kBank).caption(), QStringLiteral(".X.X.X.X.X"));
    EXPECT_EQ(c(t::kOption).caption(), QStringLiteral("個人"));  // other kinds keep their text
    EXPECT_EQ(c(t::kOther).text(), QStringLiteral("keep"));      // not of the current form
    EXPECT_TRUE(c(t::kKanji).visible());
    EXPECT_TRUE(c(t::kCount).enabled());
}

TEST(SampleTexts, EveryInputType) {
    EXPECT_EQ(sampleText("9 "), u'-' + QString(67, u'9') + u'-');
    EXPECT_EQ(sampleText("9+"), u'+' + QString(67, u'9') + u'+');
    EXPECT_EQ(sampleText("99"), QString(68, u'9'));
    EXPECT_EQ(sampleText("XX"), QString(68, u'X'));
    EXPECT_EQ(sampleText("XA"), QStringLiteral("XA").repeated(34));
    EXPECT_EQ(sampleText("X "), QStringLiteral(".X").repeated(34));
    EXPECT_EQ(sampleText("A "), QStringLiteral("Aa").repeated(34));
    EXPECT_EQ(sampleText("AA"), QString(68, u'A'));
    EXPECT_EQ(sampleText("Aa"), QString(68, u'a'));
    EXPECT_EQ(sampleText("K ").size(), 81);
    EXPECT_EQ(sampleText("K ").left(3), QStringLiteral("ｶﾅｱ"));
    EXPECT_EQ(sampleText("N ").size(), 41);
    EXPECT_EQ(sampleText("D "), QStringLiteral("22222222"));
    EXPECT_EQ(sampleText("D2"), QStringLiteral("22222222"));
    EXPECT_EQ(sampleText("D4"), QStringLiteral("22222222"));
    EXPECT_EQ(sampleText("D6"), QStringLiteral("11111111"));
    EXPECT_EQ(sampleText("D7"), QStringLiteral("11111111"));
    EXPECT_EQ(sampleText("D9"), QString());
    EXPECT_EQ(sampleText("9"), QString());
}

TEST_F(Screen, HalfOfADoubleByteLengthGoesToTheEvenNumber) {
    helperContext().items[13].maxLength = 5;
    AttributeSampleFill();
    EXPECT_EQ(c(t::kKanji).text(), QStringLiteral("日本"));
    helperContext().items[13].maxLength = 7;
    AttributeSampleFill();
    EXPECT_EQ(c(t::kKanji).text(), QStringLiteral("日本語あ"));
    helperContext().items[6].maxLength = 2;  // shorter than its decimals allow
    AttributeSampleFill();
    // Shorter than its decimals allow: the first two characters, "+9", with two decimals.
    EXPECT_EQ(c(t::kRate).text(), QStringLiteral("9.00"));
}

TEST(DebuggerModes, FormsWithFewerThanTwoControlsAreLeftUnchanged) {
    tav::platform::FakeServices fake;
    installScreenDefinitions(parseScreenDefinitions(
        QStringLiteral("[FORM F]\nA | 3 | CMB | CODE | N | 10 | 0 | 00 | 1\n"), "T"));
    helperContext().currentFormEntry = 0;
    QWidget w;
    auto* edit = new QLineEdit(&w);
    Form f(&w);
    f.addControl(edit);
    f.control(0).setTag(makeItemTag(0));
    f.control(0).setText(QStringLiteral("abc"));
    f.control(0).setBackColor(0x111111);
    helperContext().activeForm = &f;
    SaveControlStates();
    f.control(0).setText(QStringLiteral("changed"));
    for (auto mode : {ShowTags, ShowTypeCodes, ShowGroups, ShowCodeIds, AttributeSampleFill,
                      RestoreControlStates}) {
        mode();
        EXPECT_EQ(f.control(0).text(), QStringLiteral("changed"));
        EXPECT_EQ(f.control(0).backColor(), 0x111111u);
    }
    helperContext().activeForm = nullptr;
}

TEST_F(Screen, LongTextsAreRestoredWhole) {
    const QString longText = QStringLiteral("0123456789").repeated(4);
    c(t::kFree).setText(QStringLiteral("  ") + longText + QStringLiteral("  "));
    c(t::kName).setCaption(longText);
    SaveControlStates();
    EXPECT_EQ(helperContext().savedStates[t::kButton].foreColor, QString(12, u' '));
    EXPECT_EQ(helperContext().savedStates[t::kCode].backColor, QStringLiteral("16777215    "));
    ShowTags();
    c(t::kFree).setText(QString());
    RestoreControlStates();
    EXPECT_EQ(c(t::kFree).text(), longText);  // trimmed, not cut
    EXPECT_EQ(c(t::kName).caption(), longText);
}

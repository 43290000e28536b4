#include "formhelper/item_access.h"

#include <QApplication>
#include <QLineEdit>

#include "fixture.h"

using namespace tav::formhelper;
using tav::test::Screen;
namespace t = tav::test;

namespace {
QString valueOf(const Control& c) {
    return c.tag().mid(26);
}
}  // namespace

TEST_F(Screen, EmptyDatesAreShownAndStoredEmpty) {
    SetItemValue(*form, t::kStart, QStringLiteral("00000000"));
    EXPECT_EQ(c(t::kStart).text(), QString());
    EXPECT_EQ(c(t::kStart).tag(), QStringLiteral("START_DATE       003      "));
    SetItemValue(*form, t::kStart, QStringLiteral("20240315"));
    EXPECT_EQ(c(t::kStart).text(), QStringLiteral("2024/03/15"));
    EXPECT_EQ(valueOf(c(t::kStart)), QStringLiteral("20240315"));
    // Format 53 (on a combo box): eight digits keep their last six.
    SetItemValue(*form, t::kPay, QStringLiteral("20240315"));
    EXPECT_EQ(valueOf(c(t::kPay)), QStringLiteral("240315"));
    EXPECT_EQ(c(t::kPay).text(), QStringLiteral("24/03/15"));
    SetItemValue(*form, t::kPay, QStringLiteral("000000"));
    EXPECT_EQ(c(t::kPay).text(), QString());
    EXPECT_EQ(valueOf(c(t::kPay)), QString());
}

TEST_F(Screen, EraDatesAndNumbers) {
    SetItemValue(*form, t::kEra, QStringLiteral("19890108"));
    EXPECT_EQ(valueOf(c(t::kEra)), QStringLiteral("H010108"));
    EXPECT_EQ(c(t::kEra).text(), QStringLiteral("H.01.01.08"));
    SetItemValue(*form, t::kAmount, QStringLiteral("1234567"));
    EXPECT_EQ(c(t::kAmount).text(), QStringLiteral("1,234,567"));
    EXPECT_EQ(valueOf(c(t::kAmount)), QStringLiteral("1234567"));
    SetItemValue(*form, t::kRate, QStringLiteral("3.5"));
    EXPECT_EQ(c(t::kRate).text(), QStringLiteral("003.50"));
    // A label keeps the raw value in its tag and shows the display form.
    SetItemValue(*form, t::kName, QStringLiteral("山田 太郎  "));
    EXPECT_EQ(c(t::kName).caption(), QStringLiteral("山田 太郎  "));
    EXPECT_EQ(valueOf(c(t::kName)), QStringLiteral("山田 太郎  "));
}

TEST_F(Screen, OptionButtonsAndCheckBoxes) {
    SetItemValue(*form, t::kOption, QStringLiteral(" 1 "));
    EXPECT_EQ(c(t::kOption).value(), 1);
    SetItemValue(*form, t::kOption, QStringLiteral("2"));
    EXPECT_EQ(c(t::kOption).value(), 1);  // left as it was
    SetItemValue(*form, t::kOption, QString());
    EXPECT_EQ(c(t::kOption).value(), 0);
    SetItemValue(*form, t::kCheck, QStringLiteral("1"));
    EXPECT_EQ(c(t::kCheck).value(), 1);
    SetItemValue(*form, t::kCheck, QStringLiteral("2"));
    EXPECT_EQ(c(t::kCheck).value(), 1);
    SetItemValue(*form, t::kCheck, QStringLiteral("0"));
    EXPECT_EQ(c(t::kCheck).value(), 0);
    EXPECT_EQ(valueOf(c(t::kCheck)), QString());  // the tag of these kinds is not written
    EXPECT_TRUE(reports().isEmpty());
}

TEST_F(Screen, TheFocusedFieldIsShownUnformatted) {
    HelperContext& ctx = helperContext();
    ctx.focusControlIndex = t::kAmount;
    SetItemValue(*form, t::kAmount, QStringLiteral("1234567  "));
    EXPECT_EQ(c(t::kAmount).text(), QStringLiteral("1234567"));
    EXPECT_EQ(valueOf(c(t::kAmount)), QStringLiteral("1234567  "));
    SetItemValue(*form, t::kRate, QStringLiteral("3.5"));  // not the focused one
    EXPECT_EQ(c(t::kRate).text(), QStringLiteral("003.50"));
    // Format "00" ignores the focus: the value as it is, blanks and all.
    ctx.focusControlIndex = t::kCode;
    SetItemValue(*form, t::kCode, QStringLiteral("C001  "));
    EXPECT_EQ(c(t::kCode).text(), QStringLiteral("C001  "));
    // Another form active: formatted.
    ctx.focusControlIndex = t::kAmount;
    ctx.activeForm = nullptr;
    SetItemValue(*form, t::kAmount, QStringLiteral("1234567"));
    EXPECT_EQ(c(t::kAmount).text(), QStringLiteral("1,234,567"));
}

TEST_F(Screen, FocusInAWindowThatIsNoScreenEndsTheActiveForm) {
    HelperContext& ctx = helperContext();
    window->show();
    window->activateWindow();
    c(t::kAmount).setFocus();
    QApplication::processEvents();
    ASSERT_EQ(ctx.activeForm, form.get());
    ASSERT_EQ(ctx.focusControlIndex, t::kAmount);
    // A window that works on the active form (the debugger) leaves it as it is.
    QWidget tool;
    tool.setProperty(kWorksOnActiveFormProperty, true);
    auto* toolField = new QLineEdit(&tool);
    tool.show();
    tool.activateWindow();
    toolField->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(ctx.activeForm, form.get());
    // Any other window (a message box, the code reference window) ends it.
    QWidget other;
    auto* field = new QLineEdit(&other);
    other.show();
    other.activateWindow();
    field->setFocus();
    QApplication::processEvents();
    ASSERT_TRUE(field->hasFocus());
    EXPECT_EQ(ctx.activeForm, nullptr);
    SetItemValue(*form, t::kAmount, QStringLiteral("7654321"));
    EXPECT_EQ(c(t::kAmount).text(), QStringLiteral("7,654,321"));
}

TEST_F(Screen, UnsupportedKindsAndUnknownItemsAreReported) {
    c(t::kButton).setCaption(QStringLiteral("OK"));
    SetItemValue(*form, t::kButton, QStringLiteral("1"));
    EXPECT_EQ(c(t::kButton).caption(), QStringLiteral("OK"));
    c(t::kFree).setTag(QStringLiteral("FREE             999      "));
    SetItemValue(*form, t::kFree, QStringLiteral("x"));
    EXPECT_EQ(c(t::kFree).text(), QString());
    SetItemValue(*form, 77, QStringLiteral("x"));
    const QStringList r = reports();
    ASSERT_EQ(r.size(), 3);
    EXPECT_EQ(r[0], QStringLiteral(
                        "D0200 H004 3 00000009 未対応のTypeです(TAG=OK_BTN           010      "));
    EXPECT_EQ(
        r[1],
        QStringLiteral(
            "D0200 H005 3 00000017 項目テーブルにない項目です(TAG=FREE             999      )"));
    EXPECT_EQ(r[2], QStringLiteral("D0200 H005 3 00000077 コントロールがありません(INDEX=77)"));
    EXPECT_TRUE(fake.messageBox.shown.empty());
}

TEST_F(Screen, CommittingShowsTheDisplayFormUnlessTooLongOrSwitchedOff) {
    HelperContext& ctx = helperContext();
    c(t::kAmount).setText(QStringLiteral("1234567"));
    c(t::kAmount).setSelStart(5);
    CommitItemDisplay(*form, 5, t::kAmount);
    EXPECT_EQ(valueOf(c(t::kAmount)), QStringLiteral("1234567"));
    EXPECT_EQ(c(t::kAmount).text(), QStringLiteral("1,234,567"));
    EXPECT_EQ(c(t::kAmount).selStart(), 0);
    // Longer than the item's length: stored, left as typed.
    c(t::kAmount).setText(QStringLiteral("1234567890"));
    CommitItemDisplay(*form, 5, t::kAmount);
    EXPECT_EQ(valueOf(c(t::kAmount)), QStringLiteral("1234567890"));
    EXPECT_EQ(c(t::kAmount).text(), QStringLiteral("1234567890"));
    // The three switches.
    struct Case {
        bool onExit, suppressed, keepRaw, reformats;
    } cases[] = {{true, false, false, true},  {true, true, false, false},
                 {false, false, false, true}, {false, false, true, false},
                 {true, false, true, true},   {false, true, false, true}};
    for (const Case& k : cases) {
        ctx.ReformatOnExit = k.onExit;
        ctx.ReformatSuppressed = k.suppressed;
        ctx.KeepRawOnExit = k.keepRaw;
        c(t::kAmount).setText(QStringLiteral("5000"));
        CommitItemDisplay(*form, 5, t::kAmount);
        EXPECT_EQ(c(t::kAmount).text(),
                  k.reformats ? QStringLiteral("5,000") : QStringLiteral("5000"))
            << k.onExit << k.suppressed << k.keepRaw;
        EXPECT_EQ(valueOf(c(t::kAmount)), QStringLiteral("5000"));
    }
    // A tag shorter than its header is padded, so the value still starts at position 27.
    c(t::kCode).setTag(QStringLiteral("CUST_CODE        001"));
    c(t::kCode).setText(QStringLiteral("C01"));
    CommitItemDisplay(*form, 1, t::kCode);
    EXPECT_EQ(c(t::kCode).tag(), QStringLiteral("CUST_CODE        001      C01"));
}

TEST_F(Screen, ChangeFlagsForSingleAndRepeatingItems) {
    HelperContext& ctx = helperContext();
    SetItemValue(*form, t::kAmount, QStringLiteral("100"));  // shows "100", stores "100"
    CheckItemChanged(*form, t::kAmount);
    EXPECT_EQ(ctx.changeFlags, QString(17, u'0'));
    c(t::kAmount).setText(QStringLiteral("200"));
    CheckItemChanged(*form, t::kAmount);
    EXPECT_EQ(ctx.changeFlags, QStringLiteral("00000100000000000"));
    MarkItemChanged(*form, t::kAmount, false);
    EXPECT_EQ(ctx.changeFlags, QString(17, u'0'));
    // Row 2, column 1 (ROW_NAME): position 2 of row 2's flags.
    MarkItemChanged(*form, t::kRow2Name, true);
    EXPECT_EQ(ctx.rowChangeFlags[2], QStringLiteral("01"));
    EXPECT_EQ(ctx.rowChangeFlags[1], QStringLiteral("00"));
    EXPECT_EQ(ctx.changeFlags, QString(17, u'0'));
}

TEST_F(Screen, FindingTheControlOfAnItem) {
    int index = -1;
    bool notFound = false;
    FindItemControl(QStringLiteral("  cust_name "), index, notFound, *form, t::kCode);
    EXPECT_FALSE(notFound);
    EXPECT_EQ(index, t::kName);
    // A repeating item is found in the row of the control the search starts from.
    FindItemControl(QStringLiteral("ROW_NAME"), index, notFound, *form, t::kRow2Code);
    EXPECT_EQ(index, t::kRow2Name);
    FindItemControl(QStringLiteral("ROW_NAME"), index, notFound, *form, t::kRow1Code);
    EXPECT_EQ(index, t::kRow1Name);
    // Not an item of the current form, or no item at all.
    index = -1;
    FindItemControl(QStringLiteral("X_ITEM"), index, notFound, *form, t::kCode);
    EXPECT_TRUE(notFound);
    FindItemControl(QStringLiteral("NOTHING"), index, notFound, *form, t::kCode);
    EXPECT_TRUE(notFound);
    // A repeating item searched from a control without a row.
    FindItemControl(QStringLiteral("ROW_NAME"), index, notFound, *form, t::kCode);
    EXPECT_TRUE(notFound);
    EXPECT_EQ(index, -1);
}

TEST_F(Screen, ErrorFlagsAndTheFirstErrorControl) {
    HelperContext& ctx = helperContext();
    SetItemValue(*form, t::kAmount, QStringLiteral("100"));
    SetItemErrorFlag(*form, t::kAmount, QStringLiteral("1"));
    EXPECT_EQ(c(t::kAmount).tag(), QStringLiteral("AMOUNT           005  1   100"));
    EXPECT_EQ(ctx.firstErrorControlIndex, t::kAmount);
    EXPECT_EQ(ctx.firstErrorTabIndex, t::kControlCount - t::kAmount);
    SetItemErrorFlag(*form, t::kCode, QStringLiteral("1"));  // a higher tab index: not first
    EXPECT_EQ(ctx.firstErrorControlIndex, t::kAmount);
    SetItemErrorFlag(*form, t::kOdd, QStringLiteral("1"));  // lower tab index
    EXPECT_EQ(ctx.firstErrorControlIndex, t::kOdd);
    // Clearing through the fore colour reset; trailing blanks go.
    c(t::kAmount).setForeColor(255);
    ResetItemForeColor(*form, t::kAmount);
    EXPECT_EQ(c(t::kAmount).foreColor(), 0u);
    EXPECT_EQ(c(t::kAmount).tag(), QStringLiteral("AMOUNT           005      100"));
    ctx.resetErrorTracking();
    EXPECT_EQ(ctx.firstErrorControlIndex, -1);
    // A stored value past position 100 is kept whole.
    const QString longValue = QString(120, u'あ');
    SetItemValue(*form, t::kKanji, longValue);
    SetItemErrorFlag(*form, t::kKanji, QStringLiteral("1"));
    EXPECT_EQ(valueOf(c(t::kKanji)), longValue);
    EXPECT_EQ(c(t::kKanji).tag().at(22), u'1');
}

TEST_F(Screen, ResettingTheAppearanceByKind) {
    HelperContext& ctx = helperContext();
    ctx.items[5].workValue = 77;
    ctx.items[5].workFlag = 1;
    for (int i = 0; i < t::kControlCount; ++i) c(i).setBackColor(255);
    for (int i : {t::kAmount, t::kPay, t::kName, t::kOption, t::kCheck, t::kButton, t::kFrame})
        ResetItemAppearance(*form, i);
    EXPECT_EQ(ctx.items[5].workValue, 0);
    EXPECT_EQ(ctx.items[5].workFlag, 0);
    EXPECT_EQ(c(t::kAmount).backColor(), 12648447u);  // input class 1
    EXPECT_EQ(c(t::kPay).backColor(), 12648447u);     // input class 2
    EXPECT_EQ(c(t::kName).backColor(), 255u);         // labels keep theirs
    EXPECT_EQ(c(t::kOption).backColor(), form->backColor());
    EXPECT_EQ(c(t::kCheck).backColor(), form->backColor());
    EXPECT_EQ(c(t::kButton).backColor(), form->backColor());
    EXPECT_EQ(c(t::kFrame).backColor(), form->backColor());
    ctx.items[5].inputClass = QStringLiteral("5");
    ResetItemAppearance(*form, t::kAmount);
    EXPECT_EQ(c(t::kAmount).backColor(), 16777215u);
}

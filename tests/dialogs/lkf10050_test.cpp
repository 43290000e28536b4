#include "dialogs/lkf10050.h"

#include <QApplication>

#include "fixture.h"
#include "formhelper/debugger_modes.h"
#include "formhelper/item_access.h"
#include "formhelper/printed_lists.h"

using namespace tav::formhelper;
using tav::dialogs::LKF10050;
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

void settle() {
    for (int i = 0; i < 5; ++i) {
        QApplication::processEvents();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

class Debugger : public Screen {
  protected:
    void SetUp() override {
        Screen::SetUp();
        window->show();
    }
    void TearDown() override {
        if (LKF10050* d = LKF10050::loaded()) d->close();
        settle();
        setListPrinter(nullptr);
        Screen::TearDown();
    }
    std::vector<Look> looks() {
        std::vector<Look> out;
        for (int i = 0; i < t::kControlCount; ++i) out.push_back(lookOf(c(i)));
        return out;
    }
};

}  // namespace

TEST_F(Debugger, WindowLayout) {
    LKF10050* d = LKF10050::showDebugger(window.get());
    EXPECT_EQ(d->windowTitle(), QStringLiteral("FORMﾍﾙﾊﾟｰ ﾃﾞﾊﾞｯｶﾞｰ"));
    EXPECT_EQ(d->size(), QSize(445, 215));
    EXPECT_EQ(d->Label1->text(), QStringLiteral("S_FORM_ID"));
    EXPECT_EQ(d->Label3->text(), QStringLiteral("F_GROUP"));
    EXPECT_EQ(d->Label5->text(), QStringLiteral("F_ACTIVE_CTL"));
    EXPECT_EQ(d->L_ACT_TAG->text(), QString());
    const std::pair<QPushButton*, QString> captions[] = {
        {d->Command1, "TAG表示"},  {d->Command2, "リセット"},   {d->Command3, "ｺﾝﾄﾛｰﾙ印刷"},
        {d->Command4, "ｱﾝﾏｯﾁﾘｽﾄ"}, {d->Command5, "ｸﾞﾙｰﾌﾟ表示"}, {d->Command6, "属性表示"},
        {d->Command7, "ｺｰﾄﾞﾁｪｯｸ"}, {d->Command8, "ﾀｲﾌﾟﾁｪｯｸ"},   {d->Command9, "閉じる"}};
    for (const auto& [b, caption] : captions) {
        EXPECT_EQ(b->text(), caption);
        EXPECT_EQ(b->size(), QSize(93, 33)) << caption.toStdString();
    }
    EXPECT_EQ(d->Command2->pos(), QPoint(230, 170));
    EXPECT_EQ(d->Command8->pos(), QPoint(336, 122));
    EXPECT_EQ(d->Command8->property("index").toInt(), 1);
    // Tab order: the first column, then the second, リセット between ｺｰﾄﾞﾁｪｯｸ and ﾀｲﾌﾟﾁｪｯｸ.
    QStringList order;
    QWidget* w = d->Command1;
    for (int i = 0; i < 9; ++i, w = w->nextInFocusChain()) order << w->objectName();
    EXPECT_EQ(order, (QStringList{"Command1", "Command3", "Command4", "Command6", "Command5",
                                  "Command7", "Command2", "Command8", "Command9"}));
}

TEST_F(Debugger, CloseAfterTagsRestoresEveryControl) {
    SetItemValue(*form, t::kAmount, QStringLiteral("1234"));
    c(t::kCode).setVisible(false);
    c(t::kRate).setEnabled(false);
    c(t::kName).setForeColor(0x123456);
    c(t::kName).setBackColor(0x654321);
    const auto before = looks();
    LKF10050* d = LKF10050::showDebugger(window.get());
    d->Command1->click();
    EXPECT_EQ(c(t::kAmount).backColor(), kHighlightColour);
    EXPECT_TRUE(c(t::kCode).visible());
    EXPECT_NE(looks(), before);
    d->Command9->click();
    settle();
    EXPECT_EQ(LKF10050::loaded(), nullptr);  // unloaded
    EXPECT_EQ(looks(), before);
}

TEST_F(Debugger, ModesAndResetFromTheButtons) {
    const auto before = looks();
    LKF10050* d = LKF10050::showDebugger(window.get());
    d->Command8->click();
    EXPECT_EQ(c(t::kPay).text(), QStringLiteral("TXT"));
    EXPECT_EQ(c(t::kPay).backColor(), kHighlightColour);
    d->Command2->click();
    EXPECT_EQ(looks(), before);
    d->Command5->click();
    EXPECT_EQ(c(t::kStart).backColor(), 16776960u);
    d->Command2->click();
    d->Command7->click();
    EXPECT_EQ(c(t::kCode).text(), QStringLiteral("CUSTOMER"));
    d->Command2->click();
    d->Command6->click();
    EXPECT_EQ(c(t::kKanji).text(), QStringLiteral("日本語ああ"));
    d->Command2->click();
    EXPECT_EQ(looks(), before);
}

TEST_F(Debugger, SnapshotIsTakenOnceAtLoad) {
    const auto before = looks();
    LKF10050* d = LKF10050::showDebugger(window.get());
    c(t::kAmount).setText(QStringLiteral("changed later"));
    EXPECT_EQ(LKF10050::showDebugger(window.get()), d);  // shown again, not loaded again
    d->Command2->click();
    EXPECT_EQ(looks(), before);
}

TEST_F(Debugger, PrintingShowsItsCaptionOnlyWhilePrinting) {
    LKF10050* d = LKF10050::showDebugger(window.get());
    QStringList seen;
    std::vector<ListDocument> printed;
    setListPrinter([&](const ListDocument& doc) {
        seen << d->Command3->text() << d->Command4->text();
        printed.push_back(doc);
    });
    d->Command3->click();
    d->Command4->click();
    EXPECT_EQ(seen, (QStringList{"印刷中", "ｱﾝﾏｯﾁﾘｽﾄ", "ｺﾝﾄﾛｰﾙ印刷", "印刷中"}));
    EXPECT_EQ(d->Command3->text(), QStringLiteral("ｺﾝﾄﾛｰﾙ印刷"));
    EXPECT_EQ(d->Command4->text(), QStringLiteral("ｱﾝﾏｯﾁﾘｽﾄ"));
    ASSERT_EQ(printed.size(), 2u);
    EXPECT_EQ(printed[0].name, QStringLiteral("CTLLIST"));
    EXPECT_EQ(printed[1].name, QStringLiteral("UNMATCH"));
}

TEST_F(Debugger, PrintingWithoutPrinterWritesThePdfAndNamesIt) {
    LKF10050* d = LKF10050::showDebugger(window.get());
    d->Command3->click();
    ASSERT_EQ(fake.messageBox.shown.size(), 1u);
    EXPECT_TRUE(fake.messageBox.shown[0].text.endsWith(
        folder.file(QStringLiteral("CTLLIST_20260401_090507.pdf"))));
    EXPECT_TRUE(QFileInfo::exists(folder.file(QStringLiteral("CTLLIST_20260401_090507.pdf"))));
    EXPECT_EQ(d->Command3->text(), QStringLiteral("ｺﾝﾄﾛｰﾙ印刷"));
}

TEST_F(Debugger, StatusLabelsRefreshOnActivation) {
    settle();  // the business form's own focus has arrived
    tav::common::commonArea().setFormId(QStringLiteral("KFM001"));
    HelperContext& ctx = helperContext();
    ctx.focusControlIndex = 4;
    LKF10050* d = LKF10050::showDebugger(window.get());
    QApplication::setActiveWindow(d);
    settle();
    EXPECT_EQ(d->L_S_FORM_ID->text(), QStringLiteral("KFM001  "));  // trailing blanks kept
    EXPECT_EQ(d->L_F_GROUP->text(), QStringLiteral("0"));
    EXPECT_EQ(d->L_F_ACTIVE_CTL->text(), QStringLiteral("4"));

    // Back to the business form, where the focus moves on; then the debugger again.
    QApplication::setActiveWindow(window.get());
    c(t::kRate).setFocus();
    settle();
    EXPECT_EQ(ctx.focusControlIndex, t::kRate);
    tav::common::commonArea().setFormId(QStringLiteral("KFM00200"));
    EXPECT_EQ(d->L_F_ACTIVE_CTL->text(), QStringLiteral("4"));  // not while inactive
    QApplication::setActiveWindow(d);
    settle();
    EXPECT_EQ(d->L_S_FORM_ID->text(), QStringLiteral("KFM00200"));
    EXPECT_EQ(d->L_F_ACTIVE_CTL->text(), QString::number(t::kRate));
}

TEST_F(Debugger, DestroyedWithoutCloseStillRestores) {
    const auto before = looks();
    {
        LKF10050 d(window.get());
        d.Command1->click();
        EXPECT_NE(looks(), before);
    }
    EXPECT_EQ(looks(), before);
}

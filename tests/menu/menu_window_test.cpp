// The main menu window: its controls in twips, the filling of pages, list and buttons from the
// menu table, every key and mouse binding, and the timer with the login hand-over.
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "common/text_fit.h"
#include "common/window_placement.h"
#include "menu/login_window.h"
#include "menu/menu_context.h"
#include "menu/menu_main_window.h"
#include "menu_fakes.h"

namespace tav::test {
namespace {

using common::TwipsToPixels;
using menu::menuContext;
using menu::menuTable;
using menu::TAV_menu1_frm;

// The window's geometry in twips, as the control's own rectangle (relative to its parent).
QRect inTwips(const QWidget* w) {
    const QRect g = w->geometry();
    return QRect(g.x() * 15, g.y() * 15, g.width() * 15, g.height() * 15);
}

// Whether a rectangle in pixels is the one of the twips (rounded to the nearest pixel).
void expectTwips(const QWidget* w, int left, int top, int width, int height) {
    SCOPED_TRACE(w->objectName().toStdString());
    EXPECT_EQ(w->geometry(), QRect(TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width),
                                   TwipsToPixels(height)));
}

int add(qint16 kind, qint16 list, qint16 button, qint16 number, const QString& caption,
        const QString& command = {}, const QString& flags = QStringLiteral("11111111"),
        const QString& description = {}, const QString& mode = QStringLiteral("0")) {
    menu::MenuTable& t = menuTable();
    const int i = ++t.LastEntryIndex;
    menu::MenuEntry& e = t.MenuEntries[i];
    e.Kind = kind;
    e.ListGroup = list;
    e.ButtonGroup = button;
    e.ButtonNumber = number;
    e.Caption = caption;
    e.Command = command;
    e.LaunchMode = mode;
    e.RelativeFlag = QStringLiteral("0");
    for (int p = 0; p < 8; ++p) e.ProfileFlags[p] = flags.mid(p, 1);
    e.Description = description;
    return i;
}

// Three pages: the first with two items (three and two buttons), the second with one item and a
// hidden one, the third without visible items.
void buildMenu() {
    add(10, 1, 0, 0, QStringLiteral(" 日常業務 "));  // 0
    add(20, 1, 1, 0, QStringLiteral("顧客管理"));    // 1
    add(30, 1, 1, 1, QStringLiteral(" 顧客照会 "), QStringLiteral("/bin/kokyaku a"),
        QStringLiteral("11111111"), QStringLiteral("顧客を照会します"));            // 2
    add(30, 1, 1, 3, QStringLiteral("顧客登録"), QStringLiteral("/bin/touroku"));   // 3
    add(30, 1, 1, 12, QStringLiteral("F12の処理"), QStringLiteral("/bin/f12"));     // 4
    add(20, 1, 2, 0, QStringLiteral("貸付"));                                       // 5
    add(30, 1, 2, 2, QStringLiteral("貸付実行"), QStringLiteral("/bin/kasituke"));  // 6
    add(30, 1, 2, 4, QStringLiteral("返済入力"), QStringLiteral("/bin/hensai"),
        QStringLiteral("11111111"), QStringLiteral("返済を入力します"));               // 7
    add(10, 2, 0, 0, QStringLiteral("月次処理"));                                      // 8
    add(20, 2, 3, 0, QStringLiteral("隠れた項目"), {}, QStringLiteral("01111111"));    // 9
    add(20, 2, 4, 0, QStringLiteral("月次集計"));                                      // 10
    add(30, 2, 4, 1, QStringLiteral("集計"), QStringLiteral("/bin/syukei"));           // 11
    add(30, 2, 4, 1, QStringLiteral("集計（新）"), QStringLiteral("/bin/syukei2"));    // 12
    add(10, 3, 0, 0, QStringLiteral("管理"));                                          // 13
    add(20, 3, 5, 0, QStringLiteral("見えない項目"), {}, QStringLiteral("00000000"));  // 14
}

class MenuWindowTest : public MenuTest {
  protected:
    MenuWindowTest() {
        buildMenu();
        menuContext().ProfileNumber = 1;
        menuContext().TitleText = QStringLiteral("マルヴネ 業務メニュー");
    }
    QStringList captions() const {
        QStringList out;
        for (QPushButton* b : w.Command1) out << (b->isHidden() ? QString() : b->text());
        return out;
    }
    TAV_menu1_frm w;
};

TEST_F(MenuWindowTest, ControlsStandWhereTheDesignPutsThemInTwips) {
    EXPECT_EQ(w.size(), QSize(TwipsToPixels(12060), TwipsToPixels(7620)));
    EXPECT_EQ(w.objectName(), QStringLiteral("TAV_menu1_frm"));
    expectTwips(w.Picture1, 135, 2055, 11670, 3790);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(w.Command1[i]->parentWidget(), w.Picture1);
        expectTwips(w.Command1[i], 4500, 120 + 600 * i, 3400, 550);
        EXPECT_EQ(w.Command1[i]->objectName(), QStringLiteral("Command1(%1)").arg(i));
    }
    for (int i = 6; i < 10; ++i) {
        EXPECT_EQ(w.Command1[i]->parentWidget(), w.Picture1);
        expectTwips(w.Command1[i], 8130, 120 + 600 * (i - 6), 3400, 550);
    }
    // F11 and F12 belong to the window, below the second column.
    for (int i = 10; i < 12; ++i) {
        EXPECT_EQ(w.Command1[i]->parentWidget(), &w);
        expectTwips(w.Command1[i], 135 + 8130, 2055 + 120 + 600 * (i - 6), 3400, 550);
    }
    EXPECT_EQ(inTwips(w.Command1[0]).size(), QSize(3405, 555));  // 227 x 37 pixels
    expectTwips(w.cmdPageBack, 5160, 1380, 495, 240);
    expectTwips(w.cmdPageNext, 5160, 1620, 495, 240);
    EXPECT_EQ(w.lblTitle[0]->x(), TwipsToPixels(240));
    EXPECT_EQ(w.lblTitle[1]->x(), TwipsToPixels(240));
    EXPECT_EQ(w.lblTitle[1]->y() - w.lblTitle[0]->y(), TwipsToPixels(30));
    EXPECT_EQ(w.List1->parentWidget(), w.Picture1);
    EXPECT_LT(w.List1->geometry().right(), w.Command1[0]->x());
    // The hint line and the end button below the panel, the clock at the top right.
    const int panelBottom = w.Picture1->geometry().bottom();
    EXPECT_GT(w.lblBiko->y(), panelBottom);
    EXPECT_GT(w.cmdEnd->y(), panelBottom);
    EXPECT_GT(w.Label3->x(), w.width() / 2);
    EXPECT_LT(w.Label3->y(), w.Combo1->y());
}

TEST_F(MenuWindowTest, ControlsCarryTheirNamesCaptionsFontsAndColours) {
    for (const char* name : {"lblTitle(0)", "lblTitle(1)", "JISYA(0)", "Label3", "Combo1",
                             "cmdPageBack", "cmdPageNext", "lblPage", "Command2", "Picture1",
                             "List1", "cmdEnd", "lblBiko", "imgSelIco", "Command1(11)"})
        EXPECT_NE(w.findChild<QWidget*>(QString::fromLatin1(name)), nullptr) << name;
    EXPECT_NE(w.findChild<QTimer*>(QStringLiteral("Timer1")), nullptr);
    EXPECT_FALSE(w.Timer1->isActive());

    EXPECT_EQ(w.windowTitle(), QStringLiteral("マルヴネ業務システム"));
    EXPECT_EQ(w.lblTitle[0]->text(), QStringLiteral("マルヴネ 業務メニュー"));
    EXPECT_EQ(w.JISYA0->text(), QStringLiteral("自社名"));
    EXPECT_EQ(w.JISYA0->property("Tag").toString(), QStringLiteral("MENUHED"));
    EXPECT_EQ(w.cmdPageBack->text(), QStringLiteral("▲"));
    EXPECT_EQ(w.cmdPageNext->text(), QStringLiteral("▼"));
    EXPECT_EQ(w.lblPage->text(), QStringLiteral("/"));
    EXPECT_EQ(w.cmdEnd->text(), QStringLiteral("終了(Esc)"));
    EXPECT_EQ(w.lblBiko->text(), QStringLiteral("メッセージ"));
    EXPECT_TRUE(w.imgSelIco->isHidden());

    const QFont title = w.lblTitle[1]->font();
    EXPECT_EQ(title.family(), QStringLiteral("ＭＳ Ｐゴシック"));
    EXPECT_DOUBLE_EQ(title.pointSizeF(), 20.25);
    EXPECT_TRUE(title.bold());
    EXPECT_TRUE(title.italic());
    EXPECT_EQ(w.JISYA0->font().family(), QStringLiteral("ＭＳ 明朝"));
    EXPECT_TRUE(w.JISYA0->font().bold() && w.JISYA0->font().italic());
    EXPECT_DOUBLE_EQ(w.List1->font().pointSizeF(), 15.75);
    EXPECT_TRUE(w.List1->font().italic());
    EXPECT_DOUBLE_EQ(w.Combo1->font().pointSizeF(), 12);
    EXPECT_TRUE(w.Combo1->font().bold());
    EXPECT_DOUBLE_EQ(w.cmdPageNext->font().pointSizeF(), 8.25);
    EXPECT_DOUBLE_EQ(w.lblPage->font().pointSizeF(), 9.75);
    EXPECT_DOUBLE_EQ(w.cmdEnd->font().pointSizeF(), 9.75);
    EXPECT_DOUBLE_EQ(w.Command1[5]->font().pointSizeF(), 12);

    EXPECT_EQ(w.List1->palette().color(QPalette::Base), QColor(0xC0, 0xFF, 0xC0));
    EXPECT_EQ(w.lblBiko->palette().color(QPalette::WindowText), QColor(Qt::blue));
    EXPECT_EQ(w.lblTitle[0]->palette().color(QPalette::WindowText), QColor(Qt::black));
    // The design colour of the front title is white.
    EXPECT_EQ(w.designTitleColour(), QStringLiteral("16777215"));
}

TEST_F(MenuWindowTest, LabelsOfTheMenuAndTheLoginShowTheirTextAsText) {
    // The company name comes from the database.
    w.setCompanyCaption(QStringLiteral("<b>ABC</b><br>DEF "));
    EXPECT_EQ(w.JISYA0->text(), QStringLiteral("<b>ABC</b><br>DEF "));
    menu::LoginWindow login;
    for (QWidget* top : {static_cast<QWidget*>(&w), static_cast<QWidget*>(&login)}) {
        const QList<QLabel*> labels = top->findChildren<QLabel*>();
        EXPECT_GE(labels.size(), 3);
        for (QLabel* l : labels)
            EXPECT_EQ(l->textFormat(), Qt::PlainText) << l->objectName().toStdString();
    }
}

TEST_F(MenuWindowTest, TitleColourIsReadRedInTheLowByte) {
    w.setTitleLabels(QStringLiteral("テスト環境"), QStringLiteral("255"));
    EXPECT_EQ(w.lblTitle[1]->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_EQ(w.lblTitle[0]->text(), QStringLiteral("テスト環境"));
    w.setTitleLabels(QStringLiteral("サブシステム"), QStringLiteral("16744576"));
    EXPECT_EQ(w.lblTitle[1]->palette().color(QPalette::WindowText), QColor(0x80, 0x80, 0xFF));
    EXPECT_EQ(menu::ValueFromColour(QColor(0x80, 0x80, 0xFF)), 16744576);
}

TEST_F(MenuWindowTest, PageListFillingSelectsTheFirstPageAndItsFirstItem) {
    w.fillPageList();
    ASSERT_EQ(w.Combo1->count(), 3);
    EXPECT_EQ(w.Combo1->itemText(0), QStringLiteral("日常業務"));  // trimmed
    EXPECT_EQ(w.Combo1->itemData(1).toInt(), 8);
    EXPECT_EQ(w.Combo1->currentIndex(), 0);
    EXPECT_EQ(w.lblPage->text(), QStringLiteral("（1／3）ページ"));
    EXPECT_FALSE(w.cmdPageBack->isEnabled());
    EXPECT_TRUE(w.cmdPageNext->isEnabled());
    ASSERT_EQ(w.List1->count(), 2);
    EXPECT_EQ(w.List1->currentRow(), 0);
    EXPECT_EQ(captions(), (QStringList{"顧客照会 (F1)", "", "顧客登録 (F3)", "", "", "", "", "", "",
                                       "", "", "F12の処理 (F12)"}));
    EXPECT_EQ(w.buttonTag(0), QStringLiteral("002"));
    EXPECT_EQ(w.buttonTag(2), QStringLiteral("003"));
    EXPECT_EQ(w.buttonTag(1), QString());
    EXPECT_EQ(w.Command1[0]->focusPolicy(), Qt::StrongFocus);
    EXPECT_EQ(w.Command1[1]->focusPolicy(), Qt::ClickFocus);
}

TEST_F(MenuWindowTest, ListChoiceRefillsTheButtonsWithThreeDigitTags) {
    w.fillPageList();
    w.List1->setCurrentRow(1);
    EXPECT_EQ(captions(), (QStringList{"", "貸付実行 (F2)", "", "返済入力 (F4)", "", "", "", "", "",
                                       "", "", ""}));
    EXPECT_EQ(w.buttonTag(3), QStringLiteral("007"));
    EXPECT_TRUE(w.Command1[0]->isHidden());
    EXPECT_TRUE(w.Command1[11]->isHidden());
}

TEST_F(MenuWindowTest, PagingWalksThePagesAndStopsAtTheEnds) {
    w.fillPageList();
    w.cmdPageBack_Click();  // at the first page: nothing
    EXPECT_EQ(w.Combo1->currentIndex(), 0);
    w.cmdPageNext_Click();
    EXPECT_EQ(w.lblPage->text(), QStringLiteral("（2／3）ページ"));
    EXPECT_TRUE(w.cmdPageBack->isEnabled());
    EXPECT_TRUE(w.cmdPageNext->isEnabled());
    // The hidden item is left out; a later button of the same key overwrites the earlier one.
    ASSERT_EQ(w.List1->count(), 1);
    EXPECT_EQ(w.List1->item(0)->text(), QStringLiteral("月次集計"));
    EXPECT_EQ(w.Command1[0]->text(), QStringLiteral("集計（新） (F1)"));
    EXPECT_EQ(w.buttonTag(0), QStringLiteral("012"));
    w.cmdPageNext_Click();
    EXPECT_EQ(w.lblPage->text(), QStringLiteral("（3／3）ページ"));
    EXPECT_FALSE(w.cmdPageNext->isEnabled());
    w.cmdPageNext_Click();
    EXPECT_EQ(w.Combo1->currentIndex(), 2);
}

TEST_F(MenuWindowTest, APageWithoutVisibleItemsLeavesNoButtonOfAnotherPage) {
    w.fillPageList();
    w.Combo1->setCurrentIndex(2);
    EXPECT_EQ(w.List1->count(), 0);
    EXPECT_EQ(captions(), QStringList(12, QString()));
    for (int i = 0; i < 12; ++i) EXPECT_EQ(w.buttonTag(i), QString());
    QTest::keyClick(w.List1, Qt::Key_F1);
    EXPECT_TRUE(fake.processes.started.isEmpty());
}

TEST_F(MenuWindowTest, StartPageAndStartItemChooseTheFirstView) {
    menuContext().StartPage = 9;  // beyond the pages: the first stays
    menuContext().StartItem = 2;
    w.fillPageList();
    EXPECT_EQ(w.Combo1->currentIndex(), 0);
    EXPECT_EQ(w.List1->currentRow(), 1);
    EXPECT_EQ(w.Command1[1]->text(), QStringLiteral("貸付実行 (F2)"));

    menuContext().StartPage = 2;
    menuContext().StartItem = 3;  // beyond the items: the first stays
    w.fillPageList();
    EXPECT_EQ(w.lblPage->text(), QStringLiteral("（2／3）ページ"));
    EXPECT_EQ(w.List1->currentRow(), 0);
}

TEST_F(MenuWindowTest, OnlyPagesOfTheProfileAreShown) {
    menuTable().MenuEntries[0].ProfileFlags[1] = QStringLiteral("0");
    menuTable().MenuEntries[8].ProfileFlags[1] = QStringLiteral("0");
    menuContext().ProfileNumber = 2;
    w.fillPageList();
    ASSERT_EQ(w.Combo1->count(), 1);
    EXPECT_EQ(w.lblPage->text(), QStringLiteral("（1／1）ページ"));
    EXPECT_FALSE(w.cmdPageBack->isEnabled());
    EXPECT_FALSE(w.cmdPageNext->isEnabled());
}

TEST_F(MenuWindowTest, FunctionKeysStartTheEntriesOfVisibleButtonsOnly) {
    w.fillPageList();
    QTest::keyClick(w.List1, Qt::Key_F1);
    ASSERT_EQ(fake.processes.started.size(), 1);
    EXPECT_EQ(fake.processes.started[0], QStringLiteral("/bin/kokyaku a"));
    QTest::keyClick(w.List1, Qt::Key_F5);   // hidden: nothing
    QTest::keyClick(w.Combo1, Qt::Key_F2);  // hidden: nothing
    EXPECT_EQ(fake.processes.started.size(), 1);
    QTest::keyClick(w.Combo1, Qt::Key_F12);  // from any control
    ASSERT_EQ(fake.processes.started.size(), 2);
    EXPECT_EQ(fake.processes.started[1], QStringLiteral("/bin/f12"));
    w.Command1[2]->click();
    ASSERT_EQ(fake.processes.started.size(), 3);
    EXPECT_EQ(fake.processes.started[2], QStringLiteral("/bin/touroku"));
}

TEST_F(MenuWindowTest, AWaitedProgramDisablesTheWindowAndRefreshesTheHeader) {
    menuTable().MenuEntries[4].LaunchMode = QStringLiteral("2");  // F12 waits
    w.fillPageList();
    ASSERT_EQ(w.buttonTag(11), QStringLiteral("004"));
    bool disabledWhileWaiting = false;
    fake.events.onProcess = [&] { disabledWhileWaiting = disabledWhileWaiting || !w.isEnabled(); };
    db.companyHeader = QStringLiteral("新しい自社名 ");
    QTest::keyClick(w.List1, Qt::Key_F12);
    EXPECT_TRUE(disabledWhileWaiting);
    EXPECT_TRUE(w.isEnabled());
    EXPECT_EQ(w.JISYA0->text(), QStringLiteral("新しい自社名 "));
    EXPECT_TRUE(journal.contains("company header"));
}

TEST_F(MenuWindowTest, EnterInTheListGivesTheFocusToTheFirstVisibleButton) {
    w.show();
    w.fillPageList();
    w.List1->setCurrentRow(1);  // F2 and F4
    w.List1->setFocus();
    QTest::keyClick(w.List1, Qt::Key_Return);
    EXPECT_EQ(w.focusWidget(), w.Command1[1]);
    // The focused button is the default button: the next Enter presses it.
    EXPECT_TRUE(w.Command1[1]->autoDefault());
    QTest::keyClick(w.Command1[1], Qt::Key_Return);
    ASSERT_EQ(fake.processes.started.size(), 1);
    EXPECT_EQ(fake.processes.started[0], QStringLiteral("/bin/kasituke"));
}

TEST_F(MenuWindowTest, ChoosingThePageShownAgainRefillsItsList) {
    w.show();
    w.fillPageList();
    w.List1->setCurrentRow(1);
    ASSERT_EQ(w.Command1[0]->isHidden(), true);
    // The user opens the drop-down and chooses the page that is already shown.
    w.Combo1->showPopup();
    QAbstractItemView* view = w.Combo1->view();
    view->setCurrentIndex(view->model()->index(0, 0));
    QTest::keyClick(view, Qt::Key_Return);
    EXPECT_EQ(w.Combo1->currentIndex(), 0);
    EXPECT_EQ(w.List1->currentRow(), 0);
    EXPECT_EQ(captions()[0], QStringLiteral("顧客照会 (F1)"));
}

TEST_F(MenuWindowTest, BackspaceMinimisesEscAsksForTheEndOfBusiness) {
    w.show();
    w.fillPageList();
    QTest::keyClick(w.List1, Qt::Key_Backspace);
    EXPECT_TRUE(w.windowState() & Qt::WindowMinimized);
    w.showNormal();

    fake.messageBox.answers = {platform::Answer::Cancel};
    QTest::keyClick(w.List1, Qt::Key_Escape);
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0].title, QStringLiteral("業務終了確認"));
    EXPECT_EQ(boxes()[0].buttons, platform::Buttons::OkCancel);
    // Cancel leaves everything as it was.
    EXPECT_EQ(w.Command1[0]->text(), QStringLiteral("顧客照会 (F1)"));
    fake.messageBox.answers = {platform::Answer::Cancel};
    w.cmdEnd->click();
    EXPECT_EQ(boxes().size(), 2u);
    EXPECT_EQ(boxes()[1].title, QStringLiteral("業務終了確認"));
}

TEST_F(MenuWindowTest, EscWithOkEndsTheProgram) {
    w.fillPageList();
    EXPECT_EQ(exitStatusOf([&] { w.cmdEnd_Click(); }), 0);
}

TEST_F(MenuWindowTest, TheHintLineFollowsTheMouse) {
    w.fillPageList();
    w.List1->setCurrentRow(1);
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(w.Command1[3], &enter);
    EXPECT_EQ(w.lblBiko->text(), QStringLiteral("返済を入力します"));
    QTest::mouseMove(w.List1->viewport(), QPoint(5, 5));
    QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), QPointF(5, 5), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(w.List1->viewport(), &move);
    EXPECT_EQ(w.lblBiko->text(), QString());
    QApplication::sendEvent(w.Command1[1], &enter);
    EXPECT_EQ(w.lblBiko->text(), QString());  // entry 6 has no description
    w.List1->setCurrentRow(0);
    QApplication::sendEvent(w.Command1[0], &enter);
    EXPECT_EQ(w.lblBiko->text(), QStringLiteral("顧客を照会します"));
    QApplication::sendEvent(w.Picture1, &move);
    EXPECT_EQ(w.lblBiko->text(), QString());
    // A move over a button that the button passes on to the panel keeps the button's hint.
    const QPointF middle = QRectF(w.Command1[0]->rect()).center();
    QMouseEvent overButton(QEvent::MouseMove, middle, w.Command1[0]->mapToGlobal(middle),
                           Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w.Command1[0], &overButton);
    EXPECT_EQ(w.lblBiko->text(), QStringLiteral("顧客を照会します"));
}

// A caption too long for one line takes the button's second line; what two lines cannot hold
// even narrowed is cut at its end, never at its start.
TEST_F(MenuWindowTest, ALongCaptionWrapsAndIsCutOnlyAtItsEnd) {
    w.fillPageList();
    auto* b = static_cast<common::CaptionButton*>(w.Command1[2]);
    auto check = [&](int n, const QStringList& expectFirstAndLast) {
        SCOPED_TRACE(n);
        menuTable().MenuEntries[3].Caption = QString(n, QChar(0x696D));  // n times 業
        w.List1->setCurrentRow(1);
        w.List1->setCurrentRow(0);
        const QStringList lines = b->shownLines();
        const QFontMetrics fm(b->shownFont());
        for (const QString& l : lines)
            EXPECT_LE(fm.horizontalAdvance(l), b->width() - 12) << l.toStdString();
        ASSERT_EQ(lines.size(), expectFirstAndLast.size());
        EXPECT_TRUE(lines.first().startsWith(expectFirstAndLast.first()))
            << lines.first().toStdString();
        EXPECT_TRUE(lines.last().endsWith(expectFirstAndLast.last())) << lines.last().toStdString();
        // Nothing is lost but the end: the lines read as the caption's beginning.
        const QString shown = lines.join(QString()).remove(u' ').remove(QChar(0x2026));
        EXPECT_TRUE((QString(n, QChar(0x696D)) + QStringLiteral("(F3)")).startsWith(shown));
    };
    auto fullWidth = [&] {
        const int stretch = b->shownFont().stretch();
        return stretch == QFont::AnyStretch || stretch == QFont::Unstretched;
    };
    check(4, {QStringLiteral("業業業業 (F3)")});
    EXPECT_TRUE(fullWidth());
    check(13, {QStringLiteral("業業業"), QStringLiteral("(F3)")});  // broken at the blank
    for (int n : {20, 21}) {
        check(n, {QStringLiteral("業業業"), QStringLiteral("業 (F3)")});
        EXPECT_TRUE(fullWidth());  // two lines hold it at full width
    }
    check(60, {QStringLiteral("業業業"), QString(QChar(0x2026))});
    EXPECT_EQ(b->shownFont().stretch(), 75);
    EXPECT_EQ(b->text(), QString(60, QChar(0x696D)) + QStringLiteral(" (F3)"));
}

TEST_F(MenuWindowTest, ButtonsAndTheEndButtonShowTheHandPointer) {
    w.setButtonPointers();
    for (QPushButton* b : w.Command1) EXPECT_EQ(b->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(w.cmdEnd->cursor().shape(), Qt::PointingHandCursor);
}

TEST_F(MenuWindowTest, ABackgroundClickHidesAndShowsTheWindow) {
    w.show();
    int hides = 0;
    struct Counter : QObject {
        int* n;
        bool eventFilter(QObject*, QEvent* e) override {
            if (e->type() == QEvent::Hide) ++*n;
            return false;
        }
    } counter;
    counter.n = &hides;
    w.installEventFilter(&counter);
    QTest::mouseClick(&w, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_EQ(hides, 1);
    EXPECT_TRUE(w.isVisible());
    // Clicks on the panel, a label and the frame behind the panel are not on the background.
    QTest::mouseClick(w.Picture1, Qt::LeftButton, Qt::NoModifier,
                      QPoint(w.Picture1->width() - 4, w.Picture1->height() - 4));
    QTest::mouseClick(w.lblPage, Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
    QTest::mouseClick(w.JISYA0, Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
    QTest::mouseClick(w.Command2, Qt::LeftButton, Qt::NoModifier, QPoint(1, 1));
    EXPECT_EQ(hides, 1);
}

TEST_F(MenuWindowTest, TheFirstTickHandsOverToTheLoginAndThenTheClockTicks) {
    // No password file in the working folder: one message, then the clock.
    QTemporaryDir cwd;
    const QString saved = QDir::currentPath();
    QDir::setCurrent(cwd.path());
    menuContext().TimerStartFlag = QStringLiteral("0");
    w.armTimer(1);
    EXPECT_EQ(w.Timer1->interval(), 1);
    w.Timer1_Timer();
    EXPECT_EQ(menuContext().TimerStartFlag, QStringLiteral("1"));
    EXPECT_EQ(w.Timer1->interval(), 1000);
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0].text, QStringLiteral("パスワード設定ファイルがありません。"));
    EXPECT_EQ(boxes()[0].title, QStringLiteral("環境確認"));
    EXPECT_EQ(boxes()[0].icon, platform::Icon::None);
    w.Timer1_Timer();
    EXPECT_EQ(boxes().size(), 1u);  // read once per run
    EXPECT_EQ(w.Label3->text(), TAV_menu1_frm::ClockText(fake.clock.current));
    QDir::setCurrent(saved);
}

TEST_F(MenuWindowTest, TheStateTextListsWhatTheWindowShows) {
    w.fillPageList();
    w.setCompanyCaption(QStringLiteral("自社 "));
    const QStringList lines = w.stateText().split(u'\n');
    EXPECT_TRUE(lines.contains(QStringLiteral("JISYA(0)=自社 ")));
    EXPECT_TRUE(lines.contains(QStringLiteral("lblPage=（1／3）ページ")));
    EXPECT_TRUE(lines.contains(QStringLiteral("Command1(0)=顧客照会 (F1)")));
    EXPECT_TRUE(lines.contains(QStringLiteral("Command1(1)=")));
    EXPECT_TRUE(lines.contains(QStringLiteral("List1.items=顧客管理|貸付")));
    EXPECT_TRUE(lines.contains(QStringLiteral("enabled=1")));
    EXPECT_TRUE(lines.contains(QStringLiteral("hourglass=0")));
    w.setHourglass(true);
    EXPECT_TRUE(w.stateText().contains(QStringLiteral("\nhourglass=1\n")));
    w.setHourglass(false);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST(MenuClock, ShortDateTwoBlanksLongTime) {
    const QDateTime at(QDate(2026, 4, 1), QTime(9, 5, 7));
    const QString text = TAV_menu1_frm::ClockText(at);
    const QLocale locale = QLocale::system();
    EXPECT_TRUE(text.startsWith(locale.toString(at.date(), QLocale::ShortFormat) + "  "))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("05"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("07"))) << text.toStdString();
}

}  // namespace
}  // namespace tav::test

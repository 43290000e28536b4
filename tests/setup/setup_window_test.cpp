// The setup window as designed: texts, places, fonts, colours, lines, tab order, focus.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include "common/text_fit.h"
#include "setup/setup.h"
#include "setup/setup_form.h"
#include "support/test_support.h"

using tav::setup::TAV_set_Form;

namespace {

QRect twips(int left, int top, int width, int height) {
    return QRect(left / 15, top / 15, width / 15, height / 15);
}

struct Expected {
    QWidget* control;
    QString text;
    QRect geometry;
    int tabIndex;
};

QString textOf(QWidget* w) {
    if (auto* l = qobject_cast<QLabel*>(w)) return l->text();
    if (auto* b = qobject_cast<QPushButton*>(w)) return b->text();
    return {};
}

}  // namespace

TEST(SetupWindow, ControlsHaveTheirDesignTextsPlacesAndTabIndices) {
    TAV_set_Form f;
    EXPECT_EQ(f.windowTitle(), QStringLiteral("TAV_setup"));
    EXPECT_EQ(f.size(), QSize(792, 546));  // 11880 x 8190 twips
    const std::vector<Expected> expected = {
        {f.Label1, QStringLiteral("TAV_Loan セットアップ"), twips(1560, 120, 5295, 495), 0},
        {f.Label2, QStringLiteral("セットアップ元ファイル"), twips(1560, 960, 1815, 255), 7},
        {f.Lbl_A_FILE, QString(), twips(3480, 960, 1815, 255), 8},
        {f.Label3, QStringLiteral("セットアップ"), twips(2640, 1440, 1455, 375), 9},
        {f.Cmd_SETUP, QStringLiteral("開始"), twips(2880, 1800, 975, 495), 4},
        {f.Txt_HOSOKU, QString(), twips(6840, 960, 4815, 1455), 5},
        {f.Label4, QStringLiteral("セットアップホルダ"), twips(840, 3000, 1575, 255), 10},
        {f.Lbl_SETUP_DIR, QString(), twips(2520, 3000, 7095, 255), 11},
        {f.Txt_readme, QString(), twips(480, 3720, 8055, 3615), 3},
        {f.Cmd_DOOI_OK, QStringLiteral("同意する"), twips(2040, 7440, 1575, 375), 1},
        {f.Cmd_DOOI_NG, QStringLiteral("同意しない"), twips(3960, 7440, 1455, 375), 2},
        {f.Cmd_END, QStringLiteral("終了"), twips(9240, 7440, 1095, 375), 6},
    };
    for (const Expected& e : expected) {
        SCOPED_TRACE(e.control->objectName().toStdString());
        EXPECT_EQ(e.control->parentWidget(), &f);
        EXPECT_EQ(textOf(e.control), e.text);
        EXPECT_EQ(e.control->geometry(), e.geometry);
        EXPECT_EQ(TAV_set_Form::tabIndex(e.control), e.tabIndex);
    }
    EXPECT_EQ(f.Cmd_SETUP->toolTip(), QStringLiteral("セットアップホルダにシステムを展開します"));
    EXPECT_FALSE(f.Cmd_SETUP->isEnabled());
    EXPECT_TRUE(f.Txt_HOSOKU->isHidden());
    EXPECT_TRUE(f.Txt_readme->toPlainText().isEmpty());
    EXPECT_EQ(f.Txt_readme->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
}

TEST(SetupWindow, FontsAndColours) {
    TAV_set_Form f;
    for (QLabel* l : f.findChildren<QLabel*>())
        EXPECT_EQ(l->textFormat(), Qt::PlainText) << l->objectName().toStdString();
    const QString gothic = QStringLiteral("ＭＳ Ｐゴシック");
    struct FontCase {
        QWidget* control;
        double points;
        bool italic;
    };
    for (const FontCase& c : {FontCase{f.Label1, 18, true}, FontCase{f.Lbl_A_FILE, 12, false},
                              FontCase{f.Label3, 14.25, false}, FontCase{f.Txt_HOSOKU, 12, false},
                              FontCase{f.Txt_readme, 12, false}}) {
        SCOPED_TRACE(c.control->objectName().toStdString());
        EXPECT_EQ(c.control->font().family(), gothic);
        EXPECT_DOUBLE_EQ(c.control->font().pointSizeF(), c.points);
        EXPECT_EQ(c.control->font().italic(), c.italic);
    }
    EXPECT_EQ(f.Label1->palette().color(QPalette::Window), QColor(128, 255, 128));
    EXPECT_TRUE(f.Label1->autoFillBackground());
    EXPECT_EQ(f.Label1->frameShape(), QFrame::Box);
    EXPECT_EQ(f.Lbl_SETUP_DIR->palette().color(QPalette::Window), QColor(192, 255, 255));
    EXPECT_TRUE(f.Lbl_SETUP_DIR->autoFillBackground());
    EXPECT_EQ(f.Lbl_SETUP_DIR->frameShape(), QFrame::Box);
    EXPECT_EQ(f.Txt_HOSOKU->viewport()->palette().color(QPalette::Base), QColor(255, 255, 0));
    EXPECT_EQ(f.Label2->frameShape(), QFrame::NoFrame);
}

TEST(SetupWindow, TheArrowAndTheRuleAreDrawn) {
    TAV_set_Form f;
    ASSERT_EQ(f.lines.size(), 8u);
    for (size_t i = 0; i < f.lines.size(); ++i)
        EXPECT_EQ(f.lines[i].name, QStringLiteral("Line%1").arg(i + 1));
    // The outline closes: every end of an arrow line is shared with another line.
    for (size_t i = 0; i < 7; ++i) {
        for (QPoint end : {f.lines[i].from, f.lines[i].to}) {
            int shared = 0;
            for (size_t j = 0; j < 7; ++j)
                if (j != i && (f.lines[j].from == end || f.lines[j].to == end)) ++shared;
            EXPECT_EQ(shared, 1) << "Line" << i + 1 << " at " << end.x() << "," << end.y();
        }
    }
    EXPECT_EQ(f.lines[7].from, QPoint(360, 3480));
    EXPECT_EQ(f.lines[7].to, QPoint(11640, 3480));
    EXPECT_GT(f.lines[7].borderWidth, 1);

    const QImage img = f.grab().toImage();
    const QColor background = img.pixelColor(5, 5);
    auto drawn = [&](int x, int y) { return img.pixelColor(x / 15, y / 15) != background; };
    EXPECT_TRUE(drawn(6000, 3480));   // the rule
    EXPECT_TRUE(drawn(2520, 1800));   // the shaft's left side
    EXPECT_TRUE(drawn(4200, 1700));   // its right side
    EXPECT_TRUE(drawn(3360, 1320));   // its top
    EXPECT_TRUE(drawn(2340, 2160));   // a wing of the head
    EXPECT_TRUE(drawn(3360, 2520));   // the point
    EXPECT_FALSE(drawn(3360, 2400));  // inside the head
    EXPECT_FALSE(drawn(6000, 3300));  // above the rule
    // The coloured labels paint their backgrounds.
    EXPECT_EQ(img.pixelColor(f.Label1->geometry().bottomRight() - QPoint(3, 3)),
              QColor(128, 255, 128));
    EXPECT_EQ(img.pixelColor(f.Lbl_SETUP_DIR->geometry().right() - 3,
                             f.Lbl_SETUP_DIR->geometry().center().y()),
              QColor(192, 255, 255));
}

TEST(SetupWindow, TheInstructionBoxHoldsItsFourLines) {
    TAV_set_Form f;
    EXPECT_EQ(TAV_set_Form::boxText(f.Txt_HOSOKU),
              QStringLiteral("解凍先の指定ダイアログの操作について\r\n"
                             "・解凍先は、未入力のまま\r\n"
                             "　（変更しないでください）\r\n"
                             "・OKボタンを押した後、しばらく時間がかかります。\r\n"));
}

// The instructions are read while the archive runs and the launcher has the
// window disabled; they stay as legible as in the enabled window (not grey on yellow).
TEST(SetupWindow, TheInstructionsStayLegibleWhileTheWindowIsDisabled) {
    TAV_set_Form f;
    f.Txt_HOSOKU->setVisible(true);
    const QRect inside = f.Txt_HOSOKU->viewport()->geometry();
    // The darkest pixel of the text (its luminance, 0 to 255) and the background's colour.
    auto darkest = [&](const QImage& img) {
        int least = 255;
        for (int y = inside.top(); y <= inside.bottom(); ++y)
            for (int x = inside.left(); x <= inside.right(); ++x)
                least = std::min(least, qGray(img.pixel(x, y)));
        return least;
    };
    const QImage enabled = f.Txt_HOSOKU->grab().toImage();
    f.setEnabled(false);
    ASSERT_FALSE(f.Txt_HOSOKU->isEnabled());
    const QImage disabled = f.Txt_HOSOKU->grab().toImage();
    f.setEnabled(true);
    EXPECT_LT(darkest(enabled), 80);
    EXPECT_EQ(darkest(disabled), darkest(enabled));
    EXPECT_EQ(disabled.copy(inside), enabled.copy(inside));
    EXPECT_EQ(disabled.pixelColor(inside.right() - 2, inside.bottom() - 2), QColor(255, 255, 0));
}

TEST(SetupWindow, TabOrderFollowsTheDesign) {
    TAV_set_Form f;
    // Labels never take the focus.
    for (QLabel* l : f.findChildren<QLabel*>()) EXPECT_EQ(l->focusPolicy(), Qt::NoFocus);
    // The focus chain of the controls that can take it, from the first.
    std::vector<QWidget*> chain;
    QWidget* w = f.Cmd_DOOI_OK;
    do {
        if (w->parentWidget() == &f && w->focusPolicy() != Qt::NoFocus) chain.push_back(w);
        w = w->nextInFocusChain();
    } while (w != f.Cmd_DOOI_OK && chain.size() < 20);
    const std::vector<QWidget*> expected = {f.Cmd_DOOI_OK, f.Cmd_DOOI_NG, f.Txt_readme,
                                            f.Cmd_SETUP,   f.Txt_HOSOKU,  f.Cmd_END};
    EXPECT_EQ(chain, expected);
}

TEST(SetupWindow, EnterPressesTheFocusedButton) {
    TAV_set_Form f;
    f.show();
    f.Cmd_SETUP->setEnabled(false);
    f.Cmd_DOOI_OK->setFocus();
    QTest::keyClick(f.Cmd_DOOI_OK, Qt::Key_Return);  // 同意する
    EXPECT_TRUE(f.Cmd_SETUP->isEnabled());
}

TEST(SetupWindow, TextsTooWideForTheStandInFontsAreNarrowedNotCut) {
    TAV_set_Form f;
    for (QLabel* l : f.findChildren<QLabel*>()) {
        SCOPED_TRACE(l->objectName().toStdString());
        EXPECT_LE(QFontMetrics(l->font()).horizontalAdvance(l->text()), l->contentsRect().width());
        EXPECT_GE(l->font().stretch(), 75);
    }
    // A text that fits keeps the font as designed.
    QLabel wide(QStringLiteral("ab"));
    wide.setGeometry(0, 0, 200, 20);
    tav::common::FitLabel(&wide);
    EXPECT_EQ(wide.font().stretch(), QFont::Unstretched);
    // One that cannot fit even at three quarters is narrowed that far and no further.
    QLabel narrow(QString(40, QChar(0x30A2)));
    narrow.setGeometry(0, 0, 50, 20);
    tav::common::FitLabel(&narrow);
    EXPECT_EQ(narrow.font().stretch(), 75);

    const QFontMetrics hosoku(f.Txt_HOSOKU->font());
    for (const QString& line : f.Txt_HOSOKU->toPlainText().split(u'\n'))
        EXPECT_LT(hosoku.horizontalAdvance(line), f.Txt_HOSOKU->width()) << line.toStdString();
}

#include <QApplication>
#include <QGroupBox>

#include "fixture.h"
#include "formhelper/item_access.h"

using namespace tav::formhelper;
using tav::test::Screen;
namespace t = tav::test;

TEST_F(Screen, KindsCodesAndNames) {
    const ControlKind kinds[] = {ControlKind::TextBox,  ControlKind::Label,
                                 ControlKind::TextBox,  ControlKind::ComboBox,
                                 ControlKind::TextBox,  ControlKind::TextBox,
                                 ControlKind::TextBox,  ControlKind::OptionButton,
                                 ControlKind::CheckBox, ControlKind::CommandButton};
    for (int i = 0; i < 10; ++i) EXPECT_EQ(c(i).kind(), kinds[i]) << i;
    EXPECT_EQ(c(t::kFrame).kind(), ControlKind::Other);
    EXPECT_EQ(kindCode(ControlKind::ComboBox), QStringLiteral("CMB"));
    EXPECT_EQ(kindCode(ControlKind::Other), QString());
    EXPECT_EQ(kindName(ControlKind::OptionButton), QStringLiteral("ｵﾌﾟｼｮﾝﾎﾞﾀﾝ"));
    EXPECT_EQ(kindName(ControlKind::CheckBox), QStringLiteral("ﾁｪｯｸﾎﾞｯｸｽ"));
    EXPECT_TRUE(form->control(99).isNull());
    EXPECT_EQ(c(3).name(), QStringLiteral("ctl3"));
}

TEST_F(Screen, PropertiesOfEveryKind) {
    // Colours: red in the low byte, on the widget's own palette.
    for (int i : {t::kCode, t::kName, t::kPay, t::kOption, t::kCheck, t::kButton, t::kFrame}) {
        c(i).setBackColor(0x0080FF);
        c(i).setForeColor(0xFF0000);
        EXPECT_EQ(c(i).backColor(), 0x0080FFu) << i;
        EXPECT_EQ(c(i).foreColor(), 0xFF0000u) << i;
    }
    EXPECT_EQ(qobject_cast<QLineEdit*>(c(t::kCode).widget())->palette().color(QPalette::Base),
              QColor(255, 128, 0));
    // Text and Caption.
    c(t::kPay).setText(QStringLiteral("24/03/15"));
    EXPECT_EQ(qobject_cast<QComboBox*>(c(t::kPay).widget())->currentText(),
              QStringLiteral("24/03/15"));
    c(t::kButton).setCaption(QStringLiteral("登録"));
    EXPECT_EQ(qobject_cast<QPushButton*>(c(t::kButton).widget())->text(), QStringLiteral("登録"));
    c(t::kFrame).setText(QStringLiteral("x"));
    EXPECT_EQ(c(t::kFrame).text(), QString());
    // Visible is the control's own flag, also while the window is not shown.
    EXPECT_TRUE(c(t::kFree).visible());
    c(t::kFree).setVisible(false);
    EXPECT_FALSE(c(t::kFree).visible());
    c(t::kCode).setEnabled(false);
    EXPECT_FALSE(c(t::kCode).enabled());
    // Value of option buttons and check boxes.
    c(t::kOption).setValue(1);
    EXPECT_EQ(c(t::kOption).value(), 1);
    c(t::kCheck).setValue(2);
    EXPECT_EQ(c(t::kCheck).value(), 2);
    c(t::kCheck).setValue(0);
    EXPECT_EQ(c(t::kCheck).value(), 0);
    // Twips, tab index, selection start.
    EXPECT_EQ(c(4).left(), (10 + 150) * 15);
    EXPECT_EQ(c(4).top(), (10 + 30) * 15);
    c(4).setGeometryTwips(1500, 300, 1200, 285);
    EXPECT_EQ(c(4).widget()->geometry(), QRect(100, 20, 80, 19));
    EXPECT_EQ(c(t::kFree).container(), c(t::kFrame).widget());
    EXPECT_EQ(c(2).tabIndex(), t::kControlCount - 2);
    c(t::kCode).setText(QStringLiteral("123456"));
    c(t::kCode).setSelStart(2);
    EXPECT_EQ(c(t::kCode).selStart(), 2);
    EXPECT_EQ(form->caption(), QStringLiteral("顧客登録"));
    EXPECT_EQ(form->tag(), QStringLiteral("KFM00100"));
}

TEST_F(Screen, FocusOfTheActiveFormIsTracked) {
    window->show();
    window->activateWindow();
    QApplication::setActiveWindow(window.get());
    c(t::kAmount).setFocus();
    QApplication::processEvents();
    ASSERT_TRUE(c(t::kAmount).hasFocus());
    EXPECT_EQ(helperContext().focusControlIndex, t::kAmount);
    EXPECT_EQ(helperContext().activeForm, form.get());
    // The field being edited shows the value unformatted; the others formatted.
    SetItemValue(*form, t::kAmount, QStringLiteral("1234567"));
    EXPECT_EQ(c(t::kAmount).text(), QStringLiteral("1234567"));
    SetItemValue(*form, t::kPay, QStringLiteral("240315"));
    EXPECT_EQ(c(t::kPay).text(), QStringLiteral("24/03/15"));
    c(t::kPay).setFocus();  // the editable combo's own line edit takes the focus
    QApplication::processEvents();
    EXPECT_EQ(helperContext().focusControlIndex, t::kPay);
}

TEST(Forms, CollectionFromTheWindowSkipsThePartsOfControls) {
    QWidget w;
    auto* box = new QGroupBox(&w);
    auto* edit = new QLineEdit(box);
    auto* combo = new QComboBox(&w);
    combo->setEditable(true);
    auto* label = new QLabel(&w);
    Form f(&w);
    f.addAllControls();
    ASSERT_EQ(f.controlCount(), 4);
    EXPECT_EQ(f.control(0).widget(), box);
    EXPECT_EQ(f.control(1).widget(), edit);
    EXPECT_EQ(f.control(2).widget(), combo);
    EXPECT_EQ(f.control(3).widget(), label);
    f.addAllControls();  // nothing twice
    EXPECT_EQ(f.controlCount(), 4);
}

TEST(Forms, TabOrderFollowsTheTabIndices) {
    QWidget w;
    auto* a = new QLineEdit(&w);
    auto* b = new QLineEdit(&w);
    auto* d = new QLineEdit(&w);
    Form f(&w);
    f.addAllControls();
    f.control(0).setTabIndex(3);
    f.control(1).setTabIndex(1);
    f.control(2).setTabIndex(2);
    f.applyTabOrder();
    // The chain is a circle through the window: b, d, a, and back to b.
    auto next = [](QWidget* x) {
        do x = x->nextInFocusChain();
        while (x->focusPolicy() == Qt::NoFocus);
        return x;
    };
    EXPECT_EQ(next(b), d);
    EXPECT_EQ(next(d), a);
    EXPECT_EQ(next(a), b);
    f.control(1).setTabIndex(4);  // b last
    f.applyTabOrder();
    EXPECT_EQ(next(a), b);
    EXPECT_EQ(next(b), d);
    EXPECT_EQ(next(d), a);
}

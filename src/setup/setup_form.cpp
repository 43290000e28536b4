#include "setup_form.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFont>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPalette>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <algorithm>
#include <vector>

#include "common/text_fit.h"
#include "common/window_look.h"
#include "platform/units.h"
#include "setup.h"

namespace tav::setup {

namespace {

using common::Control;
using common::DesignedFont;
using common::Face;
using common::Place;

constexpr const char* kTabIndexProperty = "TabIndex";

// The controls of the window, each with its design-time tab index.
QLabel* label(QWidget* parent, const Control& control, int tabIndex) {
    auto* l = Place<QLabel>(parent, control);
    l->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    l->setFocusPolicy(Qt::NoFocus);
    l->setProperty(kTabIndexProperty, tabIndex);
    return l;
}

QLabel* framedLabel(QWidget* parent, const Control& control, int tabIndex) {
    QLabel* l = label(parent, control, tabIndex);
    l->setFrameShape(QFrame::Box);
    l->setFrameShadow(QFrame::Plain);
    l->setLineWidth(1);
    return l;
}

QPushButton* button(QWidget* parent, const Control& control, int tabIndex) {
    auto* b = Place<QPushButton>(parent, control);
    b->setAutoDefault(true);  // the focused button is pressed by Enter
    b->setFocusPolicy(Qt::StrongFocus);
    b->setProperty(kTabIndexProperty, tabIndex);
    return b;
}

QPlainTextEdit* textBox(QWidget* parent, const Control& control, int tabIndex) {
    auto* t = Place<QPlainTextEdit>(parent, control);
    t->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    t->setTabChangesFocus(true);
    t->setReadOnly(true);
    t->setFocusPolicy(Qt::StrongFocus);
    t->setProperty(kTabIndexProperty, tabIndex);
    return t;
}

}  // namespace

TAV_set_Form::TAV_set_Form(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TAV_set_Form"));
    setWindowTitle(QStringLiteral("TAV_setup"));
    setFixedSize(platform::TwipsToPixels(11880), platform::TwipsToPixels(8190));
    setFont(common::DesignFont({Face::PGothic, 9}));

    Label1 = framedLabel(this,
                         {.name = "Label1",
                          .text = QStringLiteral("TAV_Loan セットアップ"),
                          .twips = {1560, 120, 5295, 495},
                          .font = DesignedFont{Face::PGothic, 18, false, true},
                          .background = QColor(128, 255, 128)},
                         0);
    Label2 = label(this,
                   {.name = "Label2",
                    .text = QStringLiteral("セットアップ元ファイル"),
                    .twips = {1560, 960, 1815, 255}},
                   7);
    Lbl_A_FILE = label(this,
                       {.name = "Lbl_A_FILE",
                        .text = QString(),
                        .twips = {3480, 960, 1815, 255},
                        .font = DesignedFont{Face::PGothic, 12}},
                       8);
    Label3 = label(this,
                   {.name = "Label3",
                    .text = QStringLiteral("セットアップ"),
                    .twips = {2640, 1440, 1455, 375},
                    .font = DesignedFont{Face::PGothic, 14.25}},
                   9);
    Cmd_SETUP = button(
        this,
        {.name = "Cmd_SETUP", .text = QStringLiteral("開始"), .twips = {2880, 1800, 975, 495}}, 4);
    Cmd_SETUP->setEnabled(false);
    Cmd_SETUP->setToolTip(QStringLiteral("セットアップホルダにシステムを展開します"));
    Txt_HOSOKU = textBox(this,
                         {.name = "Txt_HOSOKU",
                          .twips = {6840, 960, 4815, 1455},
                          .font = DesignedFont{Face::PGothic, 12},
                          .background = QColor(255, 255, 0)},
                         5);
    common::SetBackground(Txt_HOSOKU->viewport(), QColor(255, 255, 0));
    // The instructions are read while the archive's own dialog is open, that is while the
    // launcher has the window disabled: they keep the colours of the enabled window.
    common::KeepColoursWhenDisabled(Txt_HOSOKU);
    common::KeepColoursWhenDisabled(Txt_HOSOKU->viewport());
    setBoxText(Txt_HOSOKU, QStringLiteral("解凍先の指定ダイアログの操作について\r\n"
                                          "・解凍先は、未入力のまま\r\n"
                                          "　（変更しないでください）\r\n"
                                          "・OKボタンを押した後、しばらく時間がかかります。\r\n"));
    Txt_HOSOKU->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Txt_HOSOKU->document()->setDocumentMargin(2);
    common::FitBoxText(Txt_HOSOKU);
    Txt_HOSOKU->setVisible(false);
    Label4 = label(this,
                   {.name = "Label4",
                    .text = QStringLiteral("セットアップホルダ"),
                    .twips = {840, 3000, 1575, 255}},
                   10);
    Lbl_SETUP_DIR = framedLabel(this,
                                {.name = "Lbl_SETUP_DIR",
                                 .text = QString(),
                                 .twips = {2520, 3000, 7095, 255},
                                 .background = QColor(192, 255, 255)},
                                11);
    Txt_readme = textBox(this,
                         {.name = "Txt_readme",
                          .twips = {480, 3720, 8055, 3615},
                          .font = DesignedFont{Face::PGothic, 12}},
                         3);
    Txt_readme->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // The scroll bars scroll without taking the focus.
    Txt_readme->verticalScrollBar()->setFocusPolicy(Qt::NoFocus);
    Cmd_DOOI_OK = button(this,
                         {.name = "Cmd_DOOI_OK",
                          .text = QStringLiteral("同意する"),
                          .twips = {2040, 7440, 1575, 375}},
                         1);
    Cmd_DOOI_NG = button(this,
                         {.name = "Cmd_DOOI_NG",
                          .text = QStringLiteral("同意しない"),
                          .twips = {3960, 7440, 1455, 375}},
                         2);
    Cmd_END = button(
        this, {.name = "Cmd_END", .text = QStringLiteral("終了"), .twips = {9240, 7440, 1095, 375}},
        6);

    // The arrow's outline: the shaft from the source-file row, the wings of its head and the
    // point above the setup-folder row; then the thick rule over the readme.
    lines = {{
        {QStringLiteral("Line1"), {2520, 1320}, {4200, 1320}, 1},
        {QStringLiteral("Line2"), {2520, 1320}, {2520, 2160}, 1},
        {QStringLiteral("Line3"), {4200, 1320}, {4200, 2160}, 1},
        {QStringLiteral("Line4"), {2160, 2160}, {2520, 2160}, 1},
        {QStringLiteral("Line5"), {4200, 2160}, {4560, 2160}, 1},
        {QStringLiteral("Line6"), {2160, 2160}, {3360, 2520}, 1},
        {QStringLiteral("Line7"), {4560, 2160}, {3360, 2520}, 1},
        {QStringLiteral("Line8"), {360, 3480}, {11640, 3480}, 3},
    }};

    // The focus order of the design: the tab indices, lowest first, closing the circle.
    std::vector<QWidget*> order;
    for (QWidget* w : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (w->focusPolicy() != Qt::NoFocus && tabIndex(w) >= 0) order.push_back(w);
    std::sort(order.begin(), order.end(),
              [](QWidget* a, QWidget* b) { return tabIndex(a) < tabIndex(b); });
    for (size_t i = 0; i + 1 < order.size(); ++i) setTabOrder(order[i], order[i + 1]);

    for (QLabel* l : findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly))
        common::FitLabel(l);
    common::ShowLabelsAsText(this);

    Txt_readme->installEventFilter(this);
    Txt_HOSOKU->installEventFilter(this);

    connect(Cmd_DOOI_OK, &QPushButton::clicked, this, &TAV_set_Form::Cmd_DOOI_OK_Click);
    connect(Cmd_DOOI_NG, &QPushButton::clicked, this, &TAV_set_Form::Cmd_DOOI_NG_Click);
    connect(Cmd_END, &QPushButton::clicked, this, &TAV_set_Form::Cmd_END_Click);
    connect(Cmd_SETUP, &QPushButton::clicked, this, &TAV_set_Form::Cmd_SETUP_Click);
}

void TAV_set_Form::Form_Load() {
    InitSetupWindow(*this);
}

QString TAV_set_Form::boxText(const QPlainTextEdit* box) {
    QString t = box->toPlainText();
    t.replace(u'\n', QStringLiteral("\r\n"));
    return t;
}

void TAV_set_Form::setBoxText(QPlainTextEdit* box, const QString& text) {
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    box->setPlainText(t);
}

int TAV_set_Form::tabIndex(const QWidget* control) {
    QVariant v = control->property(kTabIndexProperty);
    return v.isValid() ? v.toInt() : -1;
}

void TAV_set_Form::Cmd_DOOI_OK_Click() {
    Cmd_SETUP->setEnabled(true);
}

void TAV_set_Form::Cmd_DOOI_NG_Click() {
    ConfirmAbort();
}

void TAV_set_Form::Cmd_END_Click() {
    ConfirmAbort();
}

void TAV_set_Form::Cmd_SETUP_Click() {
    RunSetup(*this);
}

void TAV_set_Form::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    QPainter painter(this);
    for (const LineControl& line : lines) {
        painter.setPen(QPen(palette().color(QPalette::WindowText), line.borderWidth));
        painter.drawLine(
            platform::TwipsToPixels(line.from.x()), platform::TwipsToPixels(line.from.y()),
            platform::TwipsToPixels(line.to.x()), platform::TwipsToPixels(line.to.y()));
    }
}

bool TAV_set_Form::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn && (watched == Txt_readme || watched == Txt_HOSOKU)) {
        // The two text boxes never keep the focus: one Tab stroke moves it on to the next
        // control in tab order.
        QCoreApplication::postEvent(watched,
                                    new QKeyEvent(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier));
        QCoreApplication::postEvent(watched,
                                    new QKeyEvent(QEvent::KeyRelease, Qt::Key_Tab, Qt::NoModifier));
    }
    return QWidget::eventFilter(watched, event);
}

void TAV_set_Form::closeEvent(QCloseEvent* event) {
    // Closing the window by its frame is the end button; while the archive runs the window
    // takes no input and stays.
    event->ignore();
    if (isEnabled()) ConfirmAbort();
}

}  // namespace tav::setup

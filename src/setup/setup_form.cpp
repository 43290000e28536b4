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
#include "setup.h"
#include "platform/units.h"

namespace tav::setup {

namespace {

constexpr const char* kTabIndexProperty = "TabIndex";

QFont gothic(double points, bool italic = false) {
    QFont f(QStringLiteral("ＭＳ Ｐゴシック"));
    f.setPointSizeF(points);
    f.setItalic(italic);
    return f;
}

void setBackground(QWidget* w, QPalette::ColorRole role, const QColor& colour) {
    QPalette p = w->palette();
    p.setColor(role, colour);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

// The disabled widget draws with the colours of the active one.
void keepColoursWhenDisabled(QWidget* w) {
    QPalette p = w->palette();
    for (QPalette::ColorRole role :
         {QPalette::Text, QPalette::WindowText, QPalette::Base, QPalette::Window,
          QPalette::Highlight, QPalette::HighlightedText}) {
        p.setColor(QPalette::Disabled, role, p.color(QPalette::Active, role));
    }
    w->setPalette(p);
}

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, QRect geometry,
                  int tabIndex) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setGeometry(geometry);
    l->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    l->setFocusPolicy(Qt::NoFocus);
    l->setProperty(kTabIndexProperty, tabIndex);
    return l;
}

void singleBorder(QLabel* l) {
    l->setFrameShape(QFrame::Box);
    l->setFrameShadow(QFrame::Plain);
    l->setLineWidth(1);
}

// The widest of the lines in the font.
int widest(const QFont& font, const QStringList& lines) {
    const QFontMetrics metrics(font);
    int w = 0;
    for (const QString& line : lines) w = std::max(w, metrics.horizontalAdvance(line));
    return w;
}

// The font, narrowed in steps (never below 75 %) until the lines fit the width.
QFont narrowedToFit(QFont font, const QStringList& lines, int available) {
    font.setStretch(QFont::Unstretched);
    if (available <= 0) return font;
    const int needed = widest(font, lines);
    if (needed <= available) return font;
    // Glyph advances are rounded one by one, so the estimate is checked and stepped down.
    for (int stretch = std::max(75, available * 100 / needed); stretch >= 75; --stretch) {
        font.setStretch(stretch);
        if (widest(font, lines) <= available) break;
    }
    return font;
}

}  // namespace

// The stand-in fonts set kana at full width where the office's proportional fonts set them
// narrower, so a text may not fit the width it was designed for. Such a text is narrowed, down
// to three quarters, rather than cut off; its height stays.
void fitLabelText(QLabel* label) {
    label->setFont(
        narrowedToFit(label->font(), {label->text()}, label->contentsRect().width() - 1));
}

void fitBoxText(QPlainTextEdit* box) {
    const int available = box->width() - 2 * box->frameWidth() -
                          2 * static_cast<int>(box->document()->documentMargin()) - 2;
    box->setFont(narrowedToFit(box->font(), box->toPlainText().split(u'\n'), available));
}

namespace {

QPushButton* makeButton(QWidget* parent, const char* name, const QString& text, QRect geometry,
                        int tabIndex) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setGeometry(geometry);
    b->setAutoDefault(true);  // the focused button is pressed by Enter
    b->setFocusPolicy(Qt::StrongFocus);
    b->setProperty(kTabIndexProperty, tabIndex);
    return b;
}

QPlainTextEdit* makeTextBox(QWidget* parent, const char* name, QRect geometry, int tabIndex) {
    auto* t = new QPlainTextEdit(parent);
    t->setObjectName(QString::fromLatin1(name));
    t->setGeometry(geometry);
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
    setFont(gothic(9));

    Label1 = makeLabel(this, "Label1", QStringLiteral("TAV_Loan セットアップ"),
                       platform::TwipsRect(1560, 120, 5295, 495), 0);
    Label1->setFont(gothic(18, true));
    setBackground(Label1, QPalette::Window, QColor(128, 255, 128));
    singleBorder(Label1);

    Label2 = makeLabel(this, "Label2", QStringLiteral("セットアップ元ファイル"),
                       platform::TwipsRect(1560, 960, 1815, 255), 7);
    Lbl_A_FILE = makeLabel(this, "Lbl_A_FILE", QString(), platform::TwipsRect(3480, 960, 1815, 255), 8);
    Lbl_A_FILE->setFont(gothic(12));
    Label3 = makeLabel(this, "Label3", QStringLiteral("セットアップ"),
                       platform::TwipsRect(2640, 1440, 1455, 375), 9);
    Label3->setFont(gothic(14.25));

    Cmd_SETUP =
        makeButton(this, "Cmd_SETUP", QStringLiteral("開始"), platform::TwipsRect(2880, 1800, 975, 495), 4);
    Cmd_SETUP->setEnabled(false);
    Cmd_SETUP->setToolTip(QStringLiteral("セットアップホルダにシステムを展開します"));

    Txt_HOSOKU = makeTextBox(this, "Txt_HOSOKU", platform::TwipsRect(6840, 960, 4815, 1455), 5);
    Txt_HOSOKU->setFont(gothic(12));
    setBackground(Txt_HOSOKU->viewport(), QPalette::Base, QColor(255, 255, 0));
    setBackground(Txt_HOSOKU, QPalette::Base, QColor(255, 255, 0));
    // The instructions are read while the archive's own dialog is open, that is while the
    // launcher has the window disabled: they keep the colours of the enabled window.
    keepColoursWhenDisabled(Txt_HOSOKU);
    keepColoursWhenDisabled(Txt_HOSOKU->viewport());
    setBoxText(Txt_HOSOKU, QStringLiteral("解凍先の指定ダイアログの操作について\r\n"
                                          "・解凍先は、未入力のまま\r\n"
                                          "　（変更しないでください）\r\n"
                                          "・OKボタンを押した後、しばらく時間がかかります。\r\n"));
    Txt_HOSOKU->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Txt_HOSOKU->document()->setDocumentMargin(2);
    fitBoxText(Txt_HOSOKU);
    Txt_HOSOKU->setVisible(false);

    Label4 = makeLabel(this, "Label4", QStringLiteral("セットアップホルダ"),
                       platform::TwipsRect(840, 3000, 1575, 255), 10);
    Lbl_SETUP_DIR =
        makeLabel(this, "Lbl_SETUP_DIR", QString(), platform::TwipsRect(2520, 3000, 7095, 255), 11);
    setBackground(Lbl_SETUP_DIR, QPalette::Window, QColor(192, 255, 255));
    singleBorder(Lbl_SETUP_DIR);

    Txt_readme = makeTextBox(this, "Txt_readme", platform::TwipsRect(480, 3720, 8055, 3615), 3);
    Txt_readme->setFont(gothic(12));
    Txt_readme->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // The scroll bars scroll without taking the focus.
    Txt_readme->verticalScrollBar()->setFocusPolicy(Qt::NoFocus);

    Cmd_DOOI_OK = makeButton(this, "Cmd_DOOI_OK", QStringLiteral("同意する"),
                             platform::TwipsRect(2040, 7440, 1575, 375), 1);
    Cmd_DOOI_NG = makeButton(this, "Cmd_DOOI_NG", QStringLiteral("同意しない"),
                             platform::TwipsRect(3960, 7440, 1455, 375), 2);
    Cmd_END =
        makeButton(this, "Cmd_END", QStringLiteral("終了"), platform::TwipsRect(9240, 7440, 1095, 375), 6);

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

    for (QLabel* l : findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly)) fitLabelText(l);
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
        painter.drawLine(platform::TwipsToPixels(line.from.x()), platform::TwipsToPixels(line.from.y()),
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

#include "lkf10040.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>

#include "common/text_fit.h"
#include "common/window_look.h"
#include "formhelper/helper_context.h"
#include "platform/text.h"
#include "platform/units.h"

namespace tav::dialogs {

using namespace tav::formhelper;

namespace {

LKF10040* g_instance = nullptr;

using common::Place;
using platform::PixelsToTwips;
using platform::TwipsToPixels;

void setTwips(QWidget* w, int left, int top, int width, int height) {
    w->setGeometry(platform::TwipsRect(left, top, width, height));
}
void resizeTwips(QWidget* w, int width, int height) {
    w->resize(TwipsToPixels(width), TwipsToPixels(height));
}
int tw(int pixels) {
    return PixelsToTwips(pixels);
}

// The control's own effective visibility within the window.
bool shownIn(const QWidget* w, const QWidget* window) {
    return w->isVisibleTo(window) && !w->isHidden();
}

}  // namespace

LKF10040& LKF10040::instance() {
    if (!g_instance) {
        g_instance = new LKF10040();
        setCodeReferenceView(g_instance);
    }
    return *g_instance;
}

void LKF10040::destroyInstance() {
    if (!g_instance) return;
    setCodeReferenceView(nullptr);
    delete g_instance;
    g_instance = nullptr;
}

LKF10040::LKF10040() : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("LKF10040"));
    setTwips(this, 0, 0, 6510, 3345);

    Command2 = Place<QPushButton>(this, {.name = "Command2", .twips = {0, 0, 6510, 2640}});
    Command2->setEnabled(false);
    // The caption bar in the colours of the active window's caption.
    Picture3 = Place<QFrame>(
        this, {.name = "Picture3",
               .twips = {45, 45, 1725, 225},
               .foreground = palette().color(QPalette::Active, QPalette::HighlightedText),
               .background = palette().color(QPalette::Active, QPalette::Highlight)});
    Picture2 = Place<QWidget>(this, {.name = "Picture2", .twips = {690, 150, 2670, 2400}});
    Label1 = Place<QLabel>(Picture2, {.name = "Label1",
                                      .text = QStringLiteral("少々お待ちください"),
                                      .twips = {255, 360, 2310, 420},
                                      .background = QColor(0xC0, 0xC0, 0xC0)});
    List1 = Place<CodeListBox>(Picture2, {.name = "List1", .twips = {0, 0, 2670, 2010}});
    // Fixed pitch, so the columns of the list's lines align.
    List1->setFont(common::FixedPitchFont(common::FaceName(common::Face::Gothic), 9));
    List1->setTextElideMode(Qt::ElideNone);
    List1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);  // a list box has none
    List1->setSelectionMode(QAbstractItemView::SingleSelection);
    List1->setMouseTracking(true);
    List1->viewport()->setMouseTracking(true);
    Command3 = Place<QPushButton>(
        Picture2,
        {.name = "Command3", .text = QStringLiteral("再 検 索 >>"), .twips = {0, 2055, 2670, 345}});
    Command3->setMouseTracking(true);
    Picture1 = Place<QWidget>(this, {.name = "Picture1", .twips = {3570, 400, 2190, 2025}});
    Label2 = Place<QLabel>(Picture1, {.name = "Label2", .twips = {15, 0, 2130, 510}});
    Label2->setFrameShape(QFrame::Box);
    Text1 = Place<QLineEdit>(Picture1, {.name = "Text1", .twips = {0, 870, 2145, 285}});
    QPalette white = Text1->palette();  // the field only: the frame's corners stay the window's
    white.setColor(QPalette::Base, Qt::white);
    white.setColor(QPalette::Text, Qt::black);
    Text1->setPalette(white);
    Command1 = Place<QPushButton>(
        Picture1,
        {.name = "Command1", .text = QStringLiteral("検   索"), .twips = {0, 1530, 2175, 495}});

    // Stacking: the background at the bottom, the list over its waiting label.
    Command2->lower();
    Label1->lower();
    setTabOrder(List1, Text1);
    setTabOrder(Text1, Command1);

    connect(Command1, &QPushButton::clicked, this, [this] { search(); });
    connect(Command3, &QPushButton::clicked, this, [this] { command3Click(); });
    for (QObject* o : {static_cast<QObject*>(List1), static_cast<QObject*>(List1->viewport()),
                       static_cast<QObject*>(Text1), static_cast<QObject*>(Command1),
                       static_cast<QObject*>(Command3), static_cast<QObject*>(Picture3),
                       static_cast<QObject*>(this)})
        o->installEventFilter(this);
    common::ShowLabelsAsText(this);
}

LKF10040::~LKF10040() = default;

// ---- layouts
// --------------------------------------------------------------------------------------

void LKF10040::showSearchLayout() {
    Picture2->hide();
    Picture1->show();
    Picture1->move(TwipsToPixels(250), Picture1->y());
    resizeTwips(this, 2700, 2640);
    resizeTwips(Command2, 2685, 2640);
    if (lookupState().layoutSwitch != 0) {
        resizeTwips(Picture3, 2585, tw(Picture3->height()));
        resizeTwips(Command2, tw(Command2->width()), tw(List1->height()) + 600);
    }
    PlaceLookupWindow(this);
    Text1->setFocus();
    Text1->setSelection(0, static_cast<int>(Text1->text().size()));
}

void LKF10040::command3Click() {
    if (Command3->isHidden()) return;
    showSearchLayout();
}

void LKF10040::applyListLayout() {
    const int listWidth = tw(List1->width());
    const int listHeight = tw(List1->height());
    const int buttonHeight = tw(Command3->height());
    if (lookupState().layoutSwitch == 0) {
        resizeTwips(this, listWidth, buttonHeight + listHeight);
        resizeTwips(Picture2, listWidth, buttonHeight + listHeight);
        resizeTwips(Command2, tw(Picture2->width()), tw(Picture2->height()));
        setTwips(Command3, 0, listHeight, listWidth, buttonHeight);
        PlaceLookupWindow(this);
        Picture2->move(0, 0);
        Picture2->show();
        Picture1->hide();
        Command3->show();
    } else {
        const int width = listWidth + 3000;
        const int height = buttonHeight + listHeight + 300;
        resizeTwips(this, width, height);
        Picture1->move(TwipsToPixels(listWidth + 600), TwipsToPixels(400));
        resizeTwips(Picture2, listWidth, listHeight);
        resizeTwips(Picture3, width - 100, tw(Picture3->height()));
        resizeTwips(Command2, listWidth + 3000, height);
        setTwips(Command3, 0, listHeight, listWidth, buttonHeight);
        PlaceLookupWindow(this);
        Picture2->move(TwipsToPixels(300), TwipsToPixels(400));
        Picture2->show();
        Picture1->show();
        Command3->show();
    }
    Picture2->raise();
    Picture1->raise();
}

// ---- search and choice
// -------------------------------------------------------------------------------

void LKF10040::search() {
    if (RefuseSearchText(Text1->text())) {
        Text1->setSelection(0, static_cast<int>(Text1->text().size()));
        if (shownIn(Text1, this) && Text1->isEnabled()) Text1->setFocus();
        return;
    }
    FillCodeList();
}

void LKF10040::listMouseMove(const QPoint& pos) {
    const int index = listItemFromPoint(List1, pos);
    if (index >= 0 && index < List1->count()) List1->setCurrentRow(index);
    setCommand3Bold(false);
    List1->setFocus();
}

void LKF10040::listMouseUp() {
    if (List1->currentRow() < 0) {
        if (shownIn(Command1, this)) Command1->setFocus();
        return;
    }
    OutputCodeName();
    hide();
    CloseCodeLookup();
}

void LKF10040::listDblClick() {
    const bool selected = List1->currentRow() >= 0;
    if (!selected && shownIn(Command1, this)) {
        Command1->setFocus();
        return;
    }
    if (selected) {
        OutputCodeName();
        hide();
    }
    CloseCodeLookup();
}

void LKF10040::formDeactivate() {
    CloseCodeLookup();
    setCommand3Bold(false);
    Text1->clear();
}

void LKF10040::restoreCallingControl() {
    LookupState& s = lookupState();
    if (!s.pendingText.isEmpty() && s.callingForm && s.callingControl >= 0) {
        Control control = s.callingForm->control(s.callingControl);
        if (!control.isNull() && s.pendingText != control.text()) control.setText(s.pendingText);
    }
    s.pendingText.clear();
}

void LKF10040::setCommand3Bold(bool bold) {
    QFont f = Command3->font();
    if (f.bold() == bold) return;
    f.setBold(bold);
    Command3->setFont(f);
}

bool LKF10040::formKeyDown(int key) {
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        QWidget* focus = QApplication::focusWidget();
        if (focus && focus->objectName().compare(u"text1", Qt::CaseInsensitive) == 0)
            Command1->setFocus();
        else
            listDblClick();
        return true;  // the Enter character never reaches a control
    }
    if (key == Qt::Key_Escape) {
        CloseCodeLookup();
        return true;
    }
    if (key >= Qt::Key_F1 && key <= Qt::Key_F12) {
        const int number = key - Qt::Key_F1 + 1;
        if (number == lookupState().researchKey) command3Click();
        return true;
    }
    return false;
}

// ---- events
// ------------------------------------------------------------------------------------------

bool LKF10040::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::KeyPress: {
            auto* key = static_cast<QKeyEvent*>(event);
            if (formKeyDown(key->key())) return true;
            if (watched == Text1) {
                for (QChar c : key->text())
                    if (IsForbiddenSearchChar(c)) return true;  // typed character discarded
            }
            break;
        }
        case QEvent::FocusIn:
            if (watched == List1 || watched == Text1) restoreCallingControl();
            break;
        case QEvent::MouseMove: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (watched == List1->viewport()) {
                listMouseMove(mouse->position().toPoint());
            } else if (watched == Command3) {
                setCommand3Bold(true);
            } else if (watched == Picture3 && mouse->buttons() == Qt::LeftButton) {
                const QPoint p = mouse->position().toPoint();
                const int dy = tw(p.y()) - dragY_;
                const int dx = tw(p.x()) - dragX_;
                move(x() + TwipsToPixels(dx), y() + TwipsToPixels(dy));
            }
            break;
        }
        case QEvent::MouseButtonPress:
            if (watched == Picture3) {
                const QPoint p = static_cast<QMouseEvent*>(event)->position().toPoint();
                dragX_ = tw(p.x());
                dragY_ = tw(p.y());
            }
            break;
        case QEvent::MouseButtonRelease:
            if (watched == List1->viewport()) {
                // Let the list take the press and release first, then choose.
                listMouseUp();
                return true;
            }
            break;
        case QEvent::MouseButtonDblClick:
            if (watched == List1->viewport()) {
                listDblClick();
                return true;
            }
            break;
        default:
            break;
    }
    return QWidget::eventFilter(watched, event);
}

void LKF10040::changeEvent(QEvent* event) {
    // Looked at once the change has settled: hiding the window ourselves also takes the
    // activation away, and that is no loss of activation.
    if (event->type() == QEvent::ActivationChange && !isActiveWindow() && isVisible()) {
        QTimer::singleShot(0, this, [this] {
            // A message box of the look-up (the row limit, a refused search text) borrows the
            // activation for a moment; that does not end the look-up.
            if (isVisible() && !isActiveWindow() && !QApplication::activeModalWidget())
                formDeactivate();
        });
    }
    QWidget::changeEvent(event);
}

// ---- opening
// -----------------------------------------------------------------------------------------

void OpenCodeLookup(Form& form, int controlIndex, bool searchNow) {
    LKF10040& w = LKF10040::instance();
    LookupState& s = lookupState();
    Control control = form.control(controlIndex);
    s.callingForm = &form;
    s.callingControl = controlIndex;
    if (const ItemRecord* item = helperContext().item(tagItemNumber(control.tag()).value_or(-1)))
        s.currentCodeId = item->codeId;
    s.ending = false;
    s.pendingText = control.text();
    if (searchNow) w.Text1->setText(text::Trim(control.text()));
    w.show();
    w.raise();
    w.activateWindow();
    w.showSearchLayout();
    if (searchNow) w.search();
}

}  // namespace tav::dialogs

#include "menu_main_window.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QMouseEvent>
#include <QPushButton>
#include <QRegularExpression>
#include <QSaveFile>
#include <QScopedValueRollback>
#include <QTimer>

#include "common/text_fit.h"
#include "common/window_look.h"
#include "common/window_placement.h"
#include "end_of_business.h"
#include "launch_entry.h"
#include "menu_context.h"
#include "platform/desktop.h"
#include "platform/services.h"
#include "platform/text.h"
#include "platform/units.h"
#include "startup.h"

namespace tav::menu {

using common::DesignedFont;
using common::Face;
using common::Place;
using common::SetBackground;
using common::SetForeground;
using common::TwipsToPixels;
using text::Trim;

namespace {

// Runs one step of the window's filling on its own: a failure is told on standard error and
// the next step runs all the same.
template <class Step>
void runStep(const char* what, Step&& step) {
    try {
        step();
    } catch (const std::exception& e) {
        qWarning("TAV_menu1: %s failed: %s", what, e.what());
    }
}

// The window's client area and the panel, in twips.
constexpr int kClientWidth = 12060;
constexpr int kClientHeight = 7620;
constexpr int kPanelLeft = 135;
constexpr int kPanelTop = 2055;
constexpr int kPanelWidth = 11670;
constexpr int kPanelHeight = 3790;
// The function buttons: two columns in the panel, F11 and F12 on the window below the second.
constexpr int kButtonWidth = 3400;
constexpr int kButtonHeight = 550;
constexpr int kButtonPitch = 600;
constexpr int kButtonTop = 120;
constexpr int kFirstColumnLeft = 4500;
constexpr int kSecondColumnLeft = 8130;

}  // namespace

TAV_menu1_frm::TAV_menu1_frm(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TAV_menu1_frm"));
    setWindowTitle(QStringLiteral("マルヴネ業務システム"));
    setFixedSize(TwipsToPixels(kClientWidth), TwipsToPixels(kClientHeight));
    SetBackground(this, QColor(0xB0, 0xC4, 0xDE));

    // The frame behind the panel comes first, so that everything else lies in front of it.
    Command2 = Place<QPushButton>(
        this, {.name = "Command2",
               .twips = {kPanelLeft - 60, kPanelTop - 60, kPanelWidth + 120, kPanelHeight + 120},
               .focus = Qt::NoFocus});
    Picture1 = Place<QFrame>(this, {.name = "Picture1",
                                    .twips = {kPanelLeft, kPanelTop, kPanelWidth, kPanelHeight},
                                    .background = QColor(0xE0, 0xE0, 0xE0)});
    Picture1->setFrameShape(QFrame::Panel);
    Picture1->setFrameShadow(QFrame::Sunken);
    Picture1->setMouseTracking(true);

    // The title with its shadow: index 0 black and 30 twips higher, index 1 in front.
    for (int i = 0; i < 2; ++i) {
        lblTitle[i] = Place<QLabel>(this, {.name = QStringLiteral("lblTitle(%1)").arg(i),
                                           .text = QStringLiteral("マルヴネ 業務メニュー"),
                                           .twips = {240, i == 0 ? 120 : 150, 0, 0},
                                           .font = DesignedFont{Face::PGothic, 20.25, true, true},
                                           .foreground = i == 0 ? Qt::black : Qt::white});
    }
    lblTitle[1]->raise();

    JISYA0 = Place<QLabel>(this, {.name = "JISYA(0)",
                                  .text = QStringLiteral("自社名"),
                                  .twips = {240, 840, 7200, 300},
                                  .font = DesignedFont{Face::Mincho, 12, true, true}});
    JISYA0->setProperty("Tag", QStringLiteral("MENUHED"));
    Label3 = Place<QLabel>(this, {.name = "Label3", .twips = {8400, 120, 3420, 255}});
    Label3->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Combo1 = Place<QComboBox>(this, {.name = "Combo1",
                                     .twips = {240, 1380, 4800, 360},
                                     .font = DesignedFont{Face::PGothic, 12, true}});
    cmdPageBack = Place<QPushButton>(this, {.name = "cmdPageBack",
                                            .text = QStringLiteral("▲"),
                                            .twips = {5160, 1380, 495, 240},
                                            .font = DesignedFont{Face::PGothic, 8.25},
                                            .focus = Qt::ClickFocus});
    cmdPageNext = Place<QPushButton>(this, {.name = "cmdPageNext",
                                            .text = QStringLiteral("▼"),
                                            .twips = {5160, 1620, 495, 240},
                                            .font = DesignedFont{Face::PGothic, 8.25},
                                            .focus = Qt::ClickFocus});
    lblPage = Place<QLabel>(this, {.name = "lblPage",
                                   .text = QStringLiteral("/"),
                                   .twips = {5760, 1500, 0, 0},
                                   .font = DesignedFont{Face::PGothic, 9.75, true}});

    List1 = Place<QListWidget>(Picture1,
                               {.name = "List1",
                                .twips = {120, 120, kFirstColumnLeft - 300, kPanelHeight - 240},
                                .font = DesignedFont{Face::PGothic, 15.75, false, true},
                                .background = QColor(0xC0, 0xFF, 0xC0)});
    List1->setMouseTracking(true);
    List1->viewport()->setMouseTracking(true);

    // The function buttons: F1 to F10 in two columns on the panel, F11 and F12 on the window
    // below the second column.
    for (int i = 0; i < 12; ++i) {
        const bool inPanel = i < 10;
        const int column = i < 6 ? kFirstColumnLeft : kSecondColumnLeft;
        const int top = kButtonTop + (i % 6) * kButtonPitch;
        Command1[i] = Place<common::CaptionButton>(
            inPanel ? static_cast<QWidget*>(Picture1) : this,
            {.name = QStringLiteral("Command1(%1)").arg(i),
             .twips = {column + (inPanel ? 0 : kPanelLeft), top + (inPanel ? 0 : kPanelTop),
                       kButtonWidth, kButtonHeight},
             .font = DesignedFont{Face::PGothic, 12},
             .focus = Qt::ClickFocus});
        Command1[i]->setMouseTracking(true);
        Command1[i]->hide();
        connect(Command1[i], &QPushButton::clicked, this, [this, i] { Command1_Click(i); });
    }

    cmdEnd = Place<QPushButton>(this, {.name = "cmdEnd",
                                       .text = QStringLiteral("終了(Esc)"),
                                       .twips = {9960, 6900, 1800, 495},
                                       .font = DesignedFont{Face::PGothic, 9.75},
                                       .focus = Qt::ClickFocus});

    // The focused button is the default button: Enter presses it, and it shows the focus mark.
    for (QPushButton* b : findChildren<QPushButton*>()) b->setAutoDefault(true);

    lblBiko = Place<QLabel>(this, {.name = "lblBiko",
                                   .text = QStringLiteral("メッセージ"),
                                   .twips = {240, 7140, 0, 0},
                                   .font = DesignedFont{Face::PGothic, 12},
                                   .foreground = Qt::blue});
    imgSelIco = Place<QLabel>(this, {.name = "imgSelIco"});
    imgSelIco->hide();

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(0);  // off until start-up arms it

    // A new selection runs the page change; so does a choice in the drop-down of the page
    // already shown (it refills the list). A choice that changed the selection has run it.
    connect(Combo1, &QComboBox::currentIndexChanged, this, [this] {
        if (fillingPages_) return;
        pageChangedBySelection_ = true;
        QTimer::singleShot(0, this, [this] { pageChangedBySelection_ = false; });
        pageChange();
    });
    connect(Combo1, &QComboBox::activated, this, [this] {
        if (!pageChangedBySelection_) pageChange();
        pageChangedBySelection_ = false;
    });
    connect(cmdPageNext, &QPushButton::clicked, this, [this] { cmdPageNext_Click(); });
    connect(cmdPageBack, &QPushButton::clicked, this, [this] { cmdPageBack_Click(); });
    connect(List1, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0) fillButtons(List1->item(row)->data(Qt::UserRole).toInt());
    });
    connect(List1, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { fillButtons(item->data(Qt::UserRole).toInt()); });
    connect(cmdEnd, &QPushButton::clicked, this, [this] { cmdEnd_Click(); });
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1_Timer(); });

    // The keys are the window's, whichever control has the focus; the mouse over the panel,
    // the list and the buttons drives the hint line.
    for (QWidget* w : findChildren<QWidget*>()) w->installEventFilter(this);
    List1->viewport()->installEventFilter(this);
    common::ShowLabelsAsText(this);
    List1->setFocus();
}

void TAV_menu1_frm::Form_Load() {
    RunStartSequence(*this);
}

// ---- filling -----------------------------------------------------------------------------------

void TAV_menu1_frm::fillPageList() {
    const MenuContext& ctx = menuContext();
    const MenuTable& table = menuTable();
    // Each step on its own: a failure of one does not keep the next from running.
    runStep("clearing the pages", [&] {
        const QScopedValueRollback<bool> filling(fillingPages_, true);
        Combo1->clear();
    });
    runStep("filling the pages", [&] {
        const QScopedValueRollback<bool> filling(fillingPages_, true);
        for (int i = 0; i <= table.LastEntryIndex; ++i) {
            const MenuEntry& e = table.MenuEntries[i];
            if (e.Kind == EntryKind::Page && VisibleForProfile(e, ctx.ProfileNumber))
                Combo1->addItem(Trim(e.Caption), i);
        }
    });
    runStep("choosing the start page", [&] {
        if (Combo1->count() > 0) {
            selectPage(0);
            selectPage(ctx.StartPage - 1);
        } else {
            // No page at all: nothing of an earlier filling may stay startable.
            List1->clear();
            clearButtons();
        }
    });
    runStep("choosing the start item", [&] {
        if (List1->count() > 0) {
            selectListItem(0);
            selectListItem(ctx.StartItem - 1);
        }
    });
}

void TAV_menu1_frm::selectPage(int index) {
    if (index < 0 || index >= Combo1->count()) return;
    if (Combo1->currentIndex() == index) {
        pageChange();
    } else {
        Combo1->setCurrentIndex(index);  // runs the page change
    }
}

void TAV_menu1_frm::selectListItem(int row) {
    if (row < 0 || row >= List1->count()) return;
    if (List1->currentRow() == row) {
        fillButtons(List1->item(row)->data(Qt::UserRole).toInt());
    } else {
        List1->setCurrentRow(row);  // runs the button filling
    }
}

void TAV_menu1_frm::pageChange() {
    const int index = Combo1->currentIndex();
    if (index < 0) return;
    const int p = index + 1;
    const int n = Combo1->count();
    fillList(Combo1->itemData(index).toInt());
    lblPage->setText(QStringLiteral("（%1／%2）ページ").arg(p).arg(n));
    lblPage->adjustSize();
    cmdPageBack->setEnabled(p != 1);
    cmdPageNext->setEnabled(p != n);
    List1->setFocus();
}

void TAV_menu1_frm::fillList(int s) {
    const MenuContext& ctx = menuContext();
    const MenuTable& table = menuTable();
    List1->clear();
    for (int i = s; i >= 0 && i <= table.LastEntryIndex; ++i) {
        const MenuEntry& e = table.MenuEntries[i];
        if (e.Kind == EntryKind::ListItem && VisibleForProfile(e, ctx.ProfileNumber)) {
            auto* item = new QListWidgetItem(e.Caption);
            item->setData(Qt::UserRole, i);
            List1->addItem(item);
        }
        if (i == table.LastEntryIndex) break;
        if (e.ListGroup != table.MenuEntries[i + 1].ListGroup) break;
    }
    if (List1->count() > 0) {
        selectListItem(0);
    } else {
        // A page without visible items: the buttons of the page before must not stay.
        clearButtons();
    }
    writeStateFile();
}

void TAV_menu1_frm::clearButtons() {
    for (QPushButton* b : Command1) {
        b->setText(QString());
        b->setProperty("Tag", QString());
        b->setFocusPolicy(Qt::ClickFocus);
        b->hide();
    }
}

void TAV_menu1_frm::fillButtons(int s) {
    const MenuContext& ctx = menuContext();
    const MenuTable& table = menuTable();
    for (QPushButton* b : Command1) {
        b->setText(QString());
        b->setProperty("Tag", QString());
        b->setFocusPolicy(Qt::ClickFocus);
    }
    for (int i = s; i >= 0 && i <= table.LastEntryIndex; ++i) {
        const MenuEntry& e = table.MenuEntries[i];
        const int b = FunctionButtonSlot(e);
        if (e.Kind == EntryKind::Button && b >= 0 && VisibleForProfile(e, ctx.ProfileNumber)) {
            Command1[b]->setText(Trim(e.Caption) + QStringLiteral(" (F") +
                                 QString::number(e.ButtonNumber) + u')');
            Command1[b]->setProperty("Tag", text::ZeroPad(i, 3));
            Command1[b]->setFocusPolicy(Qt::StrongFocus);
        }
        if (i == table.LastEntryIndex) break;
        if (e.ButtonGroup != table.MenuEntries[i + 1].ButtonGroup) break;
    }
    for (QPushButton* b : Command1) b->setVisible(!b->text().isEmpty());
    writeStateFile();
}

QString TAV_menu1_frm::buttonTag(int index) const {
    return Command1.at(index)->property("Tag").toString();
}

QString TAV_menu1_frm::stateText() const {
    QStringList lines;
    auto line = [&](const QString& name, const QString& value) {
        QString flat = value;
        flat.replace(u'\n', QStringLiteral("\\n")).remove(u'\r');
        lines << name + u'=' + flat;
    };
    line(QStringLiteral("caption"), windowTitle());
    line(QStringLiteral("enabled"), isEnabled() ? QStringLiteral("1") : QStringLiteral("0"));
    const QCursor* pointer = QGuiApplication::overrideCursor();
    line(QStringLiteral("hourglass"),
         pointer && pointer->shape() == Qt::WaitCursor ? QStringLiteral("1") : QStringLiteral("0"));
    for (QLabel* l : {lblTitle[0], lblTitle[1], JISYA0, Label3, lblPage, lblBiko})
        line(l->objectName(), l->text());
    line(QStringLiteral("Combo1"), Combo1->currentText());
    QStringList items;
    for (int i = 0; i < List1->count(); ++i) items << List1->item(i)->text();
    line(QStringLiteral("List1.items"), items.join(u'|'));
    line(QStringLiteral("List1.row"), QString::number(List1->currentRow()));
    for (QPushButton* b : Command1) line(b->objectName(), b->isHidden() ? QString() : b->text());
    for (QWidget* top : QApplication::topLevelWidgets()) {
        auto* login = qobject_cast<LoginWindow*>(top);
        if (!login || !login->isVisible()) continue;
        line(QStringLiteral("TAV_LOGIN"), QStringLiteral("shown"));
        line(QStringLiteral("TAV_LOGIN.Lbl_msg"), login->Lbl_msg->text());
    }
    return lines.join(u'\n') + u'\n';
}

void TAV_menu1_frm::writeStateFile() const {
    static const QString path = platform::EnvironmentSetting("TAV_MENU_STATE_FILE");
    if (path.isEmpty()) return;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return;
    file.write(stateText().toUtf8());
    file.commit();
}

// ---- events ------------------------------------------------------------------------------------

void TAV_menu1_frm::cmdPageNext_Click() {
    selectPage(Combo1->currentIndex() + 1);
}

void TAV_menu1_frm::cmdPageBack_Click() {
    selectPage(Combo1->currentIndex() - 1);
}

void TAV_menu1_frm::List1_EnterPressed() {
    for (QPushButton* b : Command1) {
        if (b->isHidden() || !b->isEnabled()) continue;
        // A focus moved by a key shows its focus mark, as one moved by Tab does.
        setAttribute(Qt::WA_KeyboardFocusChange);
        b->setFocus(Qt::TabFocusReason);
        return;
    }
}

void TAV_menu1_frm::Command1_Click(int index) {
    const QString tag = buttonTag(index);
    if (tag.isEmpty()) return;
    LaunchMenuEntry(*this, tag.toInt());
}

void TAV_menu1_frm::cmdEnd_Click() {
    ConfirmEndOfBusiness(*this);
}

void TAV_menu1_frm::Timer1_Timer() {
    M0500_LOGIN_START(*this);
    Label3->setText(ClockText(platform::now()));
    writeStateFile();
}

QString TAV_menu1_frm::ClockText(const QDateTime& moment) {
    const QLocale locale = QLocale::system();
    // The long time form without the time zone, which the clock has no room for.
    QString timeFormat = locale.timeFormat(QLocale::LongFormat);
    timeFormat.remove(QRegularExpression(QStringLiteral("\\s*\\(?t+\\)?\\s*$")));
    timeFormat.remove(QRegularExpression(QStringLiteral("^\\s*\\(?t+\\)?\\s*")));
    return locale.toString(moment.date(), QLocale::ShortFormat) + QStringLiteral("  ") +
           locale.toString(moment.time(), timeFormat.trimmed());
}

bool TAV_menu1_frm::handleKey(QKeyEvent* event) {
    const int key = event->key();
    if (key >= Qt::Key_F1 && key <= Qt::Key_F12) {
        const int index = key - Qt::Key_F1;
        if (!Command1[index]->isHidden()) Command1_Click(index);
        return true;
    }
    if (key == Qt::Key_Backspace) {
        showMinimized();
        return true;
    }
    if (key == Qt::Key_Escape) {
        ConfirmEndOfBusiness(*this);
        return true;
    }
    return false;
}

void TAV_menu1_frm::setHint(const QString& text) {
    if (lblBiko->text() == text) return;
    lblBiko->setText(text);
    lblBiko->adjustSize();
    writeStateFile();
}

bool TAV_menu1_frm::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::KeyPress: {
            auto* key = static_cast<QKeyEvent*>(event);
            if (handleKey(key)) return true;
            if (watched == List1 && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
                List1_EnterPressed();
                return true;
            }
            break;
        }
        case QEvent::Enter:
        case QEvent::MouseMove: {
            for (int i = 0; i < 12; ++i) {
                if (watched != Command1[i]) continue;
                const QString tag = buttonTag(i);
                setHint(tag.isEmpty() ? QString() : menuEntry(tag.toInt()).Description);
                return false;
            }
            if (watched == Picture1 && event->type() == QEvent::MouseMove) {
                // A button passes on the moves it does not use: those are not over the panel.
                const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
                QWidget* under = Picture1->childAt(at);
                if (under && under != List1 && !List1->isAncestorOf(under)) break;
            }
            if (watched == List1 || watched == List1->viewport() || watched == Picture1) {
                setHint(QString());
                List1->setFocus();
            }
            break;
        }
        default:
            break;
    }
    return QWidget::eventFilter(watched, event);
}

void TAV_menu1_frm::keyPressEvent(QKeyEvent* event) {
    if (!handleKey(event)) QWidget::keyPressEvent(event);
}

void TAV_menu1_frm::mousePressEvent(QMouseEvent* event) {
    // A click on the window's own background hides the window and shows it again; a click that
    // a control passed on (the panel, a label, the frame behind the panel) does nothing.
    if (!childAt(event->position().toPoint())) {
        hide();
        show();
    }
    QWidget::mousePressEvent(event);
}

// ---- MenuWindow --------------------------------------------------------------------------------

void TAV_menu1_frm::setOwnerEnabled(bool enabled) {
    setEnabled(enabled);
}

void TAV_menu1_frm::setHourglass(bool on) {
    if (on && !hourglass_) QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    if (!on && hourglass_) QGuiApplication::restoreOverrideCursor();
    hourglass_ = on;
}

void TAV_menu1_frm::bringToFront() {
    common::BringToFront(*this);
}

void TAV_menu1_frm::setButtonPointers() {
    for (QPushButton* b : Command1) b->setCursor(Qt::PointingHandCursor);
    cmdEnd->setCursor(Qt::PointingHandCursor);
}

QString TAV_menu1_frm::designTitleColour() {
    return QString::number(ValueFromColour(lblTitle[1]->palette().color(QPalette::WindowText)));
}

void TAV_menu1_frm::armTimer(int intervalMs) {
    if (intervalMs <= 0) {
        Timer1->stop();
        Timer1->setInterval(0);
        return;
    }
    Timer1->start(intervalMs);
}

void TAV_menu1_frm::placeWindow(const common::FramePlacement& rule) {
    common::PlaceByFrame(*this, rule);
}

void TAV_menu1_frm::setWindowCaption(const QString& caption) {
    setWindowTitle(caption);
}

void TAV_menu1_frm::setTitleLabels(const QString& text, const QString& colour) {
    for (QLabel* l : lblTitle) {
        l->setText(text);
        l->adjustSize();
    }
    bool ok = false;
    const qint64 value = colour.trimmed().toLongLong(&ok);
    if (ok) SetForeground(lblTitle[1], ColourFromValue(value));
}

void TAV_menu1_frm::clearHint() {
    setHint(QString());
}

void TAV_menu1_frm::setCompanyCaption(const QString& caption) {
    JISYA0->setText(caption);
}

void TAV_menu1_frm::focusList() {
    List1->setFocus();
}

void TAV_menu1_frm::activateByCaption() {
    activateWindow();
}

void TAV_menu1_frm::setTimerInterval(int intervalMs) {
    Timer1->setInterval(intervalMs);
}

}  // namespace tav::menu

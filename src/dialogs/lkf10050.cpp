#include "lkf10050.h"

#include <QCloseEvent>
#include <QEvent>
#include <QPointer>

#include "common/system_log.h"
#include "common/text_fit.h"
#include "common/window_look.h"
#include "formhelper/debugger_modes.h"
#include "formhelper/form.h"
#include "formhelper/helper_context.h"
#include "formhelper/printed_lists.h"
#include "platform/run_window.h"
#include "platform/units.h"

namespace tav::dialogs {

namespace fh = tav::formhelper;
using common::Place;

namespace {

// The debugger window, made once per run.
QPointer<LKF10050>& instance() {
    return tav::platform::runWindow<LKF10050>();
}

const QString kControlListCaption = QStringLiteral("ｺﾝﾄﾛｰﾙ印刷");
const QString kUnmatchedCaption = QStringLiteral("ｱﾝﾏｯﾁﾘｽﾄ");

}  // namespace

LKF10050::LKF10050(QWidget* owner) : QWidget(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName(QStringLiteral("LKF10050"));
    setProperty(fh::kWorksOnActiveFormProperty, true);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("FORMﾍﾙﾊﾟｰ ﾃﾞﾊﾞｯｶﾞｰ"));
    setFixedSize(tav::platform::TwipsToPixels(6675), tav::platform::TwipsToPixels(3225));
    // The system window colour behind the window and its labels.
    QPalette pal = palette();
    pal.setColor(QPalette::Window, pal.color(QPalette::Base));
    pal.setColor(QPalette::WindowText, pal.color(QPalette::Text));
    setPalette(pal);
    setAutoFillBackground(true);

    Label1 = Place<QLabel>(
        this,
        {.name = "Label1", .text = QStringLiteral("S_FORM_ID"), .twips = {105, 105, 1455, 255}});
    L_S_FORM_ID = Place<QLabel>(this, {.name = "L_S_FORM_ID", .twips = {1665, 105, 1455, 255}});
    Label3 = Place<QLabel>(
        this,
        {.name = "Label3", .text = QStringLiteral("F_GROUP"), .twips = {105, 585, 1455, 255}});
    L_F_GROUP = Place<QLabel>(this, {.name = "L_F_GROUP", .twips = {1665, 585, 1455, 255}});
    Label5 = Place<QLabel>(this, {.name = "Label5",
                                  .text = QStringLiteral("F_ACTIVE_CTL"),
                                  .twips = {105, 1065, 1455, 255}});
    L_F_ACTIVE_CTL =
        Place<QLabel>(this, {.name = "L_F_ACTIVE_CTL", .twips = {1665, 1065, 1455, 255}});
    L_ACT_TAG = Place<QLabel>(this, {.name = "L_ACT_TAG", .twips = {105, 1395, 3030, 375}});

    // The buttons: two columns of 1400 by 500 twips.
    auto button = [this](const char* name, const QString& caption, int left, int top) {
        auto* b = Place<QPushButton>(
            this, {.name = name, .text = caption, .twips = {left, top, 1400, 500}});
        b->setAutoDefault(false);
        return b;
    };
    Command1 = button("Command1", QStringLiteral("TAG表示"), 3450, 120);
    Command3 = button("Command3", kControlListCaption, 3450, 690);
    Command4 = button("Command4", kUnmatchedCaption, 3450, 1260);
    Command2 = button("Command2", QStringLiteral("リセット"), 3450, 2550);
    Command6 = button("Command6", QStringLiteral("属性表示"), 5040, 120);
    Command5 = button("Command5", QStringLiteral("ｸﾞﾙｰﾌﾟ表示"), 5040, 690);
    Command7 = button("Command7", QStringLiteral("ｺｰﾄﾞﾁｪｯｸ"), 5040, 1260);
    Command8 = button("Command8", QStringLiteral("ﾀｲﾌﾟﾁｪｯｸ"), 5040, 1830);
    Command8->setProperty("index", 1);
    Command9 = button("Command9", QStringLiteral("閉じる"), 5040, 2550);
    // Tab order 7 to 15.
    QWidget* order[] = {Command1, Command3, Command4, Command6, Command5,
                        Command7, Command2, Command8, Command9};
    for (size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);

    connect(Command1, &QPushButton::clicked, this, [] { fh::ShowTags(); });
    connect(Command2, &QPushButton::clicked, this, [] { fh::RestoreControlStates(); });
    connect(Command3, &QPushButton::clicked, this,
            [this] { printWith(Command3, &fh::ControlListReport); });
    connect(Command4, &QPushButton::clicked, this,
            [this] { printWith(Command4, &fh::UnmatchedListReport); });
    connect(Command5, &QPushButton::clicked, this, [] { fh::ShowGroups(); });
    connect(Command6, &QPushButton::clicked, this, [] { fh::AttributeSampleFill(); });
    connect(Command7, &QPushButton::clicked, this, [] { fh::ShowCodeIds(); });
    connect(Command8, &QPushButton::clicked, this,
            [this] { command8Click(Command8->property("index").toInt()); });
    connect(Command9, &QPushButton::clicked, this, [this] { close(); });
    common::ShowLabelsAsText(this);

    fh::SaveControlStates();
}

LKF10050::~LKF10050() {
    unload();
}

LKF10050* LKF10050::showDebugger(QWidget* owner) {
    QPointer<LKF10050>& w = instance();
    if (!w) w = new LKF10050(owner);
    w->show();
    w->raise();
    w->activateWindow();
    return w;
}

LKF10050* LKF10050::loaded() {
    return instance();
}

void LKF10050::refreshStatus() {
    const fh::HelperContext& ctx = fh::helperContext();
    L_S_FORM_ID->setText(common::commonArea().formId);
    L_F_GROUP->setText(QString::number(ctx.currentGroup));
    L_F_ACTIVE_CTL->setText(QString::number(ctx.focusControlIndex));
}

void LKF10050::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) refreshStatus();
}

void LKF10050::closeEvent(QCloseEvent* event) {
    unload();
    QWidget::closeEvent(event);
}

void LKF10050::unload() {
    if (unloaded_) return;
    unloaded_ = true;
    fh::RestoreControlStates();
}

void LKF10050::printWith(QPushButton* button, void (*report)()) {
    const QString caption = button->text();
    button->setText(QStringLiteral("印刷中"));
    button->repaint();
    report();
    button->setText(caption);
}

void LKF10050::command8Click(int /*index*/) {
    fh::ShowTypeCodes();
}

}  // namespace tav::dialogs

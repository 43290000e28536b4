#include "form.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "helper_context.h"

namespace tav::formhelper {

ControlKind kindOf(const QWidget* w) {
    if (!w) return ControlKind::Other;
    if (qobject_cast<const QLineEdit*>(w)) return ControlKind::TextBox;
    if (qobject_cast<const QComboBox*>(w)) return ControlKind::ComboBox;
    if (qobject_cast<const QLabel*>(w)) return ControlKind::Label;
    if (qobject_cast<const QPushButton*>(w)) return ControlKind::CommandButton;
    if (qobject_cast<const QRadioButton*>(w)) return ControlKind::OptionButton;
    if (qobject_cast<const QCheckBox*>(w)) return ControlKind::CheckBox;
    return ControlKind::Other;
}

QString kindCode(ControlKind k) {
    switch (k) {
        case ControlKind::TextBox:
            return QStringLiteral("TXT");
        case ControlKind::ComboBox:
            return QStringLiteral("CMB");
        case ControlKind::Label:
            return QStringLiteral("LBL");
        case ControlKind::CommandButton:
            return QStringLiteral("BTN");
        case ControlKind::OptionButton:
            return QStringLiteral("OPT");
        case ControlKind::CheckBox:
            return QStringLiteral("CHK");
        case ControlKind::Other:
            break;
    }
    return {};
}

QString kindName(ControlKind k) {
    switch (k) {
        case ControlKind::TextBox:
            return QStringLiteral("ﾃｷｽﾄﾎﾞｯｸｽ");
        case ControlKind::ComboBox:
            return QStringLiteral("ｺﾝﾎﾞﾎﾞｯｸｽ");
        case ControlKind::Label:
            return QStringLiteral("ﾗﾍﾞﾙ");
        case ControlKind::CommandButton:
            return QStringLiteral("ｺﾏﾝﾄﾞﾎﾞﾀﾝ");
        case ControlKind::OptionButton:
            return QStringLiteral("ｵﾌﾟｼｮﾝﾎﾞﾀﾝ");
        case ControlKind::CheckBox:
            return QStringLiteral("ﾁｪｯｸﾎﾞｯｸｽ");
        case ControlKind::Other:
            break;
    }
    return {};
}

namespace {

const char* const kTagProperty = "tavTag";
const char* const kTabIndexProperty = "tavTabIndex";

// The palette roles that paint a kind's background and text.
QPalette::ColorRole backRole(ControlKind k) {
    switch (k) {
        case ControlKind::TextBox:
        case ControlKind::ComboBox:
            return QPalette::Base;
        case ControlKind::CommandButton:
            return QPalette::Button;
        default:
            return QPalette::Window;
    }
}

QPalette::ColorRole foreRole(ControlKind k) {
    switch (k) {
        case ControlKind::TextBox:
        case ControlKind::ComboBox:
            return QPalette::Text;
        case ControlKind::CommandButton:
            return QPalette::ButtonText;
        default:
            return QPalette::WindowText;
    }
}

QLineEdit* editOf(QWidget* w) {
    if (auto* e = qobject_cast<QLineEdit*>(w)) return e;
    if (auto* c = qobject_cast<QComboBox*>(w)) return c->lineEdit();
    return nullptr;
}

}  // namespace

QString Control::name() const {
    return widget_ ? widget_->objectName() : QString();
}

QString Control::tag() const {
    return widget_ ? widget_->property(kTagProperty).toString() : QString();
}

void Control::setTag(const QString& tag) {
    if (widget_) widget_->setProperty(kTagProperty, tag);
}

QString Control::text() const {
    QWidget* w = widget_;
    if (!w) return {};
    switch (kind()) {
        case ControlKind::TextBox:
            return static_cast<QLineEdit*>(w)->text();
        case ControlKind::ComboBox:
            return static_cast<QComboBox*>(w)->currentText();
        case ControlKind::Label:
            return static_cast<QLabel*>(w)->text();
        case ControlKind::CommandButton:
        case ControlKind::OptionButton:
        case ControlKind::CheckBox:
            return static_cast<QAbstractButton*>(w)->text();
        case ControlKind::Other:
            break;
    }
    return {};
}

void Control::setText(const QString& text) {
    QWidget* w = widget_;
    if (!w) return;
    switch (kind()) {
        case ControlKind::TextBox:
            static_cast<QLineEdit*>(w)->setText(text);
            break;
        case ControlKind::ComboBox: {
            auto* c = static_cast<QComboBox*>(w);
            if (c->isEditable())
                c->setEditText(text);
            else
                c->setCurrentIndex(c->findText(text));
            break;
        }
        case ControlKind::Label:
            // A stored value is shown as it is, never read as markup.
            static_cast<QLabel*>(w)->setTextFormat(Qt::PlainText);
            static_cast<QLabel*>(w)->setText(text);
            break;
        case ControlKind::CommandButton:
        case ControlKind::OptionButton:
        case ControlKind::CheckBox:
            static_cast<QAbstractButton*>(w)->setText(text);
            break;
        case ControlKind::Other:
            break;
    }
}

Colour Control::backColor() const {
    return widget_ ? toColour(widget_->palette().color(backRole(kind()))) : 0;
}

void Control::setBackColor(Colour c) {
    if (!widget_) return;
    QPalette p = widget_->palette();
    p.setColor(backRole(kind()), fromColour(c));
    widget_->setPalette(p);
    if (backRole(kind()) == QPalette::Window) widget_->setAutoFillBackground(true);
}

Colour Control::foreColor() const {
    return widget_ ? toColour(widget_->palette().color(foreRole(kind()))) : 0;
}

void Control::setForeColor(Colour c) {
    if (!widget_) return;
    QPalette p = widget_->palette();
    p.setColor(foreRole(kind()), fromColour(c));
    widget_->setPalette(p);
}

bool Control::visible() const {
    return widget_ && !widget_->isHidden();
}
void Control::setVisible(bool v) {
    if (widget_) widget_->setVisible(v);
}
bool Control::enabled() const {
    return widget_ && widget_->isEnabled();
}
void Control::setEnabled(bool e) {
    if (widget_) widget_->setEnabled(e);
}

int Control::tabIndex() const {
    if (!widget_) return index_;
    const QVariant v = widget_->property(kTabIndexProperty);
    return v.isValid() ? v.toInt() : index_;
}

void Control::setTabIndex(int i) {
    if (widget_) widget_->setProperty(kTabIndexProperty, i);
}

int Control::top() const {
    return widget_ ? platform::PixelsToTwips(widget_->y()) : 0;
}
int Control::left() const {
    return widget_ ? platform::PixelsToTwips(widget_->x()) : 0;
}
int Control::width() const {
    return widget_ ? platform::PixelsToTwips(widget_->width()) : 0;
}
int Control::height() const {
    return widget_ ? platform::PixelsToTwips(widget_->height()) : 0;
}

void Control::setGeometryTwips(int left, int top, int width, int height) {
    if (widget_)
        widget_->setGeometry(platform::TwipsRect(left, top, width, height));
}

QWidget* Control::container() const {
    return widget_ ? widget_->parentWidget() : nullptr;
}

int Control::selStart() const {
    QLineEdit* e = editOf(widget_);
    if (!e) return 0;
    return e->hasSelectedText() ? e->selectionStart() : e->cursorPosition();
}

void Control::setSelStart(int pos) {
    if (QLineEdit* e = editOf(widget_)) {
        e->deselect();
        e->setCursorPosition(pos);
    }
}

int Control::value() const {
    if (auto* r = qobject_cast<QRadioButton*>(widget_)) return r->isChecked() ? 1 : 0;
    if (auto* c = qobject_cast<QCheckBox*>(widget_)) {
        switch (c->checkState()) {
            case Qt::Checked:
                return 1;
            case Qt::PartiallyChecked:
                return 2;
            default:
                return 0;
        }
    }
    return 0;
}

void Control::setValue(int v) {
    if (auto* r = qobject_cast<QRadioButton*>(widget_)) {
        r->setChecked(v != 0);
    } else if (auto* c = qobject_cast<QCheckBox*>(widget_)) {
        if (v == 2) c->setTristate(true);
        c->setCheckState(v == 1 ? Qt::Checked : v == 2 ? Qt::PartiallyChecked : Qt::Unchecked);
    }
}

bool Control::hasFocus() const {
    if (!widget_) return false;
    QWidget* f = QApplication::focusWidget();
    return f && (f == widget_ || widget_->isAncestorOf(f));
}

void Control::setFocus() {
    if (widget_) widget_->setFocus(Qt::OtherFocusReason);
}

// ---------------------------------------------------------------------------------------------

namespace {

std::vector<Form*>& allForms() {
    static std::vector<Form*> forms;
    return forms;
}

// Whether a widget lies in some form's window.
bool inAnyForm(const QWidget* widget) {
    for (const Form* f : allForms()) {
        const QWidget* w = f->window();
        if (w && (w == widget || w->isAncestorOf(widget))) return true;
    }
    return false;
}

}  // namespace

Form::Form(QWidget* window, QObject* parent) : QObject(parent), window_(window) {
    allForms().push_back(this);
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* now) { focusChanged(now); });
}

Form::~Form() {
    std::erase(allForms(), this);
    HelperContext& ctx = helperContext();
    if (ctx.activeForm == this) ctx.activeForm = nullptr;
}

QString Form::tag() const {
    return window_ ? window_->property(kTagProperty).toString() : QString();
}

void Form::setTag(const QString& tag) {
    if (window_) window_->setProperty(kTagProperty, tag);
}

QString Form::caption() const {
    return window_ ? window_->windowTitle() : QString();
}

Colour Form::backColor() const {
    return window_ ? toColour(window_->palette().color(QPalette::Window)) : 0;
}

int Form::top() const {
    return window_ ? platform::PixelsToTwips(window_->pos().y()) : 0;
}
int Form::left() const {
    return window_ ? platform::PixelsToTwips(window_->pos().x()) : 0;
}

int Form::addControl(QWidget* widget) {
    controls_.emplace_back(widget);
    return controlCount() - 1;
}

void Form::addAllControls() {
    if (!window_) return;
    std::function<void(QWidget*)> walk = [&](QWidget* parent) {
        for (QObject* o : parent->children()) {
            auto* w = qobject_cast<QWidget*>(o);
            if (!w || w->isWindow() || w->objectName().startsWith(QStringLiteral("qt_"))) continue;
            if (indexOf(w) < 0) addControl(w);
            // The parts of a control are not controls of their own; containers are walked.
            if (kindOf(w) == ControlKind::Other) walk(w);
        }
    };
    walk(window_);
}

Control Form::control(int index) {
    if (index < 0 || index >= controlCount()) return Control(nullptr, this, index);
    return Control(controls_[static_cast<size_t>(index)], this, index);
}

int Form::indexOf(const QWidget* widget) const {
    for (size_t i = 0; i < controls_.size(); ++i)
        if (controls_[i] == widget) return static_cast<int>(i);
    return -1;
}

void Form::applyTabOrder() {
    std::vector<std::pair<int, QWidget*>> order;
    for (int i = 0; i < controlCount(); ++i) {
        Control c = control(i);
        if (!c.isNull() && c.widget()->focusPolicy() != Qt::NoFocus)
            order.emplace_back(c.tabIndex(), c.widget());
    }
    std::stable_sort(order.begin(), order.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1].second, order[i].second);
}

int Form::itemControl(int itemNumber) const {
    auto it = itemMap_.find(itemNumber);
    return it == itemMap_.end() ? -1 : it->second;
}

int Form::blockControl(int column, int row) const {
    auto it = blockMap_.find({column, row});
    return it == blockMap_.end() ? -1 : it->second;
}

void Form::setItemControl(int itemNumber, int controlIndex) {
    itemMap_[itemNumber] = controlIndex;
}

void Form::setBlockControl(int column, int row, int controlIndex) {
    blockMap_[{column, row}] = controlIndex;
}

void Form::clearControlMaps() {
    itemMap_.clear();
    blockMap_.clear();
}

void Form::focusChanged(QWidget* now) {
    if (!now || !window_) return;
    HelperContext& ctx = helperContext();
    if (ctx.activeForm == this) {
        // The focus went into a window that is not a screen (a message box, the code
        // reference window): no form is active while it has it.
        if (!inAnyForm(now) && !now->window()->property(kWorksOnActiveFormProperty).toBool()) {
            ctx.activeForm = nullptr;
            return;
        }
    }
    for (int i = 0; i < controlCount(); ++i) {
        QWidget* w = controls_[static_cast<size_t>(i)];
        if (w && (w == now || w->isAncestorOf(now)) && kindOf(w) != ControlKind::Other) {
            ctx.activeForm = this;
            ctx.focusControlIndex = i;
            return;
        }
    }
}

}  // namespace tav::formhelper

#pragma once
// Forms and controls as the screen routines see them. A Form wraps a window and keeps its
// Controls collection in a fixed order; a Control is a light handle on one widget of it that
// offers the properties the routines use, whatever Qt widget lies beneath.
//
// Kinds: text box = QLineEdit, combo box = editable QComboBox, label = QLabel, command button =
// QPushButton, option button = QRadioButton, check box = QCheckBox; any other widget is of kind
// Other. Colours are 24-bit values with red in the low byte; positions are in twips (15 twips are
// one logical pixel).
#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <map>
#include <utility>
#include <vector>

#include "platform/units.h"

namespace tav::formhelper {

using Colour = quint32;  // 0x00BBGGRR


enum class ControlKind { TextBox, ComboBox, Label, CommandButton, OptionButton, CheckBox, Other };

ControlKind kindOf(const QWidget* widget);
// "TXT", "CMB", "LBL", "BTN", "OPT", "CHK"; empty for Other.
QString kindCode(ControlKind kind);
// "ﾃｷｽﾄﾎﾞｯｸｽ" ... as printed lists name the kinds; empty for Other.
QString kindName(ControlKind kind);

inline Colour toColour(const QColor& c) {
    return static_cast<Colour>(platform::ValueFromColour(c));
}
inline QColor fromColour(Colour c) {
    return platform::ColourFromValue(c);
}

class Form;

class Control {
  public:
    Control() = default;
    Control(QWidget* widget, Form* form, int index) : widget_(widget), form_(form), index_(index) {}

    bool isNull() const { return widget_.isNull(); }
    QWidget* widget() const { return widget_; }
    Form* form() const { return form_; }
    int index() const { return index_; }
    ControlKind kind() const { return kindOf(widget_); }
    QString name() const;  // the designer name (object name)

    QString tag() const;
    void setTag(const QString& tag);

    // Text of text and combo boxes, Caption of the other kinds (empty for Other).
    QString text() const;
    void setText(const QString& text);
    QString caption() const { return text(); }
    void setCaption(const QString& caption) { setText(caption); }

    Colour backColor() const;
    void setBackColor(Colour c);
    Colour foreColor() const;
    void setForeColor(Colour c);

    // The control's own Visible flag (true for a control of a window not shown yet).
    bool visible() const;
    void setVisible(bool v);
    bool enabled() const;
    void setEnabled(bool e);

    // Tab order position; a control without one takes its collection index.
    int tabIndex() const;
    void setTabIndex(int i);

    // Geometry in twips, relative to the container.
    int top() const;
    int left() const;
    int width() const;
    int height() const;
    void setGeometryTwips(int left, int top, int width, int height);
    // The container the control sits in (the form's window or a frame inside it).
    QWidget* container() const;

    int selStart() const;
    void setSelStart(int pos);

    // Option buttons: checked; check boxes: 0 unticked, 1 ticked, 2 greyed; others: 0.
    int value() const;
    void setValue(int v);

    bool hasFocus() const;
    void setFocus();

  private:
    QPointer<QWidget> widget_;
    Form* form_ = nullptr;
    int index_ = -1;
};

// A window with this property set true works on the active form (the form-helper debugger):
// the focus moving into it leaves the active form as it is. Focus in any other window that is
// no form's clears the active form.
inline constexpr char kWorksOnActiveFormProperty[] = "tavWorksOnActiveForm";

class Form : public QObject {
    Q_OBJECT
  public:
    explicit Form(QWidget* window, QObject* parent = nullptr);
    ~Form() override;

    QWidget* window() const { return window_; }
    // The form's Tag (its form ID in the first eight characters; "M" at 12 marks a menu bar).
    QString tag() const;
    void setTag(const QString& tag);
    QString caption() const;
    Colour backColor() const;
    // Window position in twips on the screen.
    int top() const;
    int left() const;

    // The Controls collection.
    int addControl(QWidget* widget);
    // Every widget under the window that is not yet in the collection, in creation order.
    void addAllControls();
    int controlCount() const { return static_cast<int>(controls_.size()); }
    Control control(int index);
    int indexOf(const QWidget* widget) const;
    // Applies the tab indices to Qt's focus chain.
    void applyTabOrder();

    // Control maps, filled by bindItemControls: item number -> control index for items that do
    // not repeat; (column, row) -> control index for repeating items.
    int itemControl(int itemNumber) const;
    int blockControl(int column, int row) const;
    void setItemControl(int itemNumber, int controlIndex);
    void setBlockControl(int column, int row, int controlIndex);
    void clearControlMaps();

  private:
    void focusChanged(QWidget* now);

    QPointer<QWidget> window_;
    std::vector<QPointer<QWidget>> controls_;
    std::map<int, int> itemMap_;
    std::map<std::pair<int, int>, int> blockMap_;
};

}  // namespace tav::formhelper

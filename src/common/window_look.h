#pragma once
// How every window is drawn: the faces it was designed in, its colours, and its controls as rows
// of a table. A window's constructor lists each control once, with its name, text, place (in
// twips), font and colours, and Place makes it.
#include <QColor>
#include <QRect>
#include <QString>
#include <optional>

class QFont;
class QWidget;

namespace tav::common {

// The faces of the design. The project's font configuration maps each to an installed face of
// the same widths where the office's own is missing.
enum class Face { Gothic, PGothic, Mincho };

struct DesignedFont {
    Face face = Face::PGothic;
    double points = 9;
    bool bold = false;
    bool italic = false;
};

QString FaceName(Face face);
QFont DesignFont(const DesignedFont& font);

// The text colour (window text and text).
void SetForeground(QWidget* widget, const QColor& colour);
// The background colour (window and base), filled.
void SetBackground(QWidget* widget, const QColor& colour);
// A disabled widget draws in the colours of the enabled one.
void KeepColoursWhenDisabled(QWidget* widget);

// One control of a window. A width of 0 sizes the control to its text at (left, top); no
// place at all leaves the placing to the window.
struct Control {
    QString name;
    QString text = {};
    QRect twips = {};
    std::optional<DesignedFont> font = {};
    std::optional<QColor> foreground = {};
    std::optional<QColor> background = {};
    std::optional<Qt::FocusPolicy> focus = {};
};

// Gives the widget the control's name, text (where it shows one), font, colours, focus policy
// and place, in this order.
void Apply(QWidget* widget, const Control& control);

template <class Widget>
Widget* Place(QWidget* parent, const Control& control) {
    auto* widget = new Widget(parent);
    Apply(widget, control);
    return widget;
}

}  // namespace tav::common

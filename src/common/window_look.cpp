#include "window_look.h"

#include <QAbstractButton>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QWidget>

#include "platform/units.h"

namespace tav::common {

QString FaceName(Face face) {
    switch (face) {
        case Face::Gothic:
            return QStringLiteral("ＭＳ ゴシック");
        case Face::PGothic:
            return QStringLiteral("ＭＳ Ｐゴシック");
        case Face::Mincho:
            return QStringLiteral("ＭＳ 明朝");
    }
    return {};
}

QFont DesignFont(const DesignedFont& font) {
    QFont qfont(FaceName(font.face));
    qfont.setPointSizeF(font.points);
    qfont.setBold(font.bold);
    qfont.setItalic(font.italic);
    return qfont;
}

void SetForeground(QWidget* widget, const QColor& colour) {
    QPalette p = widget->palette();
    p.setColor(QPalette::WindowText, colour);
    p.setColor(QPalette::Text, colour);
    widget->setPalette(p);
}

void SetBackground(QWidget* widget, const QColor& colour) {
    QPalette p = widget->palette();
    p.setColor(QPalette::Window, colour);
    p.setColor(QPalette::Base, colour);
    widget->setPalette(p);
    widget->setAutoFillBackground(true);
}

void KeepColoursWhenDisabled(QWidget* widget) {
    QPalette p = widget->palette();
    for (QPalette::ColorRole role :
         {QPalette::Text, QPalette::WindowText, QPalette::Base, QPalette::Window,
          QPalette::Highlight, QPalette::HighlightedText}) {
        p.setColor(QPalette::Disabled, role, p.color(QPalette::Active, role));
    }
    widget->setPalette(p);
}

void Apply(QWidget* widget, const Control& control) {
    widget->setObjectName(control.name);
    if (!control.text.isNull()) {
        if (auto* label = qobject_cast<QLabel*>(widget))
            label->setText(control.text);
        else if (auto* button = qobject_cast<QAbstractButton*>(widget))
            button->setText(control.text);
        else if (auto* edit = qobject_cast<QLineEdit*>(widget))
            edit->setText(control.text);
    }
    if (control.font) widget->setFont(DesignFont(*control.font));
    if (control.foreground) SetForeground(widget, *control.foreground);
    if (control.background) SetBackground(widget, *control.background);
    if (control.focus) widget->setFocusPolicy(*control.focus);
    const QRect& r = control.twips;
    if (r == QRect()) return;  // placed by its owner
    if (r.width() > 0) {
        widget->setGeometry(platform::TwipsRect(r.x(), r.y(), r.width(), r.height()));
    } else {
        widget->move(platform::TwipsToPixels(r.x()), platform::TwipsToPixels(r.y()));
        widget->adjustSize();
    }
}

}  // namespace tav::common

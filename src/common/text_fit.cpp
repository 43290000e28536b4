#include "text_fit.h"

#include <QFontMetrics>
#include <QLabel>
#include <QWidget>
#include <algorithm>

namespace tav::common {

QFont FontNarrowedToFit(QFont font, const QString& text, int available) {
    font.setStretch(QFont::Unstretched);
    if (available <= 0 || text.isEmpty()) return font;
    const int needed = QFontMetrics(font).horizontalAdvance(text);
    if (needed <= available) return font;
    // Advances are rounded glyph by glyph, so the estimate is checked and stepped down.
    for (int stretch = std::max(75, available * 100 / needed); stretch >= 75; --stretch) {
        font.setStretch(stretch);
        if (QFontMetrics(font).horizontalAdvance(text) <= available) break;
    }
    return font;
}

void FitTextToWidth(QWidget* widget, const QString& text, int available) {
    widget->setFont(FontNarrowedToFit(widget->font(), text, available));
}

void ShowLabelsAsText(QWidget* window) {
    if (!window) return;
    if (auto* l = qobject_cast<QLabel*>(window)) l->setTextFormat(Qt::PlainText);
    for (QLabel* l : window->findChildren<QLabel*>()) l->setTextFormat(Qt::PlainText);
}

}  // namespace tav::common

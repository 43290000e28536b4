#pragma once
// The fonts that stand in for the office's fonts set kana at full width where the office's
// proportional fonts set them narrower, so a caption may not fit the width it was designed for.
// Such a caption is set in a narrowed font (never below three quarters) rather than cut off;
// its height stays.
#include <QFont>
#include <QString>

class QWidget;

namespace tav::common {

// The font, narrowed in steps down to 75 % until the text fits the width (in pixels).
QFont FontNarrowedToFit(QFont font, const QString& text, int available);

// Narrows the widget's font for its text and the width available inside it.
void FitTextToWidth(QWidget* widget, const QString& text, int available);

// Every label under the window shows its text as text: what a label shows comes from files and
// the database too, and is never read as markup.
void ShowLabelsAsText(QWidget* window);

}  // namespace tav::common

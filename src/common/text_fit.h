#pragma once
// Captions and lists in the fonts that stand in for the office's fonts.
// - A caption wider than its control is set in a narrowed font (never below three quarters)
//   rather than cut off; its height stays.
// - A button caption may take the second line its button has room for, and what fits on
//   neither line is cut at its end, so its beginning and, as far as there is room, its key name
//   "(Fn)" stay visible.
// - The fixed-pitch names are checked by measurement: every half-width character must be
//   exactly half a full-width one, or the columns of lists and printouts do not line up.
#include <QFont>
#include <QPushButton>
#include <QString>
#include <QStringList>

class QLabel;
class QPlainTextEdit;
class QWidget;

namespace tav::common {

// The font, narrowed in steps down to 75 % until the text (each of the lines) fits the width
// (in pixels).
QFont FontNarrowedToFit(QFont font, const QString& text, int available);
QFont FontNarrowedToFit(QFont font, const QStringList& lines, int available);

// Narrows the widget's font for its text and the width available inside it.
void FitTextToWidth(QWidget* widget, const QString& text, int available);
// Narrows a label's font for its text and the width inside its frame.
void FitLabel(QLabel* label);
// Narrows a text box's font until its longest line fits between its margins.
void FitBoxText(QPlainTextEdit* box);

// Every label under the window shows its text as text: what a label shows comes from files and
// the database too, and is never read as markup.
void ShowLabelsAsText(QWidget* window);

// The text in at most maxLines lines of the width (pixels) in the font: one line when it fits;
// otherwise broken where the line-breaking rules allow (preferring the last blank when the rest
// then fits the next line), the last line cut at its end with "…" when the rest does not fit.
QStringList CaptionLines(const QFont& font, const QString& text, int width, int maxLines);

// A push button whose caption takes up to two lines (as many as its height holds), narrowed
// down to 75 % only where two lines at full width do not hold it, and cut at its end where
// even the narrowed lines do not. text() stays the whole caption.
class CaptionButton : public QPushButton {
  public:
    using QPushButton::QPushButton;
    // The lines the caption is drawn in, with the font they are drawn in.
    QStringList shownLines() const;
    QFont shownFont() const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    struct Caption {
        QFont font;
        QStringList lines;
    };
    // The font and lines of the caption, as shownFont() and shownLines() tell them.
    Caption fitCaption() const;
    int textWidth() const;
    int lineRoom() const;
};

// Whether the font sets every half-width character (ASCII, half-width katakana) in exactly half
// the advance of a full-width one, and all full-width characters alike.
bool HalfWidthIsHalf(const QFont& font);

// The width of the text in half-width columns, where every character is one whose advance a
// face that passes HalfWidthIsHalf fixes: 1 for ASCII and half-width katakana, 2 for kana,
// ideographs and full-width forms. -1 when a character is none of these (its width is known
// only by measuring).
int FixedPitchColumns(QStringView text);

// The font of a fixed-pitch family name at the size in points. Where the name leads to a face
// that fails HalfWidthIsHalf, the first stand-in of this machine that passes is taken instead.
QFont FixedPitchFont(const QString& family, qreal points);

}  // namespace tav::common

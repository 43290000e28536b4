#pragma once
// The code reference window's list box: the look-up's lines as one string list behind a list
// view. A look-up replaces all of its lines at once, so the lines are held as they were built
// instead of as an item object each, and every line is given the size of the widest one: the
// delegate never shapes a line to learn its size (the look-up has measured the widest already,
// and a line's height is the font's, measured once a font).
#include <QListView>
#include <QStringList>

namespace tav::formhelper {

class CodeListBox : public QListView {
    Q_OBJECT
  public:
    explicit CodeListBox(QWidget* parent = nullptr);

    // The lines shown, replacing the ones before, the widest of them textWidth pixels wide as
    // drawn; the current line and the selection go.
    void setLines(const QStringList& lines, int textWidth);
    void clear() { setLines({}, 0); }
    int count() const;
    // The text of a line; empty outside the list.
    QString lineText(int row) const;
    // The current line (-1 for none) and making a line current, selected alone.
    int currentRow() const;
    void setCurrentRow(int row);
    // Where a line is drawn in the viewport; empty outside the list.
    QRect visualLineRect(int row) const;
    // The height in pixels of a line as the delegate sizes one ("X漢") in the list's font.
    int lineHeight();
    // The margin in pixels the style draws a line's text inside, on either side.
    int textMargin() const;

  protected:
    void changeEvent(QEvent* event) override;

  private:
    class Lines;
    QSize lineSize();  // every line's: the widest line's text with its margins, a line high
    Lines* lines_;
    int textWidth_ = 0;
    int lineHeight_ = -1;  // not measured yet in this font
};

}  // namespace tav::formhelper

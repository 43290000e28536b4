#pragma once
// The code reference window's list box: the look-up's lines as one string list behind a list
// view. A look-up replaces all of its lines at once, so the lines are held as they were built
// instead of as an item object each, and every line has the first line's size (the delegate
// shapes one line per look-up, not one for the layout and one for every question about the
// line height).
#include <QAbstractListModel>
#include <QListView>
#include <QSize>
#include <QStringList>

namespace tav::formhelper {

class CodeListBox : public QListView {
    Q_OBJECT
  public:
    explicit CodeListBox(QWidget* parent = nullptr);

    // The lines shown, replacing the ones before; the current line and the selection go.
    void setLines(const QStringList& lines);
    void clear() { setLines({}); }
    int count() const;
    // The text of a line; empty outside the list.
    QString lineText(int row) const;
    // The current line (-1 for none) and making a line current, selected alone.
    int currentRow() const;
    void setCurrentRow(int row);
    // Where a line is drawn in the viewport; empty outside the list.
    QRect visualLineRect(int row) const;
    // The height in pixels of a line as the delegate sizes it (of a line "X漢" while the list is
    // empty).
    int lineHeight();

  protected:
    void changeEvent(QEvent* event) override;

  private:
    class Lines;
    QSize measureFirstLine();
    Lines* lines_;
};

}  // namespace tav::formhelper

#include "code_list_box.h"

#include <QAbstractListModel>
#include <QEvent>
#include <QStyle>
#include <QStyleOptionViewItem>

namespace tav::formhelper {

// The lines, and the size the view gives each of them.
class CodeListBox::Lines : public QAbstractListModel {
  public:
    using QAbstractListModel::QAbstractListModel;

    void reset(const QStringList& lines, QSize lineSize) {
        beginResetModel();
        lines_ = lines;
        lineSize_ = lineSize;
        endResetModel();
    }
    const QStringList& lines() const { return lines_; }
    void setLineSize(QSize size) { lineSize_ = size; }

    // The view asks for every line's index as it lays the lines out.
    QModelIndex index(int row, int column = 0,
                      const QModelIndex& parent = QModelIndex()) const override {
        return row >= 0 && row < lines_.size() && column == 0 && !parent.isValid()
                   ? createIndex(row, column)
                   : QModelIndex();
    }
    int rowCount(const QModelIndex& parent = QModelIndex()) const override {
        return parent.isValid() ? 0 : static_cast<int>(lines_.size());
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid() || index.row() >= lines_.size()) return {};
        if (role == Qt::DisplayRole) return lines_.at(index.row());
        if (role == Qt::SizeHintRole) return lineSize_;
        return {};
    }
    Qt::ItemFlags flags(const QModelIndex& index) const override {
        return index.isValid() ? Qt::ItemIsSelectable | Qt::ItemIsEnabled : Qt::NoItemFlags;
    }

  private:
    QStringList lines_;
    QSize lineSize_;
};

CodeListBox::CodeListBox(QWidget* parent) : QListView(parent), lines_(new Lines(this)) {
    setModel(lines_);
    setUniformItemSizes(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
}

int CodeListBox::textMargin() const {
    return style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
}

QSize CodeListBox::lineSize() {
    return QSize(textWidth_ + 2 * textMargin(), lineHeight());
}

void CodeListBox::setLines(const QStringList& lines, int textWidth) {
    textWidth_ = textWidth;
    lines_->reset(lines, lineSize());
}

int CodeListBox::count() const {
    return lines_->rowCount();
}

QString CodeListBox::lineText(int row) const {
    return row >= 0 && row < lines_->lines().size() ? lines_->lines().at(row) : QString();
}

int CodeListBox::currentRow() const {
    return currentIndex().row();
}

void CodeListBox::setCurrentRow(int row) {
    selectionModel()->setCurrentIndex(lines_->index(row), QItemSelectionModel::ClearAndSelect);
}

QRect CodeListBox::visualLineRect(int row) const {
    return visualRect(lines_->index(row));
}

int CodeListBox::lineHeight() {
    if (lineHeight_ < 0) {
        // A line as the delegate sizes one that shows nothing but its text.
        QStyleOptionViewItem option;
        initViewItemOption(&option);
        option.features |= QStyleOptionViewItem::HasDisplay;
        option.text = QStringLiteral("X漢");
        lineHeight_ =
            style()->sizeFromContents(QStyle::CT_ItemViewItem, &option, QSize(), this).height();
    }
    return lineHeight_;
}

void CodeListBox::changeEvent(QEvent* event) {
    // Lines of another font or style take another size.
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        lineHeight_ = -1;
        lines_->setLineSize(lineSize());
    }
    QListView::changeEvent(event);
}

}  // namespace tav::formhelper

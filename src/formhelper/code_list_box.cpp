#include "code_list_box.h"

#include <QEvent>
#include <QStyledItemDelegate>

namespace tav::formhelper {

// The lines, and the size the view gives each of them.
class CodeListBox::Lines : public QAbstractListModel {
  public:
    using QAbstractListModel::QAbstractListModel;

    void reset(const QStringList& lines) {
        beginResetModel();
        lines_ = lines;
        lineSize_ = QSize();
        endResetModel();
    }
    const QStringList& lines() const { return lines_; }
    void setLineSize(QSize size) { lineSize_ = size; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override {
        return parent.isValid() ? 0 : static_cast<int>(lines_.size());
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid() || index.row() >= lines_.size()) return {};
        if (role == Qt::DisplayRole) return lines_.at(index.row());
        // Until the first line is measured the delegate measures it.
        if (role == Qt::SizeHintRole && lineSize_.isValid()) return lineSize_;
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

void CodeListBox::setLines(const QStringList& lines) {
    lines_->reset(lines);
    if (!lines.isEmpty()) lines_->setLineSize(measureFirstLine());
}

QSize CodeListBox::measureFirstLine() {
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    const QModelIndex first = lines_->index(0);
    return itemDelegateForIndex(first)->sizeHint(option, first);
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
    if (count() > 0) return sizeHintForRow(0);
    lines_->reset({QStringLiteral("X漢")});
    const int height = measureFirstLine().height();
    lines_->reset({});
    return height;
}

void CodeListBox::changeEvent(QEvent* event) {
    // Lines of another font or style take another size.
    if ((event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) &&
        count() > 0) {
        lines_->setLineSize(QSize());
        lines_->setLineSize(measureFirstLine());
    }
    QListView::changeEvent(event);
}

}  // namespace tav::formhelper

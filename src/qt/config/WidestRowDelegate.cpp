#include "qt/config/WidestRowDelegate.h"

#include "qt/config/RowListModel.h"

namespace revuro {

namespace {

// Proportional faces make the cell count an estimate; measuring the leading few settles it.
constexpr std::size_t kRowsMeasured = 64;

}  // namespace

QSize WidestRowDelegate::sizeHint(const QStyleOptionViewItem& option,
                                  const QModelIndex& index) const {
    const auto* model = qobject_cast<const RowListModel*>(index.model());
    if (model == nullptr) return QStyledItemDelegate::sizeHint(option, index);
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    for (int row : model->WidestRows(kRowsMeasured))
        size = size.expandedTo(QStyledItemDelegate::sizeHint(option, model->index(row)));
    return size;
}

}  // namespace revuro

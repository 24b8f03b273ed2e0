#pragma once

#include <QStyledItemDelegate>

namespace revuro {

// For a list view whose rows all take one size: that size is the one the widest rows of its
// RowListModel need, so every row can be scrolled into full view. The view then measures a
// few rows instead of every row.
class WidestRowDelegate : public QStyledItemDelegate {
    Q_OBJECT

  public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

}  // namespace revuro

#pragma once

#include <QAbstractListModel>

#include <cstddef>
#include <string>
#include <vector>

namespace revuro {

// The rows of a list control as the core keeps them (UTF-8). A row becomes display text only
// when the view asks for it, so a full list costs no per-row widget work.
class RowListModel : public QAbstractListModel {
    Q_OBJECT

  public:
    using QAbstractListModel::QAbstractListModel;

    void Reset(const std::vector<std::string>& rows);
    // rows[first] to the last row were appended to the rows already held.
    void Append(const std::vector<std::string>& rows, std::size_t first);
    void Remove(std::size_t index);

    const std::vector<std::string>& rows() const { return rows_; }
    // Up to `count` rows most likely to be the widest when drawn, as row numbers: the rows
    // that take the most character cells, a wide East Asian character taking two.
    std::vector<int> WidestRows(std::size_t count) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

  private:
    std::vector<std::string> rows_;
};

}  // namespace revuro

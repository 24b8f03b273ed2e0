#include "qt/config/RowListModel.h"

#include <algorithm>
#include <utility>

namespace revuro {

namespace {

bool IsWide(char32_t c) {
    return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) ||
           (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
           (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
           (c >= 0xFFE0 && c <= 0xFFE6) || c >= 0x20000;
}

// Character cells of UTF-8 text; bytes that are no character's start count as nothing.
std::size_t CellsOf(const std::string& utf8) {
    std::size_t cells = 0;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const std::size_t length = lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t c = lead;
        if (length > 1 && i + length <= utf8.size()) {
            c = lead & (0x7F >> length);
            for (std::size_t k = 1; k < length; ++k)
                c = (c << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        }
        cells += IsWide(c) ? 2 : 1;
        i += length;
    }
    return cells;
}

}  // namespace

void RowListModel::Reset(const std::vector<std::string>& rows) {
    beginResetModel();
    rows_ = rows;
    endResetModel();
}

void RowListModel::Append(const std::vector<std::string>& rows, std::size_t first) {
    if (first >= rows.size()) return;
    beginInsertRows({}, static_cast<int>(rows_.size()),
                    static_cast<int>(rows_.size() + rows.size() - first - 1));
    rows_.insert(rows_.end(), rows.begin() + static_cast<std::ptrdiff_t>(first), rows.end());
    endInsertRows();
}

void RowListModel::Remove(std::size_t index) {
    if (index >= rows_.size()) return;
    const int row = static_cast<int>(index);
    beginRemoveRows({}, row, row);
    rows_.erase(rows_.begin() + row);
    endRemoveRows();
}

std::vector<int> RowListModel::WidestRows(std::size_t count) const {
    std::vector<std::pair<std::size_t, int>> cells;
    cells.reserve(rows_.size());
    for (std::size_t i = 0; i < rows_.size(); ++i)
        cells.emplace_back(CellsOf(rows_[i]), static_cast<int>(i));
    count = std::min(count, cells.size());
    std::partial_sort(cells.begin(), cells.begin() + static_cast<std::ptrdiff_t>(count),
                      cells.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    std::vector<int> widest;
    for (std::size_t i = 0; i < count; ++i) widest.push_back(cells[i].second);
    return widest;
}

int RowListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

QVariant RowListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= static_cast<int>(rows_.size())) return {};
    if (role != Qt::DisplayRole) return {};
    return QString::fromStdString(rows_[static_cast<std::size_t>(index.row())]);
}

}  // namespace revuro

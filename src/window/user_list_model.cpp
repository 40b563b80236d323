#include "user_list_model.h"

#include "board_text.h"

namespace kivo {

int UserListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : published_;
}

QVariant UserListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= published_)
        return {};
    if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole)
        return {};
    const auto row = static_cast<std::size_t>(index.row());
    const std::size_t begin = row == 0 ? 0 : ends_[row - 1];
    return boardText(std::string_view(bytes_).substr(begin, ends_[row] - begin));
}

void UserListModel::clear() {
    beginResetModel();
    bytes_.clear();
    bytes_.shrink_to_fit();
    ends_.clear();
    ends_.shrink_to_fit();
    published_ = 0;
    endResetModel();
}

void UserListModel::reserve(std::int64_t entries) {
    if (entries <= 0)
        return;
    const auto count = static_cast<std::size_t>(entries);
    bytes_.reserve(bytes_.size() + count * kMaxNameBytes);
    ends_.reserve(ends_.size() + count);
}

void UserListModel::append(std::string_view nameBytes) {
    bytes_.append(nameBytes);
    ends_.push_back(static_cast<std::uint32_t>(bytes_.size()));
}

void UserListModel::publish() {
    const int total = static_cast<int>(ends_.size());
    if (total == published_)
        return;
    beginInsertRows({}, published_, total - 1);
    published_ = total;
    endInsertRows();
}

} // namespace kivo

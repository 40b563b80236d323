#include "user_list_model.h"

#include "board_text.h"
#include "text_matcher.h"

namespace kivo {

int UserListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : published_;
}

QVariant UserListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= published_)
        return {};
    if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole)
        return {};
    return boardText(storedName(index.row()));
}

QModelIndexList UserListModel::match(const QModelIndex& start, int role, const QVariant& value,
                                     int hits, Qt::MatchFlags flags) const {
    if (role != Qt::DisplayRole || hits != 1 || flags != (Qt::MatchStartsWith | Qt::MatchWrap) ||
        value.typeId() != QMetaType::QString || !checkIndex(start, CheckIndexOption::IndexIsValid))
        return QAbstractListModel::match(start, role, value, hits, flags);
    const TextMatcher typed(value.toString().toStdU16String(), LetterCase::Ignore);
    for (int row = start.row(); row < published_; ++row)
        if (typed.startsIn(storedName(row)))
            return {index(row)};
    for (int row = 0; row < start.row(); ++row)
        if (typed.startsIn(storedName(row)))
            return {index(row)};
    return {};
}

std::string_view UserListModel::storedName(int row) const {
    if (row < 0 || row >= published_)
        return {};
    const auto at = static_cast<std::size_t>(row);
    const std::size_t begin = at == 0 ? 0 : ends_[at - 1];
    return std::string_view(bytes_).substr(begin, ends_[at] - begin);
}

bool UserListModel::isPlaceholder(int) const {
    return false;
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

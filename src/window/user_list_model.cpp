#include "user_list_model.h"

#include "board_text.h"
#include "text_matcher.h"

namespace kivo {

int UserListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(users_.size());
}

QVariant UserListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole)
        return {};
    if (users_.isPlaceholder(index.row()))
        return tr("(record locked by another program)");
    return boardText(users_.name(index.row()));
}

std::string_view UserListModel::storedName(int row) const {
    return users_.name(row);
}

bool UserListModel::isPlaceholder(int row) const {
    return users_.isPlaceholder(row);
}

QModelIndexList UserListModel::match(const QModelIndex& start, int role, const QVariant& value,
                                     int hits, Qt::MatchFlags flags) const {
    if (role != Qt::DisplayRole || hits != 1 || flags != (Qt::MatchStartsWith | Qt::MatchWrap) ||
        value.typeId() != QMetaType::QString || !checkIndex(start, CheckIndexOption::IndexIsValid))
        return QAbstractListModel::match(start, role, value, hits, flags);
    const TextMatcher typed(value.toString().toStdU16String(), LetterCase::Ignore);
    const auto startsWithTyped = [&](int row) {
        return !users_.isPlaceholder(row) && typed.startsIn(users_.name(row));
    };
    for (int row = start.row(); row < rowCount(); ++row)
        if (startsWithTyped(row))
            return {index(row)};
    for (int row = 0; row < start.row(); ++row)
        if (startsWithTyped(row))
            return {index(row)};
    return {};
}

void UserListModel::clear() {
    beginResetModel();
    users_.clear();
    endResetModel();
}

void UserListModel::append(const UserList& names) {
    if (names.empty())
        return;
    const int first = rowCount();
    beginInsertRows({}, first, first + static_cast<int>(names.size()) - 1);
    users_.append(names);
    endInsertRows();
}

void UserListModel::update(UserList&& names) {
    const int before = rowCount();
    const int after = static_cast<int>(names.size());
    if (after < before) {
        beginRemoveRows({}, after, before - 1);
        users_.truncate(after);
        endRemoveRows();
    }
    const auto changed = differingRows(users_, names);
    if (after > before) {
        beginInsertRows({}, before, after - 1);
        users_ = std::move(names);
        endInsertRows();
    } else {
        users_ = std::move(names);
    }
    if (changed)
        emit dataChanged(index(int(changed->first)), index(int(changed->second)));
}

} // namespace kivo

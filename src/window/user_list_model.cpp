#include "user_list_model.h"

#include "board_text.h"
#include "code_page.h"

#include <array>

namespace kivo {
namespace {

// Every byte of the board's code page as one character, case-folded as QString compares
// without regard to case.
const std::array<char16_t, 256> kFoldedCodePage = [] {
    std::array<char16_t, 256> folded{};
    for (int byte = 0; byte < 256; ++byte)
        folded[std::size_t(byte)] = char16_t(
            QChar::toCaseFolded(char32_t(codePageToUnicode(static_cast<unsigned char>(byte)))));
    return folded;
}();

} // namespace

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
    std::u16string folded;
    for (QChar c : value.toString())
        folded.push_back(char16_t(QChar::toCaseFolded(char32_t(c.unicode()))));
    for (int row = start.row(); row < rowCount(); ++row)
        if (startsWithFolded(row, folded))
            return {index(row)};
    for (int row = 0; row < start.row(); ++row)
        if (startsWithFolded(row, folded))
            return {index(row)};
    return {};
}

bool UserListModel::startsWithFolded(int row, std::u16string_view foldedText) const {
    const std::string_view name = users_.name(row);
    if (name.size() < foldedText.size())
        return false;
    for (std::size_t i = 0; i < foldedText.size(); ++i)
        if (kFoldedCodePage[static_cast<unsigned char>(name[i])] != foldedText[i])
            return false;
    // A placeholder has no stored name: only an empty text gets this far with one.
    return !users_.isPlaceholder(row);
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

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

QModelIndexList UserListModel::match(const QModelIndex& start, int role, const QVariant& value,
                                     int hits, Qt::MatchFlags flags) const {
    if (role != Qt::DisplayRole || hits != 1 || flags != (Qt::MatchStartsWith | Qt::MatchWrap) ||
        value.typeId() != QMetaType::QString || !checkIndex(start, CheckIndexOption::IndexIsValid))
        return QAbstractListModel::match(start, role, value, hits, flags);
    std::u16string folded;
    for (QChar c : value.toString())
        folded.push_back(char16_t(QChar::toCaseFolded(char32_t(c.unicode()))));
    for (int row = start.row(); row < published_; ++row)
        if (startsWithFolded(row, folded))
            return {index(row)};
    for (int row = 0; row < start.row(); ++row)
        if (startsWithFolded(row, folded))
            return {index(row)};
    return {};
}

bool UserListModel::startsWithFolded(int row, std::u16string_view foldedText) const {
    const auto at = static_cast<std::size_t>(row);
    const std::size_t begin = at == 0 ? 0 : ends_[at - 1];
    if (ends_[at] - begin < foldedText.size())
        return false;
    for (std::size_t i = 0; i < foldedText.size(); ++i)
        if (kFoldedCodePage[static_cast<unsigned char>(bytes_[begin + i])] != foldedText[i])
            return false;
    return true;
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

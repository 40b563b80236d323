#include "user_list.h"

#include <algorithm>

namespace kivo {

std::string_view UserList::name(std::int64_t row) const {
    const std::uint32_t begin = row == 0 ? 0 : end(row - 1);
    return std::string_view(bytes_.data() + begin, end(row) - begin);
}

bool UserList::isPlaceholder(std::int64_t row) const {
    return (ends_[static_cast<std::size_t>(row)] & kPlaceholderMark) != 0;
}

void UserList::append(std::string_view nameBytes) {
    bytes_.append(nameBytes.substr(0, kMaxNameBytes));
    ends_.push_back(static_cast<std::uint32_t>(bytes_.size()));
}

void UserList::appendPlaceholder() {
    ends_.push_back(static_cast<std::uint32_t>(bytes_.size()) | kPlaceholderMark);
    ++placeholders_;
}

void UserList::append(const UserList& other) {
    const auto offset = static_cast<std::uint32_t>(bytes_.size());
    bytes_.append(other.bytes_);
    placeholders_ += other.placeholders_;
    const std::size_t at = ends_.size();
    ends_.resize(at + other.ends_.size());
    // The mark is the top bit: adding the offset keeps it.
    std::transform(other.ends_.begin(), other.ends_.end(), ends_.begin() + std::ptrdiff_t(at),
                   [offset](std::uint32_t end) { return end + offset; });
}

void UserList::truncate(std::int64_t entries) {
    if (entries >= size())
        return;
    const auto kept = static_cast<std::size_t>(std::max<std::int64_t>(entries, 0));
    placeholders_ -= std::count_if(ends_.begin() + std::ptrdiff_t(kept), ends_.end(),
                                   [](std::uint32_t end) { return (end & kPlaceholderMark) != 0; });
    ends_.resize(kept);
    bytes_.resize(kept == 0 ? 0 : end(static_cast<std::int64_t>(kept) - 1));
}

void UserList::reserve(std::int64_t entries) {
    if (entries <= 0)
        return;
    const auto count = static_cast<std::size_t>(entries);
    bytes_.reserve(bytes_.size() + count * kMaxNameBytes);
    ends_.reserve(ends_.size() + count);
}

void UserList::clear() {
    bytes_.clear();
    bytes_.shrink_to_fit();
    ends_.clear();
    ends_.shrink_to_fit();
    placeholders_ = 0;
}

std::vector<std::int64_t> placeholderRows(const UserList& list) {
    std::vector<std::int64_t> rows;
    rows.reserve(static_cast<std::size_t>(list.placeholders()));
    for (std::int64_t row = 0; std::int64_t(rows.size()) < list.placeholders(); ++row)
        if (list.isPlaceholder(row))
            rows.push_back(row);
    return rows;
}

UserList withNames(const UserList& list,
                   const std::vector<std::pair<std::int64_t, std::string>>& named) {
    UserList copy;
    copy.reserve(list.size());
    auto next = named.begin();
    for (std::int64_t row = 0; row < list.size(); ++row) {
        if (next != named.end() && next->first == row)
            copy.append((next++)->second);
        else if (list.isPlaceholder(row))
            copy.appendPlaceholder();
        else
            copy.append(list.name(row));
    }
    return copy;
}

std::optional<std::pair<std::int64_t, std::int64_t>> differingRows(const UserList& a,
                                                                   const UserList& b) {
    const std::int64_t common = std::min(a.size(), b.size());
    const auto differs = [&](std::int64_t row) {
        return a.isPlaceholder(row) != b.isPlaceholder(row) || a.name(row) != b.name(row);
    };
    std::int64_t first = 0;
    while (first < common && !differs(first))
        ++first;
    if (first == common)
        return std::nullopt;
    std::int64_t last = common - 1;
    while (!differs(last))
        --last;
    return std::pair{first, last};
}

} // namespace kivo

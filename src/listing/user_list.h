#pragma once

#include "user_record.h"

#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kivo {

// The names of the listed users, in file order: entry k is record k + 1. Names are kept as the
// stored bytes, packed one after another, so a million users cost some twenty bytes each
// instead of a string object apiece. An entry may be a placeholder: a record that could not be
// read, which keeps its position but has no name.
class UserList {
public:
    // The most users one list holds; a larger file is refused with a message. Each entry's end
    // is kept as a 32-bit offset into the packed names whose top bit marks a placeholder, and
    // rows are counted in an int.
    static constexpr std::int64_t kMaxEntries = 20'000'000;
    static constexpr std::size_t kMaxNameBytes = std::tuple_size_v<decltype(UserRecord::Name)>;
    static_assert(kMaxEntries * kMaxNameBytes < (std::uint64_t{1} << 31));
    static_assert(kMaxEntries <= std::numeric_limits<int>::max());

    std::int64_t size() const { return static_cast<std::int64_t>(ends_.size()); }
    bool empty() const { return ends_.empty(); }
    std::string_view name(std::int64_t row) const;
    bool isPlaceholder(std::int64_t row) const;
    // How many entries are placeholders: kept as the list changes, so that a list without any
    // answers at once, however long.
    std::int64_t placeholders() const { return placeholders_; }

    void append(std::string_view nameBytes);
    void appendPlaceholder();
    void append(const UserList& other);
    void truncate(std::int64_t entries);
    // Makes room for the given number of entries more, so that appending never moves what is
    // already listed. Room never written costs address space, not memory.
    void reserve(std::int64_t entries);
    // Empties the list and gives its memory back.
    void clear();

private:
    static constexpr std::uint32_t kPlaceholderMark = std::uint32_t{1} << 31;
    std::uint32_t end(std::int64_t row) const {
        return ends_[static_cast<std::size_t>(row)] & ~kPlaceholderMark;
    }

    std::string bytes_;
    std::vector<std::uint32_t> ends_; // where each entry's bytes end in bytes_, and its mark
    std::int64_t placeholders_ = 0;
};

// The rows listed as placeholders, in order.
std::vector<std::int64_t> placeholderRows(const UserList& list);

// A copy of the list with the given rows named, in the order of their rows: placeholders filled
// in once their records can be read.
UserList withNames(const UserList& list,
                   const std::vector<std::pair<std::int64_t, std::string>>& named);

// The first and last of the rows both lists hold whose entries differ; nothing when they agree.
std::optional<std::pair<std::int64_t, std::int64_t>> differingRows(const UserList& a,
                                                                   const UserList& b);

} // namespace kivo

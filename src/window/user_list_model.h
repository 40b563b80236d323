#pragma once

#include <QAbstractListModel>

#include "user_record.h"

#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

namespace kivo {

// The user list's entries, in file order. Names are kept as the stored bytes, packed one after
// another, and turned into text only when a row is drawn: a million users then cost some twenty
// bytes each instead of a string object apiece.
class UserListModel : public QAbstractListModel {
    Q_OBJECT
public:
    // The most users one list holds; a larger file is refused with a message. Each entry's end
    // is kept as a 32-bit offset into the packed names, and rows are counted in an int.
    static constexpr std::int64_t kMaxEntries = 20'000'000;
    static constexpr std::size_t kMaxNameBytes = std::tuple_size_v<decltype(UserRecord::Name)>;
    static_assert(kMaxEntries * kMaxNameBytes <= std::numeric_limits<std::uint32_t>::max());
    static_assert(kMaxEntries <= std::numeric_limits<int>::max());

    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    // The list's type-to-find asks for the first entry from start on, wrapping round, that starts
    // with the typed text in any letter case. That one question is answered over the packed
    // bytes, without making every entry's text; any other goes the general way.
    QModelIndexList match(const QModelIndex& start, int role, const QVariant& value, int hits,
                          Qt::MatchFlags flags) const override;

    void clear();

    // Makes room for the given number of entries, so that appending never moves what is already
    // listed. Room never written costs address space, not memory.
    void reserve(std::int64_t entries);

    // Appends an entry. Appended entries reach the list in batches, when publish() is called:
    // telling the view about every single row would cost more than reading it.
    void append(std::string_view nameBytes);
    void publish();

    // The stored name bytes of a listed row, and whether the row stands for a record another
    // program holds locked. Rows past the list are neither.
    std::string_view storedName(int row) const;
    bool isPlaceholder(int row) const;

    std::int64_t entryCount() const { return static_cast<std::int64_t>(ends_.size()); }

private:
    std::string bytes_;
    std::vector<std::uint32_t> ends_; // where each entry's bytes end in bytes_
    int published_ = 0;
};

} // namespace kivo

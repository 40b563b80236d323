#pragma once

#include <QAbstractListModel>

#include "user_list.h"

#include <cstdint>
#include <string_view>

namespace kivo {

// The user list as the list box shows it. The names stay the stored bytes of a UserList and are
// turned into text only when a row is drawn.
class UserListModel : public QAbstractListModel {
    Q_OBJECT
public:
    static constexpr std::int64_t kMaxEntries = UserList::kMaxEntries;

    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    // The list's type-to-find asks for the first entry from start on, wrapping round, that starts
    // with the typed text in any letter case. That one question is answered over the packed
    // bytes, without making every entry's text, and skips placeholders; any other goes the
    // general way.
    QModelIndexList match(const QModelIndex& start, int role, const QVariant& value, int hits,
                          Qt::MatchFlags flags) const override;

    std::string_view storedName(int row) const; // the stored name bytes of a listed row
    bool isPlaceholder(int row) const;          // a row listed as a placeholder (locked record)

    void clear();
    // Makes room for the given number of entries more.
    void reserve(std::int64_t entries) { users_.reserve(entries); }
    // Appends entries at the end and shows them.
    void append(const UserList& names);
    // Brings the list to the names given, telling the view only of the rows that changed, went
    // or came, so that its selection and scroll position stay where they can.
    void update(UserList&& names);
    const UserList& users() const { return users_; }

private:
    UserList users_;
};

} // namespace kivo

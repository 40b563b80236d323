// Following the open file while the board writes it: appended users are listed, changed names
// changed, a shortened or replaced file listed again, all without a dialog, a gauge or a
// message box, and with the selection kept where the same user still stands.
#include "file_name_text.h"
#include "frm_main.h"
#include "user_list_model.h"

#include <QLabel>
#include <QListView>
#include <QTimer>

#include <algorithm>

namespace kivo {
namespace {

std::int64_t wholeRecords(const FileStamp& stamp) {
    return std::min(stamp.size / std::int64_t(kRecordSize), UserListModel::kMaxEntries);
}

} // namespace

void frmMain::followFile() {
    if (!openedPath_.isEmpty())
        follower_.follow(openedPath_, fileNameBytes(openedPath_), listedStamp_);
}

void frmMain::fileChanged(FileChange change, const FileStamp& now) {
    if (listing_ != Listing::None)
        return; // the follower is stopped while names are read; a late word is stale
    if (change == FileChange::Gone) {
        panel(StatusPanel::Gauge)->setText(tr("File is gone"));
        panel(StatusPanel::Gauge)
            ->setToolTip(tr("No file has the name of the listed file now. The list shows it as "
                            "it was, until the file is back."));
        emit listUpdated();
        return;
    }
    panel(StatusPanel::Gauge)->clear();
    panel(StatusPanel::Gauge)->setToolTip(QString());
    switch (change) {
    case FileChange::None:
        emit listUpdated();
        return;
    case FileChange::Grown:
        if (wholeRecords(now) > users_->rowCount()) {
            follower_.stop();
            listing_ = Listing::Append;
            readingStamp_ = now;
            reader_.start(userFile_, users_->rowCount() + 1, wholeRecords(now));
            return;
        }
        // Only a part of a record more: the count says so; nobody new is listed yet.
        listedStamp_ = now;
        showCount(double(now.size) / double(kRecordSize));
        emit listUpdated();
        return;
    case FileChange::Rewritten:
        readAgain(now, false);
        return;
    case FileChange::Replaced: {
        // The new file is opened before the old one is let go: if it cannot be opened, the list
        // and the clicks stay on the file as it was listed.
        UserFile replacement;
        if (replacement.open(fileNameBytes(openedPath_))) {
            emit listUpdated();
            return;
        }
        reader_.stop();
        userFile_.swap(replacement);
        readAgain(userFile_.stamp().value_or(now), true);
        return;
    }
    case FileChange::Gone:
        break;
    }
}

void frmMain::readAgain(const FileStamp& stamp, bool sameNameOnly) {
    follower_.stop();
    listing_ = Listing::Reread;
    readingStamp_ = stamp;
    sameNameOnly_ = sameNameOnly;
    pending_.clear();
    reader_.start(userFile_, 1, wholeRecords(stamp));
}

void frmMain::applyReread() {
    const int row = selectedRow();
    const std::string name = row < 0 ? std::string() : std::string(users_->storedName(row));
    // A user who is gone is never shown, and never stands in for another: left to itself, the
    // view would move the selection to a neighbour of a removed row.
    const bool gone = row >= pending_.size();
    if (gone)
        List1_->selectionModel()->clear();
    users_->update(std::move(pending_));
    pending_.clear();
    if (gone)
        clearDetail();
    else if (row >= 0 && sameNameOnly_)
        keepSelectionIfSameName(row, name);
}

void frmMain::keepSelectionIfSameName(int row, std::string_view name) {
    // Another file, or the same one read again, may number its users otherwise: the entry
    // stays selected only if it still names the same user.
    if (users_->storedName(row) != name || users_->isPlaceholder(row)) {
        List1_->selectionModel()->clearSelection();
        clearDetail();
        return;
    }
    const QModelIndex entry = users_->index(row);
    if (List1_->selectionModel()->isSelected(entry))
        return;
    const QSignalBlocker quiet(List1_->selectionModel()); // shown below, unless typed over
    List1_->selectionModel()->setCurrentIndex(entry, QItemSelectionModel::ClearAndSelect);
    List1_->viewport()->update();
    refreshShownUser();
}

void frmMain::fillLockedUsers() {
    if (listing_ != Listing::None || !follower_.isFollowing())
        return; // tried again once the list is whole and followed
    const std::vector<std::int64_t> locked = placeholderRows(users_->users());
    std::vector<std::pair<std::int64_t, std::string>> named;
    for (const std::int64_t row : locked)
        if (const ReadResult result = userFile_.read(row + 1); result.record)
            named.emplace_back(row, displayedBytes(result.record->Name));
    if (named.size() == locked.size())
        lockedAgain_->stop();
    if (named.empty())
        return;
    users_->update(withNames(users_->users(), named));
    refreshShownUser();
    emit listUpdated();
}

void frmMain::refreshShownUser() {
    // The same step as a click, but quiet: following never shows a message box, and never
    // overwrites what the operator has typed.
    const int row = selectedRow();
    if (row < 0 || typed_)
        return;
    const ReadResult result = userFile_.read(row + 1);
    if (result.record)
        showRecord(*result.record);
    else
        clearDetail();
}

} // namespace kivo

// The Open command and F5: pick the user file and list every user in file order, the names
// read in the background while the window goes on; Esc stops a listing.
#include "file_name_text.h"
#include "frm_main.h"
#include "last_folder.h"
#include "user_list_model.h"

#include <QLabel>
#include <QListView>
#include <QLocale>
#include <QProgressBar>
#include <QStatusBar>

#include <cmath>

namespace kivo {
namespace {

// The dialog's one filter, "Userfile|BBBSUSER.DAT", written the way Qt writes filters.
const QString kUserFileFilter = QStringLiteral("Userfile (BBBSUSER.DAT)");

} // namespace

QString formatUserCount(double count, const QLocale& locale) {
    // Digits 0-9, as every other number in the window; only the decimal separator is the
    // user's. A locale's own toString would also bring its digits (Arabic-Indic, say).
    QString text = QLocale::c().toString(count, 'g', 15);
    text.replace(QLatin1Char('.'), locale.decimalPoint());
    return text;
}

void frmMain::mnuOpen_Click() {
    cancelListing();
    follower_.stop();
    users_->clear(); // before the dialog: a cancelled dialog leaves the list empty
    const QString path =
        services_.chooseFile(this, kUserFileFilter, openDialogFolder(services_.settingsFile()));
    if (path.isEmpty())
        return;
    openUserFile(path);
}

void frmMain::mnuReload_Click() {
    if (lastPath_.isEmpty())
        return;
    reselectRow_ = selectedRow();
    reselectName_ =
        reselectRow_ < 0 ? std::string() : std::string(users_->storedName(reselectRow_));
    openUserFile(lastPath_);
}

void frmMain::openUserFile(const QString& path) {
    cancelListing(); // the file is about to change under the reader
    follower_.stop();
    users_->clear(); // a file named without the dialog empties the list all the same
    panel(StatusPanel::Gauge)->clear();
    lastPath_ = path;
    if (const FileError error = userFile_.open(fileNameBytes(path))) {
        warn(tr("Open"), tr("The file %1 could not be opened: %2.")
                             .arg(oneLineText(path), QString::fromStdString(error.describe())));
        standWithoutFile();
        return;
    }
    openedPath_ = path;

    listedStamp_ = userFile_.stamp().value_or(FileStamp{});
    const double count = userFile_.userCount();
    // Trailing bytes of a partial record are not a user: only whole records count against the
    // limit.
    if (std::floor(count) > double(UserListModel::kMaxEntries)) {
        warn(tr("Open"), tr("The file %1 could not be opened: it holds %2 users, and this viewer "
                            "lists at most %3.")
                             .arg(oneLineText(path), formatUserCount(std::floor(count), locale()),
                                  QString::number(UserListModel::kMaxEntries)));
        userFile_.closeAll();
        standWithoutFile();
        return;
    }
    rememberOpenedFile(services_.settingsFile(), path);
    showCount(count);
    listUsers(count);
}

void frmMain::showCount(double count) {
    panel(StatusPanel::UserCount)->setText(formatUserCount(count, locale()) + tr(" users in file"));
}

void frmMain::listUsers(double count) {
    const auto total = static_cast<std::int64_t>(std::floor(count));
    // The gauge needs a positive maximum: with no whole record it stays hidden.
    if (total > 0) {
        gauge1_->setMaximum(static_cast<int>(total));
        gauge1_->setValue(0);
        gauge1_->show();
    }
    // Growing the list by doubling would copy every name read so far, and touch fresh memory
    // each time, some thirty times over for a million users.
    users_->reserve(total);
    listing_ = Listing::Open;
    readingStamp_ = listedStamp_;
    reader_.start(userFile_, 1, total);
}

void frmMain::takeNames() {
    if (listing_ == Listing::None)
        return; // a read stopped since it announced its names
    NameReader::Batch batch = reader_.take();
    if (pending_.empty())
        std::swap(pending_, batch.names); // taken over, not copied
    else
        pending_.append(batch.names);
    if (listing_ == Listing::Open)
        gauge1_->setValue(static_cast<int>(users_->rowCount() + pending_.size()));
    // Every batch is listed as it comes: adding rows costs the list only the rows on screen, and
    // a batch is what the reader gathered since the last, so the window's thread never copies
    // more than that at once. A file read again is shown whole, once it is all read.
    if (listing_ != Listing::Reread)
        showPending();
    if (batch.done)
        finishListing(batch.error);
}

void frmMain::showPending() {
    const int firstNew = users_->rowCount();
    users_->append(pending_);
    pending_.truncate(0);
    if (reselectRow_ >= firstNew && reselectRow_ < users_->rowCount())
        keepSelectionIfSameName(std::exchange(reselectRow_, -1), reselectName_);
}

void frmMain::finishListing(const FileError& error) {
    const Listing finished = std::exchange(listing_, Listing::None);
    listedStamp_ = readingStamp_;
    if (finished == Listing::Open) {
        gauge1_->hide();
        if (std::exchange(reselectRow_, -1) >= 0) // that record is no longer in the file
            clearDetail();
        // What was read is listed before any message about what could not be.
        if (error)
            warn(tr("Open"),
                 tr("The file %1 could not be read to the end: %2.")
                     .arg(oneLineText(openedPath_), QString::fromStdString(error.describe())));
        toolbarButton(ToolbarButton::Undo)->setEnabled(true);
        toolbarButton(ToolbarButton::Update)->setEnabled(true);
    } else {
        if (finished == Listing::Reread)
            applyReread();
        showCount(double(listedStamp_.size) / double(kRecordSize));
        refreshShownUser();
    }
    pending_.clear(); // its room too: it held up to half the list
    followFile();
    if (users_->users().placeholders() == 0)
        lockedAgain_->stop();
    else
        lockedAgain_->start();
    emit listUpdated();
}

void frmMain::mnuStop_Click() {
    if (listing_ == Listing::None)
        return;
    reader_.stop();
    follower_.stop(); // the list no longer keeps up with the file until F5 or Open
    const Listing stopped = std::exchange(listing_, Listing::None);
    if (stopped == Listing::Open) {
        pending_.append(reader_.take().names); // what was read stays listed
        showPending();
        reselectRow_ = -1;
        gauge1_->hide();
        panel(StatusPanel::UserCount)
            ->setText(tr("Stopped early: %1 of %2 users listed")
                          .arg(QString::number(users_->rowCount()),
                               QString::number(readingStamp_.size / std::int64_t(kRecordSize))));
        toolbarButton(ToolbarButton::Undo)->setEnabled(true);
        toolbarButton(ToolbarButton::Update)->setEnabled(true);
    }
    pending_.clear(); // a following step stopped halfway changes nothing
    emit listUpdated();
}

void frmMain::cancelListing() {
    reader_.stop();
    listing_ = Listing::None;
    pending_.clear();
    gauge1_->hide();
}

void frmMain::standWithoutFile() {
    users_->clear();
    openedPath_.clear();
    panel(StatusPanel::UserCount)->setText(tr("No file loaded"));
}

} // namespace kivo

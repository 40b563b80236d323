// The Open command: pick the user file and list every user in file order.
#include "file_name_text.h"
#include "frm_main.h"
#include "last_folder.h"
#include "user_list_model.h"

#include <QDateTime>
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

// A gauge drawn more often than the screen refreshes only costs time.
constexpr qint64 kGaugeRepaintMs = 15;

} // namespace

QString formatUserCount(double count, const QLocale& locale) {
    // Digits 0-9, as every other number in the window; only the decimal separator is the
    // user's. A locale's own toString would also bring its digits (Arabic-Indic, say).
    QString text = QLocale::c().toString(count, 'g', 15);
    text.replace(QLatin1Char('.'), locale.decimalPoint());
    return text;
}

void frmMain::mnuOpen_Click() {
    users_->clear(); // before the dialog: a cancelled dialog leaves the list empty
    const QString path =
        services_.chooseFile(this, kUserFileFilter, openDialogFolder(services_.settingsFile()));
    if (path.isEmpty())
        return;
    openUserFile(path);
}

void frmMain::openUserFile(const QString& path) {
    users_->clear(); // a file named without the dialog empties the list all the same
    if (const FileError error = userFile_.open(fileNameBytes(path))) {
        warn(tr("Open"), tr("The file %1 could not be opened: %2.")
                             .arg(oneLineText(path), QString::fromStdString(error.describe())));
        standWithoutFile();
        return;
    }
    openedPath_ = path;

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
    panel(StatusPanel::UserCount)->setText(formatUserCount(count, locale()) + tr(" users in file"));
    listUsers(count);
    toolbarButton(ToolbarButton::Undo)->setEnabled(true);
    toolbarButton(ToolbarButton::Update)->setEnabled(true);
}

void frmMain::listUsers(double count) {
    const auto total = static_cast<std::int64_t>(std::floor(count));
    // The gauge needs a positive maximum: with no whole record it stays hidden.
    if (total > 0) {
        gauge1_->setMaximum(static_cast<int>(total));
        gauge1_->setValue(0);
        gauge1_->show();
        gaugePixel_ = 0;
        gaugePaintedAt_ = QDateTime::currentMSecsSinceEpoch();
        sb1_->repaint(); // the count is readable while the names are read
    }
    // Growing the list by doubling would copy every name read so far, and touch fresh memory
    // each time, some thirty times over for a million users.
    users_->reserve(total);
    UserFile::Sequence records(userFile_);
    FileError stopped;
    for (std::int64_t i = 1; i <= total; ++i) {
        const ReadResult result = records.next();
        if (!result.record) {
            stopped = result.error;
            break;
        }
        users_->append(displayedBytes(result.record->Name));
        advanceGauge(i, total);
    }
    // What was read is listed before any message about what could not be.
    users_->publish();
    gauge1_->hide();
    if (stopped)
        warn(tr("Open"),
             tr("The file %1 could not be read to the end: %2.")
                 .arg(oneLineText(openedPath_), QString::fromStdString(stopped.describe())));
}

void frmMain::advanceGauge(std::int64_t listed, std::int64_t total) {
    // Setting the gauge costs microseconds even when nothing changes on screen: only set it
    // when its drawn end moves, and paint it at most once a frame.
    const int pixel = static_cast<int>(listed * gauge1_->width() / total);
    if (pixel == gaugePixel_)
        return;
    gaugePixel_ = pixel;
    gauge1_->setValue(static_cast<int>(listed));
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    if (now - gaugePaintedAt_ >= kGaugeRepaintMs) {
        gaugePaintedAt_ = now;
        gauge1_->repaint();
    }
}

void frmMain::standWithoutFile() {
    users_->clear();
    openedPath_.clear();
    panel(StatusPanel::UserCount)->setText(tr("No file loaded"));
}

} // namespace kivo

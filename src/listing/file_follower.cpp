#include "file_follower.h"

#include <QFileInfo>

namespace kivo {

FileFollower::FileFollower(QObject* parent) : QObject(parent) {
    looks_.setInterval(kLookEvery);
    connect(&looks_, &QTimer::timeout, this, &FileFollower::look);
    settle_.setSingleShot(true);
    settle_.setInterval(kSettle);
    connect(&settle_, &QTimer::timeout, this, &FileFollower::look);
    rereadLater_.setSingleShot(true);
    connect(&rereadLater_, &QTimer::timeout, this, &FileFollower::look);
}

void FileFollower::follow(const QString& path, const std::string& systemPath,
                          const FileStamp& known) {
    stop();
    path_ = path;
    systemPath_ = systemPath;
    known_ = known;
    if (watching_) {
        watcher_ = new QFileSystemWatcher(this);
        connect(watcher_, &QFileSystemWatcher::fileChanged, this, &FileFollower::settleThenLook);
        connect(watcher_, &QFileSystemWatcher::directoryChanged, this,
                &FileFollower::settleThenLook);
        watcher_->addPath(QFileInfo(path).absolutePath());
    }
    looks_.start();
    look();
}

void FileFollower::stop() {
    path_.clear();
    gone_ = false;
    looks_.stop();
    settle_.stop();
    rereadLater_.stop();
    delete watcher_;
    watcher_ = nullptr;
}

void FileFollower::settleThenLook() {
    if (!settle_.isActive())
        settle_.start();
}

void FileFollower::look() {
    if (path_.isEmpty())
        return;
    const auto now = UserFile::stampOf(systemPath_);
    // A file renamed over the path, or made again, is another file: the system watches files,
    // not paths, so the watch is set again on whatever the path names now.
    if (watcher_ && now && !watcher_->files().contains(path_))
        watcher_->addPath(path_);
    const FileChange change = compareStamps(known_, now);
    if (change == FileChange::Gone) {
        if (!std::exchange(gone_, true))
            emit changed(change, {});
        return;
    }
    const bool returned = std::exchange(gone_, false);
    if (change == FileChange::None) {
        if (returned)
            emit changed(change, *now);
        return;
    }
    if (change == FileChange::Rewritten || change == FileChange::Replaced) {
        const auto wait = std::chrono::milliseconds(
            kRereadEvery.count() -
            (sinceReread_.isValid() ? sinceReread_.elapsed() : kRereadEvery.count()));
        if (wait.count() > 0) {
            gone_ = returned; // still to be told, as it stands then
            if (!rereadLater_.isActive())
                rereadLater_.start(wait);
            return;
        }
        sinceReread_.start();
    }
    known_ = *now;
    emit changed(change, *now);
}

} // namespace kivo

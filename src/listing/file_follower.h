#pragma once

#include "file_change.h"

#include <QElapsedTimer>
#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

#include <chrono>
#include <string>

namespace kivo {

// Follows the file a path names: told by the system when it can (the file and its folder are
// watched, so a file renamed over the path is seen), and by looking at the path's stamp every
// few seconds, for shares and file systems that tell nothing. A look reads no record.
// Each change is told once, a burst of them a few times a second at most, and a change that
// needs every name read again at most once every two seconds.
class FileFollower : public QObject {
    Q_OBJECT
public:
    static constexpr std::chrono::milliseconds kLookEvery{2000};
    static constexpr std::chrono::milliseconds kSettle{200};
    static constexpr std::chrono::milliseconds kRereadEvery{2000};

    explicit FileFollower(QObject* parent = nullptr);

    // Follows the path from the known state on, looking at once. The path is given as text, for
    // the system's watch, and as the bytes the file was opened by.
    void follow(const QString& path, const std::string& systemPath, const FileStamp& known);
    void stop();
    bool isFollowing() const { return !path_.isEmpty(); }

    // Without the system's change events, as on a network share: only the regular look.
    void setWatching(bool on) { watching_ = on; }
    void setLookInterval(std::chrono::milliseconds every) { looks_.setInterval(every); }

signals:
    // now is the path's new stamp (none when Gone). None is told only when the path names the
    // file again after it was gone.
    void changed(kivo::FileChange change, const kivo::FileStamp& now);

private:
    void look();
    void settleThenLook();

    QString path_;
    std::string systemPath_;
    FileStamp known_;
    bool gone_ = false;
    bool watching_ = true;
    QFileSystemWatcher* watcher_ = nullptr; // made afresh for each path followed
    QTimer looks_;
    QTimer settle_;
    QTimer rereadLater_;
    QElapsedTimer sinceReread_;
};

} // namespace kivo

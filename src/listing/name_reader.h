#pragma once

#include "file_error.h"
#include "user_list.h"

#include <QObject>
#include <QThread>

#include <atomic>
#include <cstdint>
#include <mutex>

namespace kivo {

class UserFile;

// Reads users' names in the background, on a thread of its own, through a file the caller holds
// open and keeps open while a read runs. What has been read waits in an inbox that the caller's
// thread empties with take() when told by namesReady(); a slow taker gets larger batches, never a
// queue of them.
class NameReader : public QObject {
    Q_OBJECT
public:
    // What has been read since the last take(): the names of records first, first + 1, …
    struct Batch {
        std::int64_t first = 0;
        UserList names;
        bool done = false; // the read is over: every record asked for, or an error
        FileError error;   // why the read ended early
    };

    explicit NameReader(QObject* parent = nullptr);
    ~NameReader() override;

    // Reads the names of records first … last, replacing any read still running. The file must
    // stay open, and unchanged as an object, until the read is done or stop() returns.
    void start(const UserFile& file, std::int64_t first, std::int64_t last);
    // Ends the running read, if any, and returns once the file is no longer being read. What was
    // read before stays in the inbox.
    void stop();
    Batch take();

signals:
    // The inbox holds something new; sent once until the next take().
    void namesReady();

private:
    void read(const UserFile& file, std::int64_t first, std::int64_t last,
              std::uint64_t generation);
    // Hands names over to the inbox; false when the read has been stopped meanwhile.
    bool deliver(std::int64_t first, UserList& names, bool done, FileError error,
                 std::uint64_t generation);

    QThread thread_;
    QObject worker_; // lives in thread_: what is queued to it runs there
    std::atomic<std::uint64_t> generation_; // counts the reads started; only its changes matter
    std::mutex reading_; // held by the thread while it reads
    std::mutex inboxLock_;
    // What waits for take(), and whether namesReady() has been sent for it: a fresh inbox has
    // not been announced.
    struct Inbox {
        Batch batch;
        bool announced = false;
    };
    Inbox inbox_;
};

} // namespace kivo

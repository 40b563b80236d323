#include "name_reader.h"

#include "user_file.h"

#include <algorithm>
#include <chrono>
#include <optional>
#include <thread>

namespace kivo {
namespace {

// Names are handed over at most this often, so the taker's thread is not woken for every read,
// and the list still grows smoothly.
constexpr auto kHandOverEvery = std::chrono::milliseconds(20);

// A record another program holds locked is tried again a few times, for about a second in all
// over one read of the names: the board holds its locks only while it writes a record.
class LockedRetries {
public:
    static constexpr auto kBudget = std::chrono::milliseconds(1000);
    static constexpr auto kPause = std::chrono::milliseconds(50);

    ReadResult read(const UserFile& file, std::int64_t number, std::uint64_t generation,
                    const std::atomic<std::uint64_t>& current) {
        for (;;) {
            ReadResult result = file.read(number);
            if (result.record || result.error.kind != FileError::Kind::Locked ||
                spent_ >= kBudget || generation != current)
                return result;
            std::this_thread::sleep_for(kPause);
            spent_ += kPause;
        }
    }

private:
    std::chrono::milliseconds spent_{0};
};

} // namespace

NameReader::NameReader(QObject* parent) : QObject(parent) {
    worker_.moveToThread(&thread_);
    thread_.setObjectName(QStringLiteral("name reader"));
    thread_.start();
}

NameReader::~NameReader() {
    stop();
    thread_.quit();
    thread_.wait();
}

void NameReader::start(const UserFile& file, std::int64_t first, std::int64_t last) {
    stop();
    {
        const std::lock_guard lock(inboxLock_);
        inbox_ = {Batch{first, {}, false, {}}};
    }
    const std::uint64_t generation = generation_.load();
    QMetaObject::invokeMethod(
        &worker_, [this, &file, first, last, generation] { read(file, first, last, generation); },
        Qt::QueuedConnection);
}

void NameReader::stop() {
    ++generation_;
    const std::lock_guard waitForTheRead(reading_);
}

NameReader::Batch NameReader::take() {
    const std::lock_guard lock(inboxLock_);
    Batch batch = std::move(inbox_.batch);
    inbox_ = {Batch{batch.first + batch.names.size(), {}, false, {}}};
    return batch;
}

void NameReader::read(const UserFile& file, std::int64_t first, std::int64_t last,
                      std::uint64_t generation) {
    const std::lock_guard lock(reading_);
    if (generation != generation_)
        return;
    std::optional<UserFile::Sequence> records(std::in_place, file, first);
    UserList names;
    std::int64_t namesFirst = first;
    auto handedOverAt = std::chrono::steady_clock::now();
    LockedRetries retries;
    for (std::int64_t number = first; number <= last;) {
        const UserFile::Sequence::Bytes result = records->nextBytes();
        if (result.record) {
            names.append(storedNameBytes(*result.record));
            ++number;
        } else if (result.error.kind == FileError::Kind::Locked) {
            // A lock on one record fails the read of its whole chunk: that chunk is read a
            // record at a time, so the lock costs only the records it covers.
            const std::int64_t chunkEnd = std::min(last, number + UserFile::kRecordsPerChunk - 1);
            for (; number <= chunkEnd; ++number) {
                const ReadResult single = retries.read(file, number, generation, generation_);
                if (single.record) {
                    names.append(displayedBytes(single.record->Name));
                } else if (single.error.kind == FileError::Kind::Locked) {
                    names.appendPlaceholder();
                } else {
                    deliver(namesFirst, names, true, single.error, generation);
                    return;
                }
            }
            records.emplace(file, number);
        } else {
            deliver(namesFirst, names, true, result.error, generation);
            return;
        }
        // A read of the system's happens once a chunk: look at the clock and at stop() then.
        if (records->bufferedRecords() == 0 || number > last) {
            if (generation != generation_)
                return;
            const auto now = std::chrono::steady_clock::now();
            if (now - handedOverAt >= kHandOverEvery) {
                handedOverAt = now;
                const std::int64_t count = names.size();
                if (!deliver(namesFirst, names, false, {}, generation))
                    return;
                namesFirst += count;
            }
        }
    }
    deliver(namesFirst, names, true, {}, generation);
}

bool NameReader::deliver(std::int64_t first, UserList& names, bool done, FileError error,
                         std::uint64_t generation) {
    bool announce = false;
    {
        const std::lock_guard lock(inboxLock_);
        if (generation != generation_)
            return false;
        Batch& batch = inbox_.batch;
        if (batch.names.empty()) {
            batch.first = first;
            std::swap(batch.names, names);
        } else {
            batch.names.append(names);
        }
        batch.done = done;
        batch.error = error;
        announce = !std::exchange(inbox_.announced, true);
    }
    names.truncate(0);
    if (announce)
        emit namesReady();
    return true;
}

} // namespace kivo

#pragma once

#include "file_error.h"
#include "user_record.h"

#include <cstdint>
#include <cstdio>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace kivo {

// What tells one state of a file from another without reading it: which file it is (device and
// inode, or volume and file id on Windows), its length and its last write.
struct FileStamp {
    std::uint64_t device = 0;
    std::uint64_t file = 0;
    std::int64_t size = 0;
    std::int64_t modified = 0; // nanoseconds, or 100 ns ticks on Windows
    bool sameFile(const FileStamp& other) const {
        return device == other.device && file == other.file;
    }
    bool operator==(const FileStamp&) const = default;
};

struct ReadResult {
    std::optional<UserRecord> record; // present exactly when error is None
    FileError error;
};

// The one user file the viewer has open. It holds the open file and nothing else: the count is
// asked of the file system every time and every record is read afresh. It never writes.
// open, length, readPiece and closeAll talk to the system, one file per system
// (user_file_posix.cpp, user_file_windows.cpp); the rest is shared (user_file.cpp).
class UserFile {
public:
    UserFile() = default;
    ~UserFile();
    UserFile(const UserFile&) = delete;
    UserFile& operator=(const UserFile&) = delete;

    // Opens the file read-only, closing any file opened before. Refuses, without creating
    // anything and without blocking, whatever is not an existing regular file.
    [[nodiscard]] FileError open(const std::string& path);

    // Length in bytes / 273, not rounded: a file with trailing bytes has a fractional count.
    // 0 when nothing is open or the length cannot be had.
    double userCount() const;

    // The file's length in bytes, or nothing when it cannot be had.
    std::optional<std::int64_t> length() const;

    // One positioned read of record n (1-based), decoded into a fresh record. A record that is
    // not wholly in the file is an error, never a record with stale or zero-filled fields.
    [[nodiscard]] ReadResult read(std::int64_t n) const;

    // Whether the stream writes into the open file itself, whatever name either was opened by: the
    // same device and inode, or on Windows the same volume and file id. A shell redirection such
    // as `>> FILE` or `1<> FILE` would otherwise overwrite the users being read.
    bool isWrittenBy(std::FILE* stream) const;

    // Reads whole records from number first on into the buffer, as many as it holds and the file
    // has; records tells how many. Fewer than fit means the file ends there, or the error.
    [[nodiscard]] FileError readRecords(std::int64_t first, std::span<std::uint8_t> into,
                                        std::int64_t& records) const;

    // Opens the file other has open through a handle of its own, without naming it again: a
    // reader in another thread goes on reading it while other is opened afresh or closed.
    [[nodiscard]] FileError openCopyOf(const UserFile& other);

    void closeAll();
    bool isOpen() const { return handle_ != kNoHandle; }

    // Trades open files with another UserFile, so a new file can be opened before the old one
    // is let go.
    void swap(UserFile& other) noexcept { std::swap(handle_, other.handle_); }

    // The open file's stamp, or nothing when nothing is open.
    std::optional<FileStamp> stamp() const;
    // The stamp of the file the path names now, or nothing when it names none. Never reads it.
    static std::optional<FileStamp> stampOf(const std::string& path);

    // Called before each read of the system's, from the reading thread, with the read's offset
    // and size; an error it returns fails that read. A slow disk or a locked record, for tests
    // and benchmarks. Set it before any read starts.
    using ReadSeam = std::function<FileError(std::int64_t offset, std::size_t size)>;
    void setBeforeEachRead(ReadSeam seam) { beforeEachRead_ = std::move(seam); }

    // Records read at once while listing: 65,520 bytes a read.
    static constexpr std::int64_t kRecordsPerChunk = 240;

    // Reads records 1, 2, … in file order through a buffer, so listing a large file does not
    // cost one system call per user. next() decodes each record whole; nextBytes() hands out
    // its bytes as stored, for a reader that needs one field only.
    class Sequence {
    public:
        struct Bytes {
            // Present exactly when error is None; valid until the next call.
            std::optional<std::span<const std::uint8_t, kRecordSize>> record;
            FileError error;
        };

        // Starts at record first (1-based).
        explicit Sequence(const UserFile& file, std::int64_t first = 1)
            : file_(file), number_(first - 1) {}
        ReadResult next();
        Bytes nextBytes();
        std::int64_t lastNumber() const { return number_; }
        // Records read from the file and not yet handed out: at 0, next() reads again.
        std::size_t bufferedRecords() const { return (buffer_.size() - used_) / kRecordSize; }

    private:
        const UserFile& file_;
        std::vector<std::uint8_t> buffer_;
        std::size_t used_ = 0; // bytes of buffer_ already handed out
        std::int64_t number_;  // the record last handed out; set from the first asked for
    };

private:
    // Reads up to size bytes at offset, retrying interrupted and short reads. Returns the number
    // of bytes read (less than size only at the end of the file), or the error.
    FileError readAt(std::int64_t offset, std::uint8_t* into, std::size_t size,
                     std::size_t& got) const;
    // One read of the system's: got is what it gave, 0 at the end of the file.
    FileError readPiece(std::int64_t offset, std::uint8_t* into, std::size_t size,
                        std::size_t& got) const;

    // The open file: a descriptor, or a Windows HANDLE. -1 is neither an open descriptor nor a
    // HANDLE CreateFileW returns (it is INVALID_HANDLE_VALUE).
    using Handle = std::intptr_t;
    static constexpr Handle kNoHandle = -1;
    Handle handle_ = kNoHandle;
    ReadSeam beforeEachRead_;
};

} // namespace kivo

#include "user_file.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kivo {
namespace {

FileError fromErrno(int error) {
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return {FileError::Kind::NotFound, error};
    case EACCES:
    case EPERM:
        return {FileError::Kind::NoPermission, error};
    case EISDIR:
        return {FileError::Kind::IsDirectory, error};
    case ENXIO: // a FIFO without writer or a socket refuses a non-blocking open
        return {FileError::Kind::NotRegular, error};
    default:
        return {FileError::Kind::SystemError, error};
    }
}

constexpr std::size_t kRecordsPerChunk = 240; // 65,520 bytes a read while listing

} // namespace

UserFile::~UserFile() {
    closeAll();
}

FileError UserFile::open(const std::string& path) {
    closeAll();
    if (path.empty())
        return {FileError::Kind::NotFound, ENOENT};
    // O_NONBLOCK: opening a FIFO must never wait for a writer. No O_CREAT: a missing file is an
    // error, not a new empty file.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0)
        return fromErrno(errno);
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        const int error = errno;
        ::close(fd);
        return fromErrno(error);
    }
    if (!S_ISREG(info.st_mode)) {
        ::close(fd);
        return {S_ISDIR(info.st_mode) ? FileError::Kind::IsDirectory : FileError::Kind::NotRegular,
                0};
    }
    fd_ = fd;
    return {};
}

std::optional<std::int64_t> UserFile::length() const {
    struct stat info {};
    if (fd_ < 0 || ::fstat(fd_, &info) != 0)
        return std::nullopt;
    return static_cast<std::int64_t>(info.st_size);
}

double UserFile::userCount() const {
    const auto bytes = length();
    return bytes ? static_cast<double>(*bytes) / static_cast<double>(kRecordSize) : 0.0;
}

FileError UserFile::readAt(std::int64_t offset, std::uint8_t* into, std::size_t size,
                           std::size_t& got) const {
    got = 0;
    if (fd_ < 0)
        return {FileError::Kind::NoFile, 0};
    while (got < size) {
        const ssize_t n = ::pread(fd_, into + got, size - got, static_cast<off_t>(offset + got));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return fromErrno(errno);
        }
        if (n == 0)
            break; // end of file
        got += static_cast<std::size_t>(n);
    }
    return {};
}

ReadResult UserFile::read(std::int64_t n) const {
    constexpr auto kMaxNumber = INT64_MAX / static_cast<std::int64_t>(kRecordSize);
    if (fd_ < 0)
        return {std::nullopt, {FileError::Kind::NoFile, 0}};
    if (n < 1 || n > kMaxNumber)
        return {std::nullopt, {FileError::Kind::RecordMissing, 0, n}};
    RecordBytes bytes;
    std::size_t got = 0;
    if (auto error = readAt((n - 1) * static_cast<std::int64_t>(kRecordSize), bytes.data(),
                            bytes.size(), got))
        return {std::nullopt, error};
    if (got < kRecordSize)
        return {std::nullopt, {FileError::Kind::RecordMissing, 0, n}};
    return {decodeRecord(bytes), {}};
}

void UserFile::closeAll() {
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

ReadResult UserFile::Sequence::next() {
    if (used_ + kRecordSize > buffer_.size()) {
        buffer_.resize(kRecordsPerChunk * kRecordSize);
        std::size_t got = 0;
        const auto offset = number_ * static_cast<std::int64_t>(kRecordSize);
        if (auto error = file_.readAt(offset, buffer_.data(), buffer_.size(), got)) {
            buffer_.clear();
            used_ = 0;
            return {std::nullopt, error};
        }
        buffer_.resize(got);
        used_ = 0;
        if (got < kRecordSize)
            return {std::nullopt, {FileError::Kind::RecordMissing, 0, number_ + 1}};
    }
    const std::span<const std::uint8_t, kRecordSize> bytes(buffer_.data() + used_, kRecordSize);
    used_ += kRecordSize;
    ++number_;
    return {decodeRecord(bytes), {}};
}

} // namespace kivo

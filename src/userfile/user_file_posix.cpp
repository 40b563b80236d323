// UserFile's own system calls on Linux and other POSIX systems: a descriptor opened without
// blocking, fstat for the length and the file's identity, pread for positioned reads.
#include "user_file.h"

#include <cerrno>
#include <cstring>
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

int descriptor(std::intptr_t handle) {
    return static_cast<int>(handle);
}

FileStamp stampFrom(const struct stat& info) {
    return {static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino),
            static_cast<std::int64_t>(info.st_size),
            static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec};
}

} // namespace

std::string systemErrorText(int code) {
    return std::strerror(code);
}

FileError UserFile::open(const std::string& path) {
    closeAll();
    if (path.empty())
        return {FileError::Kind::NotFound, ENOENT};
    // The system reads a name up to its first NUL: "a\0b" would open "a".
    if (path.find('\0') != std::string::npos)
        return {FileError::Kind::BadName};
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
    handle_ = fd;
    return {};
}

FileError UserFile::openCopyOf(const UserFile& other) {
    closeAll();
    if (!other.isOpen())
        return {FileError::Kind::NoFile};
    const int fd = ::fcntl(descriptor(other.handle_), F_DUPFD_CLOEXEC, 0);
    if (fd < 0)
        return fromErrno(errno);
    handle_ = fd;
    return {};
}

std::optional<std::int64_t> UserFile::length() const {
    struct stat info {};
    if (!isOpen() || ::fstat(descriptor(handle_), &info) != 0)
        return std::nullopt;
    return static_cast<std::int64_t>(info.st_size);
}

std::optional<FileStamp> UserFile::stamp() const {
    struct stat info {};
    if (!isOpen() || ::fstat(descriptor(handle_), &info) != 0)
        return std::nullopt;
    return stampFrom(info);
}

std::optional<FileStamp> UserFile::stampOf(const std::string& path) {
    struct stat info {};
    if (path.empty() || ::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    return stampFrom(info);
}

FileError UserFile::readPiece(std::int64_t offset, std::uint8_t* into, std::size_t size,
                              std::size_t& got) const {
    ssize_t n;
    do
        n = ::pread(descriptor(handle_), into, size, static_cast<off_t>(offset));
    while (n < 0 && errno == EINTR);
    if (n < 0)
        return fromErrno(errno);
    got = static_cast<std::size_t>(n);
    return {};
}

bool UserFile::isWrittenBy(std::FILE* stream) const {
    struct stat ours {};
    struct stat theirs {};
    return isOpen() && ::fstat(descriptor(handle_), &ours) == 0 &&
           ::fstat(::fileno(stream), &theirs) == 0 && stampFrom(ours).sameFile(stampFrom(theirs));
}

void UserFile::closeAll() {
    if (isOpen())
        ::close(descriptor(handle_));
    handle_ = kNoHandle;
}

} // namespace kivo

// The settings file on Linux and other POSIX systems: its type is asked before it is opened,
// and it is opened without blocking, so a FIFO, a device or a folder in its place is never read.
#include "settings_file.h"

#include <QFile>
#include <QStandardPaths>

#include <algorithm>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kivo {
namespace {

// Up to limit bytes from the descriptor's start; nothing when a read fails.
std::optional<QByteArray> readAtMost(int fd, qint64 limit) {
    QByteArray bytes(limit, Qt::Uninitialized);
    qsizetype got = 0;
    while (got < bytes.size()) {
        const ssize_t n = ::read(fd, bytes.data() + got, std::size_t(bytes.size() - got));
        if (n == 0)
            break;
        if (n < 0 && errno != EINTR)
            return std::nullopt;
        got += std::max<ssize_t>(n, 0);
    }
    bytes.truncate(got);
    return bytes;
}

} // namespace

QString defaultSettingsFile() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/kivo32/kivo32.ini");
}

std::optional<QByteArray> readSettingsFile(const QString& path) {
    const QByteArray name = QFile::encodeName(path);
    struct stat info {};
    // stat follows links, so a link to a regular file reads that file. Nothing else is opened,
    // not even to look: opening a device can already do something (rewind a tape, say).
    if (::stat(name.constData(), &info) != 0)
        return errno == ENOENT ? std::optional(QByteArray()) : std::nullopt;
    if (!S_ISREG(info.st_mode) || info.st_size > kMaxSettingsBytes)
        return std::nullopt;
    // The path may have changed since: open without blocking on a FIFO, and look again.
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return std::nullopt;
    std::optional<QByteArray> bytes;
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode))
        bytes = readAtMost(fd, kMaxSettingsBytes + 1);
    ::close(fd);
    if (bytes && bytes->size() > kMaxSettingsBytes)
        return std::nullopt; // it grew past what a file of ours holds
    return bytes;
}

} // namespace kivo

#include "this_system.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

namespace kivo::testing {

std::vector<RefusedPath> systemRefusedPaths(const QString& folder) {
    const QString fifo = QDir(folder).filePath("BBBSUSER.fifo");
    if (!QFile::exists(fifo) && ::mkfifo(QFile::encodeName(fifo).constData(), 0600) != 0)
        qFatal("cannot make the FIFO %s", qPrintable(fifo));
    return {
        {"FIFO without a writer", fifo, FileError::Kind::NotRegular},
        {"endless character device", "/dev/zero", FileError::Kind::NotRegular},
        {"empty character device", "/dev/null", FileError::Kind::NotRegular},
    };
}

QString storableFileName(const QString& name) {
    return name;
}

std::optional<bool> heldOpen(const QString& path) {
#ifdef Q_OS_LINUX
    // Each of the process's open files is a link named by its descriptor.
    const QString file = QFileInfo(path).canonicalFilePath();
    for (const QFileInfo& fd : QDir("/proc/self/fd").entryInfoList(QDir::Files | QDir::System))
        if (fd.symLinkTarget() == file)
            return true;
    return false;
#else
    Q_UNUSED(path);
    return std::nullopt;
#endif
}

std::unique_ptr<HeldLock> lockBytes(const QString&, qint64, qint64) {
    return nullptr;
}

} // namespace kivo::testing

#include "this_system.h"

#include <QDir>
#include <QFile>

#include <fstream>
#include <string>
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

long residentKb() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6));
    return -1;
}

} // namespace kivo::testing

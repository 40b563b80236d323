#pragma once

// A temporary folder for the user files a test makes with our own encoder.
#include "user_file_writer.h"

#include <QByteArray>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

namespace kivo::testing {

class TestFiles {
public:
    QString path(const QString& name) const { return dir_.filePath(name); }

    // Writes the bytes to the named file, making its folders, and returns its full path.
    QString write(const QString& name, const std::vector<std::uint8_t>& bytes) {
        const QString full = path(name);
        QDir().mkpath(QFileInfo(full).path());
        if (!tools::writeFile(full.toStdString(), bytes))
            qFatal("cannot write %s", qPrintable(full));
        return full;
    }
    QString write(const QString& name, const QByteArray& bytes) {
        return write(name, std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
    }

private:
    QTemporaryDir dir_;
};

} // namespace kivo::testing

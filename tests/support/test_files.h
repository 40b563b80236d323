#pragma once

// A temporary folder for the user files a test makes with our own encoder.
#include "user_file_writer.h"

#include <QByteArray>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <filesystem>

namespace kivo::testing {

class TestFiles {
public:
    TestFiles() = default;
    TestFiles(const TestFiles&) = delete;
    TestFiles& operator=(const TestFiles&) = delete;
    // Qt lists no name that is not UTF-8, so its removal would leave such files behind.
    ~TestFiles() {
        std::error_code ignored;
        std::filesystem::remove_all(std::filesystem::path(dir_.path().toStdU16String()), ignored);
    }

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

#include "this_system.h"

#include <QCoreApplication>
#include <QDir>

#include <windows.h>

namespace kivo::testing {

std::vector<RefusedPath> systemRefusedPaths(const QString& folder) {
    // A pipe whose server never writes; the handle stays open until the program ends.
    const QString pipe =
        QStringLiteral("\\\\.\\pipe\\kivo32-test-%1").arg(QCoreApplication::applicationPid());
    static const HANDLE server =
        CreateNamedPipeW(reinterpret_cast<const wchar_t*>(pipe.utf16()), PIPE_ACCESS_OUTBOUND,
                         PIPE_TYPE_BYTE, PIPE_UNLIMITED_INSTANCES, 4096, 4096, 0, nullptr);
    if (server == INVALID_HANDLE_VALUE)
        qFatal("cannot make the named pipe %s", qPrintable(pipe));
    // Device names are reserved in every folder: a "file" called NUL is the device.
    const QDir dir(folder);
    return {
        {"named pipe without a writer", pipe, FileError::Kind::NotRegular},
        {"NUL device", dir.filePath("NUL"), FileError::Kind::NotRegular},
        {"console device", dir.filePath("CON"), FileError::Kind::NotRegular},
    };
}

QString storableFileName(const QString& name) {
    QString storable = name;
    storable.removeIf([](QChar c) { return c.unicode() < 0x20; });
    return storable;
}

std::optional<bool> heldOpen(const QString&) {
    return std::nullopt;
}

namespace {

class WindowsLock : public HeldLock {
public:
    WindowsLock(HANDLE file, qint64 offset, qint64 length) : file_(file), length_(length) {
        place_.Offset = DWORD(offset);
        place_.OffsetHigh = DWORD(quint64(offset) >> 32);
    }
    bool lock() {
        return LockFileEx(file_, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0,
                          DWORD(length_), DWORD(quint64(length_) >> 32), &place_);
    }
    ~WindowsLock() override {
        UnlockFileEx(file_, 0, DWORD(length_), DWORD(quint64(length_) >> 32), &place_);
        CloseHandle(file_);
    }

private:
    HANDLE file_;
    qint64 length_;
    OVERLAPPED place_{};
};

} // namespace

std::unique_ptr<HeldLock> lockBytes(const QString& path, qint64 offset, qint64 length) {
    const HANDLE file =
        CreateFileW(reinterpret_cast<const wchar_t*>(path.utf16()), GENERIC_READ | GENERIC_WRITE,
                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        qFatal("cannot open %s to lock it", qPrintable(path));
    auto held = std::make_unique<WindowsLock>(file, offset, length);
    if (!held->lock())
        qFatal("cannot lock %s", qPrintable(path));
    return held;
}

} // namespace kivo::testing

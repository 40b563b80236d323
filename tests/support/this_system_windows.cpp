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

} // namespace kivo::testing

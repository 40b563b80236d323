#pragma once

// What the tests must do differently on each system: the paths that name something other than
// a regular file there, and how to see which files the process holds open. One file per system:
// this_system_posix.cpp, this_system_windows.cpp.
#include "file_error.h"

#include <QString>

#include <memory>
#include <optional>

#include <vector>

namespace kivo::testing {

struct RefusedPath {
    const char* what; // the test row's name
    QString path;     // absolute
    FileError::Kind kind;
};

// The system's own devices, and a pipe that no one writes to, made in the given folder (a FIFO;
// on Windows a named pipe, which lives in its own name space) and kept until the program ends.
std::vector<RefusedPath> systemRefusedPaths(const QString& folder);

// The name as a file on this system can hold it: Windows refuses control characters in names.
QString storableFileName(const QString& name);

// Whether this process holds the file open; nothing when the system does not tell.
std::optional<bool> heldOpen(const QString& path);

// A lock another program would hold on bytes of a file, kept while the object lives.
class HeldLock {
public:
    virtual ~HeldLock() = default;
};

// Locks the bytes through a handle of its own, as another program would; nothing where the
// system's locks do not stop another handle's reads (POSIX locks are advisory).
std::unique_ptr<HeldLock> lockBytes(const QString& path, qint64 offset, qint64 length);

} // namespace kivo::testing

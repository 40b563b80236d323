#pragma once

// What the tests must do differently on each system: the paths that name something other than
// a regular file there, and how to ask for the process's memory. One file per system:
// this_system_posix.cpp, this_system_windows.cpp.
#include "file_error.h"

#include <QString>

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

// The memory the process holds in RAM, in kB; -1 when it cannot be had.
long residentKb();

} // namespace kivo::testing

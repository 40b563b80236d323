#pragma once

#include "user_file.h"

#include <optional>

namespace kivo {

// How the file a path names differs from the state the list was read from.
enum class FileChange {
    None,      // the same file, as it was
    Grown,     // the same file, longer: records were appended
    Rewritten, // the same file, written in place or shortened
    Replaced,  // the path names another file (renamed over, or deleted and made again)
    Gone,      // the path names no file
};

// Tells the change from the two stamps alone: nothing is read.
FileChange compareStamps(const FileStamp& known, const std::optional<FileStamp>& atPath);

} // namespace kivo

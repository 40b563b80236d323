#pragma once

#include <cstdint>
#include <string>

namespace kivo {

// Why the user file could not be opened or read. The window turns it into a sentence.
struct FileError {
    enum class Kind {
        None,
        NoFile,       // nothing open, or a record read before any open
        NotFound,     // the path names no file
        BadName,      // no file can have that name: it holds a NUL, or is not text the system takes
        IsDirectory,  // the path names a folder
        NotRegular,   // a device, pipe or socket: not a user file
        NoPermission, // the system refused to let us read it
        SystemError,  // any other failure the system reported (its code kept)
        RecordMissing, // the record is not wholly in the file (it shrank, or the number is wrong)
        Locked,        // another program holds a lock on bytes of the read (Windows)
    };

    Kind kind = Kind::None;
    int systemError = 0;           // errno, or GetLastError() on Windows, for SystemError
    std::int64_t recordNumber = 0; // for RecordMissing

    explicit operator bool() const { return kind != Kind::None; }
    bool operator==(const FileError&) const = default;

    // A clause that finishes "The file could not be opened: …", e.g. "it does not exist".
    std::string describe() const;
};

// The system's own words for one of its error codes (in the user file's platform part).
std::string systemErrorText(int code);

} // namespace kivo

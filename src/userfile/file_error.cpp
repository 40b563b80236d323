#include "file_error.h"

namespace kivo {

std::string FileError::describe() const {
    switch (kind) {
    case Kind::None:
        return "no error";
    case Kind::NoFile:
        return "no user file is open";
    case Kind::NotFound:
        return "it does not exist";
    case Kind::BadName:
        return "its name cannot be handed to the system as it is (it holds a NUL, or bytes that "
               "are not text)";
    case Kind::IsDirectory:
        return "it is a folder, not a file";
    case Kind::NotRegular:
        return "it is not a regular file (it is a device, a pipe or a socket)";
    case Kind::NoPermission:
        return "permission to read it was denied";
    case Kind::SystemError:
        return "the system reported: " + systemErrorText(systemError);
    case Kind::RecordMissing:
        return "user " + std::to_string(recordNumber) +
               " is no longer wholly in the file; it may have been shortened since it was listed";
    case Kind::Locked:
        return "another program holds part of it locked";
    }
    return "unknown error";
}

} // namespace kivo

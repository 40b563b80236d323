// UserFile's own system calls on Windows: a HANDLE from CreateFileW, GetFileSizeEx for the
// length, ReadFile at an explicit offset. The C runtime's open/read would read in text mode
// (stopping at a 0x1A byte), call a folder "permission denied" and give a 32-bit length.
#include "user_file.h"

#include <io.h>
#include <windows.h>

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstring>
#include <optional>

namespace kivo {
namespace {

FileError fromWindowsError(DWORD error) {
    const int code = static_cast<int>(error);
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME: // no file can have that name, e.g. one with '?' in it
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
        return {FileError::Kind::NotFound, code};
    case ERROR_ACCESS_DENIED:
        return {FileError::Kind::NoPermission, code};
    case ERROR_PIPE_BUSY: // a named pipe with no free instance
        return {FileError::Kind::NotRegular, code};
    case ERROR_LOCK_VIOLATION: // another process locked bytes of the range (LockFileEx)
        return {FileError::Kind::Locked, code};
    default:
        return {FileError::Kind::SystemError, code};
    }
}

HANDLE windowsHandle(std::intptr_t handle) {
    return reinterpret_cast<HANDLE>(handle);
}

// The path as Windows takes it. The window hands over UTF-8; a path that is not valid UTF-8
// cannot name a file.
std::optional<std::wstring> widePath(const std::string& path) {
    const int size = static_cast<int>(std::min<std::size_t>(path.size(), INT_MAX));
    const int length =
        MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path.data(), size, nullptr, 0);
    if (length <= 0)
        return std::nullopt;
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path.data(), size, wide.data(), length);
    return wide;
}

// Whether the path names a whole device rather than a file: the reserved names (NUL, CON, COM1,
// … in any folder) come back from GetFullPathNameW as \\.\NAME, and volumes and disks are
// named that way too (\\.\C:, \\.\PhysicalDrive0; GetFileType would call them disks).
// Opening one could wait for input, raise a modem line or read a whole disk, so they are refused
// unopened. A file or pipe under the device space (\\.\pipe\NAME) has a folder part.
bool namesADevice(const std::wstring& path) {
    const DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (size == 0)
        return false;
    std::wstring full(size, L'\0');
    full.resize(GetFullPathNameW(path.c_str(), size, full.data(), nullptr));
    const std::wstring deviceSpace = L"\\\\.\\";
    return full.starts_with(deviceSpace) &&
           full.find(L'\\', deviceSpace.size()) == std::wstring::npos;
}

std::optional<FileStamp> stampOfHandle(HANDLE handle) {
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(handle, &info))
        return std::nullopt;
    const auto join = [](DWORD high, DWORD low) {
        return (static_cast<std::uint64_t>(high) << 32) | low;
    };
    return FileStamp{info.dwVolumeSerialNumber, join(info.nFileIndexHigh, info.nFileIndexLow),
                     static_cast<std::int64_t>(join(info.nFileSizeHigh, info.nFileSizeLow)),
                     static_cast<std::int64_t>(join(info.ftLastWriteTime.dwHighDateTime,
                                                    info.ftLastWriteTime.dwLowDateTime))};
}

} // namespace

std::string systemErrorText(int code) {
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, static_cast<DWORD>(code), 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::string message;
    if (length > 0) {
        const int size = WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), nullptr, 0,
                                             nullptr, nullptr);
        message.resize(static_cast<std::size_t>(std::max(size, 0)));
        WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), message.data(), size,
                            nullptr, nullptr);
    }
    LocalFree(text);
    // Windows ends its messages with ".\r\n"; the caller finishes the sentence itself.
    while (!message.empty() &&
           (message.back() == '.' || std::isspace(static_cast<unsigned char>(message.back()))))
        message.pop_back();
    return message.empty() ? "error " + std::to_string(code) : message;
}

FileError UserFile::open(const std::string& path) {
    closeAll();
    if (path.empty())
        return {FileError::Kind::NotFound, ERROR_FILE_NOT_FOUND};
    const auto wide = widePath(path);
    // The system reads a name up to its first NUL: "a\0b" would open "a".
    if (!wide || wide->find(L'\0') != std::wstring::npos)
        return {FileError::Kind::BadName};
    if (namesADevice(*wide))
        return {FileError::Kind::NotRegular};
    // Sharing read, write and delete: the board goes on writing, renaming and removing the file
    // while it is shown here. OPEN_EXISTING: a missing file is an error, not a new empty file.
    const HANDLE handle = CreateFileW(wide->c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        // Windows refuses to open a folder as a file with "access denied".
        if (error == ERROR_ACCESS_DENIED) {
            const DWORD attributes = GetFileAttributesW(wide->c_str());
            if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
                return {FileError::Kind::IsDirectory};
        }
        return fromWindowsError(error);
    }
    // Pipes open like files; only a file on a disk is a user file.
    if (GetFileType(handle) != FILE_TYPE_DISK) {
        CloseHandle(handle);
        return {FileError::Kind::NotRegular};
    }
    handle_ = reinterpret_cast<Handle>(handle);
    return {};
}

FileError UserFile::openCopyOf(const UserFile& other) {
    closeAll();
    if (!other.isOpen())
        return {FileError::Kind::NoFile};
    HANDLE copy = nullptr;
    const HANDLE self = GetCurrentProcess();
    if (!DuplicateHandle(self, windowsHandle(other.handle_), self, &copy, 0, FALSE,
                         DUPLICATE_SAME_ACCESS))
        return fromWindowsError(GetLastError());
    handle_ = reinterpret_cast<Handle>(copy);
    return {};
}

std::optional<std::int64_t> UserFile::length() const {
    LARGE_INTEGER size{};
    if (!isOpen() || !GetFileSizeEx(windowsHandle(handle_), &size))
        return std::nullopt;
    return static_cast<std::int64_t>(size.QuadPart);
}

std::optional<FileStamp> UserFile::stamp() const {
    return isOpen() ? stampOfHandle(windowsHandle(handle_)) : std::nullopt;
}

std::optional<FileStamp> UserFile::stampOf(const std::string& path) {
    const auto wide = widePath(path);
    if (!wide || namesADevice(*wide))
        return std::nullopt;
    // No access asked for: only the file's information, which no lock or share mode withholds.
    const HANDLE handle =
        CreateFileW(wide->c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return std::nullopt;
    const auto stamp = GetFileType(handle) == FILE_TYPE_DISK ? stampOfHandle(handle) : std::nullopt;
    CloseHandle(handle);
    return stamp;
}

FileError UserFile::readPiece(std::int64_t offset, std::uint8_t* into, std::size_t size,
                              std::size_t& got) const {
    const auto at = static_cast<std::uint64_t>(offset);
    OVERLAPPED position{};
    position.Offset = static_cast<DWORD>(at);
    position.OffsetHigh = static_cast<DWORD>(at >> 32);
    const auto wanted = static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30));
    DWORD n = 0;
    if (!ReadFile(windowsHandle(handle_), into, wanted, &n, &position)) {
        const DWORD error = GetLastError();
        if (error != ERROR_HANDLE_EOF) // reading at or past the end is no error: nothing to read
            return fromWindowsError(error);
    }
    got = n;
    return {};
}

bool UserFile::isWrittenBy(std::FILE* stream) const {
    // The volume and the file's 128-bit id. A console or a pipe has none: it is not the file.
    const auto identity = [](HANDLE handle) -> std::optional<FILE_ID_INFO> {
        FILE_ID_INFO id{};
        if (!GetFileInformationByHandleEx(handle, FileIdInfo, &id, sizeof id))
            return std::nullopt;
        return id;
    };
    const auto ours = identity(windowsHandle(handle_));
    const auto theirs = identity(reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream))));
    if (!isOpen() || !ours || !theirs ||
        std::memcmp(&ours->FileId, &theirs->FileId, sizeof ours->FileId) != 0)
        return false;
    // Wine gives no volume (0) for a handle the shell's redirection made. The same file id on
    // an unknown volume is taken as the same file: refusing an export is better than losing
    // the users.
    return ours->VolumeSerialNumber == theirs->VolumeSerialNumber ||
           ours->VolumeSerialNumber == 0 || theirs->VolumeSerialNumber == 0;
}

void UserFile::closeAll() {
    if (isOpen())
        CloseHandle(windowsHandle(handle_));
    handle_ = kNoHandle;
}

} // namespace kivo

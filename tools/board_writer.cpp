#include "board_writer.h"

#include "user_file_writer.h"

#include <filesystem>
#include <fstream>
#include <system_error>
#ifdef _WIN32
#include <windows.h>
#endif

namespace kivo::tools {
namespace {

// The path is UTF-8, as everywhere in the tools.
std::filesystem::path pathOf(const std::string& path) {
    return std::u8string(path.begin(), path.end());
}

bool writeAt(const std::string& path, std::ios::openmode mode, std::int64_t offset,
             const std::vector<std::uint8_t>& bytes) {
    std::fstream file(pathOf(path), std::ios::binary | std::ios::out | mode);
    if (!file)
        return false;
    if (offset >= 0)
        file.seekp(offset);
    file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    file.flush();
    return bool(file);
}

} // namespace

bool appendUsers(const std::string& path, const std::vector<UserRecord>& users,
                 const std::vector<std::uint8_t>& trailing) {
    return writeAt(path, std::ios::app, -1, userFileBytes(users, trailing));
}

bool rewriteUser(const std::string& path, std::int64_t number, const UserRecord& user) {
    return writeAt(path, std::ios::in, (number - 1) * std::int64_t(kRecordSize),
                   userFileBytes({user}));
}

bool shortenFile(const std::string& path, std::int64_t bytes) {
    std::error_code error;
    std::filesystem::resize_file(pathOf(path), std::uintmax_t(bytes), error);
    return !error;
}

bool replaceFile(const std::string& path, const std::vector<UserRecord>& users) {
    const std::string fresh = path + ".new";
    if (!writeFile(fresh, userFileBytes(users)))
        return false;
#ifdef _WIN32
    // The C library's rename refuses an existing target on Windows: the board replaces it.
    return MoveFileExW(pathOf(fresh).c_str(), pathOf(path).c_str(), MOVEFILE_REPLACE_EXISTING);
#else
    std::error_code error;
    std::filesystem::rename(pathOf(fresh), pathOf(path), error);
    return !error;
#endif
}

bool deleteFile(const std::string& path) {
    std::error_code error;
    return std::filesystem::remove(pathOf(path), error);
}

bool recreateFile(const std::string& path, const std::vector<UserRecord>& users) {
    return writeFile(path, userFileBytes(users));
}

std::vector<UserRecord> numberedUsers(std::int64_t first, std::int64_t count) {
    std::vector<UserRecord> users;
    for (std::int64_t n = first; n < first + count; ++n)
        users.push_back(numberedUser(n));
    return users;
}

} // namespace kivo::tools

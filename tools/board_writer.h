#pragma once

// The board at work on its user file, one step at a time, as the tests and benchmarks need it:
// each function changes the file the way the board does, and returns false when it could not.
#include "user_record.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kivo::tools {

// Appends the records at the end, then the extra bytes (a record not yet whole).
bool appendUsers(const std::string& path, const std::vector<UserRecord>& users,
                 const std::vector<std::uint8_t>& trailing = {});
// Writes record number (1-based) in place.
bool rewriteUser(const std::string& path, std::int64_t number, const UserRecord& user);
// Cuts the file to the given length.
bool shortenFile(const std::string& path, std::int64_t bytes);
// Writes a new file beside it and renames it over the path.
bool replaceFile(const std::string& path, const std::vector<UserRecord>& users);
// Deletes the file; recreateFile then writes a new one at the path.
bool deleteFile(const std::string& path);
bool recreateFile(const std::string& path, const std::vector<UserRecord>& users);

// Numbered users first … first + count - 1.
std::vector<UserRecord> numberedUsers(std::int64_t first, std::int64_t count);

} // namespace kivo::tools

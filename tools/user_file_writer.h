#pragma once

#include "user_record.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kivo::tools {

// Encodes the records one after another, then appends the extra bytes (a partial record).
std::vector<std::uint8_t> userFileBytes(const std::vector<UserRecord>& records,
                                        const std::vector<std::uint8_t>& trailing = {});

// Writes bytes to path (UTF-8), replacing the file. Returns false when it could not be written.
bool writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes);

// A plain user for bulk files: "User 1", "User 2", … with the numbers spread over the fields.
UserRecord numberedUser(std::int64_t number);

// A user whose every byte is pseudo-random, the same for the same number: texts of any byte
// (control bytes, quotes, commas, the code page's upper half), codes past their tables, counters
// anywhere in their range; every few users a name that starts the way a formula or a quoted CSV
// field does. For comparing every byte an export writes before and after a change.
UserRecord awkwardUser(std::int64_t number);

} // namespace kivo::tools

#pragma once

#include "user_record.h"

#include <cstdint>
#include <string>

namespace kivo {

// Turns users into the bytes of one export format, appended to the caller's buffer.
class UserWriter {
public:
    virtual ~UserWriter() = default;
    // What comes before the first user (the CSV header row); nothing for JSON Lines.
    virtual void writeHeader(std::string& out) = 0;
    virtual void writeUser(std::int64_t recordNumber, const UserRecord& user, std::string& out) = 0;
};

} // namespace kivo

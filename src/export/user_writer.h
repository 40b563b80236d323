#pragma once

#include "output_blocks.h"
#include "user_record.h"

#include <cstdint>

namespace kivo {

// Turns users into the bytes of one export format, written into the output's blocks.
class UserWriter {
public:
    virtual ~UserWriter() = default;
    // What comes before the first user (the CSV header row); nothing for JSON Lines.
    virtual void writeHeader(OutputBlocks& out) = 0;
    virtual void writeUser(std::int64_t recordNumber, const UserRecord& user,
                           OutputBlocks& out) = 0;
};

} // namespace kivo

#pragma once

#include "export_format.h"
#include "file_error.h"
#include "output_blocks.h"
#include "user_file.h"

#include <cstdint>
#include <cstdio>

namespace kivo {

struct ExportResult {
    std::int64_t wholeUsers = 0;    // the whole records the file held when the export began
    std::int64_t leftoverBytes = 0; // bytes after the last whole record: not a user, not exported
    std::int64_t exported = 0;      // users that reached the stream whole
    std::int64_t bytesWritten = 0;  // what reached the stream, a user cut short included
    std::int64_t wholeBytes = 0;    // what reached it up to the end of the last whole user
    FileError readError;            // a read that failed before the last whole record
    OutputBlocks::State output = OutputBlocks::State::Open;
    int outputError = 0; // errno, when the stream failed
};

// Writes every whole user of the open file to the stream, in file order, one user at a time:
// memory stays the same however many users the file holds. Stops at the first read failure, and
// quietly when the stream's reader has gone.
ExportResult exportUsers(const UserFile& file, const ExportOptions& options, std::FILE* stream);

} // namespace kivo

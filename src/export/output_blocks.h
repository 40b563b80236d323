#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

namespace kivo {

// Gathers the export in one reusable buffer and hands it to the stream in large blocks, always
// whole users at a time, so that it knows how many users reached the stream before a failure.
class OutputBlocks {
public:
    enum class State {
        Open,
        ReaderGone, // the reading end of a pipe closed (EPIPE): the reader has all it wanted
        Failed,     // the stream refused the bytes; error() tells why
    };

    // The stream is left unbuffered: the blocks are large already.
    explicit OutputBlocks(std::FILE* stream);

    // Where the writers append the bytes of the user being written.
    std::string& buffer() { return buffer_; }

    // The current user is complete; hands the buffer over once a block is full. False once the
    // stream takes no more.
    bool endUser();

    // Hands over what is left. False when the stream failed now or earlier.
    bool finish();

    State state() const { return state_; }
    int error() const { return error_; }
    std::int64_t usersWritten() const { return usersWritten_; }

private:
    bool flush();

    std::FILE* stream_;
    std::string buffer_;
    std::int64_t usersBuffered_ = 0;
    std::int64_t usersWritten_ = 0;
    State state_ = State::Open;
    int error_ = 0;
};

} // namespace kivo

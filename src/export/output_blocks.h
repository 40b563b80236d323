#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace kivo {

// Gathers the export in one reusable buffer and hands it to the stream in large blocks. It knows
// where each user ends in the block, so after a failure it can tell how many users reached the
// stream whole, even when the stream took only part of a block (a full disk, a size limit).
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

    // What comes before the first user (the CSV header) is complete: a place to cut back to.
    void endHeader() { headerEnd_ = buffer_.size(); }

    // The current user is complete; hands the buffer over once a block is full. False once the
    // stream takes no more.
    bool endUser();

    // Hands over what is left. False when the stream failed now or earlier.
    bool finish();

    State state() const { return state_; }
    int error() const { return error_; }
    std::int64_t usersWritten() const { return usersWritten_; }
    // The bytes that reached the stream, and of them those up to the end of the last whole user
    // (or of the header): the length to cut the output back to, so that no user is cut short.
    std::int64_t bytesWritten() const { return bytesWritten_; }
    std::int64_t wholeBytes() const { return wholeBytes_; }

private:
    bool flush();

    std::FILE* stream_;
    std::string buffer_;
    std::vector<std::size_t> userEnds_; // in buffer_, one for each user in it
    std::size_t headerEnd_ = 0;         // in buffer_, while the header is in it
    std::int64_t usersWritten_ = 0;
    std::int64_t bytesWritten_ = 0;
    std::int64_t wholeBytes_ = 0;
    State state_ = State::Open;
    int error_ = 0;
};

} // namespace kivo

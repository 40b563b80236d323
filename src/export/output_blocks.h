#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string_view>
#include <vector>

namespace kivo {

// Gathers the export in one reusable buffer and hands it to the stream in large blocks. It knows
// where each user ends in the block, so after a failure it can tell how many users reached the
// stream whole, even when the stream took only part of a block (a full disk, a size limit).
//
// Writers fill the buffer through a pointer: room(n) gives a place with n bytes free, and
// commit(end) keeps what was written up to end. A user's text is written a character at a time,
// and a capacity check for each would cost as much as the copying itself.
class OutputBlocks {
public:
    enum class State {
        Open,
        ReaderGone, // the reading end of a pipe closed (EPIPE): the reader has all it wanted
        Failed,     // the stream refused the bytes; error() tells why
    };

    // The stream is left unbuffered: the blocks are large already.
    explicit OutputBlocks(std::FILE* stream);

    // Where the next n bytes go; valid until the next room().
    char* room(std::size_t n) {
        if (capacity_ - size_ < n)
            grow(n);
        return data_.get() + size_;
    }
    // The bytes up to end, which room() handed out, are written.
    void commit(const char* end) { size_ = std::size_t(end - data_.get()); }
    void append(std::string_view bytes);

    // What comes before the first user (the CSV header) is complete. It goes to the stream as a
    // block of its own, so that a block ends where a user or the header ends: taken whole, it is
    // a place to cut back to.
    void endHeader() { flush(); }

    // The current user is complete; hands the buffer over once a block is full. False once the
    // stream takes no more.
    bool endUser();

    // Hands over what is left; state() tells how it went.
    void finish() { flush(); }

    State state() const { return state_; }
    int error() const { return error_; }
    std::int64_t usersWritten() const { return usersWritten_; }
    // The bytes that reached the stream, and of them those up to the end of the last whole user
    // (or of the header): the length to cut the output back to, so that no user is cut short.
    std::int64_t bytesWritten() const { return bytesWritten_; }
    std::int64_t wholeBytes() const { return wholeBytes_; }

private:
    bool flush();
    void grow(std::size_t n);

    std::FILE* stream_;
    std::unique_ptr<char[]> data_;
    std::size_t size_ = 0;
    std::size_t capacity_ = 0;
    std::vector<std::size_t> userEnds_; // in data_, one for each user in it
    std::int64_t usersWritten_ = 0;
    std::int64_t bytesWritten_ = 0;
    std::int64_t wholeBytes_ = 0;
    State state_ = State::Open;
    int error_ = 0;
};

} // namespace kivo

#include "output_blocks.h"

#include <cerrno>

namespace kivo {
namespace {

// Large enough that a million users cost a few hundred writes, small enough to stay in cache.
constexpr std::size_t kBlockSize = 256 * 1024;

} // namespace

OutputBlocks::OutputBlocks(std::FILE* stream) : stream_(stream) {
    std::setvbuf(stream_, nullptr, _IONBF, 0);
    // Room for a full block and the user that overfills it, so appending never reallocates.
    buffer_.reserve(kBlockSize + 64 * 1024);
}

bool OutputBlocks::endUser() {
    ++usersBuffered_;
    return buffer_.size() < kBlockSize || flush();
}

bool OutputBlocks::finish() {
    return flush();
}

bool OutputBlocks::flush() {
    if (state_ != State::Open)
        return false;
    if (!buffer_.empty()) {
        errno = 0;
        if (std::fwrite(buffer_.data(), 1, buffer_.size(), stream_) != buffer_.size()) {
            error_ = errno;
            state_ = error_ == EPIPE ? State::ReaderGone : State::Failed;
            return false;
        }
    }
    buffer_.clear();
    usersWritten_ += usersBuffered_;
    usersBuffered_ = 0;
    return true;
}

} // namespace kivo

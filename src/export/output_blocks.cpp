#include "output_blocks.h"

#include <algorithm>
#include <cerrno>
#include <iterator>

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
    userEnds_.push_back(buffer_.size());
    return buffer_.size() < kBlockSize || flush();
}

bool OutputBlocks::finish() {
    return flush();
}

bool OutputBlocks::flush() {
    if (state_ != State::Open)
        return false;
    errno = 0;
    // Unbuffered, fwrite returns what the system took before it refused the rest.
    const std::size_t written = std::fwrite(buffer_.data(), 1, buffer_.size(), stream_);
    const auto whole = std::upper_bound(userEnds_.begin(), userEnds_.end(), written);
    std::size_t wholeEnd = whole == userEnds_.begin() ? 0 : *std::prev(whole);
    if (headerEnd_ <= written)
        wholeEnd = std::max(wholeEnd, headerEnd_);
    usersWritten_ += whole - userEnds_.begin();
    // Every block before this one reached the stream whole.
    wholeBytes_ = bytesWritten_ + std::int64_t(wholeEnd);
    bytesWritten_ += std::int64_t(written);
    if (written != buffer_.size()) {
        error_ = errno;
        state_ = error_ == EPIPE ? State::ReaderGone : State::Failed;
        return false;
    }
    buffer_.clear();
    userEnds_.clear();
    headerEnd_ = 0;
    return true;
}

} // namespace kivo

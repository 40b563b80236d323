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
    // Room for a full block and the user that overfills it, so that the buffer rarely grows.
    grow(kBlockSize + 64 * 1024);
}

void OutputBlocks::grow(std::size_t n) {
    const std::size_t capacity = std::max(capacity_ * 2, size_ + n);
    auto data = std::make_unique_for_overwrite<char[]>(capacity);
    std::copy_n(data_.get(), size_, data.get()); // nothing, and no buffer, the first time
    data_ = std::move(data);
    capacity_ = capacity;
}

void OutputBlocks::append(std::string_view bytes) {
    char* at = room(bytes.size());
    commit(std::copy(bytes.begin(), bytes.end(), at));
}

bool OutputBlocks::endUser() {
    userEnds_.push_back(size_);
    return size_ < kBlockSize || flush();
}

bool OutputBlocks::flush() {
    if (state_ != State::Open)
        return false;
    errno = 0;
    // Unbuffered, fwrite returns what the system took before it refused the rest.
    const std::size_t written = size_ ? std::fwrite(data_.get(), 1, size_, stream_) : 0;
    const auto whole = std::upper_bound(userEnds_.begin(), userEnds_.end(), written);
    const std::size_t wholeEnd = whole == userEnds_.begin() ? 0 : *std::prev(whole);
    usersWritten_ += whole - userEnds_.begin();
    // Every block before this one reached the stream whole.
    wholeBytes_ = bytesWritten_ + std::int64_t(wholeEnd);
    bytesWritten_ += std::int64_t(written);
    if (written != size_) {
        error_ = errno;
        state_ = error_ == EPIPE ? State::ReaderGone : State::Failed;
        return false;
    }
    size_ = 0;
    userEnds_.clear();
    return true;
}

} // namespace kivo

// What UserFile does the same on every system: the count, record numbers, the read-ahead buffer
// and decoding. Opening, the length, positioned reads and closing are in user_file_posix.cpp and
// user_file_windows.cpp.
#include "user_file.h"

namespace kivo {

UserFile::~UserFile() {
    closeAll();
}

double UserFile::userCount() const {
    const auto bytes = length();
    return bytes ? static_cast<double>(*bytes) / static_cast<double>(kRecordSize) : 0.0;
}

FileError UserFile::readAt(std::int64_t offset, std::uint8_t* into, std::size_t size,
                           std::size_t& got) const {
    got = 0;
    if (!isOpen())
        return {FileError::Kind::NoFile};
    while (got < size) {
        std::size_t piece = 0;
        if (beforeEachRead_)
            if (auto error = beforeEachRead_(offset + static_cast<std::int64_t>(got), size - got))
                return error;
        if (auto error =
                readPiece(offset + static_cast<std::int64_t>(got), into + got, size - got, piece))
            return error;
        if (piece == 0)
            break; // end of file
        got += piece;
    }
    return {};
}

ReadResult UserFile::read(std::int64_t n) const {
    constexpr auto kMaxNumber = INT64_MAX / static_cast<std::int64_t>(kRecordSize);
    if (!isOpen())
        return {std::nullopt, {FileError::Kind::NoFile}};
    if (n < 1 || n > kMaxNumber)
        return {std::nullopt, {FileError::Kind::RecordMissing, 0, n}};
    RecordBytes bytes;
    std::size_t got = 0;
    if (auto error = readAt((n - 1) * static_cast<std::int64_t>(kRecordSize), bytes.data(),
                            bytes.size(), got))
        return {std::nullopt, error};
    if (got < kRecordSize)
        return {std::nullopt, {FileError::Kind::RecordMissing, 0, n}};
    return {decodeRecord(bytes), {}};
}

FileError UserFile::readRecords(std::int64_t first, std::span<std::uint8_t> into,
                                std::int64_t& records) const {
    records = 0;
    constexpr auto kMaxNumber = INT64_MAX / static_cast<std::int64_t>(kRecordSize);
    if (first < 1 || first > kMaxNumber)
        return {FileError::Kind::RecordMissing, 0, first};
    std::size_t got = 0;
    const FileError error = readAt((first - 1) * static_cast<std::int64_t>(kRecordSize),
                                   into.data(), into.size() - into.size() % kRecordSize, got);
    records = static_cast<std::int64_t>(got / kRecordSize);
    return error;
}

UserFile::Sequence::Bytes UserFile::Sequence::nextBytes() {
    if (used_ + kRecordSize > buffer_.size()) {
        buffer_.resize(static_cast<std::size_t>(kRecordsPerChunk) * kRecordSize);
        std::size_t got = 0;
        const auto offset = number_ * static_cast<std::int64_t>(kRecordSize);
        if (auto error = file_.readAt(offset, buffer_.data(), buffer_.size(), got)) {
            buffer_.clear();
            return {std::nullopt, error};
        }
        buffer_.resize(got);
        used_ = 0;
        if (got < kRecordSize)
            return {std::nullopt, {FileError::Kind::RecordMissing, 0, number_ + 1}};
    }
    const std::span<const std::uint8_t, kRecordSize> bytes(buffer_.data() + used_, kRecordSize);
    used_ += kRecordSize;
    ++number_;
    return {bytes, {}};
}

ReadResult UserFile::Sequence::next() {
    const Bytes read = nextBytes();
    if (!read.record)
        return {std::nullopt, read.error};
    return {decodeRecord(*read.record), {}};
}

} // namespace kivo

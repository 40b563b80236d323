// Arbitrary bytes as a user file: it opens, its count is its length / 273, every whole record
// reads back as exactly the bytes at its place, by number and in file order, and every number
// outside the file is refused as missing rather than read.
#include "user_file.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/mman.h>
#include <unistd.h>

using namespace kivo;

namespace {

// The input is kept in an in-memory file, opened by its name like any file the user picks.
struct InputFile {
    int fd = ::memfd_create("kivo-fuzz-user-file", MFD_CLOEXEC);
    std::string path = "/proc/self/fd/" + std::to_string(fd);
};

void check(bool condition) {
    if (!condition)
        std::abort();
}

bool missing(const ReadResult& result, std::int64_t number) {
    return !result.record && result.error.kind == FileError::Kind::RecordMissing &&
           result.error.recordNumber == number;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static InputFile input;
    check(input.fd >= 0);
    check(::ftruncate(input.fd, 0) == 0);
    for (std::size_t done = 0; done < size;) {
        const ssize_t n = ::pwrite(input.fd, data + done, size - done, off_t(done));
        check(n > 0);
        done += std::size_t(n);
    }

    UserFile file;
    check(!file.open(input.path));
    const double count = file.userCount();
    check(count == double(size) / double(kRecordSize));
    const auto whole = std::int64_t(std::floor(count));
    check(whole == std::int64_t(size / kRecordSize));

    UserFile::Sequence sequence(file);
    for (std::int64_t n = 1; n <= whole; ++n) {
        const RecordBytes expected = encodeRecord(decodeRecord(
            std::span<const std::uint8_t, kRecordSize>(data + (n - 1) * kRecordSize, kRecordSize)));
        check(std::memcmp(expected.data(), data + (n - 1) * kRecordSize, kRecordSize) == 0);
        const ReadResult byNumber = file.read(n);
        check(byNumber.record && !byNumber.error && encodeRecord(*byNumber.record) == expected);
        const ReadResult inOrder = sequence.next();
        check(inOrder.record && !inOrder.error && encodeRecord(*inOrder.record) == expected);
        check(sequence.lastNumber() == n);
    }
    // Past the last whole record the sequence ends, and so does reading by number.
    check(missing(sequence.next(), whole + 1));
    check(missing(file.read(0), 0));
    check(missing(file.read(-1), -1));
    check(missing(file.read(whole + 1), whole + 1));
    check(missing(file.read(INT64_MAX), INT64_MAX));
    check(missing(file.read(INT64_MIN), INT64_MIN));
    file.closeAll();
    check(file.read(1).error.kind == FileError::Kind::NoFile);
    return 0;
}

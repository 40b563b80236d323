// Arbitrary bytes as records and as a user file. Each whole record decodes into fields that encode
// back to its very bytes, and every shown field gives one line of text, a text field one
// character a byte up to its first NUL. The file opens, its count is its length / 273, each whole
// record reads the same by number and in file order, and every number outside it is missing.
#include "code_page.h"
#include "input_file.h"
#include "shown_fields.h"
#include "user_file.h"

#include <cstring>

using namespace kivo;

namespace {

void check(bool condition) {
    if (!condition)
        std::abort();
}

bool missing(const ReadResult& result, std::int64_t number) {
    return !result.record && result.error.kind == FileError::Kind::RecordMissing &&
           result.error.recordNumber == number;
}

void checkShown(const UserRecord& record) {
    for (const ShownField& field : kShownFields) {
        const std::u16string text = shownText(field, record);
        check(text.find_first_of(u"\r\n") == std::u16string::npos);
        if (field.kind == ShownKind::Text)
            check(text.size() == field.bytes(record).size() && text.find(u'\0') == text.npos);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static fuzz::InputFile input;
    UserFile file;
    check(!file.open(input.write(data, size)));
    check(file.userCount() == double(size) / double(kRecordSize));
    const auto whole = std::int64_t(size / kRecordSize);

    UserFile::Sequence sequence(file);
    for (std::int64_t n = 1; n <= whole; ++n) {
        const ReadResult byNumber = file.read(n);
        const ReadResult inOrder = sequence.next();
        check(byNumber.record && !byNumber.error && inOrder.record && !inOrder.error);
        check(*byNumber.record == *inOrder.record && sequence.lastNumber() == n);
        const RecordBytes again = encodeRecord(*byNumber.record);
        check(std::memcmp(again.data(), data + (n - 1) * kRecordSize, kRecordSize) == 0);
        checkShown(*byNumber.record);
    }
    check(missing(sequence.next(), whole + 1));
    for (const std::int64_t n :
         {std::int64_t(0), std::int64_t(-1), whole + 1, INT64_MAX, INT64_MIN})
        check(missing(file.read(n), n));
    file.closeAll();
    check(file.read(1).error.kind == FileError::Kind::NoFile);

    // The whole input as text: one character a byte, whatever the bytes.
    check(decodeCodePage({reinterpret_cast<const char*>(data), size}).size() == size);
    return 0;
}

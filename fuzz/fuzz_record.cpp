// Any 273 bytes decode into a record, and encoding that record gives back the same bytes: every
// byte belongs to exactly one field, none is dropped, none is read twice. The texts the window
// shows are taken from the fields without reading past their ends.
#include "code_page.h"
#include "user_record.h"

#include <cstdlib>
#include <cstring>

using namespace kivo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    for (std::size_t at = 0; at + kRecordSize <= size; at += kRecordSize) {
        const std::span<const std::uint8_t, kRecordSize> bytes(data + at, kRecordSize);
        const UserRecord record = decodeRecord(bytes);
        const RecordBytes again = encodeRecord(record);
        if (std::memcmp(again.data(), bytes.data(), kRecordSize) != 0)
            std::abort();
        for (const std::string_view shown :
             {displayedBytes(record.Name), displayedBytes(record.Address),
              displayedBytes(record.City), displayedBytes(record.Phone),
              displayedBytes(record.Birthdate)}) {
            if (shown.find('\0') != std::string_view::npos)
                std::abort();
            if (decodeCodePage(shown).size() != shown.size())
                std::abort();
        }
    }
    // Whatever is left, and the whole input, as code-page text: one character per byte.
    const std::string_view all(reinterpret_cast<const char*>(data), size);
    if (decodeCodePage(all).size() != size)
        std::abort();
    return 0;
}

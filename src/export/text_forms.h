#pragma once

#include <array>
#include <cstdint>
#include <cstring>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace kivo {

// A byte of the board's code page as an export writes it: its character (codePageToUnicode) in
// UTF-8, escaped as the format needs. A text field is then written a byte at a time from a table,
// never decoded into a string first: the same characters, a fraction of the work.
struct ByteForm {
    std::array<char, 8> bytes{}; // copied whole, so that a copy is one move
    std::uint8_t size = 0;
};
using ByteForms = std::array<ByteForm, 256>;

// The room a text needs for each of its bytes in writeForms.
inline constexpr std::size_t kRoomPerByte = sizeof(ByteForm::bytes);

// The table: formOf gets each byte's character in UTF-8 and gives its form, 8 bytes at most.
ByteForms makeByteForms(const std::function<std::string(const std::string& utf8)>& formOf);

// Writes the bytes' forms at out, which has kRoomPerByte bytes of room for each; returns the end.
inline char* writeForms(const ByteForms& forms, std::string_view bytes, char* out) {
    for (const char c : bytes) {
        const ByteForm& form = forms[static_cast<unsigned char>(c)];
        std::memcpy(out, form.bytes.data(), sizeof form.bytes);
        out += form.size;
    }
    return out;
}

// The cell a code or language column writes for each stored value, made once per value and then
// copied: a file's users share a handful of captions.
class CaptionCells {
public:
    template <class Make> std::string_view cell(std::int64_t value, Make&& make) {
        if (value < 0 || value >= std::int64_t(cells_.size())) { // not a byte: made every time
            scratch_ = make();
            return scratch_;
        }
        auto& cell = cells_[std::size_t(value)];
        if (!cell)
            cell = make();
        return *cell;
    }

private:
    std::array<std::optional<std::string>, 256> cells_; // the codes are stored as bytes
    std::string scratch_;
};

} // namespace kivo

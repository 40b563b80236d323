#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace kivo {

// A byte of the board's code page as an export writes it: its character (codePageToUnicode) in
// UTF-8, escaped as the format needs. A text field is then written from a table, never decoded
// into a string first: the same characters, a fraction of the work.
struct ByteForm {
    std::array<char, 8> bytes{}; // copied whole, so that a copy is one move
    std::uint8_t size = 0;
};
struct ByteForms {
    std::array<ByteForm, 256> forms;
    // The bytes whose form is not the byte itself. A text without any (most names) is copied as
    // it stands.
    std::array<std::uint8_t, 256> changed{};
};

// The room a text needs for each of its bytes in writeForms.
inline constexpr std::size_t kRoomPerByte = sizeof(ByteForm::bytes);

// The table: formOf gets each byte's character in UTF-8 and gives its form, 8 bytes at most.
ByteForms makeByteForms(const std::function<std::string(const std::string& utf8)>& formOf);

// Whether any byte of the text has a form of its own.
inline bool anyChanged(const ByteForms& table, std::string_view bytes) {
    unsigned changed = 0;
    for (const char c : bytes)
        changed |= table.changed[static_cast<unsigned char>(c)];
    return changed != 0;
}

// Writes the bytes' forms at out, which has kRoomPerByte bytes of room for each; returns the end.
inline char* writeForms(const ByteForms& table, std::string_view bytes, char* out) {
    if (!anyChanged(table, bytes)) {
        std::memcpy(out, bytes.data(), bytes.size());
        return out + bytes.size();
    }
    for (const char c : bytes) {
        const ByteForm& form = table.forms[static_cast<unsigned char>(c)];
        std::memcpy(out, form.bytes.data(), sizeof form.bytes);
        out += form.size;
    }
    return out;
}

// A piece of output made once and written for every user: a key, a caption's cell. Up to 32
// bytes sit in a fixed slot written in one move; a longer piece is copied as it is.
class Snippet {
public:
    Snippet() = default;
    explicit Snippet(std::string text);
    // The room write needs.
    std::size_t room() const { return std::max(text_.size(), slot_.size()); }
    // Writes the piece at at, which has room(); returns the end.
    char* write(char* at) const {
        if (text_.size() > slot_.size())
            return std::copy(text_.begin(), text_.end(), at);
        std::memcpy(at, slot_.data(), slot_.size());
        return at + text_.size();
    }

private:
    std::string text_;
    std::array<char, 32> slot_{};
};

// The cell a code or language column writes for each stored value, made once per value: a
// file's users share a handful of captions.
class CaptionCells {
public:
    template <class Make> const Snippet& cell(std::int64_t value, Make&& make) {
        if (value < 0 || value >= std::int64_t(cells_.size())) { // not a byte: made every time
            scratch_ = Snippet(make());
            return scratch_;
        }
        auto& cell = cells_[std::size_t(value)];
        if (!cell)
            cell = Snippet(make());
        return *cell;
    }

private:
    std::array<std::optional<Snippet>, 256> cells_; // the codes are stored as bytes
    Snippet scratch_;
};

} // namespace kivo

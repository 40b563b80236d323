#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace kivo {

// The stored value of a coded field is the position of its text in the table; the same tables
// fill the window's lists, in this order.

inline constexpr std::array<std::string_view, 8> kPackerTexts = {
    "Text", "ARC", "ZIP", "LZH", "ARJ", "ZOO", "HPK", "RAR",
};

// "Ymodem" has a lower-case m, as the board itself spells it.
inline constexpr std::array<std::string_view, 9> kProtocolTexts = {
    "ZModem",       "Ymodem",      "XModem", "Slow Hydra", "XModem CRC",
    "YModem BATCH", "Slow ZModem", "Hydra",  "ZedZap",
};

inline constexpr std::array<std::string_view, 11> kCharsetTexts = {
    "IBM", "SF7", "ISO", "IBN", "US7", "GE7", "NO7", "FR7", "IT7", "SP7", "MAC",
};

// Captions of the language options; the stored Language is the option's index. The board has
// room for nine languages but only the first four are in use.
inline constexpr std::array<std::string_view, 9> kLanguageCaptions = {
    "English", "Suomi",   "Swedish", "Norwegian", "Not set",
    "Not set", "Not set", "Not set", "Not set",
};
inline constexpr int kLanguagesInUse = 4;

// The text for a stored value, or nothing when the value lies past the end of the table.
constexpr std::optional<std::string_view> codeText(std::span<const std::string_view> table,
                                                   std::int64_t value) {
    if (value < 0 || static_cast<std::size_t>(value) >= table.size())
        return std::nullopt;
    return table[static_cast<std::size_t>(value)];
}

} // namespace kivo

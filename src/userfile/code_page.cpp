#include "code_page.h"

#include <array>

namespace kivo {
namespace {

// 0x80 to 0x9F are where Windows-1252 differs from Latin-1; everything else maps to itself.
constexpr std::array<char16_t, 32> kHighControlRange = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 98-9F
};

// The Control Pictures block draws each C0 control as a visible symbol: U+2400 + the control,
// and U+2421 for DEL.
constexpr char16_t kControlPictures = 0x2400;
constexpr char16_t kDeletePicture = 0x2421;

} // namespace

char16_t codePageToUnicode(unsigned char byte) {
    if (byte >= 0x01 && byte <= 0x1F)
        return char16_t(kControlPictures + byte);
    if (byte == 0x7F)
        return kDeletePicture;
    if (byte >= 0x80 && byte <= 0x9F)
        return kHighControlRange[byte - 0x80];
    return byte;
}

std::optional<unsigned char> codePageByte(char32_t character) {
    // NUL ends a stored text, so no character stands for it.
    for (int byte = 1; byte < 256; ++byte)
        if (codePageToUnicode(static_cast<unsigned char>(byte)) == character)
            return static_cast<unsigned char>(byte);
    return std::nullopt;
}

std::u16string decodeCodePage(std::string_view bytes) {
    std::u16string text;
    text.reserve(bytes.size());
    for (char c : bytes)
        text.push_back(codePageToUnicode(static_cast<unsigned char>(c)));
    return text;
}

} // namespace kivo

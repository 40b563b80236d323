#pragma once

#include <string>
#include <string_view>

namespace kivo {

// The board stored its texts in the Western Windows code page (Windows-1252). Bytes that page
// leaves unassigned (0x81, 0x8D, 0x8F, 0x90, 0x9D) become the control characters of the same
// number, so every byte shows as exactly one character and nothing is lost.
char16_t codePageToUnicode(unsigned char byte);

std::u16string decodeCodePage(std::string_view bytes);

} // namespace kivo

#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kivo {

// The board stored its texts in the Western Windows code page (Windows-1252). Bytes that page
// leaves unassigned (0x81, 0x8D, 0x8F, 0x90, 0x9D) become the control characters of the same
// number, so every byte shows as exactly one character and nothing is lost.
//
// Control bytes 0x01 to 0x1F and DEL (0x7F) become their visible symbols (U+2401 to U+241F, and
// U+2421): a name holding a line break or an escape stays on its one line wherever it is shown,
// and a screen reader reads what is drawn. NUL ends a text before it reaches this decoder.
char16_t codePageToUnicode(unsigned char byte);

// The byte that shows as this character, if any: the way back from what the user reads (and
// types) to what the board stores. A control byte's visible symbol gives the control byte.
std::optional<unsigned char> codePageByte(char32_t character);

// Every text the viewer shows or writes out from the file goes through this one decoder.
std::u16string decodeCodePage(std::string_view bytes);

} // namespace kivo

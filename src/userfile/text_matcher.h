#pragma once

#include <array>
#include <string>
#include <string_view>

namespace kivo {

// Every byte of the board's code page folded to the byte of its small letter, for comparing
// without regard to letter case; a byte with no capital and small form stands for itself. Only
// a letter and its own capital fold together, "Ä" with "ä", "Š" with "š", "Ÿ" with "ÿ": a letter
// with a mark is a letter of its own, and "a" never finds "ä".
extern const std::array<unsigned char, 256> kFoldedCodePage;

enum class LetterCase { Ignore, Match };

// A text the user typed, put the way the board stores texts, and looked for in stored bytes as
// they are: no text is made of them, and a control byte is found by the symbol it shows as.
class TextMatcher {
public:
    TextMatcher(std::u16string_view typed, LetterCase letterCase);

    // False when no stored text can hold it: it is empty, or one of its characters is not in the
    // code page.
    bool canMatch() const { return canMatch_; }

    // Whether the stored bytes hold the text anywhere; whether they start with it.
    bool isIn(std::string_view stored) const;
    bool startsIn(std::string_view stored) const;

private:
    bool equalAt(std::string_view stored, std::size_t at) const;

    std::string pattern_;                        // the stored form, folded when case is ignored
    const std::array<unsigned char, 256>* fold_; // how each stored byte is compared
    std::array<unsigned char, 2> firstBytes_{};  // the stored bytes the text can start with
    bool canMatch_ = false;
};

} // namespace kivo

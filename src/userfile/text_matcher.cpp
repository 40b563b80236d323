#include "text_matcher.h"

#include "code_page.h"

namespace kivo {
namespace {

constexpr std::array<unsigned char, 256> kEveryByte = [] {
    std::array<unsigned char, 256> same{};
    for (int byte = 0; byte < 256; ++byte)
        same[std::size_t(byte)] = static_cast<unsigned char>(byte);
    return same;
}();

unsigned char byteOf(char c) {
    return static_cast<unsigned char>(c);
}

} // namespace

constinit const std::array<unsigned char, 256> kFoldedCodePage = [] {
    std::array<unsigned char, 256> folded = kEveryByte;
    const auto fold = [&](int capital, int small) {
        folded[std::size_t(capital)] = static_cast<unsigned char>(small);
    };
    for (int c = 'A'; c <= 'Z'; ++c)
        fold(c, c + 0x20);
    // À to Þ, as in Latin-1: each small letter stands 0x20 after its capital; × has none.
    for (int c = 0xC0; c <= 0xDE; ++c)
        if (c != 0xD7)
            fold(c, c + 0x20);
    // The letters Windows-1252 adds in 0x80 to 0x9F; the small ÿ of Ÿ is Latin-1's, at 0xFF.
    fold(0x8A, 0x9A); // Š š
    fold(0x8C, 0x9C); // Œ œ
    fold(0x8E, 0x9E); // Ž ž
    fold(0x9F, 0xFF); // Ÿ ÿ
    return folded;
}();

TextMatcher::TextMatcher(std::u16string_view typed, LetterCase letterCase)
    : fold_(letterCase == LetterCase::Ignore ? &kFoldedCodePage : &kEveryByte) {
    for (char16_t c : typed) {
        const auto byte = codePageByte(c);
        if (!byte)
            return;
        pattern_.push_back(static_cast<char>((*fold_)[*byte]));
    }
    canMatch_ = !pattern_.empty();
}

bool TextMatcher::equalAt(std::string_view stored, std::size_t at) const {
    for (std::size_t i = 0; i < pattern_.size(); ++i)
        if ((*fold_)[byteOf(stored[at + i])] != byteOf(pattern_[i]))
            return false;
    return true;
}

bool TextMatcher::isIn(std::string_view stored) const {
    if (!canMatch_ || stored.size() < pattern_.size())
        return false;
    const unsigned char first = byteOf(pattern_[0]);
    const std::size_t last = stored.size() - pattern_.size();
    for (std::size_t at = 0; at <= last; ++at)
        if ((*fold_)[byteOf(stored[at])] == first && equalAt(stored, at))
            return true;
    return false;
}

bool TextMatcher::startsIn(std::string_view stored) const {
    return canMatch_ && stored.size() >= pattern_.size() && equalAt(stored, 0);
}

} // namespace kivo

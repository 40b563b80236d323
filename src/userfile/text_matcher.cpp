#include "text_matcher.h"

#include "code_page.h"

#include <algorithm>
#include <bit>
#include <cstring>
#ifdef __SSE2__
#include <emmintrin.h>
#endif

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
    if (!canMatch_)
        return;
    // A letter and its capital, or one byte twice.
    firstBytes_.fill(byteOf(pattern_[0]));
    for (int byte = 1; byte < 256; ++byte)
        if ((*fold_)[std::size_t(byte)] == firstBytes_[0] && byte != firstBytes_[0])
            firstBytes_[1] = static_cast<unsigned char>(byte);
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
    const std::size_t last = stored.size() - pattern_.size(); // the last place it can start
#ifdef __SSE2__
    // Sixteen places at a time: a bit for each byte the text can start with, and only there the
    // whole text compared. Most texts of the file are a block or two.
    const __m128i first = _mm_set1_epi8(static_cast<char>(firstBytes_[0]));
    const __m128i capital = _mm_set1_epi8(static_cast<char>(firstBytes_[1]));
    const auto startsIn16 = [&](const char* at) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
        return static_cast<unsigned>(_mm_movemask_epi8(
            _mm_or_si128(_mm_cmpeq_epi8(bytes, first), _mm_cmpeq_epi8(bytes, capital))));
    };
    for (std::size_t block = 0; block <= last; block += 16) {
        unsigned starts = 0;
        if (stored.size() - block >= 16) {
            starts = startsIn16(stored.data() + block);
        } else if (stored.size() >= 16) { // the last sixteen bytes, less those already seen
            starts = startsIn16(stored.data() + stored.size() - 16) >> (block + 16 - stored.size());
        } else { // a short text, NUL-padded: NUL starts no text
            char padded[16] = {};
            std::memcpy(padded, stored.data(), stored.size());
            starts = startsIn16(padded);
        }
        if (last - block < 15)
            starts &= (2u << (last - block)) - 1;
        for (; starts != 0; starts &= starts - 1)
            if (equalAt(stored, block + std::size_t(std::countr_zero(starts))))
                return true;
    }
    return false;
#else
    for (std::size_t at = 0; at <= last; ++at) {
        const unsigned char byte = byteOf(stored[at]);
        if ((byte == firstBytes_[0] || byte == firstBytes_[1]) && equalAt(stored, at))
            return true;
    }
    return false;
#endif
}

bool TextMatcher::startsIn(std::string_view stored) const {
    return canMatch_ && stored.size() >= pattern_.size() && equalAt(stored, 0);
}

} // namespace kivo

#pragma once

#include "shown_fields.h"
#include "text_matcher.h"
#include "user_file.h"

#include <cstdint>
#include <optional>
#include <span>
#include <stop_token>
#include <vector>

namespace kivo {

// The rows a search passes, in its order: from the first row one way round the list, wrapping at
// its end, until it has passed every row once. Row r shows record r + 1.
struct SearchOrder {
    std::int64_t rows = 0;  // the list's length when the search began
    std::int64_t first = 0; // where it begins: rows (or -1 backwards) wraps at once
    bool backwards = false;

    std::int64_t rowAt(std::int64_t step) const;
    // Whether the search went round an end of the list to reach this step.
    bool wrappedAt(std::int64_t step) const;
};

struct FieldHit {
    std::int64_t step; // in the order searched
    const ShownField* field;
};

// The shown texts a search reads from the file: every one but the name, which the list holds.
const std::vector<const ShownField*>& textFieldsButTheName();

// The first of steps fromStep to toStep (not included) of the order whose record holds the text
// in one of the fields, read from the file in runs of records. A record that cannot be read is
// passed over. Nothing when none holds it, or when asked to stop.
std::optional<FieldHit> findInRecords(const UserFile& file, const TextMatcher& text,
                                      std::span<const ShownField* const> fields,
                                      const SearchOrder& order, std::int64_t fromStep,
                                      std::int64_t toStep, std::stop_token stop = {});

} // namespace kivo

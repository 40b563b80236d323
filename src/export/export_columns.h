#pragma once

#include "shown_fields.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kivo {

// One column of an export. Its value is the user's record number, the text the window shows for
// a field, or the number a field stores.
struct ExportColumn {
    enum class Value { RecordNumber, ShownText, StoredNumber };
    std::string name;
    Value value;
    const ShownField* field = nullptr; // every column but the record number
};

// The columns, taken from the table of shown fields so that the window and the export never list
// the fields twice: "Record", then each field under its caption in the window's order. A text is
// the window's text; a code or the language is its caption followed by "<caption> number", its
// stored value; every other field (the spinners, the resume number and the counters) is its
// stored number, so a resume number of 0 is exported as 0 where the window shows an empty box.
const std::vector<ExportColumn>& exportColumns();

// The number a StoredNumber or RecordNumber column holds for the user.
std::int64_t columnNumber(const ExportColumn& column, std::int64_t recordNumber,
                          const UserRecord& user);

} // namespace kivo

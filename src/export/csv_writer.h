#pragma once

#include "text_forms.h"
#include "user_writer.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kivo {

// RFC 4180 CSV in UTF-8: one header row of column names, then one row per user, every row ended
// by CR LF as the RFC has it. A field holding a comma, a quote, CR or LF is quoted, its quotes
// doubled. A text a spreadsheet would run as a formula gets a leading ' unless exactText is set.
class CsvWriter : public UserWriter {
public:
    explicit CsvWriter(bool exactText);
    void writeHeader(OutputBlocks& out) override;
    void writeUser(std::int64_t recordNumber, const UserRecord& user, OutputBlocks& out) override;

private:
    // A text field's bytes, in the board's code page, as one field written at at; returns the end.
    char* writeText(char* at, std::string_view bytes) const;
    // Any UTF-8 text as one field: the header's names and the captions, made once each.
    std::string field(std::string_view utf8, bool defuse) const;

    bool exactText_;
    ByteForms plain_;                             // each byte's character in UTF-8
    ByteForms quoted_;                            // the same inside quotes, a quote doubled
    std::array<std::uint8_t, 256> needsQuotes_{}; // the bytes whose character makes a field quoted
    std::vector<CaptionCells> captions_;          // one for each column
};

} // namespace kivo

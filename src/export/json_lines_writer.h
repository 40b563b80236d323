#pragma once

#include "text_forms.h"
#include "user_writer.h"

#include <string>
#include <string_view>
#include <vector>

namespace kivo {

// JSON Lines: one compact JSON object per user and line, keyed by the export's column names in
// the CSV's column order (Record first), with texts as strings and numbers as JSON numbers; UTF-8.
//
// Every key and string is escaped as QJsonDocument escapes it, but Qt's writer spends about ten
// microseconds per user on this machine, and sorts an object's keys. So the writer asks Qt once
// for the JSON form of every key, of every character of the code page and of every caption as it
// first turns up, and builds each line from those pieces in column order.
class JsonLinesWriter : public UserWriter {
public:
    JsonLinesWriter();
    void writeHeader(OutputBlocks&) override {}
    void writeUser(std::int64_t recordNumber, const UserRecord& user, OutputBlocks& out) override;

private:
    // Each column's key as Qt writes it, after "{" or ",", colon included: {"Record":
    std::vector<Snippet> keys_;
    ByteForms escaped_;                  // each byte's character as inside a JSON string
    std::vector<CaptionCells> captions_; // one for each column
};

} // namespace kivo

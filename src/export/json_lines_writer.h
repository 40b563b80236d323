#pragma once

#include "user_writer.h"

#include <QStringView>

#include <array>
#include <string>
#include <vector>

namespace kivo {

// JSON Lines: one compact JSON object per user and line, keyed by the export's column names in
// the CSV's column order (Record first), with texts as strings and numbers as JSON numbers; UTF-8.
//
// Every key and string is escaped as QJsonDocument escapes it, but Qt's writer spends about ten
// microseconds per user on this machine, and sorts an object's keys. So the writer asks Qt once
// for the JSON form of every key and of every character as it first turns up, and builds each
// line from those pieces in column order. Qt still decides every escape.
class JsonLinesWriter : public UserWriter {
public:
    JsonLinesWriter();
    void writeHeader(std::string&) override {}
    void writeUser(std::int64_t recordNumber, const UserRecord& user, std::string& out) override;

private:
    void appendString(std::string& out, std::u16string_view text);

    // Each column's key as Qt writes it, colon included ("Name":), in exportColumns()'s order.
    std::vector<std::string> keys_;

    // A character's JSON form inside a string; size 0 until the character first turns up.
    struct Escaped {
        std::array<char, 7> bytes{};
        std::uint8_t size = 0;
    };
    std::vector<Escaped> escaped_;
};

} // namespace kivo

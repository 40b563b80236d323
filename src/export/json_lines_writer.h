#pragma once

#include "user_writer.h"

#include <QStringView>

#include <array>
#include <string>
#include <vector>

namespace kivo {

// JSON Lines: one compact JSON object per user and line, keyed by the export's column names, with
// texts as strings and numbers as JSON numbers; UTF-8.
//
// A line is byte for byte what QJsonDocument writes for the user's QJsonObject, keys in Qt's
// (sorted) order, but Qt's writer spends about ten microseconds per user on this machine. So the
// writer asks Qt once for the JSON form of every key and of every character as it first turns
// up, and builds each line from those pieces. Qt still decides every escape.
class JsonLinesWriter : public UserWriter {
public:
    JsonLinesWriter();
    void writeHeader(std::string&) override {}
    void writeUser(std::int64_t recordNumber, const UserRecord& user, std::string& out) override;

private:
    void appendString(std::string& out, std::u16string_view text);

    struct Key {
        std::string json;   // e.g. "Name": as Qt writes it, colon included
        std::size_t column; // into exportColumns()
    };
    std::vector<Key> keys_; // in the order Qt writes an object's keys

    // A character's JSON form inside a string; size 0 until the character first turns up.
    struct Escaped {
        std::array<char, 7> bytes{};
        std::uint8_t size = 0;
    };
    std::vector<Escaped> escaped_;
};

} // namespace kivo

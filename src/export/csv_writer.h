#pragma once

#include "user_writer.h"

#include <QStringEncoder>

#include <vector>

namespace kivo {

// RFC 4180 CSV in UTF-8: one header row of column names, then one row per user, every row ended
// by CR LF as the RFC has it. A field holding a comma, a quote, CR or LF is quoted, its quotes
// doubled. A text a spreadsheet would run as a formula gets a leading ' unless exactText is set.
// Rows are built straight in the caller's buffer, each text encoded in one reused buffer, so a user
// costs no allocation beyond the window's texts themselves.
class CsvWriter : public UserWriter {
public:
    explicit CsvWriter(bool exactText) : exactText_(exactText) {}
    void writeHeader(std::string& out) override;
    void writeUser(std::int64_t recordNumber, const UserRecord& user, std::string& out) override;

private:
    void appendText(std::string& out, std::u16string_view text);

    bool exactText_;
    QStringEncoder utf8_{QStringEncoder::Utf8, QStringEncoder::Flag::Stateless};
    std::vector<char> encoded_; // grows to the longest text, then is reused
};

} // namespace kivo

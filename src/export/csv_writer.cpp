#include "csv_writer.h"

#include "export_columns.h"

#include <charconv>
#include <string_view>
#include <utility>

namespace kivo {
namespace {

constexpr std::string_view kRowEnd = "\r\n";

void appendNumber(std::string& out, std::int64_t value) {
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    out.append(digits, end);
}

bool needsQuotes(std::string_view bytes) {
    for (const char c : bytes)
        if (c == ',' || c == '"' || c == '\r' || c == '\n')
            return true;
    return false;
}

// Appends one field, quoted when it holds a comma, a quote or a line break.
void appendField(std::string& out, std::string_view bytes) {
    if (!needsQuotes(bytes)) {
        out += bytes;
        return;
    }
    out += '"';
    for (const char c : bytes) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
}

} // namespace

void CsvWriter::appendText(std::string& out, std::u16string_view text) {
    const auto room = std::size_t(utf8_.requiredSpace(qsizetype(text.size())));
    if (encoded_.size() < room)
        encoded_.resize(room);
    const char* end =
        utf8_.appendToBuffer(encoded_.data(), QStringView(text.data(), qsizetype(text.size())));
    appendField(out, std::string_view(encoded_.data(), std::size_t(end - encoded_.data())));
}

void CsvWriter::writeHeader(std::string& out) {
    bool first = true;
    for (const ExportColumn& column : exportColumns()) {
        if (!std::exchange(first, false))
            out += ',';
        appendField(out, column.name);
    }
    out += kRowEnd;
}

void CsvWriter::writeUser(std::int64_t recordNumber, const UserRecord& user, std::string& out) {
    bool first = true;
    for (const ExportColumn& column : exportColumns()) {
        if (!std::exchange(first, false))
            out += ',';
        if (column.value == ExportColumn::Value::ShownText)
            appendText(out, shownText(*column.field, user));
        else
            appendNumber(out, columnNumber(column, recordNumber, user));
    }
    out += kRowEnd;
}

} // namespace kivo

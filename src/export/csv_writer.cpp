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

// The first characters that make a spreadsheet read a cell as a formula.
bool looksLikeFormula(std::string_view bytes) {
    return !bytes.empty() && std::string_view("=+-@").find(bytes.front()) != std::string_view::npos;
}

// What a spreadsheet takes as the start of a text it shows as it stands, never as a formula.
constexpr std::string_view kPlainTextMark = "'";

// Appends one field, quoted when it holds a comma, a quote or a line break; lead goes first,
// inside the quotes, and needs none of its own.
void appendField(std::string& out, std::string_view bytes, std::string_view lead = {}) {
    if (!needsQuotes(bytes)) {
        out += lead;
        out += bytes;
        return;
    }
    out += '"';
    out += lead;
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
    const std::string_view bytes(encoded_.data(), std::size_t(end - encoded_.data()));
    appendField(out, bytes,
                !exactText_ && looksLikeFormula(bytes) ? kPlainTextMark : std::string_view());
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

#include "csv_writer.h"

#include "export_columns.h"

#include <QString>

#include <charconv>

namespace kivo {
namespace {

constexpr std::string_view kRowEnd = "\r\n";

// The characters that make a field quoted.
bool needsQuotes(std::string_view utf8) {
    return utf8.find_first_of(",\"\r\n") != std::string_view::npos;
}

// The first characters that make a spreadsheet read a cell as a formula.
bool looksLikeFormula(std::string_view utf8) {
    return !utf8.empty() && std::string_view("=+-@").find(utf8.front()) != std::string_view::npos;
}

// What a spreadsheet takes as the start of a text it shows as it stands, never as a formula.
constexpr char kPlainTextMark = '\'';

std::string doubledQuotes(std::string_view utf8) {
    std::string doubled;
    for (const char c : utf8) {
        if (c == '"')
            doubled += '"';
        doubled += c;
    }
    return doubled;
}

// The room a number takes, its separator included.
constexpr std::size_t kNumberRoom = 1 + 20;
// ... and a text besides its characters: the separator, the quotes and the mark.
constexpr std::size_t kTextRoom = 4;

} // namespace

CsvWriter::CsvWriter(bool exactText)
    : exactText_(exactText), plain_(makeByteForms([](const std::string& c) { return c; })),
      quoted_(makeByteForms(doubledQuotes)), captions_(exportColumns().size()) {
    for (std::size_t byte = 0; byte < needsQuotes_.size(); ++byte) {
        const ByteForm& form = plain_.forms[byte];
        needsQuotes_[byte] = needsQuotes({form.bytes.data(), form.size});
    }
}

std::string CsvWriter::field(std::string_view utf8, bool defuse) const {
    const std::string lead = defuse && looksLikeFormula(utf8) ? std::string(1, kPlainTextMark) : "";
    if (!needsQuotes(utf8))
        return lead + std::string(utf8);
    return '"' + lead + doubledQuotes(utf8) + '"';
}

char* CsvWriter::writeText(char* at, std::string_view bytes) const {
    unsigned quoted = 0;
    for (const char c : bytes)
        quoted |= needsQuotes_[static_cast<unsigned char>(c)];
    if (quoted)
        *at++ = '"';
    if (!exactText_ && !bytes.empty()) {
        const ByteForm& first = plain_.forms[static_cast<unsigned char>(bytes.front())];
        if (looksLikeFormula({first.bytes.data(), first.size}))
            *at++ = kPlainTextMark;
    }
    at = writeForms(quoted ? quoted_ : plain_, bytes, at);
    if (quoted)
        *at++ = '"';
    return at;
}

void CsvWriter::writeHeader(OutputBlocks& out) {
    std::string header;
    for (const ExportColumn& column : exportColumns())
        header += (header.empty() ? "" : ",") + field(column.name, false);
    out.append(header);
    out.append(kRowEnd);
}

void CsvWriter::writeUser(std::int64_t recordNumber, const UserRecord& user, OutputBlocks& out) {
    const auto& columns = exportColumns();
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const ExportColumn& column = columns[i];
        const bool separated = i > 0;
        if (column.value != ExportColumn::Value::ShownText) {
            char* at = out.room(kNumberRoom);
            *at = ',';
            at += separated;
            out.commit(
                std::to_chars(at, at + kNumberRoom - 1, columnNumber(column, recordNumber, user))
                    .ptr);
        } else if (column.field->kind == ShownKind::Text) {
            const std::string_view bytes = column.field->bytes(user);     // shownText: each byte's
            char* at = out.room(kTextRoom + bytes.size() * kRoomPerByte); // character
            *at = ',';
            out.commit(writeText(at + separated, bytes));
        } else {
            const Snippet& cell = captions_[i].cell(column.field->number(user), [&] {
                const auto text = shownText(*column.field, user);
                return field(QString::fromStdU16String(text).toUtf8().toStdString(), !exactText_);
            });
            char* at = out.room(1 + cell.room());
            *at = ',';
            out.commit(cell.write(at + separated));
        }
    }
    out.append(kRowEnd);
}

} // namespace kivo

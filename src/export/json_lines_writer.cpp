#include "json_lines_writer.h"

#include "export_columns.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <charconv>

namespace kivo {
namespace {

// The JSON form Qt writes for one string, quotes included.
std::string qtJsonString(const QString& text) {
    const QByteArray array = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return array.mid(1, array.size() - 2).toStdString(); // without the array's brackets
}

// Inside the quotes.
std::string escapedCharacter(const std::string& utf8) {
    const std::string quoted = qtJsonString(QString::fromUtf8(utf8));
    return quoted.substr(1, quoted.size() - 2);
}

constexpr std::size_t kNumberRoom = 20;

} // namespace

JsonLinesWriter::JsonLinesWriter()
    : escaped_(makeByteForms(escapedCharacter)), captions_(exportColumns().size()) {
    for (const ExportColumn& column : exportColumns())
        keys_.emplace_back((keys_.empty() ? "{" : ",") +
                           qtJsonString(QString::fromStdString(column.name)) + ':');
}

void JsonLinesWriter::writeUser(std::int64_t recordNumber, const UserRecord& user,
                                OutputBlocks& out) {
    const auto& columns = exportColumns();
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const ExportColumn& column = columns[i];
        const Snippet& key = keys_[i];
        if (column.value != ExportColumn::Value::ShownText) {
            char* at = key.write(out.room(key.room() + kNumberRoom));
            out.commit(
                std::to_chars(at, at + kNumberRoom, columnNumber(column, recordNumber, user)).ptr);
        } else if (column.field->kind == ShownKind::Text) {
            const std::string_view bytes = column.field->bytes(user); // shownText: each byte's
            char* at = key.write(out.room(key.room() + 2 + bytes.size() * kRoomPerByte));
            *at++ = '"';
            at = writeForms(escaped_, bytes, at); // character
            *at++ = '"';
            out.commit(at);
        } else {
            const Snippet& cell = captions_[i].cell(column.field->number(user), [&] {
                return qtJsonString(QString::fromStdU16String(shownText(*column.field, user)));
            });
            out.commit(cell.write(key.write(out.room(key.room() + cell.room()))));
        }
    }
    out.append("}\n");
}

} // namespace kivo

#include "json_lines_writer.h"

#include "export_columns.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <charconv>

namespace kivo {
namespace {

// The JSON form Qt writes for one string, quotes included.
QByteArray qtJsonString(const QString& text) {
    const QByteArray array = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return array.mid(1, array.size() - 2); // without the array's brackets
}

} // namespace

JsonLinesWriter::JsonLinesWriter() : escaped_(0x10000) {
    for (const ExportColumn& column : exportColumns())
        keys_.push_back((qtJsonString(QString::fromStdString(column.name)) + ':').toStdString());
}

void JsonLinesWriter::appendString(std::string& out, std::u16string_view text) {
    for (const char16_t c : text) {
        if (QChar::isSurrogate(c)) { // never split a pair: Qt writes the whole text
            out += qtJsonString(QStringView(text.data(), qsizetype(text.size())).toString())
                       .toStdString();
            return;
        }
    }
    out += '"';
    for (const char16_t c : text) {
        Escaped& form = escaped_[c];
        if (form.size == 0) {
            const QByteArray quoted = qtJsonString(QString(QChar(c)));
            const QByteArray inner = quoted.mid(1, quoted.size() - 2);
            std::copy(inner.begin(), inner.end(), form.bytes.begin());
            form.size = std::uint8_t(inner.size());
        }
        out.append(form.bytes.data(), form.size);
    }
    out += '"';
}

void JsonLinesWriter::writeUser(std::int64_t recordNumber, const UserRecord& user,
                                std::string& out) {
    const auto& columns = exportColumns();
    char separator = '{';
    for (std::size_t i = 0; i < columns.size(); ++i) {
        out += separator;
        separator = ',';
        out += keys_[i];
        const ExportColumn& column = columns[i];
        if (column.value == ExportColumn::Value::ShownText) {
            appendString(out, shownText(*column.field, user));
        } else {
            char digits[24];
            const auto end = std::to_chars(digits, digits + sizeof digits,
                                           columnNumber(column, recordNumber, user))
                                 .ptr;
            out.append(digits, end);
        }
    }
    out += "}\n";
}

} // namespace kivo

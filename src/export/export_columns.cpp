#include "export_columns.h"

namespace kivo {
namespace {

std::vector<ExportColumn> makeColumns() {
    using Value = ExportColumn::Value;
    std::vector<ExportColumn> columns{{"Record", Value::RecordNumber}};
    for (const ShownField& field : kShownFields) {
        const std::string caption(field.caption);
        switch (field.kind) {
        case ShownKind::Text:
            columns.push_back({caption, Value::ShownText, &field});
            break;
        case ShownKind::Code:
        case ShownKind::Language:
            columns.push_back({caption, Value::ShownText, &field});
            columns.push_back({caption + " number", Value::StoredNumber, &field});
            break;
        case ShownKind::Number:
        case ShownKind::Spinner:
        case ShownKind::Resume:
            columns.push_back({caption, Value::StoredNumber, &field});
            break;
        }
    }
    return columns;
}

} // namespace

const std::vector<ExportColumn>& exportColumns() {
    static const std::vector<ExportColumn> columns = makeColumns();
    return columns;
}

std::int64_t columnNumber(const ExportColumn& column, std::int64_t recordNumber,
                          const UserRecord& user) {
    return column.field ? column.field->number(user) : recordNumber;
}

} // namespace kivo

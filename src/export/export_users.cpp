#include "export_users.h"

#include "csv_writer.h"
#include "json_lines_writer.h"

#include <memory>

namespace kivo {
namespace {

std::unique_ptr<UserWriter> makeWriter(const ExportOptions& options) {
    switch (options.format) {
    case ExportFormat::Csv:
        return std::make_unique<CsvWriter>(options.exactText);
    case ExportFormat::JsonLines:
        return std::make_unique<JsonLinesWriter>();
    }
    return nullptr;
}

} // namespace

ExportResult exportUsers(const UserFile& file, const ExportOptions& options, std::FILE* stream) {
    ExportResult result;
    const std::int64_t length = file.length().value_or(0);
    const auto recordSize = static_cast<std::int64_t>(kRecordSize);
    result.wholeUsers = length / recordSize;
    result.leftoverBytes = length % recordSize;

    OutputBlocks output(stream);
    const auto writer = makeWriter(options);
    writer->writeHeader(output);
    output.endHeader();
    UserFile::Sequence records(file);
    for (std::int64_t number = 1; number <= result.wholeUsers; ++number) {
        const ReadResult read = records.next();
        if (!read.record) {
            result.readError = read.error;
            break;
        }
        writer->writeUser(number, *read.record, output);
        if (!output.endUser())
            break;
    }
    output.finish();
    result.exported = output.usersWritten();
    result.bytesWritten = output.bytesWritten();
    result.wholeBytes = output.wholeBytes();
    result.output = output.state();
    result.outputError = output.error();
    return result;
}

} // namespace kivo

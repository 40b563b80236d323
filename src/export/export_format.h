#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace kivo {

enum class ExportFormat { Csv, JsonLines };

// The formats by the name the command line takes.
inline constexpr std::array<std::pair<std::string_view, ExportFormat>, 2> kExportFormats = {{
    {"csv", ExportFormat::Csv},
    {"jsonl", ExportFormat::JsonLines},
}};

// How an export writes its users.
struct ExportOptions {
    ExportFormat format = ExportFormat::Csv;
    // A CSV text cell that starts with =, +, - or @ is a formula to a spreadsheet, which would run
    // it: a caller could name himself =HYPERLINK(...). Such a cell gets a leading ' unless the
    // texts are asked for exactly, for scripts. JSON Lines always writes texts exactly.
    bool exactText = false;
};

std::optional<ExportFormat> exportFormatNamed(std::string_view name);

// Every name, for the usage: "csv|jsonl".
std::string exportFormatNames();

} // namespace kivo

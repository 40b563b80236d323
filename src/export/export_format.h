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

std::optional<ExportFormat> exportFormatNamed(std::string_view name);

// Every name, for the usage: "csv|jsonl".
std::string exportFormatNames();

} // namespace kivo

#include "export_format.h"

#include <algorithm>

namespace kivo {

std::optional<ExportFormat> exportFormatNamed(std::string_view name) {
    const auto found =
        std::ranges::find(kExportFormats, name, &decltype(kExportFormats)::value_type::first);
    if (found == kExportFormats.end())
        return std::nullopt;
    return found->second;
}

std::string exportFormatNames() {
    std::string names;
    for (const auto& [name, format] : kExportFormats)
        names += (names.empty() ? "" : "|") + std::string(name);
    return names;
}

} // namespace kivo

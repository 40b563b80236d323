#include "user_file_writer.h"

#include <filesystem>
#include <fstream>

namespace kivo::tools {

std::vector<std::uint8_t> userFileBytes(const std::vector<UserRecord>& records,
                                        const std::vector<std::uint8_t>& trailing) {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(records.size() * kRecordSize + trailing.size());
    for (const auto& record : records) {
        const auto encoded = encodeRecord(record);
        bytes.insert(bytes.end(), encoded.begin(), encoded.end());
    }
    bytes.insert(bytes.end(), trailing.begin(), trailing.end());
    return bytes;
}

bool writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    // The path is UTF-8; as a char8_t string it reaches Windows as UTF-16, not the ANSI code page.
    const std::filesystem::path name(std::u8string(path.begin(), path.end()));
    std::ofstream out(name, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out.flush());
}

UserRecord numberedUser(std::int64_t number) {
    UserRecord r;
    r.Name = makeTextField<30>("User " + std::to_string(number));
    r.City = makeTextField<30>("City " + std::to_string(number % 1000));
    r.Language = static_cast<std::uint8_t>(number % 4);
    r.Packer = static_cast<std::uint8_t>(number % 8);
    r.Protocol = static_cast<std::uint8_t>(number % 9);
    r.Charset = static_cast<std::uint8_t>(number % 11);
    r.TimesOn = static_cast<std::int32_t>(number);
    return r;
}

} // namespace kivo::tools

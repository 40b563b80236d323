#include "user_file_writer.h"

#include <array>
#include <filesystem>
#include <fstream>
#include <string_view>

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

UserRecord awkwardUser(std::int64_t number) {
    std::uint64_t state = static_cast<std::uint64_t>(number);
    const auto next = [&state] { // splitmix64
        std::uint64_t z = (state += 0x9e3779b97f4a7c15);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9;
        z = (z ^ (z >> 27)) * 0x94d049bb133111eb;
        return z ^ (z >> 31);
    };
    std::array<std::uint8_t, kRecordSize> bytes{};
    for (auto& byte : bytes)
        byte = static_cast<std::uint8_t>(next());
    UserRecord user = decodeRecord(bytes);
    constexpr std::string_view kLeads = "=+-@\",\r\n' ";
    if (number % 2 == 0)
        user.Name[0] = kLeads[static_cast<std::size_t>(number / 2) % kLeads.size()];
    return user;
}

} // namespace kivo::tools

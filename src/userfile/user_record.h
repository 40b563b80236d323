#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace kivo {

// One user is 273 bytes on disk: no header, no alignment gaps, little-endian integers.
inline constexpr std::size_t kRecordSize = 273;

// A fixed-length text field as stored: one byte per character, no terminator of its own.
template <std::size_t N> using TextField = std::array<char, N>;

// Every field of the record, shown or not, at its place in the file. Fields the board keeps but
// the window never shows carry the offset they come from in their names.
struct UserRecord {
    TextField<30> Name{};
    TextField<16> Text30{};
    TextField<30> Address{};
    TextField<30> City{};
    TextField<18> Phone{};
    TextField<18> Birthdate{};
    std::uint8_t Byte142 = 0;
    std::uint8_t Byte143 = 0;
    std::uint8_t PageLength = 0;
    std::uint8_t Charset = 0;
    std::uint8_t Language = 0;
    std::uint8_t Byte147 = 0;
    std::uint8_t Packer = 0;
    std::uint8_t Protocol = 0;
    std::uint8_t Byte150 = 0;
    std::int16_t TimeLimit = 0;
    std::int16_t TimeLeft = 0;
    std::uint16_t Word155 = 0;
    std::uint16_t Word157 = 0;
    std::uint16_t Word159 = 0;
    // A run of 25 counters; the board shows every second one, starting with the first.
    std::int32_t TimesOn = 0;
    std::int32_t Long165 = 0;
    std::int32_t MessagesWritten = 0;
    std::int32_t Long173 = 0;
    std::int32_t MessagesRead = 0;
    std::int32_t Long181 = 0;
    std::int32_t MessagesDumped = 0;
    std::int32_t Long189 = 0;
    std::int32_t FilesUploaded = 0;
    std::int32_t Long197 = 0;
    std::int32_t FilesDownloaded = 0;
    std::int32_t Long205 = 0;
    std::int32_t KbUploaded = 0;
    std::int32_t Long213 = 0;
    std::int32_t KbDownloaded = 0;
    std::int32_t Long221 = 0;
    std::int32_t ResumeNumber = 0; // 0 means the user has no resume
    std::array<std::int32_t, 8> Long229{};
    TextField<8> Text261{};
    std::int32_t Long269 = 0;

    bool operator==(const UserRecord&) const = default;
};

// Calls visit(offset, field) for every field in file order. Decoding and encoding both walk this
// one list, so the layout is written down exactly once.
template <class Record, class Visitor> constexpr void forEachField(Record& r, Visitor&& visit) {
    visit(0, r.Name);
    visit(30, r.Text30);
    visit(46, r.Address);
    visit(76, r.City);
    visit(106, r.Phone);
    visit(124, r.Birthdate);
    visit(142, r.Byte142);
    visit(143, r.Byte143);
    visit(144, r.PageLength);
    visit(145, r.Charset);
    visit(146, r.Language);
    visit(147, r.Byte147);
    visit(148, r.Packer);
    visit(149, r.Protocol);
    visit(150, r.Byte150);
    visit(151, r.TimeLimit);
    visit(153, r.TimeLeft);
    visit(155, r.Word155);
    visit(157, r.Word157);
    visit(159, r.Word159);
    visit(161, r.TimesOn);
    visit(165, r.Long165);
    visit(169, r.MessagesWritten);
    visit(173, r.Long173);
    visit(177, r.MessagesRead);
    visit(181, r.Long181);
    visit(185, r.MessagesDumped);
    visit(189, r.Long189);
    visit(193, r.FilesUploaded);
    visit(197, r.Long197);
    visit(201, r.FilesDownloaded);
    visit(205, r.Long205);
    visit(209, r.KbUploaded);
    visit(213, r.Long213);
    visit(217, r.KbDownloaded);
    visit(221, r.Long221);
    visit(225, r.ResumeNumber);
    visit(229, r.Long229);
    visit(261, r.Text261);
    visit(269, r.Long269);
}

// Where one of a record's fields lies in the stored record, found by the field's address in that
// record, so that the field list above stays the one place that knows the layout.
struct StoredPlace {
    std::size_t offset = 0;
    std::size_t width = 0; // 0: the address is not the start of one of the record's fields
};
constexpr StoredPlace storedPlaceOf(const UserRecord& record, const void* field) {
    StoredPlace place;
    forEachField(record, [&](std::size_t offset, const auto& stored) {
        if (static_cast<const void*>(&stored) == field)
            place = {offset, sizeof stored};
    });
    return place;
}

using RecordBytes = std::array<std::uint8_t, kRecordSize>;

// Decodes one whole record; every byte of the buffer belongs to exactly one field.
UserRecord decodeRecord(std::span<const std::uint8_t, kRecordSize> bytes);

// The inverse of decodeRecord, for the sample generator and the tests' files.
RecordBytes encodeRecord(const UserRecord& record);

// The text a text field shows: its bytes up to, not including, the first NUL (all of them when
// there is none). Trailing blanks stay. The bytes are still in the file's code page.
constexpr std::string_view displayedBytes(std::string_view stored) {
    return stored.substr(0, stored.find('\0'));
}
template <std::size_t N> constexpr std::string_view displayedBytes(const TextField<N>& field) {
    return displayedBytes(std::string_view(field.data(), N));
}

// The name's displayed bytes read straight from a record as stored, the rest left undecoded:
// listing needs nothing else.
std::string_view storedNameBytes(std::span<const std::uint8_t, kRecordSize> bytes);

// Stores text into a field the way the board does: the bytes, then NUL padding; longer text is cut.
template <std::size_t N> constexpr TextField<N> makeTextField(std::string_view bytes) {
    TextField<N> field{};
    for (std::size_t i = 0; i < N && i < bytes.size(); ++i)
        field[i] = bytes[i];
    return field;
}

} // namespace kivo

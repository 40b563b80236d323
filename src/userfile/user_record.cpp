#include "user_record.h"

#include <bit>
#include <cstring>
#include <type_traits>

namespace kivo {
namespace {

template <class T> struct IsTextField : std::false_type {};
template <std::size_t N> struct IsTextField<TextField<N>> : std::true_type {};

template <class Int> Int loadLittleEndian(const std::uint8_t* p) {
    if constexpr (std::endian::native == std::endian::little) {
        Int value;
        std::memcpy(&value, p, sizeof value);
        return value;
    }
    std::make_unsigned_t<Int> value = 0;
    for (std::size_t i = sizeof(Int); i-- > 0;)
        value = static_cast<std::make_unsigned_t<Int>>((value << 8) | p[i]);
    return static_cast<Int>(value); // two's complement, as the board wrote it
}

template <class Int> void storeLittleEndian(Int value, std::uint8_t* p) {
    auto bits = static_cast<std::make_unsigned_t<Int>>(value);
    for (std::size_t i = 0; i < sizeof(Int); ++i, bits = static_cast<decltype(bits)>(bits >> 8))
        p[i] = static_cast<std::uint8_t>(bits & 0xFF);
}

template <class Field> constexpr std::size_t storedWidth() {
    if constexpr (IsTextField<Field>::value)
        return std::tuple_size_v<Field>;
    else if constexpr (std::is_integral_v<Field>)
        return sizeof(Field);
    else
        return std::tuple_size_v<Field> * sizeof(typename Field::value_type);
}

// The fields must tile the record exactly: each starts where the previous one ended, and the last
// ends at the record's end.
constexpr bool fieldsTileTheRecord() {
    UserRecord r;
    std::size_t next = 0;
    bool tiled = true;
    forEachField(r, [&](std::size_t offset, auto& field) {
        tiled = tiled && offset == next;
        next = offset + storedWidth<std::remove_cvref_t<decltype(field)>>();
    });
    return tiled && next == kRecordSize;
}
static_assert(fieldsTileTheRecord(), "the record's fields leave a gap or overlap");

} // namespace

namespace {

// Where the name lies in a record, as the field list places it.
constexpr std::size_t kNameOffset = [] {
    UserRecord record;
    return storedPlaceOf(record, &record.Name).offset;
}();
static_assert(kNameOffset + sizeof(UserRecord::Name) <= kRecordSize);

} // namespace

std::string_view storedNameBytes(std::span<const std::uint8_t, kRecordSize> bytes) {
    const std::string_view all(reinterpret_cast<const char*>(bytes.data()) + kNameOffset,
                               sizeof(UserRecord::Name));
    return all.substr(0, all.find('\0'));
}

UserRecord decodeRecord(std::span<const std::uint8_t, kRecordSize> bytes) {
    UserRecord r;
    forEachField(r, [&](std::size_t offset, auto& field) {
        using Field = std::remove_cvref_t<decltype(field)>;
        const std::uint8_t* p = bytes.data() + offset;
        if constexpr (IsTextField<Field>::value) {
            std::memcpy(field.data(), p, field.size());
        } else if constexpr (std::is_integral_v<Field>) {
            field = loadLittleEndian<Field>(p);
        } else {
            for (auto& value : field) {
                value = loadLittleEndian<typename Field::value_type>(p);
                p += sizeof(value);
            }
        }
    });
    return r;
}

RecordBytes encodeRecord(const UserRecord& record) {
    RecordBytes bytes{};
    forEachField(record, [&](std::size_t offset, const auto& field) {
        using Field = std::remove_cvref_t<decltype(field)>;
        std::uint8_t* p = bytes.data() + offset;
        if constexpr (IsTextField<Field>::value) {
            for (char c : field)
                *p++ = static_cast<std::uint8_t>(c);
        } else if constexpr (std::is_integral_v<Field>) {
            storeLittleEndian(field, p);
        } else {
            for (auto value : field) {
                storeLittleEndian(value, p);
                p += sizeof(value);
            }
        }
    });
    return bytes;
}

} // namespace kivo

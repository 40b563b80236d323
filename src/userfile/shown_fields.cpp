#include "shown_fields.h"

#include "code_page.h"
#include "code_tables.h"

#include <algorithm>

namespace kivo {
namespace {

constexpr ShownField text(std::string_view caption, std::string_view control,
                          std::string_view (*bytes)(const UserRecord&)) {
    return {caption, control, ShownKind::Text, bytes, nullptr, {}};
}

constexpr ShownField number(std::string_view caption, std::string_view control, ShownKind kind,
                            std::int64_t (*number)(const UserRecord&),
                            std::span<const std::string_view> table = {}) {
    return {caption, control, kind, nullptr, number, table};
}

constexpr auto Stat = ShownKind::Number;
constexpr auto Spin = ShownKind::Spinner;

// clang-format off
constexpr ShownField kRows[] = {
    text("Name",         "txtName",    [](const UserRecord& u) { return displayedBytes(u.Name); }),
    text("Address",      "txtAddress", [](const UserRecord& u) { return displayedBytes(u.Address); }),
    text("Postno./City", "txtCity",    [](const UserRecord& u) { return displayedBytes(u.City); }),
    text("Phone",        "txtPhone",   [](const UserRecord& u) { return displayedBytes(u.Phone); }),
    text("Birthdate",    "txtBirth",   [](const UserRecord& u) { return displayedBytes(u.Birthdate); }),
    number("Language",   "optLanguage", ShownKind::Language,
           [](const UserRecord& u) -> std::int64_t { return u.Language; }, kLanguageCaptions),
    number("Timelimit",  "udTimelimit",  Spin, [](const UserRecord& u) -> std::int64_t { return u.TimeLimit; }),
    number("Pagelength", "udPagelength", Spin, [](const UserRecord& u) -> std::int64_t { return u.PageLength; }),
    number("Timeleft",   "udTimeleft",   Spin, [](const UserRecord& u) -> std::int64_t { return u.TimeLeft; }),
    number("Resume number", "txtResume", ShownKind::Resume,
           [](const UserRecord& u) -> std::int64_t { return u.ResumeNumber; }),
    number("Times on",         "txtTimeson",   Stat, [](const UserRecord& u) -> std::int64_t { return u.TimesOn; }),
    number("Messages written", "txtMsgleft",   Stat, [](const UserRecord& u) -> std::int64_t { return u.MessagesWritten; }),
    number("Messages read",    "txtMsgread",   Stat, [](const UserRecord& u) -> std::int64_t { return u.MessagesRead; }),
    number("Messages dumped",  "txtMsgdumped", Stat, [](const UserRecord& u) -> std::int64_t { return u.MessagesDumped; }),
    number("Files uploaded",   "txtFileUp",    Stat, [](const UserRecord& u) -> std::int64_t { return u.FilesUploaded; }),
    number("Files downloaded", "txtFileDown",  Stat, [](const UserRecord& u) -> std::int64_t { return u.FilesDownloaded; }),
    number("KB Uploaded",      "txtKbup",      Stat, [](const UserRecord& u) -> std::int64_t { return u.KbUploaded; }),
    number("KB Downloaded",    "txtKbDown",    Stat, [](const UserRecord& u) -> std::int64_t { return u.KbDownloaded; }),
    number("Packer",   "cboPackers",  ShownKind::Code, [](const UserRecord& u) -> std::int64_t { return u.Packer; },   kPackerTexts),
    number("Protocol", "cboProtocol", ShownKind::Code, [](const UserRecord& u) -> std::int64_t { return u.Protocol; }, kProtocolTexts),
    number("Charset",  "cboCharset",  ShownKind::Code, [](const UserRecord& u) -> std::int64_t { return u.Charset; },  kCharsetTexts),
};
// clang-format on

} // namespace

// Its size is its rows': a row removed leaves no empty row behind.
constinit const std::span<const ShownField> kShownFields{kRows};

const ShownField* shownFieldByControl(std::string_view control) {
    const auto found = std::ranges::find(kShownFields, control, &ShownField::control);
    return found == kShownFields.end() ? nullptr : &*found;
}

std::string codeCaption(const ShownField& field, std::int64_t value) {
    if (const auto text = codeText(field.table, value))
        return std::string(*text);
    if (field.kind == ShownKind::Language)
        return {};
    return "Unknown (" + std::to_string(value) + ")";
}

std::u16string shownText(const ShownField& field, const UserRecord& user) {
    const auto ascii = [](const std::string& s) { return std::u16string(s.begin(), s.end()); };
    switch (field.kind) {
    case ShownKind::Text:
        return decodeCodePage(field.bytes(user));
    case ShownKind::Code:
    case ShownKind::Language:
        return ascii(codeCaption(field, field.number(user)));
    case ShownKind::Resume:
        if (field.number(user) == 0)
            return {};
        [[fallthrough]];
    case ShownKind::Number:
    case ShownKind::Spinner:
        break;
    }
    return ascii(std::to_string(field.number(user)));
}

} // namespace kivo

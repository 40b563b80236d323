#include "shown_fields.h"

#include "code_page.h"
#include "code_tables.h"

#include <algorithm>

namespace kivo {
namespace {

constexpr ShownField text(std::string_view caption, std::string_view control, ShownPlace place,
                          std::string_view (*bytes)(const UserRecord&)) {
    return {caption, control, ShownKind::Text, place, bytes, nullptr, {}};
}

constexpr ShownField number(std::string_view caption, std::string_view control, ShownKind kind,
                            ShownPlace place, std::int64_t (*number)(const UserRecord&),
                            std::span<const std::string_view> table = {}) {
    return {caption, control, kind, place, nullptr, number, table};
}

// A counter on the statistics page, shown in a locked box.
constexpr ShownField counter(std::string_view caption, std::string_view control,
                             std::string_view label, int left, int top, int labelWidth,
                             std::int64_t (*reader)(const UserRecord&)) {
    return number(caption, control, ShownKind::Number, counterPlace(label, left, top, labelWidth),
                  reader);
}

// A spinner on the general page: its label, its box, and the spinner itself to the box's right.
constexpr ShownPlace spinner(std::string_view label, std::string_view box, int top, int labelWidth,
                             int maximum) {
    ShownPlace place{
        ShownPage::General, label, {1800, top, labelWidth, 255}, {3480, top + 240, 240, 285}};
    place.box = box;
    place.boxAt = {1800, top + 240, 1695, 285};
    place.maximum = maximum;
    return place;
}

constexpr auto General = ShownPage::General;
constexpr auto Personal = ShownPage::Personal;
constexpr auto Spin = ShownKind::Spinner;

// clang-format off
constexpr ShownField kRows[] = {
    text("Name",         "txtName",    {Personal, "Label3", {120, 480, 975, 255},   {120, 720, 4215, 285}},
         [](const UserRecord& u) { return displayedBytes(u.Name); }),
    text("Address",      "txtAddress", {Personal, "Label4", {120, 1080, 615, 255},  {120, 1320, 4215, 285}},
         [](const UserRecord& u) { return displayedBytes(u.Address); }),
    text("Postno./City", "txtCity",    {Personal, "Label5", {120, 1680, 975, 255},  {120, 1920, 4215, 285}},
         [](const UserRecord& u) { return displayedBytes(u.City); }),
    text("Phone",        "txtPhone",   {Personal, "Label6", {120, 2280, 1215, 255}, {120, 2520, 1335, 285}},
         [](const UserRecord& u) { return displayedBytes(u.Phone); }),
    text("Birthdate",    "txtBirth",   {Personal, "Label7", {1680, 2280, 735, 255}, {1680, 2520, 2655, 285}},
         [](const UserRecord& u) { return displayedBytes(u.Birthdate); }),
    number("Language",   "optLanguage", ShownKind::Language,
           {General, "Frame1", {120, 480, 1455, 2655}, {120, 360, 1095, 255}},
           [](const UserRecord& u) -> std::int64_t { return u.Language; }, kLanguageCaptions),
    number("Timelimit",  "udTimelimit",  Spin, spinner("Label9", "txtTimelimit", 2880, 1215, 32000),
           [](const UserRecord& u) -> std::int64_t { return u.TimeLimit; }),
    number("Pagelength", "udPagelength", Spin, spinner("Label8", "txtPagelength", 2280, 855, 254),
           [](const UserRecord& u) -> std::int64_t { return u.PageLength; }),
    number("Timeleft",   "udTimeleft",   Spin, spinner("Label10", "txtTimeleft", 3480, 1335, 32000),
           [](const UserRecord& u) -> std::int64_t { return u.TimeLeft; }),
    number("Resume number", "txtResume", ShownKind::Resume,
           {Personal, "Label11", {120, 3480, 1215, 255}, {120, 3720, 975, 285}},
           [](const UserRecord& u) -> std::int64_t { return u.ResumeNumber; }),
    counter("Times on",         "txtTimeson",   "Label12", 240, 480, 1095,   [](const UserRecord& u) -> std::int64_t { return u.TimesOn; }),
    counter("Messages written", "txtMsgleft",   "Label13", 240, 1080, 1335,  [](const UserRecord& u) -> std::int64_t { return u.MessagesWritten; }),
    counter("Messages read",    "txtMsgread",   "Label14", 240, 1680, 1215,  [](const UserRecord& u) -> std::int64_t { return u.MessagesRead; }),
    counter("Messages dumped",  "txtMsgdumped", "Label15", 240, 2280, 1335,  [](const UserRecord& u) -> std::int64_t { return u.MessagesDumped; }),
    counter("Files uploaded",   "txtFileUp",    "Label16", 240, 2880, 1335,  [](const UserRecord& u) -> std::int64_t { return u.FilesUploaded; }),
    counter("Files downloaded", "txtFileDown",  "Label17", 240, 3480, 1455,  [](const UserRecord& u) -> std::int64_t { return u.FilesDownloaded; }),
    counter("KB Uploaded",      "txtKbup",      "Label18", 2640, 480, 1335,  [](const UserRecord& u) -> std::int64_t { return u.KbUploaded; }),
    counter("KB Downloaded",    "txtKbDown",    "Label19", 2640, 1080, 1215, [](const UserRecord& u) -> std::int64_t { return u.KbDownloaded; }),
    number("Packer",   "cboPackers",  ShownKind::Code, {General, "Label2", {1800, 1080, 1095, 255}, {1800, 1320, 1935, 315}},
           [](const UserRecord& u) -> std::int64_t { return u.Packer; },   kPackerTexts),
    number("Protocol", "cboProtocol", ShownKind::Code, {General, "Label1", {1800, 480, 855, 255},   {1800, 720, 1935, 315}},
           [](const UserRecord& u) -> std::int64_t { return u.Protocol; }, kProtocolTexts),
    number("Charset",  "cboCharset",  ShownKind::Code, {General, "Label24", {1800, 1680, 1335, 255}, {1800, 1920, 1935, 315}},
           [](const UserRecord& u) -> std::int64_t { return u.Charset; },  kCharsetTexts),
};
// clang-format on

static_assert(std::ranges::all_of(kRows, [](const ShownField& field) {
    const ShownPlace& at = field.place;
    return onPixelGrid(at.labelAt) && onPixelGrid(at.controlAt) && onPixelGrid(at.boxAt);
}));

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

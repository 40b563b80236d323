#pragma once

#include "form_twips.h"
#include "user_record.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace kivo {

// How a shown field's value reaches the screen.
enum class ShownKind {
    Text,     // a text field, decoded from the board's code page
    Number,   // a counter in a locked box, in decimal
    Spinner,  // a number held by an up-down spinner, which writes its buddy box
    Resume,   // the resume number: a check box and a box, empty and disabled when 0
    Language, // the index of the selected language option
    Code,     // the position of the selected entry in a drop-down list
};

// The window's tab pages, in the order they are added.
enum class ShownPage { General, Personal, Statistics };

// Where the window shows a field: its page, the label that names it, the control, and for a
// spinner the box beside it that holds the number as text.
struct ShownPlace {
    ShownPage page;
    std::string_view label; // the label's object name; for the languages, their frame's
    Twips labelAt;          // for the languages, the frame
    Twips controlAt;        // for the languages, the first option; the others follow below it
    std::string_view box{}; // a spinner's box
    Twips boxAt{};
    int maximum = 0; // a spinner's highest value
};

// Where a counter stands on the statistics page: a label 255 high and, overlapping its foot, a
// box 1455 by 285. The page's boxes kept for the board's later versions stand the same way.
constexpr ShownPlace counterPlace(std::string_view label, int left, int top, int labelWidth) {
    return {
        ShownPage::Statistics, label, {left, top, labelWidth, 255}, {left, top + 240, 1455, 285}};
}

// One field of the record the viewer shows: the name it is known by (its label's caption and its
// export column), the control that shows it and where. The window places, fills and clears its
// fields from this table, and the export takes its columns from it.
struct ShownField {
    std::string_view caption; // the field's label in the window and its column in an export
    std::string_view control; // object name of the control that shows it
    ShownKind kind;
    ShownPlace place;
    std::string_view (*bytes)(const UserRecord&) = nullptr; // Text: the displayed bytes
    std::int64_t (*number)(const UserRecord&) = nullptr;    // every other kind
    std::span<const std::string_view> table{};              // Code and Language: the captions
};

// Every shown field, in the order the detail view fills them: the texts, the language, the
// spinners, the resume, the statistics, then the three lists.
extern const std::span<const ShownField> kShownFields;

// The field shown by the control with this object name, if any.
const ShownField* shownFieldByControl(std::string_view control);

// The caption a code or language value shows: its table's text, or for a code past its table
// "Unknown (N)", so the stored number is not hidden. A language past its options has no caption.
std::string codeCaption(const ShownField& field, std::int64_t value);

// The text the window shows for the field, as UTF-16: a text field through the board's code
// page, a number in plain decimal, a code or language through codeCaption. The resume number
// shows nothing when it is 0.
std::u16string shownText(const ShownField& field, const UserRecord& user);

} // namespace kivo

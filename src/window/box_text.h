#pragma once

#include <QLineEdit>

namespace kivo {

// Puts a value into a text box so that it shows from its first character, as a left-aligned box
// should: setText alone leaves the caret at the end, and a value wider than its box then shows
// only its end.
inline void showInBox(QLineEdit* box, const QString& value) {
    box->setText(value);
    box->setCursorPosition(0);
}

} // namespace kivo

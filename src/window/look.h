#pragma once

#include <QFont>

class QApplication;

namespace kivo {

// The one font every caption and value is drawn in. Liberation Sans has the metrics of the
// Arial-class dialog font the layout was measured in, so every caption fits its rectangle.
QFont applicationFont();

// Fusion style, the application font, and Qt's own dialogs everywhere.
void applyLook(QApplication& app);

} // namespace kivo

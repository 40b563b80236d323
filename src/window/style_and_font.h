#pragma once

class QApplication;

namespace kivo {

// Fusion style, the one font every caption and value is drawn in, and Qt's own dialogs
// everywhere.
void applyStyleAndFont(QApplication& app);

} // namespace kivo

#pragma once

#include <QString>

namespace kivo {

class frmMain;

// Brings the window up as the program starts: the program named for the desktop, the load step,
// then shown, then the named file (if any) opened exactly as Open would open it, so that its
// messages have the window as parent.
void startWindow(frmMain& window, const QString& file);

// Runs the window until it closes; returns the exit status.
int runWindow(const char* programPath, const QString& file);

} // namespace kivo

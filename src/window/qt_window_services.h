#pragma once

#include "window_services.h"

class QFileDialog;

namespace kivo {

// The real seam: Qt's message boxes and Qt's own file dialog (not the platform's, so that it
// looks and filters the same on every desktop).
class QtWindowServices : public WindowServices {
public:
    QMessageBox::StandardButton showMessage(QWidget* parent, const MessageSpec& message) override;
    QString chooseFile(QWidget* parent, const QString& nameFilter,
                       const QString& startFolder) override;
    QString settingsFile() override;
    QRect screenGeometry(const QWidget* window) override;
    void quit() override;
};

// How the real seam dresses its box and dialog, apart from showing them, so that tests can look.
void setUpMessageBox(QMessageBox& box, const MessageSpec& message);
void setUpOpenDialog(QFileDialog& dialog, const QString& nameFilter, const QString& startFolder);

// Qt's own file dialog reads and writes the settings all Qt programs share (QtProject.conf in the
// per-user configuration folder) as it is made and destroyed, through QSettings, which would wait
// for ever on a FIFO or a lock left in their place. When the file is not a regular one, or a lock
// is there, the dialog's settings go to a fresh folder of this program's own instead, and it
// starts without its remembered places. Call before each dialog is made.
void keepDialogSettingsSafe();

} // namespace kivo

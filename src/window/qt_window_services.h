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

} // namespace kivo

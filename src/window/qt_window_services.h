#pragma once

#include "window_services.h"

#include <memory>

class QFileDialog;

namespace kivo {

// The real seam: Qt's message boxes and Qt's own file dialog (not the platform's, so that it
// looks and filters the same on every desktop).
class QtWindowServices : public WindowServices {
public:
    QMessageBox::StandardButton showMessage(QWidget* parent, const MessageSpec& message) override;
    QString chooseFile(QWidget* parent, const QString& nameFilter,
                       const QString& startFolder) override;
    QRect screenGeometry(const QWidget* window) override;
    void quit() override;
};

std::unique_ptr<QMessageBox> makeMessageBox(QWidget* parent, const MessageSpec& message);
std::unique_ptr<QFileDialog> makeOpenDialog(QWidget* parent, const QString& nameFilter,
                                            const QString& startFolder);

} // namespace kivo

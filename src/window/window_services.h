#pragma once

#include <QMessageBox>
#include <QRect>
#include <QString>

class QWidget;

namespace kivo {

// Everything a message box needs to be shown exactly as the command asks for it.
struct MessageSpec {
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString title;
    QString text;
    QMessageBox::StandardButtons buttons = QMessageBox::Ok;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
};

// The window reaches the user's answers, its settings, the screen and the end of the program
// only through this seam, so that tests can answer for the user without a modal loop.
class WindowServices {
public:
    virtual ~WindowServices() = default;

    // Shows a modal message box; the button pressed, or the escape answer when it was dismissed.
    virtual QMessageBox::StandardButton showMessage(QWidget* parent,
                                                    const MessageSpec& message) = 0;

    // Shows the modal file-open dialog with one Qt name filter, starting in the given folder; an
    // empty path when cancelled.
    virtual QString chooseFile(QWidget* parent, const QString& nameFilter,
                               const QString& startFolder) = 0;

    // The file the window keeps its settings in (the folder of the last file opened); empty
    // when nothing is to be kept.
    virtual QString settingsFile() = 0;

    // The whole screen the window is on, in logical pixels.
    virtual QRect screenGeometry(const QWidget* window) = 0;

    // Ends the program at once.
    virtual void quit() = 0;
};

} // namespace kivo

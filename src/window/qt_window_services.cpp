#include "qt_window_services.h"

#include "settings_file.h"

#include <QApplication>
#include <QFileDialog>
#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QWidget>

namespace kivo {

void setUpMessageBox(QMessageBox& box, const MessageSpec& message) {
    box.setIcon(message.icon);
    box.setWindowTitle(message.title);
    box.setTextFormat(Qt::PlainText); // user data may reach the text: never read it as markup
    box.setText(message.text);
    box.setStandardButtons(message.buttons);
    if (message.defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(message.defaultButton);
}

// Each box and dialog lives on the stack for as long as it is shown; the parent only places it.
QMessageBox::StandardButton QtWindowServices::showMessage(QWidget* parent,
                                                          const MessageSpec& message) {
    QMessageBox box(parent);
    setUpMessageBox(box, message);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

void setUpOpenDialog(QFileDialog& dialog, const QString& nameFilter, const QString& startFolder) {
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setDirectory(startFolder);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter(nameFilter);
    // The boards that wrote these files did not tell letter cases apart: bbbsuser.dat is the
    // same file as BBBSUSER.DAT. Keep the filter blind to case on every file system.
    dialog.setFilter(dialog.filter() & ~QDir::CaseSensitive);
}

void keepDialogSettingsSafe() {
#ifndef Q_OS_WIN // there Qt keeps them in the registry
    const QString shared = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                           QStringLiteral("/QtProject.conf");
    const QFileInfo file(shared), lock(shared + QStringLiteral(".lock"));
    const bool safe = (file.isFile() || (!file.exists() && !file.isSymLink())) && !lock.exists() &&
                      !lock.isSymLink();
    if (safe)
        return;
    static QTemporaryDir own;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, own.path());
#endif
}

QString QtWindowServices::chooseFile(QWidget* parent, const QString& nameFilter,
                                     const QString& startFolder) {
    keepDialogSettingsSafe();
    QFileDialog dialog(parent);
    setUpOpenDialog(dialog, nameFilter, startFolder);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

QString QtWindowServices::settingsFile() {
    return defaultSettingsFile();
}

QRect QtWindowServices::screenGeometry(const QWidget* window) {
    const QScreen* screen =
        window && window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->geometry() : QRect();
}

void QtWindowServices::quit() {
    QCoreApplication::quit();
}

} // namespace kivo

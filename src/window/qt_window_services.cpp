#include "qt_window_services.h"

#include <QApplication>
#include <QFileDialog>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace kivo {

std::unique_ptr<QMessageBox> makeMessageBox(QWidget* parent, const MessageSpec& message) {
    auto box = std::make_unique<QMessageBox>(message.icon, message.title, message.text,
                                             message.buttons, parent);
    box->setTextFormat(Qt::PlainText); // user data may reach the text: never read it as markup
    if (message.defaultButton != QMessageBox::NoButton)
        box->setDefaultButton(message.defaultButton);
    return box;
}

QMessageBox::StandardButton QtWindowServices::showMessage(QWidget* parent,
                                                          const MessageSpec& message) {
    auto box = makeMessageBox(parent, message);
    return static_cast<QMessageBox::StandardButton>(box->exec());
}

std::unique_ptr<QFileDialog> makeOpenDialog(QWidget* parent, const QString& nameFilter,
                                            const QString& startFolder) {
    auto dialog = std::make_unique<QFileDialog>(parent, QString(), startFolder);
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setFileMode(QFileDialog::ExistingFile);
    dialog->setNameFilter(nameFilter);
    // The boards that wrote these files did not tell letter cases apart: bbbsuser.dat is the
    // same file as BBBSUSER.DAT. Keep the filter blind to case on every file system.
    dialog->setFilter(dialog->filter() & ~QDir::CaseSensitive);
    return dialog;
}

QString QtWindowServices::chooseFile(QWidget* parent, const QString& nameFilter,
                                     const QString& startFolder) {
    auto dialog = makeOpenDialog(parent, nameFilter, startFolder);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
        return {};
    return dialog->selectedFiles().constFirst();
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

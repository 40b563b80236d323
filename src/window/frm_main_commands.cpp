// The toolbar's commands: the dispatcher, and Update, Undo and Exit. Open, which picks the file
// and lists its users, lives in frm_main_loading.cpp.
#include "frm_main.h"
#include "toolbar_keys.h"

#include <QAction>
#include <QCloseEvent>

namespace kivo {

void frmMain::tb1_ButtonClick(QAction* button) {
    // Exact, case-sensitive keys; Print and anything unknown do nothing.
    const QString key = button->data().toString();
    if (key == QLatin1String(toolbar_key::kOpen))
        mnuOpen_Click();
    else if (key == QLatin1String(toolbar_key::kUndo))
        mnuUndo_Click();
    else if (key == QLatin1String(toolbar_key::kExit))
        mnuEnd_Click();
    else if (key == QLatin1String(toolbar_key::kUpdate))
        mnuUpdate_Click();
}

void frmMain::mnuEnd_Click() {
    if (ask(tr("Exit"), tr("Are you sure?")) != QMessageBox::Yes)
        return;
    cancelListing();
    follower_.stop();
    userFile_.closeAll();
    services_.quit();
}

void frmMain::mnuUndo_Click() {
    const QString text = tr("This will revert the user!") + QLatin1Char('\n') +
                         tr("This only works if you have not pressed update!") + QLatin1Char('\n') +
                         tr("Are you sure?");
    if (ask(tr("Undo"), text) == QMessageBox::Yes)
        List1_Click();
}

void frmMain::mnuUpdate_Click() {
    warn(tr("Sorry!"), tr("Sorry! This is just a preview. You can't update the users in the "
                          "preview version!"));
}

void frmMain::closeEvent(QCloseEvent* event) {
    // Closing by the frame ends the program without asking, and stops a listing.
    cancelListing();
    follower_.stop();
    userFile_.closeAll();
    event->accept();
}

QMessageBox::StandardButton frmMain::ask(const QString& title, const QString& text) {
    return services_.showMessage(this, {QMessageBox::Question, title, text,
                                        QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes});
}

void frmMain::warn(const QString& title, const QString& text) {
    services_.showMessage(this,
                          {QMessageBox::Warning, title, text, QMessageBox::Ok, QMessageBox::Ok});
}

} // namespace kivo

// Find: the dialog, the window's keys for it, and the user found shown as a click shows one.
#include "find_dialog.h"
#include "frm_main.h"
#include "user_finder.h"
#include "user_list_model.h"

#include <QAction>
#include <QListView>

namespace kivo {
namespace {

// How a search came out, in the dialog's line. The field is named by its label's caption.
QString findLine(const FindOutcome& outcome) {
    using Kind = FindOutcome::Kind;
    switch (outcome.kind) {
    case Kind::Found:
        if (!outcome.field)
            return frmMain::tr("Record %1").arg(outcome.record);
        if (!outcome.wrapped)
            return frmMain::tr("Found in %1").arg(QLatin1String(outcome.field->caption));
        return (outcome.backwards ? frmMain::tr("Found in %1, wrapped to the end")
                                  : frmMain::tr("Found in %1, wrapped to the start"))
            .arg(QLatin1String(outcome.field->caption));
    case Kind::NothingFound:
        return frmMain::tr("Nothing found");
    case Kind::NothingToSearch:
        return frmMain::tr("There is nothing to search");
    case Kind::NoText:
        return frmMain::tr("Type the text to find");
    case Kind::NoSuchRecord:
        return frmMain::tr("There is no record %1").arg(outcome.record);
    }
    return {};
}

} // namespace

void frmMain::createFindCommands() {
    finder_ = new UserFinder(*users_, userFile_, this);
    connect(finder_, &UserFinder::finished, this, &frmMain::showFound);
    const struct {
        QKeySequence keys;
        void (frmMain::*command)();
    } commands[] = {
        {QKeySequence(Qt::CTRL | Qt::Key_F), &frmMain::showFind},
        {QKeySequence(Qt::Key_F3), &frmMain::findNext},
        {QKeySequence(Qt::SHIFT | Qt::Key_F3), &frmMain::findPrevious},
    };
    for (std::size_t i = 0; i < std::size(commands); ++i) {
        auto* action = new QAction(this);
        action->setShortcut(commands[i].keys);
        connect(action, &QAction::triggered, this, commands[i].command);
        addAction(action);
        findCommands_[i] = action;
    }
}

void frmMain::showFind() {
    if (!findDialog_) {
        findDialog_ = new FindDialog(this);
        // The same keys work in the dialog.
        findDialog_->addActions({findCommands_.begin(), findCommands_.end()});
        connect(findDialog_, &FindDialog::findNext, this, &frmMain::findNext);
        connect(findDialog_, &FindDialog::findPrevious, this, &frmMain::findPrevious);
        // Close and Esc stop a search; opened again, the dialog says nothing of it.
        connect(findDialog_, &QDialog::rejected, this, [this] {
            if (finder_->isRunning())
                findDialog_->showLine({});
            finder_->stop();
        });
    }
    findDialog_->showWithTextSelected();
}

void frmMain::findNext() {
    find(false);
}

void frmMain::findPrevious() {
    find(true);
}

void frmMain::find(bool backwards) {
    // With nothing typed yet, the keys open the dialog to type it in.
    if (!findDialog_ || findDialog_->text().isEmpty())
        showFind();
    findDialog_->show();
    findDialog_->showLine(tr("Searching…"));
    // From the selected entry, as a click leaves it.
    finder_->start({findDialog_->text(), findDialog_->letterCase(), backwards, selectedRow()});
}

void frmMain::showFound(const FindOutcome& outcome) {
    findDialog_->showLine(findLine(outcome));
    if (outcome.kind != FindOutcome::Kind::Found)
        return;
    // The same step as a click: selecting the entry reads its user from the file. Found again,
    // the selected entry is read again all the same.
    const QModelIndex found = users_->index(outcome.row);
    const bool alreadySelected = List1_->selectionModel()->isSelected(found);
    List1_->setCurrentIndex(found);
    List1_->scrollTo(found);
    if (alreadySelected)
        List1_Click();
}

} // namespace kivo

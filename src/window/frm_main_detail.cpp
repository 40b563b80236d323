// The detail view: the selected user, read afresh from the file, on the three pages.
#include "board_text.h"
#include "box_text.h"
#include "file_name_text.h"
#include "frm_main.h"
#include "locked_check_box.h"
#include "shown_fields.h"
#include "up_down.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QRadioButton>

namespace kivo {
namespace {

// Selects the entry for a stored code. A code past the end of the list selects nothing and
// shows the stored number in the list's face, so the truth is not hidden. With no user, the list
// stands with nothing selected.
void selectCode(QComboBox* list, const ShownField& field, const UserRecord* user) {
    const std::int64_t code = user ? field.number(*user) : -1;
    if (code >= 0 && code < list->count()) {
        list->setPlaceholderText(QString());
        list->setCurrentIndex(static_cast<int>(code));
    } else {
        list->setCurrentIndex(-1);
        list->setPlaceholderText(user ? QString::fromStdString(codeCaption(field, code))
                                      : QString());
    }
}

} // namespace

int frmMain::selectedRow() const {
    const QModelIndexList selected = List1_->selectionModel()->selectedIndexes();
    return selected.isEmpty() ? -1 : selected.constFirst().row();
}

void frmMain::List1_Click() {
    const int entry = selectedRow();
    if (entry < 0)
        return;
    const ReadResult result = userFile_.read(entry + 1);
    if (!result.record) {
        // Never leave another user's data in view while this one is selected.
        clearDetail();
        warn(tr("Read"),
             tr("User %1 could not be read from %2: %3.")
                 .arg(entry + 1)
                 .arg(oneLineText(openedPath_), QString::fromStdString(result.error.describe())));
        return;
    }
    showRecord(*result.record);
}

void frmMain::showRecord(const UserRecord& user) {
    typed_ = false;
    panel(StatusPanel::UserName)->setText(boardText(displayedBytes(user.Name)));
    for (const ShownField& field : kShownFields)
        showField(field, &user);
}

void frmMain::clearDetail() {
    typed_ = false;
    panel(StatusPanel::UserName)->clear();
    for (const ShownField& field : kShownFields)
        showField(field, nullptr);
}

// Puts one field of the user into its control; with no user, the control's empty state.
void frmMain::showField(const ShownField& field, const UserRecord* user) {
    const std::int64_t value = user && field.number ? field.number(*user) : 0;
    switch (field.kind) {
    case ShownKind::Text:
    case ShownKind::Number: {
        auto* box = findChild<QLineEdit*>(QLatin1String(field.control));
        showInBox(box, user ? QString::fromStdU16String(shownText(field, *user)) : QString());
        break;
    }
    case ShownKind::Spinner: {
        auto* upDown = findChild<UpDown*>(QLatin1String(field.control));
        if (user)
            upDown->showStored(static_cast<int>(value));
        else
            upDown->clearShown();
        break;
    }
    case ShownKind::Resume:
        chkResume_->setChecked(value != 0);
        txtResume_->setEnabled(value != 0);
        showInBox(txtResume_,
                  user ? QString::fromStdU16String(shownText(field, *user)) : QString());
        break;
    case ShownKind::Language:
        showLanguage(user ? static_cast<int>(value) : -1);
        break;
    case ShownKind::Code:
        selectCode(findChild<QComboBox*>(QLatin1String(field.control)), field, user);
        break;
    }
}

void frmMain::noticeTyping() {
    // Only what the operator does counts: these signals are not sent for the program's own
    // changes.
    const auto typed = [this] { typed_ = true; };
    for (auto* box : findChildren<QLineEdit*>())
        connect(box, &QLineEdit::textEdited, this, typed);
    for (auto* list : findChildren<QComboBox*>())
        connect(list, &QComboBox::activated, this, typed);
    for (auto* upDown : findChildren<UpDown*>())
        connect(upDown, &QAbstractSlider::actionTriggered, this, typed);
    connect(languages_, &QButtonGroup::idClicked, this, typed);
}

void frmMain::showLanguage(int language) {
    // All nine are cleared first; a language past the last option leaves them all clear.
    languages_->setExclusive(false);
    for (auto* option : optLanguage_)
        option->setChecked(false);
    languages_->setExclusive(true);
    if (auto* option = languages_->button(language))
        option->setChecked(true);
    keepLanguageTabStop();
}

void frmMain::keepLanguageTabStop() {
    // Tab enters an option group at its selected option; with none of the shown ones selected,
    // at the first. The others are reached with the arrow keys.
    QAbstractButton* stop = languages_->checkedButton();
    if (!stop || stop->isHidden())
        stop = optLanguage_[0];
    for (auto* option : optLanguage_)
        option->setFocusPolicy(option == stop ? Qt::StrongFocus : Qt::ClickFocus);
}

} // namespace kivo

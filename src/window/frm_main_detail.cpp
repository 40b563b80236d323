// The detail view: the selected user, read afresh from the file, on the three pages.
#include "board_text.h"
#include "code_tables.h"
#include "frm_main.h"
#include "locked_check_box.h"
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
// shows the stored number in the list's face, so the truth is not hidden.
void selectCode(QComboBox* list, int code) {
    if (code < list->count()) {
        list->setPlaceholderText(QString());
        list->setCurrentIndex(code);
    } else {
        list->setCurrentIndex(-1);
        list->setPlaceholderText(QObject::tr("Unknown (%1)").arg(code));
    }
}

template <std::size_t N> QString shown(const TextField<N>& field) {
    return boardText(displayedBytes(field));
}

} // namespace

void frmMain::List1_Click() {
    const QModelIndexList selected = List1_->selectionModel()->selectedIndexes();
    if (selected.isEmpty())
        return;
    const std::int64_t entry = selected.constFirst().row();
    const ReadResult result = userFile_.read(entry + 1);
    if (!result.record) {
        // Never leave another user's data in view while this one is selected.
        clearDetail();
        warn(tr("Read"), tr("User %1 could not be read from %2: %3.")
                             .arg(entry + 1)
                             .arg(openedPath_, QString::fromStdString(result.error.describe())));
        return;
    }
    showRecord(*result.record);
}

void frmMain::showRecord(const UserRecord& user) {
    panels_[2]->setText(shown(user.Name));

    txtName_->setText(shown(user.Name));
    txtAddress_->setText(shown(user.Address));
    txtCity_->setText(shown(user.City));
    txtPhone_->setText(shown(user.Phone));
    txtBirth_->setText(shown(user.Birthdate));

    showLanguage(user.Language);

    udTimelimit_->showStored(user.TimeLimit);
    udPagelength_->showStored(user.PageLength);
    udTimeleft_->showStored(user.TimeLeft);

    const bool hasResume = user.ResumeNumber != 0;
    chkResume_->setChecked(hasResume);
    txtResume_->setEnabled(hasResume);
    txtResume_->setText(hasResume ? QString::number(user.ResumeNumber) : QString());

    txtTimeson_->setText(QString::number(user.TimesOn));
    txtMsgleft_->setText(QString::number(user.MessagesWritten));
    txtMsgread_->setText(QString::number(user.MessagesRead));
    txtMsgdumped_->setText(QString::number(user.MessagesDumped));
    txtFileUp_->setText(QString::number(user.FilesUploaded));
    txtFileDown_->setText(QString::number(user.FilesDownloaded));
    txtKbup_->setText(QString::number(user.KbUploaded));
    txtKbDown_->setText(QString::number(user.KbDownloaded));

    selectCode(cboPackers_, user.Packer);
    selectCode(cboProtocol_, user.Protocol);
    selectCode(cboCharset_, user.Charset);
}

void frmMain::showLanguage(int language) {
    // All nine are cleared first; a language past the last option leaves them all clear.
    languages_->setExclusive(false);
    for (auto* option : optLanguage_)
        option->setChecked(false);
    languages_->setExclusive(true);
    if (language >= 0 && language < int(optLanguage_.size()))
        optLanguage_[std::size_t(language)]->setChecked(true);
}

void frmMain::clearDetail() {
    panels_[2]->clear();
    for (auto* box :
         {txtName_, txtAddress_, txtCity_, txtPhone_, txtBirth_, txtResume_, txtTimeson_,
          txtMsgleft_, txtMsgread_, txtMsgdumped_, txtFileUp_, txtFileDown_, txtKbup_, txtKbDown_})
        box->clear();
    showLanguage(-1);
    for (auto* upDown : {udPagelength_, udTimelimit_, udTimeleft_})
        upDown->clearShown();
    chkResume_->setChecked(false);
    txtResume_->setEnabled(false);
    for (auto* list : {cboPackers_, cboProtocol_, cboCharset_}) {
        list->setCurrentIndex(-1);
        list->setPlaceholderText(QString());
    }
}

} // namespace kivo

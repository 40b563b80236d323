#include "find_dialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kivo {
namespace {

QPushButton* button(QWidget* dialog, const char* name, const QString& caption) {
    auto* control = new QPushButton(caption, dialog);
    control->setObjectName(QLatin1String(name));
    control->setAutoDefault(false);
    return control;
}

} // namespace

FindDialog::FindDialog(QWidget* window) : QDialog(window) {
    setObjectName(QStringLiteral("frmFind"));
    setWindowTitle(tr("Find"));
    setModal(false);

    auto* caption = new QLabel(tr("Find &what"), this);
    caption->setTextFormat(Qt::PlainText);
    txtFindWhat_ = new QLineEdit(this);
    txtFindWhat_->setObjectName(QStringLiteral("txtFindWhat"));
    txtFindWhat_->setAccessibleName(tr("Find what"));
    caption->setBuddy(txtFindWhat_);

    chkMatchCase_ = new QCheckBox(tr("Match &case"), this);
    chkMatchCase_->setObjectName(QStringLiteral("chkMatchCase"));

    auto* next = button(this, "cmdFindNext", tr("Find &Next"));
    next->setDefault(true); // Enter in the text box
    auto* previous = button(this, "cmdFindPrevious", tr("Find &Previous"));
    auto* close = button(this, "cmdClose", tr("Close"));
    connect(next, &QPushButton::clicked, this, &FindDialog::findNext);
    connect(previous, &QPushButton::clicked, this, &FindDialog::findPrevious);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    // The line repeats what users typed only through texts of the program's own; plain text all
    // the same, as every label here.
    lblFindResult_ = new QLabel(this);
    lblFindResult_->setObjectName(QStringLiteral("lblFindResult"));
    lblFindResult_->setTextFormat(Qt::PlainText); // a screen reader reads the line itself

    auto* buttons = new QVBoxLayout;
    for (auto* b : {next, previous, close})
        buttons->addWidget(b);
    buttons->addStretch();
    auto* grid = new QGridLayout(this);
    grid->addWidget(caption, 0, 0);
    grid->addWidget(txtFindWhat_, 0, 1);
    grid->addWidget(chkMatchCase_, 1, 0, 1, 2);
    grid->addLayout(buttons, 0, 2, 3, 1);
    grid->addWidget(lblFindResult_, 3, 0, 1, 3);
    grid->setRowStretch(2, 1);
    grid->setColumnMinimumWidth(1, 200);
    grid->setSizeConstraint(QLayout::SetFixedSize);
}

QString FindDialog::text() const {
    return txtFindWhat_->text();
}

LetterCase FindDialog::letterCase() const {
    return chkMatchCase_->isChecked() ? LetterCase::Match : LetterCase::Ignore;
}

void FindDialog::showWithTextSelected() {
    show();
    raise();
    activateWindow();
    txtFindWhat_->setFocus();
    txtFindWhat_->selectAll();
}

void FindDialog::showLine(const QString& line) {
    lblFindResult_->setText(line);
}

} // namespace kivo

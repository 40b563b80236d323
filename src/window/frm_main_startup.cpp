// The load step: where the window stands, its caption, and the "no file" state.
#include "frm_main.h"
#include "kivo_version.h"

#include <QComboBox>
#include <QLabel>
#include <QProgressBar>

namespace kivo {
namespace {

void fill(QComboBox* list, std::span<const std::string_view> table) {
    for (auto text : table)
        list->addItem(QString::fromLatin1(text.data(), qsizetype(text.size())));
    list->setCurrentIndex(-1);
}

} // namespace

QString windowCaption(int major, int minor, int revision) {
    // Minor and revision are written one after the other: 2.0.1 reads "Build: 01".
    return QStringLiteral("KIVO/32 v%1 Build: %2%3    (BBBS HOW 3.33)")
        .arg(major)
        .arg(minor)
        .arg(revision);
}

QPoint centredTopLeft(const QRect& screen, const QSize& window) {
    return screen.topLeft() +
           QPoint((screen.width() - window.width()) / 2, (screen.height() - window.height()) / 2);
}

void frmMain::Form_Load() {
    move(centredTopLeft(services_.screenGeometry(this), size()));
    setWindowTitle(windowCaption(kVersionMajor, kVersionMinor, kVersionPatch));
    standWithoutFile();
    for (auto button : {ToolbarButton::Update, ToolbarButton::Print, ToolbarButton::Undo})
        toolbarButton(button)->setEnabled(false);
    gauge1_->setValue(0);
    gauge1_->hide();
    for (const ShownField& field : kShownFields)
        if (field.kind == ShownKind::Code)
            fill(findChild<QComboBox*>(QLatin1String(field.control)), field.table);
}

} // namespace kivo

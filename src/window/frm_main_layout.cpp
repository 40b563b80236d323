// The window's controls: names, captions, places and the state they are created in.
#include "artwork.h"
#include "code_tables.h"
#include "frm_main.h"
#include "keyboard_tool_bar.h"
#include "kivo_version.h"
#include "locked_accessibility.h"
#include "locked_check_box.h"
#include "shown_fields.h"
#include "tab_control.h"
#include "twips.h"
#include "up_down.h"
#include "user_list_model.h"
#include "user_list_view.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

namespace kivo {
namespace {

template <class Control> Control* place(QWidget* container, std::string_view name, QRect where) {
    auto* control = new Control(container);
    control->setObjectName(QLatin1String(name.data(), qsizetype(name.size())));
    control->setGeometry(where);
    return control;
}

QRect twipRect(const Twips& at) {
    return kivo::twipRect(at.left, at.top, at.width, at.height);
}

QLabel* label(QWidget* container, std::string_view name, const QString& caption, QRect where) {
    auto* control = place<QLabel>(container, name, where);
    // Plain text always: a label left on automatic rich text would draw a caller's "<b>" as bold
    // and open the file an "<img src=...>" names. The status panels show file data.
    control->setTextFormat(Qt::PlainText);
    control->setText(caption);
    control->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return control;
}

enum class Entry { Editable, Locked };

QLineEdit* textBox(QWidget* container, std::string_view name, QRect where, Entry entry) {
    auto* box = place<QLineEdit>(container, name, where);
    // A locked box still lets the user move the caret, select and copy; only typing is refused.
    box->setReadOnly(entry == Entry::Locked);
    return box;
}

// A label names its field: for the keyboard (buddy) and for screen readers (accessible name).
template <class Field> Field* named(QLabel* caption, Field* field) {
    caption->setBuddy(field);
    field->setAccessibleName(caption->text());
    return field;
}

// A shown field's label, where its row puts it and captioned with the field's name, naming the
// control that shows the field.
template <class Field> Field* captioned(QWidget* page, const ShownField& field, Field* control) {
    return named(label(page, field.place.label, QString::fromLatin1(field.caption),
                       twipRect(field.place.labelAt)),
                 control);
}

QComboBox* dropDownList(QWidget* container, std::string_view name, QRect where) {
    auto* list = place<QComboBox>(container, name, where);
    list->setEditable(false);
    return list;
}

void hideAndDisable(std::initializer_list<QWidget*> controls) {
    for (auto* control : controls) {
        control->hide();
        control->setEnabled(false);
    }
}

} // namespace

frmMain::frmMain(WindowServices& services, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      services_(services) {
    setObjectName(QStringLiteral("frmMain"));
    installLockedAccessibility(); // before any control's accessible interface is asked for
    setWindowTitle(QStringLiteral("Form1"));
    setWindowIcon(windowIcon32And16());
    setFixedSize(twipRect(0, 0, 7995, 5445).size());

    createToolbar();
    createUserList();
    tab1_ = place<TabControl>(this, "tab1", twipRect(3480, 600, 4455, 4575));
    placeFields(tab1_->addPage(tr("General")), ShownPage::General);
    createPersonalPage(tab1_->addPage(tr("Personal")));
    createStatisticsPage(tab1_->addPage(tr("Statistics")));
    tab1_->setCurrentIndex(int(ShownPage::Statistics));
    createStatusBar();
    createMenu();
    createFindCommands();
    setTabOrder();
    acceptFileDrops();
    noticeTyping();
    connect(&reader_, &NameReader::namesReady, this, &frmMain::takeNames);
    connect(&follower_, &FileFollower::changed, this, &frmMain::fileChanged);
    lockedAgain_ = new QTimer(this);
    lockedAgain_->setInterval(FileFollower::kLookEvery);
    connect(lockedAgain_, &QTimer::timeout, this, &frmMain::fillLockedUsers);
}

frmMain::~frmMain() = default;

void frmMain::createToolbar() {
    tb1_ = place<KeyboardToolBar>(this, "tb1", twipRect(0, 0, 7995, 585));
    tb1_->setIconSize({16, 15});
    tb1_->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    tb1_->setAccessibleName(tr("Toolbar"));

    struct Button {
        const char* key;
        QString caption;
        QString tooltip;
        ToolbarImage image;
    };
    const Button buttons[] = {
        {toolbar_key::kOpen, tr("Open"), tr("Opens an userfile"), ToolbarImage::Open},
        {toolbar_key::kUpdate, tr("Update"), tr("Updates file"), ToolbarImage::Update},
        {nullptr, {}, {}, {}},
        {toolbar_key::kPrint, tr("Print"), tr("Print info about this user"), ToolbarImage::Print},
        {nullptr, {}, {}, {}},
        {toolbar_key::kUndo, tr("Undo"), tr("Undo changes on this user"), ToolbarImage::Undo},
        {nullptr, {}, {}, {}},
        {toolbar_key::kExit, tr("Exit"), tr("Exit app."), ToolbarImage::Exit},
    };
    for (const auto& b : buttons) {
        if (!b.key) {
            tb1_->addSeparator();
            continue;
        }
        QAction* action = tb1_->addAction(toolbarImage(b.image), b.caption);
        action->setObjectName(QLatin1String(b.key));
        action->setData(QLatin1String(b.key)); // the button's key, read by the dispatcher
        action->setToolTip(b.tooltip);
        QWidget* button = tb1_->widgetForAction(action);
        button->setFixedSize(twipRect(0, 0, 630, 525).size());
        button->setAccessibleDescription(b.tooltip);
    }
    connect(tb1_, &QToolBar::actionTriggered, this, &frmMain::tb1_ButtonClick);
}

QAction* frmMain::toolbarButton(ToolbarButton button) const {
    return tb1_->actions().at(static_cast<int>(button) - 1);
}

QLabel* frmMain::panel(StatusPanel panel) const {
    return panels_[static_cast<std::size_t>(panel) - 1];
}

void frmMain::createUserList() {
    users_ = new UserListModel(this);
    List1_ = place<UserListView>(this, "List1", twipRect(0, 600, 3375, 4545));
    List1_->setModel(users_);
    List1_->setSelectionMode(QAbstractItemView::SingleSelection);
    List1_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    List1_->setUniformItemSizes(true); // what the view does anyway: every row as high as the first
    List1_->setAccessibleName(tr("Users"));
    connect(List1_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &frmMain::List1_Click);
}

void frmMain::createStatusBar() {
    sb1_ = place<QStatusBar>(this, "sb1", twipRect(0, 5220, 7995, 225));
    sb1_->setSizeGripEnabled(false);
    sb1_->setAccessibleName(tr("Status"));
    struct Panel {
        int left, width;
        QString tooltip;
    };
    const Panel panels[] = {
        {0, 1440, {}},
        {1440, 3240, tr("Shows number of users in file")},
        {4680, 3240, tr("Name of current user")},
    };
    for (std::size_t i = 0; i < panels_.size(); ++i) {
        const auto name = QByteArray("sb1Panel") + QByteArray::number(qsizetype(i + 1));
        auto* panel =
            label(sb1_, name.constData(), {}, twipRect(panels[i].left, 0, panels[i].width, 225));
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        panel->setToolTip(panels[i].tooltip);
        panel->setAccessibleDescription(panels[i].tooltip);
        panels_[i] = panel;
    }
    panel(StatusPanel::Gauge)->setAccessibleName(tr("Progress"));

    // The gauge lies in front of panel 1, a little below the bar's top edge.
    gauge1_ = place<QProgressBar>(this, "gauge1", twipRect(0, 5280, 1455, 135));
    gauge1_->setRange(0, 100);
    gauge1_->setValue(0); // a new bar stands at -1 until it is given a value
    gauge1_->setTextVisible(false);
    gauge1_->setAccessibleName(tr("Loading progress"));
}

// The shown fields of one page, each named and placed by its row, in the table's order.
void frmMain::placeFields(QWidget* page, ShownPage shown) {
    for (const ShownField& field : kShownFields)
        if (field.place.page == shown)
            placeField(page, field);
}

void frmMain::placeField(QWidget* page, const ShownField& field) {
    const ShownPlace& at = field.place;
    switch (field.kind) {
    case ShownKind::Text:
    case ShownKind::Number:
    case ShownKind::Resume: {
        const Entry entry = field.kind == ShownKind::Text ? Entry::Editable : Entry::Locked;
        auto* box =
            captioned(page, field, textBox(page, field.control, twipRect(at.controlAt), entry));
        if (field.kind == ShownKind::Resume)
            txtResume_ = box;
        break;
    }
    case ShownKind::Code:
        captioned(page, field, dropDownList(page, field.control, twipRect(at.controlAt)));
        break;
    case ShownKind::Spinner: {
        // The label names the box the user types in; the spinner beside it holds the field.
        auto* box =
            captioned(page, field, textBox(page, at.box, twipRect(at.boxAt), Entry::Editable));
        auto* upDown = place<UpDown>(page, field.control, twipRect(at.controlAt));
        upDown->setRange(0, at.maximum);
        upDown->setBuddy(box);
        upDown->setAccessibleName(box->accessibleName());
        break;
    }
    case ShownKind::Language:
        placeLanguages(page, field);
        break;
    }
}

void frmMain::placeLanguages(QWidget* page, const ShownField& field) {
    auto* frame = place<QGroupBox>(page, field.place.label, twipRect(field.place.labelAt));
    frame->setTitle(tr("Languages"));
    languages_ = new QButtonGroup(this); // one group: the hidden options clear the shown ones too
    const Twips first = field.place.controlAt;
    for (int i = 0; i < int(optLanguage_.size()); ++i) {
        auto* option = place<QRadioButton>(
            frame, field.control,
            kivo::twipRect(first.left, first.top + 240 * i, first.width, first.height));
        option->setText(QString::fromLatin1(kLanguageCaptions[std::size_t(i)]));
        option->setVisible(i < kLanguagesInUse);
        languages_->addButton(option, i);
        optLanguage_[std::size_t(i)] = option;
    }
}

void frmMain::createPersonalPage(QWidget* page) {
    placeFields(page, ShownPage::Personal);
    chkResume_ = place<LockedCheckBox>(page, "chkResume", twipRect(120, 3120, 1215, 255));
    chkResume_->setText(tr("Resume"));
    auto* viewResume = place<QPushButton>(page, "cmdViewResume", twipRect(120, 4080, 1455, 375));
    viewResume->setText(tr("View resume"));
    viewResume->setEnabled(false);
}

void frmMain::createStatisticsPage(QWidget* page) {
    placeFields(page, ShownPage::Statistics);

    // Kept for the board's later versions; never shown. They stand as the counters do.
    auto pair = [page](const char* labelName, const QString& caption, int top, int labelWidth,
                       const char* boxName) {
        const ShownPlace at = counterPlace(labelName, 2640, top, labelWidth);
        return named(label(page, at.label, caption, twipRect(at.labelAt)),
                     textBox(page, boxName, twipRect(at.controlAt), Entry::Locked));
    };
    auto* txtFirst = pair("Firs", tr("First time on"), 1680, 1215, "txtFirst");
    auto* txtLast = pair("Label20", tr("Last time on"), 2280, 1335, "txtLast");
    auto* txtTodayDown = pair("Label21", tr("Downloaded today"), 2880, 1455, "txtTodayDown");
    txtLast->setReadOnly(false);
    txtTodayDown->setReadOnly(false);
    hideAndDisable({page->findChild<QLabel*>("Firs"), txtFirst, page->findChild<QLabel*>("Label20"),
                    txtLast, page->findChild<QLabel*>("Label21"), txtTodayDown});

    label(page, "Label22", QStringLiteral("KIVO/32 v%1").arg(kVersionMajor),
          twipRect(2640, 3480, 1455, 255));
    label(page, "Label23", tr("(c) 2026 KIVO team"), twipRect(2640, 3720, 1455, 255));
}

void frmMain::createMenu() {
    // The command entry points the toolbar calls; the menu itself is never shown.
    mnusys_ = new QMenu(tr("system"), this);
    mnusys_->setObjectName(QStringLiteral("mnusys"));
    mnusys_->hide();
    // Print has no handler of its own.
    const struct {
        const char* name;
        QString caption;
        void (frmMain::*handler)();
    } items[] = {
        {"mnuOpen", tr("Open"), &frmMain::mnuOpen_Click},
        {"mnuUpdate", tr("Update"), &frmMain::mnuUpdate_Click},
        {"mnuPrint", tr("Print"), nullptr},
        {"mnuUndo", tr("Undo"), &frmMain::mnuUndo_Click},
        {"mnuEnd", tr("End"), &frmMain::mnuEnd_Click},
    };
    for (const auto& [name, caption, handler] : items) {
        QAction* item = mnusys_->addAction(caption);
        item->setObjectName(QLatin1String(name));
        if (handler)
            connect(item, &QAction::triggered, this, handler);
    }
    // Two commands beyond the toolbar's, reached by their keys anywhere in the window.
    const struct {
        const char* name;
        QString caption;
        Qt::Key key;
        void (frmMain::*handler)();
    } keys[] = {
        {"mnuReload", tr("Reload"), Qt::Key_F5, &frmMain::mnuReload_Click},
        {"mnuStop", tr("Stop listing"), Qt::Key_Escape, &frmMain::mnuStop_Click},
    };
    for (const auto& [name, caption, key, handler] : keys) {
        QAction* item = mnusys_->addAction(caption);
        item->setObjectName(QLatin1String(name));
        item->setShortcut(key);
        item->setShortcutContext(Qt::WindowShortcut);
        addAction(item); // a hidden menu's shortcuts reach nothing: the window carries them
        connect(item, &QAction::triggered, this, handler);
    }
}

void frmMain::setTabOrder() {
    QList<QWidget*> order;
    for (QAction* action : tb1_->actions())
        if (!action->isSeparator())
            order << tb1_->widgetForAction(action);
    order << List1_ << tab1_->tabBar();
    for (auto* option : optLanguage_)
        order << option;
    auto byName = [this](const char* name) { return findChild<QWidget*>(QLatin1String(name)); };
    for (const char* name :
         {"cboProtocol",   "cboPackers",   "txtName",      "txtAddress",    "txtCity",
          "txtPhone",      "txtBirth",     "udPagelength", "txtPagelength", "txtTimelimit",
          "udTimelimit",   "txtTimeleft",  "udTimeleft",   "chkResume",     "txtResume",
          "cmdViewResume", "txtTimeson",   "txtMsgleft",   "txtMsgread",    "txtMsgdumped",
          "txtFileUp",     "txtFileDown",  "txtKbup",      "txtKbDown",     "txtFirst",
          "txtLast",       "txtTodayDown", "cboCharset"})
        order << byName(name);
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
    // The window opens with the keyboard in the list; the toolbar is the stop before it.
    List1_->setFocus();
}

} // namespace kivo

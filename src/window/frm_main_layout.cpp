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

template <class Control> Control* place(QWidget* container, const char* name, QRect where) {
    auto* control = new Control(container);
    control->setObjectName(QLatin1String(name));
    control->setGeometry(where);
    return control;
}

QLabel* label(QWidget* container, const char* name, const QString& caption, QRect where) {
    auto* control = place<QLabel>(container, name, where);
    // Plain text always: a label left on automatic rich text would draw a caller's "<b>" as bold
    // and open the file an "<img src=...>" names. The status panels show file data.
    control->setTextFormat(Qt::PlainText);
    control->setText(caption);
    control->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return control;
}

// The tab pages, in the order they are added.
enum class Page { General, Personal, Statistics };

// The caption of a shown field's label: the name the field is known by everywhere.
QString captionOf(std::string_view control) {
    return QString::fromLatin1(shownFieldByControl(control)->caption);
}

enum class Entry { Editable, Locked };

QLineEdit* textBox(QWidget* container, const char* name, QRect where, Entry entry) {
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

// A shown field's control with its label, captioned with the field's name, above it.
template <class Field>
Field* captioned(QWidget* container, const char* labelName, QRect labelWhere, Field* field) {
    return named(
        label(container, labelName, captionOf(field->objectName().toStdString()), labelWhere),
        field);
}

QComboBox* dropDownList(QWidget* container, const char* name, QRect where) {
    auto* list = place<QComboBox>(container, name, where);
    list->setEditable(false);
    return list;
}

// A box the user types a number in, with the up-down spinner that holds the field beside it; the
// label names the box, captioned with the spinner's field.
void spinner(QWidget* container, const char* labelName, QRect labelWhere, const char* boxName,
             QRect boxWhere, const char* name, QRect where, int maximum) {
    auto* box = named(label(container, labelName, captionOf(name), labelWhere),
                      textBox(container, boxName, boxWhere, Entry::Editable));
    auto* upDown = place<UpDown>(container, name, where);
    upDown->setRange(0, maximum);
    upDown->setBuddy(box);
    upDown->setAccessibleName(box->accessibleName());
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
    createGeneralPage(tab1_->addPage(tr("General")));
    createPersonalPage(tab1_->addPage(tr("Personal")));
    createStatisticsPage(tab1_->addPage(tr("Statistics")));
    tab1_->setCurrentIndex(int(Page::Statistics));
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

void frmMain::createGeneralPage(QWidget* page) {
    auto* frame = place<QGroupBox>(page, "Frame1", twipRect(120, 480, 1455, 2655));
    frame->setTitle(tr("Languages"));
    languages_ = new QButtonGroup(this); // one group: the hidden options clear the shown ones too
    for (int i = 0; i < int(optLanguage_.size()); ++i) {
        auto* option =
            place<QRadioButton>(frame, "optLanguage", twipRect(120, 360 + 240 * i, 1095, 255));
        option->setText(QString::fromLatin1(kLanguageCaptions[std::size_t(i)]));
        option->setVisible(i < kLanguagesInUse);
        languages_->addButton(option, i);
        optLanguage_[std::size_t(i)] = option;
    }

    captioned(page, "Label1", twipRect(1800, 480, 855, 255),
              dropDownList(page, "cboProtocol", twipRect(1800, 720, 1935, 315)));
    captioned(page, "Label2", twipRect(1800, 1080, 1095, 255),
              dropDownList(page, "cboPackers", twipRect(1800, 1320, 1935, 315)));
    captioned(page, "Label24", twipRect(1800, 1680, 1335, 255),
              dropDownList(page, "cboCharset", twipRect(1800, 1920, 1935, 315)));

    spinner(page, "Label8", twipRect(1800, 2280, 855, 255), "txtPagelength",
            twipRect(1800, 2520, 1695, 285), "udPagelength", twipRect(3480, 2520, 240, 285), 254);
    spinner(page, "Label9", twipRect(1800, 2880, 1215, 255), "txtTimelimit",
            twipRect(1800, 3120, 1695, 285), "udTimelimit", twipRect(3480, 3120, 240, 285), 32000);
    spinner(page, "Label10", twipRect(1800, 3480, 1335, 255), "txtTimeleft",
            twipRect(1800, 3720, 1695, 285), "udTimeleft", twipRect(3480, 3720, 240, 285), 32000);
}

void frmMain::createPersonalPage(QWidget* page) {
    captioned(page, "Label3", twipRect(120, 480, 975, 255),
              textBox(page, "txtName", twipRect(120, 720, 4215, 285), Entry::Editable));
    captioned(page, "Label4", twipRect(120, 1080, 615, 255),
              textBox(page, "txtAddress", twipRect(120, 1320, 4215, 285), Entry::Editable));
    captioned(page, "Label5", twipRect(120, 1680, 975, 255),
              textBox(page, "txtCity", twipRect(120, 1920, 4215, 285), Entry::Editable));
    captioned(page, "Label6", twipRect(120, 2280, 1215, 255),
              textBox(page, "txtPhone", twipRect(120, 2520, 1335, 285), Entry::Editable));
    captioned(page, "Label7", twipRect(1680, 2280, 735, 255),
              textBox(page, "txtBirth", twipRect(1680, 2520, 2655, 285), Entry::Editable));
    chkResume_ = place<LockedCheckBox>(page, "chkResume", twipRect(120, 3120, 1215, 255));
    chkResume_->setText(tr("Resume"));
    txtResume_ =
        captioned(page, "Label11", twipRect(120, 3480, 1215, 255),
                  textBox(page, "txtResume", twipRect(120, 3720, 975, 285), Entry::Locked));
    auto* viewResume = place<QPushButton>(page, "cmdViewResume", twipRect(120, 4080, 1455, 375));
    viewResume->setText(tr("View resume"));
    viewResume->setEnabled(false);
}

void frmMain::createStatisticsPage(QWidget* page) {
    // Two columns of label-and-box pairs; every label 255 high, every box 1455 by 285.
    auto box = [page](int left, int top, const char* boxName) {
        return textBox(page, boxName, twipRect(left, top + 240, 1455, 285), Entry::Locked);
    };
    auto pairCaptioned = [&](const char* labelName, const QString& caption, int left, int top,
                             int labelWidth, const char* boxName) {
        return named(label(page, labelName, caption, twipRect(left, top, labelWidth, 255)),
                     box(left, top, boxName));
    };
    auto pair = [&](const char* labelName, int left, int top, int labelWidth, const char* boxName) {
        captioned(page, labelName, twipRect(left, top, labelWidth, 255), box(left, top, boxName));
    };
    pair("Label12", 240, 480, 1095, "txtTimeson");
    pair("Label13", 240, 1080, 1335, "txtMsgleft");
    pair("Label14", 240, 1680, 1215, "txtMsgread");
    pair("Label15", 240, 2280, 1335, "txtMsgdumped");
    pair("Label16", 240, 2880, 1335, "txtFileUp");
    pair("Label17", 240, 3480, 1455, "txtFileDown");
    pair("Label18", 2640, 480, 1335, "txtKbup");
    pair("Label19", 2640, 1080, 1215, "txtKbDown");

    // Kept for the board's later versions; never shown.
    auto* txtFirst = pairCaptioned("Firs", tr("First time on"), 2640, 1680, 1215, "txtFirst");
    auto* txtLast = pairCaptioned("Label20", tr("Last time on"), 2640, 2280, 1335, "txtLast");
    auto* txtTodayDown =
        pairCaptioned("Label21", tr("Downloaded today"), 2640, 2880, 1455, "txtTodayDown");
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

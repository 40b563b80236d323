#pragma once

#include "shown_fields.h"
#include "status_panel.h"
#include "toolbar_keys.h"
#include "user_file.h"
#include "window_services.h"

#include <QWidget>

#include <array>

class QAction;
class QButtonGroup;
class QComboBox;
class QLabel;
class QLineEdit;
class QListView;
class QMenu;
class QProgressBar;
class QRadioButton;
class QStatusBar;
class QToolBar;

namespace kivo {

class LockedCheckBox;
class TabControl;
class UpDown;
class UserListModel;

// The viewer's one window. Each user action is one handler, run to completion; the handlers
// call one another directly, as the toolbar calls the hidden menu's items.
class frmMain : public QWidget {
    Q_OBJECT
public:
    explicit frmMain(WindowServices& services, QWidget* parent = nullptr);
    ~frmMain() override;

    // The load step: centre, caption, and every control in its "no file" state.
    void Form_Load();

    void List1_Click();
    void mnuOpen_Click();
    // Everything Open does once a path is chosen: also the way in for a file named otherwise.
    void openUserFile(const QString& path);
    void mnuUpdate_Click();
    void mnuUndo_Click();
    void mnuEnd_Click();
    void tb1_ButtonClick(QAction* button);

    QAction* toolbarButton(ToolbarButton button) const;
    QLabel* panel(StatusPanel panel) const;

protected:
    void closeEvent(QCloseEvent* event) override;

    // A user file dropped on the window opens as if chosen in the Open dialog.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Layout: one helper per area of the window.
    void createToolbar();
    void createStatusBar();
    void createUserList();
    void createGeneralPage(QWidget* page);
    void createPersonalPage(QWidget* page);
    void createStatisticsPage(QWidget* page);
    void createMenu();
    void setTabOrder();
    void acceptFileDrops();

    // Loading.
    void listUsers(double count);
    void standWithoutFile();
    void advanceGauge(std::int64_t listed, std::int64_t total);

    // Detail view.
    void showRecord(const UserRecord& user);
    void clearDetail();
    void showField(const ShownField& field, const UserRecord* user);
    void showLanguage(int language);
    void keepLanguageTabStop();

    QMessageBox::StandardButton ask(const QString& title, const QString& text);
    void warn(const QString& title, const QString& text);

    WindowServices& services_;
    UserFile userFile_;
    QString openedPath_;

    QToolBar* tb1_ = nullptr;
    QStatusBar* sb1_ = nullptr;
    std::array<QLabel*, 3> panels_{};
    QProgressBar* gauge1_ = nullptr;
    QListView* List1_ = nullptr;
    UserListModel* users_ = nullptr;
    TabControl* tab1_ = nullptr;
    QMenu* mnusys_ = nullptr;

    std::array<QRadioButton*, 9> optLanguage_{};
    QButtonGroup* languages_ = nullptr;

    LockedCheckBox* chkResume_ = nullptr;
    QLineEdit* txtResume_ = nullptr;

    // While listing: the gauge's last drawn position and when it was last painted.
    int gaugePixel_ = -1;
    qint64 gaugePaintedAt_ = 0;
};

// "KIVO/32 v2 Build: 01    (BBBS HOW 3.33)" for version 2.0.1.
QString windowCaption(int major, int minor, int revision);

// Where a window of this size stands centred on the screen; negative when it is larger.
QPoint centredTopLeft(const QRect& screen, const QSize& window);

// The user count in general number format: whole without a decimal point, otherwise up to 15
// significant digits without trailing zeros, with the locale's decimal separator.
QString formatUserCount(double count, const QLocale& locale);

} // namespace kivo

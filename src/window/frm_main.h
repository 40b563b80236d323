#pragma once

#include "file_follower.h"
#include "name_reader.h"
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
class QTimer;
class QToolBar;

namespace kivo {

class FindDialog;
class LockedCheckBox;
class TabControl;
class UpDown;
class UserFinder;
class UserListModel;
struct FindOutcome;

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
    // F5: the Open command's steps for the last path, without the dialog.
    void mnuReload_Click();
    // Esc: stops a listing; what was read stays listed, and the file is no longer followed.
    void mnuStop_Click();

    // Whether names are being read: for an Open, a reload or to follow the file.
    bool isListing() const { return listing_ != Listing::None; }
    // The seams through which tests and benchmarks reach a slow disk and a silent share.
    UserFile& userFile() { return userFile_; }
    FileFollower& follower() { return follower_; }

    // Find: Ctrl+F opens the dialog, F3 and Shift+F3 find the next and the previous user.
    void showFind();
    void findNext();
    void findPrevious();

    QAction* toolbarButton(ToolbarButton button) const;
    QLabel* panel(StatusPanel panel) const;

signals:
    // The list has been brought up to the file: a listing ended or stopped, or a change the
    // file went through has been shown.
    void listUpdated();

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
    void placeFields(QWidget* page, ShownPage shown);
    void placeField(QWidget* page, const ShownField& field);
    void placeLanguages(QWidget* page, const ShownField& field);
    void createPersonalPage(QWidget* page);
    void createStatisticsPage(QWidget* page);
    void createMenu();
    void setTabOrder();
    void acceptFileDrops();

    // Loading.
    enum class Listing { None, Open, Append, Reread };
    void listUsers(double count);
    void standWithoutFile();
    void takeNames();
    void showPending();
    void finishListing(const FileError& error);
    void cancelListing();
    void showCount(double count);

    // Following the file.
    void followFile();
    void fileChanged(FileChange change, const FileStamp& now);
    void readAgain(const FileStamp& stamp, bool sameNameOnly);
    void applyReread();
    void keepSelectionIfSameName(int row, std::string_view name);
    void refreshShownUser();
    void fillLockedUsers();

    // Detail view.
    void showRecord(const UserRecord& user);
    void clearDetail();
    // The list's selected index, -1 with nothing selected (the current entry may stand on a row
    // nobody selected).
    int selectedRow() const;
    void showField(const ShownField& field, const UserRecord* user);
    void showLanguage(int language);
    void keepLanguageTabStop();
    void noticeTyping();

    // Find.
    void createFindCommands();
    void find(bool backwards);
    void showFound(const FindOutcome& outcome);

    QMessageBox::StandardButton ask(const QString& title, const QString& text);
    void warn(const QString& title, const QString& text);

    WindowServices& services_;
    UserFile userFile_;
    QString openedPath_;
    QString lastPath_; // what F5 opens again, kept when an Open is cancelled
    // Declared after the file, so they stop reading it before it is closed.
    NameReader reader_;
    FileFollower follower_;

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

    UserFinder* finder_ = nullptr;
    FindDialog* findDialog_ = nullptr; // made when first asked for
    std::array<QAction*, 3> findCommands_{};

    LockedCheckBox* chkResume_ = nullptr;
    QLineEdit* txtResume_ = nullptr;

    Listing listing_ = Listing::None;
    FileStamp listedStamp_;  // the file as the list shows it
    FileStamp readingStamp_; // the file as the names being read will show it
    UserList pending_;       // names read and not yet in the list
    bool sameNameOnly_ = false;
    // After F5, the user who was selected: selected again if the record still holds that name.
    int reselectRow_ = -1;
    std::string reselectName_;
    bool typed_ = false;            // the operator has typed into the shown user's boxes
    QTimer* lockedAgain_ = nullptr; // while placeholders are listed: their records tried again
};

// "KIVO/32 v2 Build: 01    (BBBS HOW 3.33)" for version 2.0.1.
QString windowCaption(int major, int minor, int revision);

// Where a window of this size stands centred on the screen; negative when it is larger.
QPoint centredTopLeft(const QRect& screen, const QSize& window);

// The user count in general number format: whole without a decimal point, otherwise up to 15
// significant digits without trailing zeros, with the locale's decimal separator.
QString formatUserCount(double count, const QLocale& locale);

} // namespace kivo

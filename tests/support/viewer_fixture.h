#pragma once

// A headless viewer whose dialogs and message boxes are answered by the test.
#include "frm_main.h"
#include "board_writer.h"
#include "user_file_writer.h"
#include "window_services.h"

#include <QAbstractItemModel>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <utility>

namespace kivo::testing {

// Qt's own file dialog keeps its state in the per-user configuration folder. A test run keeps it
// in a folder of its own, never in the user's: set before main(), as Qt looks the folder up
// only once.
struct PrivateConfigHome {
    QTemporaryDir dir;
    PrivateConfigHome() { qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir.path())); }
};
inline const PrivateConfigHome privateConfigHome;

class FakeWindowServices : public WindowServices {
public:
    std::vector<MessageSpec> messages; // every box shown, in order; each answered No, or OK
    QString chosenPath;                // what the next file dialog returns; then ""
    std::vector<QString> filters;      // the filter of every dialog shown
    std::vector<QString> startFolders; // the folder every dialog started in
    // The window's settings file: by default one for the whole test run, so that what one viewer
    // remembers the next one finds.
    QString settingsPath = privateConfigHome.dir.filePath("kivo32.ini");
    int quits = 0;
    bool overShownWindow = false; // whether the last box's window was on screen

    QMessageBox::StandardButton showMessage(QWidget* parent, const MessageSpec& message) override {
        messages.push_back(message);
        overShownWindow = parent && parent->window()->isVisible();
        return message.buttons.testFlag(QMessageBox::No) ? QMessageBox::No : QMessageBox::Ok;
    }
    QString chooseFile(QWidget*, const QString& filter, const QString& startFolder) override {
        filters.push_back(filter);
        startFolders.push_back(startFolder);
        return std::exchange(chosenPath, QString());
    }
    QString settingsFile() override { return settingsPath; }
    QRect screenGeometry(const QWidget*) override { return {0, 0, 1920, 1080}; }
    void quit() override { ++quits; }
};

template <class Services = FakeWindowServices> struct BasicViewer {
    Services services;
    frmMain window{services};

    BasicViewer() { window.Form_Load(); }

    template <class Control> Control* control(const char* name) {
        auto* found = window.findChild<Control*>(QLatin1String(name));
        if (!found)
            qFatal("no control %s", name);
        return found;
    }
    QString panel(int number) {
        return control<QLabel>(("sb1Panel" + std::to_string(number)).c_str())->text();
    }
    QString text(const char* box) { return control<QLineEdit>(box)->text(); }
    QListView* list() { return control<QListView>("List1"); }
    int entries() { return list()->model()->rowCount(); }
    QString entry(int row) { return list()->model()->index(row, 0).data().toString(); }

    // Runs the Open command with the given path chosen in the dialog, and waits until every
    // name is listed.
    void open(const QString& path) {
        services.chosenPath = path;
        window.mnuOpen_Click();
        waitForList();
    }
    // Waits for a listing under way to end; false when it did not within the time.
    [[nodiscard]] static bool waitForList(frmMain& window) {
        QSignalSpy updated(&window, &frmMain::listUpdated);
        return !window.isListing() || updated.wait(10000);
    }
    void waitForList() {
        if (!waitForList(window))
            qFatal("the listing did not end");
    }
    void select(int row) { list()->setCurrentIndex(list()->model()->index(row, 0)); }
};
using Viewer = BasicViewer<>;

// Numbered users 1 … count, as a file's bytes.
inline std::vector<std::uint8_t> numberedUsersFile(int count) {
    return tools::userFileBytes(tools::numberedUsers(1, count));
}

// A user with these texts, every other field 0.
inline UserRecord textUser(const char* name, const char* address, const char* city,
                           const char* phone, const char* birthdate) {
    UserRecord r;
    r.Name = makeTextField<30>(name);
    r.Address = makeTextField<30>(address);
    r.City = makeTextField<30>(city);
    r.Phone = makeTextField<18>(phone);
    r.Birthdate = makeTextField<18>(birthdate);
    return r;
}

} // namespace kivo::testing

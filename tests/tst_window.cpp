// The window, headless: start-up and layout, file -> view, record -> view, command -> message box.
#include "board_writer.h"
#include "code_tables.h"
#include "file_name_text.h"
#include "font_config_loader.h"
#include "kivo_version.h"
#include "last_folder.h"
#include "qt_window_services.h"
#include "start_window.h"
#include "style_and_font.h"
#include "support/test_files.h"
#include "support/this_system.h"
#include "support/viewer_fixture.h"
#include "up_down.h"
#include "user_list.h"
#include "user_list_model.h"

#include <QAbstractItemModelTester>
#include <QAbstractSlider>
#include <QAccessible>
#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QFileDialog>
#include <QFontInfo>
#include <QMenu>
#include <QMimeData>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QSysInfo>
#include <QTabBar>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <functional>
#include <future>
#include <limits>
#include <optional>
#include <thread>
#ifdef Q_OS_LINUX // the FIFO bait, the watch on what is opened, the settings file's traps
#include <fcntl.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#endif

using namespace kivo;
using namespace kivo::testing;
using namespace std::chrono_literals;

namespace {

QByteArray bytesOf(const std::vector<std::uint8_t>& bytes) {
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
}

// A user whose name is the given stored bytes.
QByteArray userNamed(const QByteArray& nameBytes) {
    UserRecord user = tools::numberedUser(1);
    user.Name = makeTextField<30>(std::string_view(nameBytes.constData(), nameBytes.size()));
    return bytesOf(tools::userFileBytes({user}));
}

UserRecord fullUser() {
    UserRecord r =
        textUser("Anna Virtanen", "Kuusitie 4", "33100 Tampere", "03-555 2231", "12-03-75");
    r.Language = r.Protocol = 1;
    r.Packer = 7;
    r.Charset = 10;
    r.PageLength = 24;
    r.TimeLimit = 60;
    r.TimeLeft = 45;
    r.ResumeNumber = 1234;
    r.TimesOn = 312;
    r.MessagesWritten = -7;
    r.MessagesRead = std::numeric_limits<std::int32_t>::max();
    r.MessagesDumped = r.FilesUploaded = 3;
    r.FilesDownloaded = r.KbUploaded = 6;
    r.KbDownloaded = std::numeric_limits<std::int32_t>::min();
    return r;
}

// A focus stop by its object name; a toolbar button by its key, an option with its index.
QString stopName(QWidget* focus) {
    if (auto* button = qobject_cast<QToolButton*>(focus))
        return button->defaultAction()->data().toString();
    if (auto* option = qobject_cast<QRadioButton*>(focus))
        return option->objectName() + ' ' + QString::number(option->group()->id(option));
    return focus->objectName().isEmpty() ? focus->metaObject()->className() : focus->objectName();
}

int checkedLanguage(Viewer& v) {
    return v.control<QRadioButton>("optLanguage")->group()->checkedId();
}

// What a user sees of a control: a box's text (marked when disabled), a list's entry or what it
// shows without one, a check box's state, a spinner's position, the selected language.
QString seen(Viewer& v, const QString& name) {
    if (name == "optLanguage")
        return QString::number(checkedLanguage(v));
    QWidget* control = v.control<QWidget>(qPrintable(name));
    if (auto* box = qobject_cast<QLineEdit*>(control))
        return (box->isEnabled() ? "" : "(disabled) ") + box->text();
    if (auto* list = qobject_cast<QComboBox*>(control))
        return list->currentIndex() < 0 ? list->placeholderText() : list->currentText();
    if (auto* check = qobject_cast<QAbstractButton*>(control))
        return check->isChecked() ? "checked" : "clear";
    return QString::number(qobject_cast<QAbstractSlider*>(control)->value());
}

// The message boxes the program itself builds, answered by pressing one of their buttons (or
// Escape) as a user would, and noted as they were shown.
class PressingServices : public FakeWindowServices {
public:
    QString press; // a button's text; empty: Escape
    QStringList shown;
    QMessageBox::StandardButton showMessage(QWidget* parent, const MessageSpec& message) override {
        messages.push_back(message);
        QMessageBox box(parent);
        setUpMessageBox(box, message);
        QStringList buttons;
        for (auto* button : box.buttons())
            buttons << button->text();
        shown << box.windowTitle() << QString::number(box.icon()) << buttons.join('|')
              << box.defaultButton()->text() << QString::number(box.textFormat());
        box.show();
        if (press.isEmpty())
            QTest::keyClick(&box, Qt::Key_Escape);
        for (auto* button : box.buttons())
            if (button->text() == press)
                button->click();
        return QMessageBox::StandardButton(box.result());
    }
};

// What a row of the list, the status bar and the shown user look like, in one line to compare.
QString listState(Viewer& v) {
    QStringList entries;
    for (int row = 0; row < v.entries(); ++row)
        entries << v.entry(row);
    const QModelIndexList selected = v.list()->selectionModel()->selectedIndexes();
    return QString("list=%1; status=%2|%3; selected=%4; panel3=%5; txtName=%6")
        .arg(entries.join(','), v.panel(1), v.panel(2),
             QString::number(selected.isEmpty() ? -1 : selected.constFirst().row()), v.panel(3),
             v.text("txtName"));
}

// A board's change to its user file, done through our own board writer.
using BoardStep = std::function<bool(const std::string& path)>;

// Runs the action while another thread springs the trap open, as often as it takes, if the
// action is still caught in it after a second: a window that waits fails its test instead of
// hanging it. Whether the trap had to be sprung.
bool caughtWhile(const std::function<void()>& release, const std::function<void()>& action) {
    std::promise<void> finished;
    std::atomic<bool> sprang = false;
    std::thread watchdog([&, done = finished.get_future()] {
        for (auto wait = 1000ms; done.wait_for(wait) == std::future_status::timeout; wait = 50ms) {
            sprang = true;
            release();
        }
    });
    action();
    finished.set_value();
    watchdog.join();
    return sprang;
}

#ifdef Q_OS_LINUX
// Sets a trap where a settings file should be: a FIFO, a lock folder beside it, or a link to a
// FIFO, a folder, a device, nothing, or a regular file holding another setting, made in the
// targets folder. Returns what springs the trap open once a program is caught in it (nothing to
// do for most), or nothing when the trap could not be set.
std::optional<std::function<void()>> setTrap(const QString& trap, const QString& file,
                                             const QString& targets) {
    const auto encoded = [](const QString& path) { return QFile::encodeName(path); };
    const auto linkTo = [&](const QString& target) {
        return ::symlink(encoded(targets + "/" + target).constData(), encoded(file).constData()) ==
               0;
    };
    if (trap == "FIFO" || trap == "link to a FIFO") {
        const QByteArray fifo = encoded(trap == "FIFO" ? file : targets + "/fifo");
        if (::mkfifo(fifo.constData(), 0600) != 0 || (trap != "FIFO" && !linkTo("fifo")))
            return std::nullopt;
        return [fifo] { ::close(::open(fifo.constData(), O_WRONLY | O_NONBLOCK)); };
    }
    if (trap == "lock folder") {
        if (!QDir().mkpath(file + ".lock"))
            return std::nullopt;
        return [lock = file + ".lock"] { QDir().rmdir(lock); };
    }
    QFile regular(targets + "/regular");
    const bool set =
        (trap == "link to a folder" && QDir().mkpath(targets + "/folder") && linkTo("folder")) ||
        // A device of the test's own, never the system's: the null device's numbers.
        (trap == "link to a device" &&
         ::mknod(encoded(targets + "/null").constData(), S_IFCHR | 0600, makedev(1, 3)) == 0 &&
         linkTo("null")) ||
        (trap == "link to nothing" && linkTo("missing")) ||
        (trap == "link to a regular file" && regular.open(QIODevice::WriteOnly) &&
         regular.write("[other]\nkey=kept\n") > 0 && linkTo("regular")) ||
        // Too long to be the viewer's own, and too long to read in passing (holes, on disk).
        (trap == "link to a 4 GiB file" && regular.open(QIODevice::WriteOnly) &&
         regular.resize(4ll << 30) && linkTo("regular"));
    return set ? std::optional<std::function<void()>>([] {}) : std::nullopt;
}

// What stands at each name in the folder, and where each link leads to what. A regular file of
// the viewer's own is left out: that one it may write.
QStringList standing(const QString& folder) {
    const auto kind = [](const QFileInfo& info) {
        return info.isDir()    ? "folder"
               : info.isFile() ? "file"
               : info.exists() ? "node"
                               : "nothing";
    };
    QStringList found;
    for (const QFileInfo& entry :
         QDir(folder).entryInfoList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot))
        if (entry.isSymLink())
            found << entry.fileName() + " links to the " + kind(entry) + " " +
                         entry.symLinkTarget();
        else if (entry.fileName() != "kivo32.ini" || !entry.isFile())
            found << entry.fileName() + " " + kind(entry);
    return found;
}
#endif

} // namespace

class TestWindow : public QObject {
    Q_OBJECT
    TestFiles files_;
    int written_ = 0;

    // A fresh file holding the users, listed in the viewer.
    QString listed(Viewer& v, const std::vector<UserRecord>& users) {
        const QString path =
            files_.write(QString("BBBSUSER%1.DAT").arg(++written_), tools::userFileBytes(users));
        v.open(path);
        return path;
    }

private slots:
    void initTestCase() {
        applyStyleAndFont(*qApp);
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    }

    // First of the tests: nothing is remembered yet in this run's settings.
    void openDialogStartsInTheLastFilesFolder() {
        const auto startFolder = [] {
            Viewer v;
            v.window.mnuOpen_Click();
            return v.services.startFolders.back();
        };
        QCOMPARE(startFolder(), QDir::homePath());
        Viewer v;
        v.open(files_.write("boards/a/BBBSUSER.DAT", numberedUsersFile(1)));
        QCOMPARE(startFolder(), files_.path("boards/a"));
        v.open(files_.path("boards/b/BBBSUSER.DAT")); // could not be opened: not remembered
        QCOMPARE(startFolder(), files_.path("boards/a"));
        QVERIFY(QDir(files_.path("boards/a")).removeRecursively());
        QCOMPARE(startFolder(), QDir::homePath());
    }

    // A file name's bytes, UTF-8 or not, come back whole from its text; UTF-8 reads as its letters.
    void fileNameBytesComeBack_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text"); // empty: not all of it is UTF-8
        const char* utf8 =
            "/K\xc3\xa4ytt\xc3\xa4j\xc3\xa4t/\xe6\x97\xa5\xef\xbc\xa1\xf0\x9f\x98\x80";
        QTest::newRow("UTF-8, two to four bytes a letter")
            << QByteArray(utf8) << QString::fromUtf8(utf8);
        QTest::newRow("Latin-1") << QByteArray("/K\xe4ytt\xe4j\xe4t") << QString();
        QTest::newRow("overlong slash") << QByteArray("/a\xc0\xaf") << QString();
        QTest::newRow("overlong three bytes") << QByteArray("\xe0\x80\xaf") << QString();
        QTest::newRow("a surrogate's bytes") << QByteArray("\xed\xa0\x80") << QString();
        QTest::newRow("past U+10FFFF") << QByteArray("\xf4\x90\x80\x80") << QString();
        QTest::newRow("cut short") << QByteArray("/\xe6\x97") << QString();
        QTest::newRow("bytes that look like an escape") << QByteArray("\xed\xb3\xa4") << QString();
    }
    void fileNameBytesComeBack() {
#ifdef Q_OS_WIN
        QSKIP("Windows names are UTF-16");
#endif
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        // Read from exactly its bytes: the sanitizers see a look past the name's end.
        const std::vector<char> exact(bytes.begin(), bytes.end());
        const QString name = fileNameText(QByteArray::fromRawData(exact.data(), exact.size()));
        QCOMPARE(QByteArray::fromStdString(fileNameBytes(name)), bytes);
        if (!text.isEmpty())
            QCOMPARE(name, text);
        else // and a message shows what is not text as such
            QVERIFY(oneLineText(name).contains(QChar::ReplacementCharacter));
    }

    // The settings file in the format QSettings wrote and reads: each reads what the other
    // writes, and the file's other settings stay.
    void settingsFormat_data() {
        QTest::addColumn<QString>("folder");
        const std::pair<const char*, const char*> folders[] = {
            {"plain", "/boards/a"},
            {"separators", "/a b, c; d = e"},
            {"spaces around", "  spaces around  "},
            {"quote and backslash", "/quote \" back\\slash"},
            {"leading @", "@at/first"},
            {"line breaks and tab", "/tab\tline\nbreak\rreturn"},
            {"letters past ASCII", "/K\xc3\xa4ytt\xc3\xa4j\xc3\xa4t/\xe6\x97\xa5"},
            {"controls before hex digits", "/\x01\x1f"
                                           "ab"},
            {"empty", ""},
        };
        for (const auto& [name, folder] : folders)
            QTest::newRow(name) << QString::fromUtf8(folder);
    }
    void settingsFormat() {
        QFETCH(QString, folder);
        const QString path = files_.path("format.ini");
        QFile file(path);
        const auto rewrite = [&](const QString& value) { // ours, over what is there
            QVERIFY(file.open(QIODevice::ReadWrite));
            const QByteArray theirs = file.readAll();
            file.resize(0);
            file.write(withLastFolder(theirs, value));
            file.close();
        };
        file.remove();
        QSettings(path, QSettings::IniFormat).setValue("open/aSibling", "kept");
        QSettings(path, QSettings::IniFormat).setValue("other/key", "kept");
        rewrite(folder); // into their [open]
        QCOMPARE(QSettings(path, QSettings::IniFormat).value("open/lastFolder").toString(), folder);
        rewrite(folder + "2"); // over our own line, to a value of another length
        const QSettings read(path, QSettings::IniFormat);
        QCOMPARE(read.value("open/lastFolder").toString(), folder + "2");
        QCOMPARE(read.value("open/aSibling").toString() + read.value("other/key").toString(),
                 QString("keptkept"));
        QSettings(path, QSettings::IniFormat).setValue("open/lastFolder", folder + "3");
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(lastFolderIn(file.readAll()), folder + "3");
    }

    // The remembered folder is a convenience, and so are the places Qt's own file dialog keeps
    // in the settings all Qt programs share, read and written as it is made and destroyed.
    // Whatever stands where either settings file should be, opening a user file and the dialog
    // neither wait nor say anything, and write nothing but a regular file; a link to a regular
    // file is followed, as dotfile managers link them, and its other settings stay.
    void settingsTraps_data() {
        QTest::addColumn<QString>("trap");
        QTest::addColumn<bool>("dialog"); // Qt's shared settings; otherwise the viewer's own
        QTest::addColumn<bool>("kept");   // whether the folder, or the dialog's places, are kept
        const auto rows = [](bool dialog, bool kept, std::initializer_list<const char*> traps) {
            for (const char* trap : traps)
                QTest::addRow("%s, %s", dialog ? "dialog" : "viewer", trap)
                    << QString(trap) << dialog << kept;
        };
        rows(false, false,
             {"FIFO", "link to a FIFO", "link to a folder", "link to a device", "link to nothing",
              "link to a 4 GiB file", "unwritable folder, stale lock"});
        rows(false, true, {"lock folder", "link to a regular file"});
        rows(true, false, {"FIFO", "link to a FIFO", "lock folder", "link to a device"});
        rows(true, true, {"link to a regular file"});
    }
    void settingsTraps() {
#ifndef Q_OS_LINUX
        QSKIP("FIFOs, devices and modes are Linux's");
#else
        QFETCH(QString, trap);
        QFETCH(bool, dialog);
        QFETCH(bool, kept);
        const QString tag = QTest::currentDataTag();
        if (trap.startsWith("unwritable") && ::geteuid() == 0) {
            // The system's administrator writes into any folder: this case runs as nobody.
            const QString setpriv = QStandardPaths::findExecutable("setpriv");
            if (setpriv.isEmpty())
                QSKIP("an unwritable folder needs a user other than root, and setpriv");
            QProcess asNobody;
            asNobody.setProcessChannelMode(QProcess::MergedChannels);
            asNobody.start(setpriv,
                           {"--reuid=nobody", "--regid=nogroup", "--clear-groups", "--",
                            QCoreApplication::applicationFilePath(), "settingsTraps:" + tag});
            QVERIFY(asNobody.waitForFinished(30000));
            QVERIFY2(asNobody.exitCode() == 0, asNobody.readAll().constData());
            return;
        }
        // The dialog's: the test run's own configuration folder, where Qt looks first.
        const QString folder = dialog ? privateConfigHome.dir.path() : files_.path(tag);
        if (dialog)
            QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder);
        const QString file = folder + (dialog ? "/QtProject.conf" : "/kivo32.ini");
        const QString targets = files_.path("targets " + tag);
        QVERIFY(QDir().mkpath(folder) && QDir().mkpath(targets));
        const QByteArray encodedFolder = QFile::encodeName(folder);
        std::optional<std::function<void()>> release;
        if (trap.startsWith("unwritable")) {
            // A settings file the user may write, and a lock left by a viewer that is gone, in a
            // folder where the lock cannot be cleared.
            files_.write(tag + "/kivo32.ini", QByteArray("[other]\nkey=kept\n"));
            files_.write(tag + "/kivo32.ini.lock",
                         "999999999\nkivo32\n" + QSysInfo::machineHostName().toUtf8() + "\n");
            QCOMPARE(::chmod(encodedFolder.constData(), 0555), 0);
            release = [encodedFolder] { ::chmod(encodedFolder.constData(), 0755); };
        } else {
            release = setTrap(trap, file, targets);
        }
        if (!release && trap == "link to a device" && ::geteuid() != 0)
            QSKIP("making a device needs the system's administrator");
        QVERIFY2(release, "the trap could not be set");
        const auto clear = qScopeGuard([&] {
            ::chmod(encodedFolder.constData(), 0755);
            QFile::remove(file);
            QDir().rmdir(file + ".lock");
        });
        const QStringList before = standing(folder);
        Viewer v;
        v.services.settingsPath = file;
        const QString userFile = files_.write("opened/BBBSUSER.DAT", numberedUsersFile(1));
        QVERIFY2(!caughtWhile(*release,
                              [&] {
                                  if (dialog) {
                                      keepDialogSettingsSafe();
                                      QFileDialog made; // and destroyed
                                  } else {
                                      v.open(userFile);
                                      v.window.mnuOpen_Click();
                                  }
                              }),
                 "caught in the trap");
        QVERIFY(v.services.messages.empty());
        QCOMPARE(standing(folder), before);
        QFile regular(targets + "/regular"); // the 4 GiB one is never read
        const bool small = regular.size() < 4096 && regular.open(QIODevice::ReadOnly);
        const QByteArray written = small ? regular.readAll() : "";
        if (dialog)
            QCOMPARE(written.contains("[FileDialog]"), kept);
        else
            QCOMPARE(v.services.startFolders.back(),
                     kept ? QFileInfo(userFile).absolutePath() : QDir::homePath());
        QCOMPARE(written.contains("key=kept"), trap == "link to a regular file");
#endif
    }

    void startUpState() {
        Viewer v;
        v.window.show();
        QCOMPARE(v.window.pos(), QPoint(693, 358)); // centred on the screen
        QCOMPARE(v.window.windowTitle(), QString("KIVO/32 v%1 Build: %2%3    (BBBS HOW 3.33)")
                                             .arg(kVersionMajor)
                                             .arg(kVersionMinor)
                                             .arg(kVersionPatch));
        QCOMPARE(v.window.objectName(), QString("frmMain"));
        QCOMPARE(v.window.minimumSize(), v.window.maximumSize());
        QCOMPARE(v.window.size(), QSize(533, 363));
        QVERIFY(!(v.window.windowFlags() & Qt::WindowMaximizeButtonHint));
        const auto iconSizes = v.window.windowIcon().availableSizes();
        QVERIFY(iconSizes.contains(QSize(32, 32)) && iconSizes.contains(QSize(16, 16)));
        QCOMPARE(v.panel(2), QString("No file loaded"));
        QVERIFY(v.panel(1).isEmpty() && v.panel(3).isEmpty());
        QCOMPARE(v.entries(), 0);
        for (auto button : {ToolbarButton::Open, ToolbarButton::Exit})
            QVERIFY(v.window.toolbarButton(button)->isEnabled());
        for (auto button : {ToolbarButton::Update, ToolbarButton::Print, ToolbarButton::Undo})
            QVERIFY(!v.window.toolbarButton(button)->isEnabled());
        QVERIFY(v.control<QProgressBar>("gauge1")->isHidden());
        // The command menu exists for its entry points, in this order, and is never shown.
        const auto* menu = v.control<QMenu>("mnusys");
        QVERIFY(menu->isHidden());
        QStringList items;
        for (const QAction* item : menu->actions())
            items << item->objectName();
        QCOMPARE(items, (QStringList{"mnuOpen", "mnuUpdate", "mnuPrint", "mnuUndo", "mnuEnd",
                                     "mnuReload", "mnuStop"}));
        QCOMPARE(checkedLanguage(v), -1);
        for (auto* box : v.window.findChildren<QLineEdit*>())
            QVERIFY2(box->text().isEmpty(), qPrintable(box->objectName()));
        for (auto* list : v.window.findChildren<QComboBox*>()) // filled, nothing selected
            QVERIFY(list->count() > 0 && list->currentText().isEmpty());
    }

    // The spinners: the up arrow on the upper half, the down arrow on the lower; steps in range.
    void spinners_data() {
        QTest::addColumn<QString>("spinner");
        QTest::addColumn<QString>("buddy");
        QTest::addColumn<int>("maximum");
        QTest::newRow("page length") << QString("udPagelength") << "txtPagelength" << 254;
        QTest::newRow("time limit") << QString("udTimelimit") << "txtTimelimit" << 32000;
        QTest::newRow("time left") << QString("udTimeleft") << "txtTimeleft" << 32000;
    }
    void spinners() {
        QFETCH(QString, spinner);
        QFETCH(QString, buddy);
        QFETCH(int, maximum);
        Viewer v;
        v.window.findChild<QTabBar*>()->setCurrentIndex(0);
        v.window.show();
        auto* upDown = v.control<QAbstractSlider>(qPrintable(spinner));
        auto* box = v.control<QLineEdit>(qPrintable(buddy));
        const QPoint upper(upDown->width() / 2, upDown->height() / 2 - 1); // each arrow a half
        const QPoint lower(upDown->width() / 2, upDown->height() / 2 + 1);
        auto* up = qobject_cast<QToolButton*>(upDown->childAt(upper));
        auto* down = qobject_cast<QToolButton*>(upDown->childAt(lower));
        QVERIFY(up->arrowType() == Qt::UpArrow && down->arrowType() == Qt::DownArrow);
        for (auto [arrow, shown] : {std::pair{up, "1"}, {down, "0"}, {down, "0"}}) {
            QTest::mouseClick(arrow, Qt::LeftButton); // never below 0
            QCOMPARE(box->text(), QString(shown));
        }
        upDown->setValue(maximum);
        QTest::keyClick(upDown, Qt::Key_Up); // never above the maximum
        QCOMPARE(box->text(), QString::number(maximum));
    }

    void fontResolvedAndEveryCaptionFits() {
        QVERIFY(FontConfigLoader().wait()); // the configuration read ahead, before any caption
        Viewer v;
        const QFontInfo info(QApplication::font());
        QCOMPARE(info.family(), QString("Liberation Sans"));
        QVERIFY(info.exactMatch());
        QVERIFY(QFontMetrics(QApplication::font()).inFontUcs4(0x2401)); // a control byte's symbol
        // Hinted as Linux desktops hint, on every system: Windows' full hinting widens glyphs.
        QCOMPARE(QApplication::font().hintingPreference(), QFont::PreferVerticalHinting);
        for (auto* label : v.window.findChildren<QLabel*>()) {
            if (label->objectName().startsWith("sb1Panel"))
                continue; // the status panels show file data
            QVERIFY2(!label->text().isEmpty(), qPrintable(label->objectName()));
            const int needed = label->fontMetrics().horizontalAdvance(label->text());
            QVERIFY2(needed <= label->contentsRect().width(), qPrintable(label->text()));
        }
        for (auto* button : v.window.findChildren<QAbstractButton*>()) {
            if (button->text().isEmpty())
                continue;
            // A toolbar button's hint asks for more room than its fixed 42 pixels need.
            const int needed = qobject_cast<QToolButton*>(button)
                                   ? button->fontMetrics().horizontalAdvance(button->text()) + 4
                                   : button->sizeHint().width();
            QVERIFY2(needed <= button->width(), qPrintable(button->text()));
        }
    }

    // A field's control carries its caption as its name for screen readers (the smoke test finds
    // each through its label, as a screen reader does).
    void everyFieldNamedByItsLabel() {
        Viewer v;
        for (const ShownField& field : kShownFields) {
            if (field.kind == ShownKind::Language)
                continue; // the options name themselves
            QWidget* shown = v.control<QWidget>(field.control.data());
            if (auto* upDown = qobject_cast<UpDown*>(shown))
                shown = upDown->buddy();
            QCOMPARE(shown->accessibleName(), QString::fromLatin1(field.caption));
        }
        for (const char* named : {"List1", "gauge1", "tb1", "sb1"})
            QVERIFY(!v.control<QWidget>(named)->accessibleName().isEmpty());
    }

    // The window opens with the keyboard in the list. The toolbar is one stop whatever its
    // enabled buttons, and Tab enters the language group at the selected option, or at the
    // first when the selected one is hidden.
    void tabOrder_data() {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("entered");
        QTest::newRow("shown") << 2 << "optLanguage 2";
        QTest::newRow("hidden") << 5 << "optLanguage 0";
    }
    void tabOrder() {
        QFETCH(int, language);
        QFETCH(QString, entered);
        UserRecord user = tools::numberedUser(1);
        user.Language = std::uint8_t(language);
        Viewer v;
        v.window.show();
        QVERIFY(QTest::qWaitForWindowActive(&v.window));
        QCOMPARE(QApplication::focusWidget(), v.list());
        listed(v, {user}); // four buttons enabled
        v.select(0);
        v.window.findChild<QTabBar*>()->setCurrentIndex(0); // the others' controls are skipped
        QStringList visited;
        for (int i = 0; i < 14; ++i) {
            visited << stopName(QApplication::focusWidget());
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        const QStringList expected = {
            "List1",        "QTabBar",       entered,        "cboProtocol", "cboPackers",
            "udPagelength", "txtPagelength", "txtTimelimit", "udTimelimit", "txtTimeleft",
            "udTimeleft",   "cboCharset",    "open",         "List1"};
        QCOMPARE(visited, expected);
    }

    // Locked boxes and the resume check box can be read and selected but not changed; the
    // other boxes take typing, which nothing follows from. A screen reader reads a locked box's
    // text, selects in it and moves through it as through any line edit's, and is offered no way
    // to change it.
    void lockedControls() {
        Viewer v;
        const QStringList editable = {"txtName", "txtLast", "txtTodayDown"};
        for (const char* name :
             {"txtResume", "txtMsgleft", "txtKbDown", "txtFirst", "txtName", "txtLast", "txtTodayDown"})
            QCOMPARE(v.control<QLineEdit>(name)->isReadOnly(), !editable.contains(name));
        auto* check = v.control<QAbstractButton>("chkResume");
        for (bool state : {false, true}) {
            check->setChecked(state);
            QTest::mouseClick(check, Qt::LeftButton);
            check->click();
            QCOMPARE(check->isChecked(), state);
        }
        listed(v, {fullUser()});
        v.select(0);
        v.window.findChild<QTabBar*>()->setCurrentIndex(0);
        v.window.show();
        auto* box = v.control<QLineEdit>("txtResume");
        QAccessibleInterface* read = QAccessible::queryAccessibleInterface(box);
        QVERIFY(read->state().readOnly && !read->state().editable && read->state().selectableText);
        QVERIFY(!read->valueInterface());
        QCOMPARE(read->text(QAccessible::Value), QString("1234"));
        QAccessibleTextInterface* text = read->textInterface();
        QCOMPARE(text->characterCount(), 4);
        QCOMPARE(text->text(1, 3) + '|' + text->text(3, 1), QString("23|"));
        int start = -1, end = -1;
        text->setSelection(0, 1, 3);
        text->selection(0, &start, &end);
        QCOMPARE(QList<int>({text->selectionCount(), start, end}), QList<int>({1, 1, 3}));
        QCOMPARE(box->selectedText(), QString("23"));
        text->removeSelection(0);
        text->selection(0, &start, &end);
        QCOMPARE(QList<int>({text->selectionCount(), start, end}), QList<int>({0, 0, 0}));
        text->addSelection(0, 2);
        QCOMPARE(box->selectedText(), QString("12"));
        text->setCursorPosition(3);
        QCOMPARE(text->cursorPosition(), 3);
        QVERIFY(text->characterRect(-1).isEmpty() && text->characterRect(4).isEmpty());
        const QFontMetrics metrics = box->fontMetrics();
        for (int offset = 0; offset < 4; ++offset) { // side by side, each as wide as its digit
            const QRect character = text->characterRect(offset);
            QCOMPARE(character.width(), metrics.horizontalAdvance(box->text()[offset]));
            QCOMPARE(character.topLeft() - text->characterRect(0).topLeft(),
                     QPoint(metrics.horizontalAdvance(box->text().left(offset)), 0));
        }
        const auto atX = [&](int x) { return box->mapToGlobal(QPoint(x, box->height() / 2)); };
        QCOMPARE(text->offsetAtPoint(atX(1)), 0);
        QCOMPARE(text->offsetAtPoint(atX(box->width() - 2)), 4);
        text->attributes(2, &start, &end);
        QCOMPARE(QList<int>({start, end}), QList<int>({2, 2}));
    }

    void onlyTheFrontPageShows() {
        Viewer v;
        v.window.show();
        auto* tabs = v.window.findChild<QTabBar*>();
        QCOMPARE(tabs->currentIndex(), 2); // Statistics in front at start
        const char* onPage[] = {"cboProtocol", "txtName", "txtTimeson"};
        auto* tab1 = v.control<QWidget>("tab1");
        for (int front :
             {2, 0, 1, 2}) { // on whatever lies on top there: the tab row, over the pages
            const QPoint at = tabs->mapTo(tab1, tabs->tabRect(front).center());
            QWidget* top = tab1->childAt(at);
            QTest::mouseClick(top, Qt::LeftButton, {}, top->mapFrom(tab1, at));
            for (int page = 0; page < 3; ++page)
                QCOMPARE(v.control<QWidget>(onPage[page])->isVisible(), page == front);
        }
        for (const char* hidden :
             {"txtFirst", "txtLast", "txtTodayDown", "Firs", "Label20", "Label21"})
            QVERIFY(!v.control<QWidget>(hidden)->isVisible());
    }

    // The count is the length / 273 in general number format, every whole record is listed in
    // file order and shows when selected, trailing bytes are no user, and the file is untouched.
    void contents_data() {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("panel");
        QTest::addColumn<QStringList>("names");
        const QByteArray one = bytesOf(numberedUsersFile(1));
        QTest::newRow("0 bytes") << "a.dat" << QByteArray() << "0 users in file" << QStringList();
        QTest::newRow("272 bytes")
            << "a.dat" << one.left(272) << "0.996336996336996 users in file" << QStringList();
        // Every byte 0xFF: thirty 'ÿ' for a name, and every code past its table.
        QTest::newRow("all 0xFF") << "a.dat" << QByteArray(3 * 273 + 100, '\xFF')
                                  << "3.36630036630037 users in file"
                                  << QStringList(3, QString(30, QChar(0xFF)));
        QTest::newRow("control characters in the file's name")
            << storableFileName(QString::fromUtf8("BBBS\tUSER\n\x1b[31m\x7f \xE2\x80\xAE.DAT"))
            << bytesOf(numberedUsersFile(3)) << "3 users in file"
            << QStringList{"User 1", "User 2", "User 3"};
    }
    void contents() {
        QFETCH(QString, fileName);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, panel);
        QFETCH(QStringList, names);
        const QString path = files_.write(fileName, bytes);
        Viewer v;
        QAbstractItemModelTester tester(v.list()->model(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        v.open(files_.write("before.dat", numberedUsersFile(5))); // replaced by the next
        QSignalSpy published(v.list()->model(), &QAbstractItemModel::rowsInserted);
        v.open(path);
        QCOMPARE(v.panel(2), panel);
        // The view is told of the rows: none, or all of them at once.
        QCOMPARE(published.size(), names.isEmpty() ? 0 : 1);
        QStringList shown;
        for (int row = 0; row < v.list()->model()->rowCount(); ++row)
            shown << v.entry(row);
        QCOMPARE(shown, names);
        QVERIFY(v.list()->selectionModel()->selectedIndexes().isEmpty());
        for (int row = names.size() - 1; row >= 0; --row) {
            v.select(row);
            QCOMPARE(v.panel(3), names[row]);
            QCOMPARE(v.text("txtName"), names[row]);
        }
        QVERIFY(!v.window.toolbarButton(ToolbarButton::Print)->isEnabled());
        if (heldOpen(path)) // and the file stays open, for the reads of each selection
            QVERIFY(*heldOpen(path));
    }

    void countInTheUsersLocale() { // its decimal separator only: not its digits, no grouping
        QCOMPARE(formatUserCount(300.0 / 273, QLocale("de_DE")), QString("1,0989010989011"));
        QCOMPARE(formatUserCount(1e6 + 0.5, QLocale("ar_EG")),
                 QString::fromUtf16(u"1000000\u066B5"));
    }

    // Paths that name no user file, and files of more users than one list holds (refused before
    // a single name is read, however little of the file is on disk): each is refused with the
    // reason, leaves the "no file" state, holds nothing open, and nothing is made.
    void refusedPaths_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("reason");
        QTest::addColumn<QString>("shown"); // the path in the message; empty: as it is
        const auto row = [](const char* name, const QString& path, const QString& reason,
                            const QString& shown = {}) {
            QTest::newRow(name) << path << reason << (shown.isEmpty() ? path : shown);
        };
        const auto describe = [](FileError::Kind kind) {
            return QString::fromStdString(FileError{kind}.describe());
        };
        row("missing", files_.path("missing.dat"), describe(FileError::Kind::NotFound));
        // On one line, and nothing a terminal or a label would act on.
        row("missing, control characters in its name",
            files_.path(
                QString::fromUtf16(u"BBBS\tUSER\n\x1b[31m\x7f\u2028\u0080\u009f.DAT\U0001F600")),
            describe(FileError::Kind::NotFound),
            files_.path(QString::fromUtf16(
                u"BBBS\u2409USER\u240A\u241B[31m\u2421\u2424\uFFFD\uFFFD.DAT\U0001F600")));
        // The file opened first, and more after a NUL: never that file.
        row("NUL in the name", files_.path("listed.dat") + QChar(0) + ".x",
            describe(FileError::Kind::BadName),
            files_.path(QString::fromUtf16(u"listed.dat\u2400.x")));
        for (const qint64 size : {qint64(UserListModel::kMaxEntries + 1) * 273, qint64(8) << 30}) {
            const QString path = files_.path(QString("BBBSUSER %3 %1.DAT").arg(size)); // "%3" stays
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.resize(size));
            row(qPrintable(QString("%1 bytes").arg(size)), path,
                QString("it holds %1 users, and this viewer lists at most 20000000")
                    .arg(size / 273));
        }
    }
    void refusedPaths() {
        QFETCH(QString, path);
        QFETCH(QString, reason);
        QFETCH(QString, shown);
        const bool existed = QFileInfo::exists(path);
        Viewer v; // a listed file first: the refusal must leave nothing of it
        v.open(files_.write("listed.dat", numberedUsersFile(2)));
        v.open(path);
        QCOMPARE(v.services.messages.size(), std::size_t(1));
        QCOMPARE(v.services.messages[0].title, QString("Open"));
        QCOMPARE(v.services.messages[0].text,
                 QString("The file %1 could not be opened: %2.").arg(shown, reason));
        QCOMPARE(v.services.messages[0].icon, QMessageBox::Warning);
        QCOMPARE(v.entries(), 0); // the "no file" state, as the window starts in it
        QCOMPARE(v.panel(2), Viewer().panel(2));
        QVERIFY(v.control<QProgressBar>("gauge1")->isHidden());
        QCOMPARE(heldOpen(path).value_or(false), false);
        QCOMPARE(QFileInfo::exists(path), existed);
    }

    // Callers choose their own names. Whatever a name holds, the list, panel 3 and the name box
    // show its characters as they are, on one line, and an accessibility client reads the same:
    // no markup is drawn, no file it names is opened, control bytes show as their symbols.
    void awkwardNames_data() {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QString>("shown");
        for (const char* name :
             {"<b>x</b>", "<a href=x>click</a>", "&lt;b&gt; &amp;", "<img src=/dev/zero>",
              "<img src=fifo>", "<img src=hostname>", "%1 %2 %s %n %L1"})
            QTest::newRow(name) << QByteArray(name) << QString(name);
        QTest::newRow("line breaks, escape, DEL")
            << QByteArray("A\r\nB\x1b[2J\x7f")
            << QString::fromUtf16(u"A\u240D\u240AB\u241B[2J\u2421");
    }
    void awkwardNames() {
        QFETCH(QByteArray, stored);
        QFETCH(QString, shown);
        // What a relative <img src> could name: a FIFO and a file, in the working folder.
        const QString bait = files_.path("bait");
        QVERIFY(QDir().mkpath(bait) && QDir::setCurrent(bait));
        files_.write("bait/hostname", QByteArray("a file of the caller's choosing"));
#ifdef Q_OS_LINUX
        QFile::remove("fifo");
        QCOMPARE(::mkfifo("fifo", 0600), 0);
        const int watch = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        QVERIFY(watch >= 0 && ::inotify_add_watch(watch, ".", IN_OPEN | IN_ACCESS) >= 0);
        const auto unwatch = qScopeGuard([watch] { ::close(watch); });
#endif
        Viewer v;
        v.open(files_.write("BBBSUSER.DAT", userNamed(stored) + userNamed("Plain")));
        v.select(0);
        QCOMPARE(v.entry(0), shown);
        QCOMPARE(v.panel(3), shown);
        QCOMPARE(v.text("txtName"), shown);
        // Checked before anything is drawn: a label that renders the name would open what it
        // names, and hang on the FIFO.
        for (auto* label : v.window.findChildren<QLabel*>())
            QVERIFY2(label->textFormat() == Qt::PlainText, qPrintable(label->objectName()));
        v.window.show();
        v.window.grab();
#ifdef Q_OS_LINUX
        char event[4096];
        QCOMPARE(::read(watch, event, sizeof event), ssize_t(-1)); // nothing was opened
#endif
        auto* rows = QAccessible::queryAccessibleInterface(v.list())->tableInterface();
        QCOMPARE(rows->cellAt(0, 0)->text(QAccessible::Name), shown);
        QCOMPARE(v.list()->sizeHintForIndex(v.list()->model()->index(0, 0)).height(),
                 v.list()->sizeHintForIndex(v.list()->model()->index(1, 0)).height()); // one line
    }

    // After listing, someone else changes the file. The viewer keeps the file it opened: a
    // record no longer wholly in it is reported and its view cleared; a file removed by name
    // still reads as the file that was listed.
    void changedAfterListing_data() {
        QTest::addColumn<QString>("change");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("shown"); // empty when it cannot be read
        QTest::newRow("shrunk into the record") << "shrink" << 2 << QString();
        QTest::newRow("removed") << "remove" << 3 << "User 4";
    }
    void changedAfterListing() {
        QFETCH(QString, change);
        QFETCH(int, row);
        QFETCH(QString, shown);
        const QString path = files_.write("BBBSUSER.DAT", numberedUsersFile(4));
        Viewer v;
        v.open(path);
        v.select(1);
        QVERIFY(change == "shrink" ? QFile::resize(path, 2 * 273 + 100) : QFile::remove(path));
        v.select(row);
        QCOMPARE(v.entries(), 4); // the list keeps what was listed
        QCOMPARE(v.list()->currentIndex().row(), row);
        if (shown.isEmpty()) {
            QCOMPARE(v.services.messages.size(), std::size_t(1));
            QCOMPARE(v.services.messages[0].title, QString("Read"));
            QVERIFY(v.services.messages[0].text.startsWith(
                QString("User %1 could not be read from %2: ").arg(row + 1).arg(path)));
            Viewer fresh; // no field may still show the user selected before
            for (const char* name :
                 {"txtName", "udPagelength", "optLanguage", "chkResume", "cboPackers"})
                QCOMPARE(seen(v, name), seen(fresh, name));
            QVERIFY(v.panel(3).isEmpty());
        } else {
            QVERIFY(v.services.messages.empty());
            QCOMPARE(v.text("txtName"), shown);
        }
        v.window.close(); // and the file let go
        QVERIFY(!heldOpen(path).value_or(false) && !v.window.follower().isFollowing());
        QCOMPARE(QFileInfo::exists(path), change != "remove"); // never made again
    }

    // Each row: a user shown after another (fullUser()), and what the pages then show of it,
    // control by control, every value from its first character.
    void shownUser_data() {
        QTest::addColumn<QByteArray>("user");
        QTest::addColumn<QStringList>("shown"); // control=value, as seen()
        const auto row = [](const char* name, auto change, const QStringList& shown) {
            UserRecord user = fullUser();
            change(user);
            QTest::newRow(name) << bytesOf(tools::userFileBytes({user})) << shown;
        };
        row("every field", [](UserRecord&) {}, {"txtName=Anna Virtanen", "txtAddress=Kuusitie 4",
                                                "txtCity=33100 Tampere", "txtPhone=03-555 2231",
                                                "txtBirth=12-03-75",     "txtPagelength=24",
                                                "udPagelength=24",       "txtTimelimit=60",
                                                "txtTimeleft=45",        "txtResume=1234",
                                                "chkResume=checked",     "txtTimeson=312",
                                                "txtMsgleft=-7",         "txtMsgread=2147483647",
                                                "txtMsgdumped=3",        "txtFileUp=3",
                                                "txtFileDown=6",         "txtKbup=6",
                                                "txtKbDown=-2147483648", "txtFirst=(disabled) ",
                                                "txtLast=(disabled) ",   "txtTodayDown=(disabled) ",
                                                "optLanguage=1",         "cboPackers=RAR",
                                                "cboProtocol=Ymodem",    "cboCharset=MAC"});
        for (int language : {0, 3, 5, 8, 9, 255}) // the hidden options clear the shown ones too
            row(qPrintable(QString("language %1").arg(language)),
                [=](UserRecord& u) { u.Language = std::uint8_t(language); },
                {QString("optLanguage=%1").arg(language < 9 ? language : -1)});
        row("no resume", [](UserRecord& u) { u.ResumeNumber = 0; },
            {"chkResume=clear", "txtResume=(disabled) "});
        row("negative resume", [](UserRecord& u) { u.ResumeNumber = -5; },
            {"chkResume=checked", "txtResume=-5"});
        for (int code : {11, 255})
            row(qPrintable(QString("codes %1").arg(code)),
                [=](UserRecord& u) { u.Packer = u.Protocol = u.Charset = std::uint8_t(code); },
                {QString("cboPackers=Unknown (%1)").arg(code),
                 QString("cboProtocol=Unknown (%1)").arg(code),
                 QString("cboCharset=Unknown (%1)").arg(code), "txtName=Anna Virtanen"});
        // A spinner that cannot hold the value stands at its end; the box shows it as stored.
        row("spinners past their ends",
            [](UserRecord& u) {
                u.PageLength = 255;
                u.TimeLimit = -32768;
                u.TimeLeft = 32001;
            },
            {"txtPagelength=255", "udPagelength=254", "txtTimelimit=-32768", "udTimelimit=0",
             "txtTimeleft=32001", "udTimeleft=32000"});
    }
    void shownUser() {
        QFETCH(QByteArray, user);
        QFETCH(QStringList, shown);
        Viewer v;
        v.open(files_.write("shown.dat", bytesOf(tools::userFileBytes({fullUser()})) + user));
        v.select(0);
        v.select(1);
        for (const QString& control : shown)
            QCOMPARE(control.section('=', 0, 0) + '=' + seen(v, control.section('=', 0, 0)),
                     control);
        for (auto* box : v.window.findChildren<QLineEdit*>())
            QVERIFY2(box->cursorPosition() == 0, qPrintable(box->objectName()));
    }

    // A click or the keyboard selects a user; once one is selected, one stays selected: a click
    // below the entries, Ctrl+click or Ctrl+Space on the selected entry keep it, and its view.
    void selectionFollowsTheUser() {
        Viewer v;
        listed(v, {tools::numberedUser(1), tools::numberedUser(2), tools::numberedUser(3)});
        v.window.show();
        auto* list = v.list();
        const QModelIndex second = list->model()->index(1, 0);
        const QPoint onIt = list->visualRect(second).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, onIt);
        QCOMPARE(v.panel(3), QString("User 2"));
        const std::function<void()> gestures[] = {
            [&] { QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, onIt + QPoint(0, 100)); },
            [&] { QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier, onIt); },
            [&] { QTest::keyClick(list, Qt::Key_Space, Qt::ControlModifier); },
        };
        for (const auto& gesture : gestures) {
            gesture();
            QCOMPARE(list->selectionModel()->selectedIndexes(), QModelIndexList{second});
        }
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(v.text("txtName"), QString("User 3"));
    }

    // Typed in the list, letters go to the first entry from the current one on, round the end,
    // whose name starts with them in either case of any letter of the board's code page; a
    // locked record's placeholder is passed over.
    void typeToFind_data() {
        QTest::addColumn<int>("from");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("found"); // -1: none
        QTest::newRow("the current entry") << 0 << "an" << 0;
        QTest::newRow("further on, either case") << 1 << "AN" << 4;
        QTest::newRow("round the end") << 4 << "bo" << 2;
        QTest::newRow("a letter of the code page") << 0 << QString::fromUtf8("\xC3\xA4G") << 3;
        QTest::newRow("not its base letter") << 0 << "ag" << -1;
        QTest::newRow("not a placeholder's text") << 0 << "(record" << -1;
    }
    void typeToFind() {
        QFETCH(int, from);
        QFETCH(QString, typed);
        QFETCH(int, found);
        Viewer v;
        UserList users;
        users.append("Anna");
        users.appendPlaceholder();
        for (const char* name : {"bo", "\xC4gir", "Anders"})
            users.append(name);
        auto* model = qobject_cast<UserListModel*>(v.list()->model());
        model->update(std::move(users));
        const auto hits = model->match(model->index(from, 0), Qt::DisplayRole, typed, 1,
                                       Qt::MatchStartsWith | Qt::MatchWrap); // as the list asks
        QCOMPARE(hits.isEmpty() ? -1 : hits.constFirst().row(), found);
    }

    // The keys move through a list longer than the box: a page is the rows in view less one,
    // the list scrolls by whole rows, and the entry moved to is always wholly in view, where a
    // click on it finds it again.
    void keysMoveThroughALongList_data() {
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<bool>("fromEnd");
        QTest::addColumn<int>("pages");
        QTest::addColumn<int>("rows");
        QTest::newRow("down") << QList<int>{Qt::Key_Down, Qt::Key_Down} << false << 0 << 2;
        QTest::newRow("page down twice")
            << QList<int>{Qt::Key_PageDown, Qt::Key_PageDown} << false << 2 << 0;
        QTest::newRow("end, page up") << QList<int>{Qt::Key_End, Qt::Key_PageUp} << true << -1 << 0;
        QTest::newRow("end, up") << QList<int>{Qt::Key_End, Qt::Key_Up} << true << 0 << -1;
        QTest::newRow("end, home") << QList<int>{Qt::Key_End, Qt::Key_Home} << false << 0 << 0;
    }
    void keysMoveThroughALongList() {
        QFETCH(QList<int>, keys);
        QFETCH(bool, fromEnd);
        QFETCH(int, pages);
        QFETCH(int, rows);
        constexpr int kUsers = 1000;
        Viewer v;
        v.open(files_.write("long.dat", numberedUsersFile(kUsers)));
        v.window.show();
        auto* list = v.list();
        v.select(0);
        for (int key : keys)
            QTest::keyClick(list, Qt::Key(key));
        const QRect area = list->viewport()->rect();
        const int inView = area.height() / list->visualRect(list->currentIndex()).height();
        const int expected = (fromEnd ? kUsers - 1 : 0) + pages * (inView - 1) + rows;
        QCOMPARE(list->currentIndex().row(), expected);
        const QRect shown = list->visualRect(list->currentIndex());
        QVERIFY(area.top() <= shown.top() && shown.bottom() <= area.bottom());
        QCOMPARE(list->indexAt(shown.center()), list->currentIndex());
        QCOMPARE(list->visualRect(list->indexAt({0, 0})).top(), 0); // scrolled by whole rows
    }

    // Each command through its toolbar button, the program's own box answered each way.
    void messageBoxes_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("press");
        QTest::addColumn<QStringList>("box"); // title, icon, buttons, default
        QTest::addColumn<int>("quits");
        QTest::addColumn<bool>("restored");
        const QString question = QString::number(QMessageBox::Question);
        const QStringList exit = {"Exit", question, "&Yes|&No", "&Yes"};
        const QStringList undo = {"Undo", question, "&Yes|&No", "&Yes"};
        const QStringList update = {"Sorry!", QString::number(QMessageBox::Warning), "OK", "OK"};
        QTest::newRow("exit, yes") << QString("exit") << "&Yes" << exit << 1 << false;
        QTest::newRow("exit, no") << QString("exit") << "&No" << exit << 0 << false;
        QTest::newRow("exit, escape") << QString("exit") << "" << exit << 0 << false;
        QTest::newRow("undo, yes") << QString("undo") << "&Yes" << undo << 0 << true;
        QTest::newRow("undo, no") << QString("undo") << "&No" << undo << 0 << false;
        QTest::newRow("update") << QString("update") << "OK" << update << 0 << false;
    }
    void messageBoxes() {
        QFETCH(QString, key);
        QFETCH(QString, press);
        QFETCH(QStringList, box);
        QFETCH(int, quits);
        QFETCH(bool, restored);
        BasicViewer<PressingServices> v;
        v.services.press = press;
        v.open(files_.write("commands.dat",
                            tools::userFileBytes({tools::numberedUser(1), fullUser()})));
        v.select(1);
        for (const char* name : {"txtName", "txtPagelength"}) {
            v.control<QLineEdit>(name)->selectAll();
            QTest::keyClicks(v.control<QLineEdit>(name), "edited");
        }
        for (QAction* button : v.control<QToolBar>("tb1")->actions())
            if (button->data() == key)
                button->trigger();
        QCOMPARE(v.services.shown, box + QStringList{QString::number(Qt::PlainText)});
        QCOMPARE(v.services.quits, quits);
        QCOMPARE(v.text("txtName"), QString(restored ? "Anna Virtanen" : "edited"));
        QCOMPARE(v.text("txtPagelength"), QString(restored ? "24" : "edited"));
        if (!quits) { // the window, the list and the open file are as they were
            v.select(0);
            QCOMPARE(v.text("txtName"), QString("User 1"));
        }
    }

    // The board writes the file while it is shown: the list, the count, the selection and the
    // shown user keep up, with the system's change events and, as on a network share, without.
    void followsTheBoard_data() {
        QTest::addColumn<bool>("watching");
        QTest::addColumn<QString>("typed"); // a control of the shown user the operator changed
        QTest::addColumn<BoardStep>("step");
        QTest::addColumn<QString>("state"); // listState() once the viewer has caught up
        const auto users = [](int first, int count) { return tools::numberedUsers(first, count); };
        const BoardStep rename = [](const std::string& p) {
            UserRecord user = tools::numberedUser(2);
            user.Name = makeTextField<30>("Renamed");
            return tools::rewriteUser(p, 2, user);
        };
        const QString before = "User 1,User 2,User 3,User 4,User 5";
        const QString kept = "; selected=1; panel3=User 2; txtName=User 2";
        const QString cleared = "; selected=-1; panel3=; txtName=";
        struct Row {
            const char* what;
            const char* typed;
            BoardStep step;
            QString state;
        };
        const Row rows[] = {
            {"appended", nullptr,
             [=](const std::string& p) { return tools::appendUsers(p, users(6, 2)); },
             "list=" + before + ",User 6,User 7; status=|7 users in file" + kept},
            {"part of a record appended", nullptr,
             [](const std::string& p) {
                 return tools::appendUsers(p, {}, {1, 2, 3});
             },
             "list=" + before + "; status=|5.01098901098901 users in file" + kept},
            {"selected name changed in place", nullptr, rename,
             "list=User 1,Renamed,User 3,User 4,User 5; status=|5 users in file; selected=1; "
             "panel3=Renamed; txtName=Renamed"},
            {"selected name changed in place, typed over", "txtName", rename,
             "list=User 1,Renamed,User 3,User 4,User 5; status=|5 users in file; selected=1; "
             "panel3=User 2; txtName=typed"},
            {"selected name changed in place, a spinner stepped", "udPagelength", rename,
             "list=User 1,Renamed,User 3,User 4,User 5; status=|5 users in file" + kept},
            {"selected name changed in place, a list's entry chosen", "cboPackers", rename,
             "list=User 1,Renamed,User 3,User 4,User 5; status=|5 users in file" + kept},
            {"shortened, the selected user kept", nullptr,
             [](const std::string& p) { return tools::shortenFile(p, 3 * 273); },
             "list=User 1,User 2,User 3; status=|3 users in file" + kept},
            {"shortened past the selected user", nullptr,
             [](const std::string& p) { return tools::shortenFile(p, 273); },
             "list=User 1; status=|1 users in file" + cleared},
            {"renamed over, the same user at that number", nullptr,
             [=](const std::string& p) { return tools::replaceFile(p, users(1, 6)); },
             "list=" + before + ",User 6; status=|6 users in file" + kept},
            {"renamed over, another user at that number", nullptr,
             [=](const std::string& p) { return tools::replaceFile(p, users(7, 2)); },
             "list=User 7,User 8; status=|2 users in file" + cleared},
            {"deleted", nullptr, [](const std::string& p) { return tools::deleteFile(p); },
             "list=" + before + "; status=File is gone|5 users in file" + kept},
            {"deleted and made again", nullptr,
             [=](const std::string& p) {
                 return tools::deleteFile(p) && tools::recreateFile(p, users(1, 3));
             },
             "list=User 1,User 2,User 3; status=|3 users in file" + kept},
        };
        for (bool watching : {true, false})
            for (const Row& row : rows)
                QTest::addRow("%s, %s", row.what, watching ? "told" : "looked at")
                    << watching << QString(row.typed) << row.step << row.state;
    }
    void followsTheBoard() {
        QFETCH(bool, watching);
        QFETCH(QString, typed);
        QFETCH(BoardStep, step);
        QFETCH(QString, state);
        const QString path = files_.write("board/BBBSUSER.DAT", numberedUsersFile(5));
        // Written a while ago: a write now gives the file a time of its own.
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite) &&
                file.setFileTime(QDateTime::currentDateTime().addSecs(-60),
                                 QFileDevice::FileModificationTime));
        file.close();
        Viewer v;
        v.window.follower().setWatching(watching);
        if (!watching)
            v.window.follower().setLookInterval(20ms);
        v.open(path);
        v.select(1);
        QWidget* changed = typed.isEmpty() ? nullptr : v.control<QWidget>(qPrintable(typed));
        if (auto* box = qobject_cast<QLineEdit*>(changed)) {
            box->selectAll();
            QTest::keyClicks(box, "typed");
        } else if (changed) {
            QTest::keyClick(changed, Qt::Key_Down);
        }
        QSignalSpy updated(&v.window, &frmMain::listUpdated);
        const bool written = step(path.toStdString());
#ifdef Q_OS_WIN // Wine refuses to rename a file over one another program holds open
        if (!written)
            QSKIP("this system refuses to replace a file another program holds open");
#endif
        QVERIFY(written);
        if (state.contains("File is gone") && QFileInfo::exists(path))
            QSKIP("this system keeps a deleted file at its path while it is held open");
        while (listState(v) != state && updated.wait(5000)) {
        }
        QCOMPARE(listState(v), state);
        QVERIFY(v.services.messages.empty()); // following never shows a message box
        QVERIFY(v.control<QProgressBar>("gauge1")->isHidden());
        QFile::remove(path);
    }

    // A long listing on a slow disk: the count and the gauge show first, a listed user can be
    // selected while the rest are read, and Esc stops it, keeping what was read.
    void escStopsALongListing() {
        constexpr int kUsers = 24000; // a hundred reads of the system's
        const QString path = files_.write("long/BBBSUSER.DAT", numberedUsersFile(kUsers));
        Viewer v;
        v.window.show();
        QVERIFY(QTest::qWaitForWindowActive(&v.window));
        v.window.userFile().setBeforeEachRead([](std::int64_t, std::size_t) {
            std::this_thread::sleep_for(5ms); // the disk, not the test, is slow
            return FileError{};
        });
        QSignalSpy inserted(v.list()->model(), &QAbstractItemModel::rowsInserted);
        v.services.chosenPath = path;
        v.window.mnuOpen_Click();
        QVERIFY(v.window.isListing());
        QVERIFY(inserted.wait(5000));
        QCOMPARE(v.panel(2), QString("%1 users in file").arg(kUsers));
        auto* gauge = v.control<QProgressBar>("gauge1");
        QVERIFY(gauge->isVisible());
        QCOMPARE(QList({gauge->value(), gauge->maximum()}), QList({v.entries(), kUsers}));
        QVERIFY(!v.window.toolbarButton(ToolbarButton::Undo)->isEnabled());
        v.select(0);
        QCOMPARE(v.text("txtName"), QString("User 1"));
        QSignalSpy updated(&v.window, &frmMain::listUpdated);
        QTest::keyClick(&v.window, Qt::Key_Escape);
        QCOMPARE(updated.size(), 1);
        QVERIFY(!v.window.isListing());
        const int listed = v.entries();
        QVERIFY(listed > 0 && listed < kUsers);
        QCOMPARE(v.entry(listed - 1), QString("User %1").arg(listed));
        QCOMPARE(v.panel(2),
                 QString("Stopped early: %1 of %2 users listed").arg(listed).arg(kUsers));
        QVERIFY(v.control<QProgressBar>("gauge1")->isHidden());
        QVERIFY(v.window.toolbarButton(ToolbarButton::Undo)->isEnabled());
        QVERIFY(v.window.toolbarButton(ToolbarButton::Update)->isEnabled());
        QVERIFY(!v.window.follower().isFollowing());
        QCOMPARE(v.text("txtName"), QString("User 1"));
        // Open during a listing replaces it: nothing of the first file comes in later.
        v.window.mnuReload_Click();
        QVERIFY(inserted.wait(5000));
        v.open(files_.write("short/BBBSUSER.DAT", numberedUsersFile(2)));
        QVERIFY(!QSignalSpy(v.list()->model(), &QAbstractItemModel::rowsInserted).wait(100));
        QCOMPARE(v.entries(), 2);
        QVERIFY(v.window.follower().isFollowing());
        QVERIFY(v.services.messages.empty());
    }

    // A record another program holds locked is listed in its place as a placeholder; selected,
    // it gives the read failure naming it; once the lock goes, its name and its user show.
    void lockedRecord() {
        const QString path = files_.write("locked/BBBSUSER.DAT", numberedUsersFile(5));
        Viewer v;
        std::atomic<bool> locked = true;
        v.window.userFile().setBeforeEachRead([&](std::int64_t offset, std::size_t size) {
            const bool onThird = offset < 3 * 273 && offset + std::int64_t(size) > 2 * 273;
            return FileError{onThird && locked ? FileError::Kind::Locked : FileError::Kind::None};
        });
        v.open(path);
        QCOMPARE(v.entries(), 5);
        QCOMPARE(v.entry(2), QString("(record locked by another program)"));
        QCOMPARE(v.entry(3), QString("User 4"));
        v.select(2);
        QCOMPARE(v.services.messages.size(), std::size_t(1));
        QVERIFY(v.services.messages[0].text.startsWith("User 3 could not be read from " + path));
        QVERIFY(v.panel(3).isEmpty());
        locked = false;
        QSignalSpy updated(&v.window, &frmMain::listUpdated);
        QVERIFY(updated.wait(5000));
        QCOMPARE(v.entry(2), QString("User 3"));
        QCOMPARE(v.panel(3), QString("User 3"));
        QCOMPARE(v.services.messages.size(), std::size_t(1));
    }

    // F5 lists the last file again without the dialog, even after a cancelled Open; the
    // selected user stays selected only if that record still holds the same name.
    void reload_data() {
        QTest::addColumn<bool>("cancelOpen");
        QTest::addColumn<int>("selected");
        QTest::addColumn<QList<int>>("after"); // the first user's number and the count
        QTest::addColumn<QString>("state");
        QTest::newRow("same user") << false << 1 << QList{1, 3}
                                   << "list=User 1,User 2,User 3; status=|3 users in file; "
                                      "selected=1; panel3=User 2; txtName=User 2";
        QTest::newRow("another user") << false << 1 << QList{4, 3}
                                      << "list=User 4,User 5,User 6; status=|3 users in file; "
                                         "selected=-1; panel3=; txtName=";
        QTest::newRow("the first user gone") << false << 0 << QList{1, 0}
                                             << "list=; status=|0 users in file; "
                                                "selected=-1; panel3=; txtName=";
        QTest::newRow("after a cancelled Open")
            << true << 1 << QList{1, 3}
            << "list=User 1,User 2,User 3; status=|3 users in file; selected=-1; panel3=User 2; "
               "txtName=User 2";
    }
    void reload() {
        QFETCH(bool, cancelOpen);
        QFETCH(int, selected);
        QFETCH(QList<int>, after);
        QFETCH(QString, state);
        const QString path = files_.write("reload/BBBSUSER.DAT", numberedUsersFile(3));
        Viewer v;
        v.window.show();
        QVERIFY(QTest::qWaitForWindowActive(&v.window));
        v.open(path);
        v.select(selected);
        if (cancelOpen)
            v.open(QString());
        v.window.follower().stop(); // the change is shown by the reload alone
        files_.write("reload/BBBSUSER.DAT",
                     tools::userFileBytes(tools::numberedUsers(after[0], after[1])));
        QTest::keyClick(&v.window, Qt::Key_F5);
        v.waitForList();
        QCOMPARE(listState(v), state);
        QCOMPARE(v.services.filters.size(), std::size_t(cancelOpen ? 2 : 1));
    }

    // Within the toolbar the arrow keys move between the enabled buttons, and Space, Return or
    // Enter presses the one that has focus.
    void toolbarKeys() {
        Viewer v;
        v.window.show();
        QVERIFY(QTest::qWaitForWindowActive(&v.window));
        QTest::keyClick(v.list(), Qt::Key_Backtab);
        const std::pair<Qt::Key, QString> steps[] = {
            {Qt::Key_Right, "exit"}, // Update, Print and Undo are disabled
            {Qt::Key_Right, "exit"}, // the end
            {Qt::Key_Left, "open"},  {Qt::Key_Down, "exit"}, {Qt::Key_Up, "open"},
            {Qt::Key_Left, "open"},  {Qt::Key_Right, "exit"}};
        QCOMPARE(stopName(QApplication::focusWidget()), QString("open"));
        for (const auto& [key, focused] : steps) {
            QTest::keyClick(QApplication::focusWidget(), key);
            QCOMPARE(stopName(QApplication::focusWidget()), focused);
        }
        for (Qt::Key press : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter}) {
            const auto before = v.services.messages.size();
            QTest::keyClick(QApplication::focusWidget(), press);
            QCOMPARE(v.services.messages.size(), before + 1); // Exit asked each time
        }
    }

    // Open's dialog shows user files; cancelled, it leaves the list empty and all else as it was.
    void openDialog() {
        Viewer v;
        listed(v, {tools::numberedUser(1), tools::numberedUser(2)});
        v.select(1);
        v.window.toolbarButton(ToolbarButton::Open)->trigger(); // the dialog returns no path
        QCOMPARE(v.services.filters.back(), QString("Userfile (BBBSUSER.DAT)"));
        QCOMPARE(v.entries(), 0);
        QCOMPARE(v.panel(3), QString("User 2"));
        QVERIFY(v.services.messages.empty());
        // The real dialog, dressed as the program dresses it, lists the file in any letter case.
        files_.write("case/bbbsuser.dat", QByteArray());
        files_.write("case/other.dat", QByteArray());
        QFileDialog dialog;
        setUpOpenDialog(dialog, v.services.filters.back(), files_.path("case"));
        dialog.show();
        auto* shown = dialog.findChild<QAbstractItemView*>("listView");
        QTRY_COMPARE(shown->model()->rowCount(shown->rootIndex()), 1);
        QCOMPARE(shown->model()->index(0, 0, shown->rootIndex()).data(), "bbbsuser.dat");
    }

    // A drop of one local file opens it as Open would; anything else is refused before the drop.
    void drop_data() {
        QTest::addColumn<QList<QUrl>>("urls");
        QTest::addColumn<QString>("over");
        QTest::addColumn<bool>("taken");
        QTest::addColumn<int>("listed"); // afterwards; 2 are listed before the drop
        const QUrl file = QUrl::fromLocalFile(files_.write("drop/a.dat", numberedUsersFile(3)));
        const QUrl other = QUrl::fromLocalFile(files_.write("drop/b.dat", numberedUsersFile(4)));
        // A name as file managers send it, its bytes percent-encoded, whether UTF-8 or not.
        const auto byBytes = [&](const QByteArray& name) {
            return QUrl::fromEncoded(QUrl::fromLocalFile(files_.path("drop/")).toEncoded() +
                                     name.toPercentEncoding());
        };
        QTest::newRow("a user file") << QList{file} << "" << true << 3;
        QTest::newRow("over a text box") << QList{other} << "txtName" << true << 4;
#ifndef Q_OS_WIN // where names are UTF-16
        const QByteArray latin1 = "K\xe4ytt\xe4j\xe4t.DAT";
        QVERIFY(tools::writeFile((QFile::encodeName(files_.path("drop/")) + latin1).toStdString(),
                                 numberedUsersFile(5)));
        QTest::newRow("a Latin-1 name") << QList{byBytes(latin1)} << "" << true << 5;
#endif
        QTest::newRow("a NUL in the name, then more") // never a.dat
            << QList{byBytes(QByteArray("a.dat\0.x", 8))} << "" << true << 0;
        QTest::newRow("two files") << QList{file, other} << "" << false << 2;
        QTest::newRow("a folder") << QList{QUrl::fromLocalFile(files_.path("drop"))} << "txtName"
                                  << false << 2;
        QTest::newRow("not local")
            << QList{QUrl("https://example.invalid/a.dat")} << "" << false << 2;
    }
    void drop() {
        QFETCH(QList<QUrl>, urls);
        QFETCH(QString, over);
        QFETCH(bool, taken);
        QFETCH(int, listed);
        const QString before = files_.write("before.dat", numberedUsersFile(2));
        Viewer v;
        v.open(before);
        QMimeData data;
        data.setUrls(urls);
        data.setText(urls.constFirst().toString()); // as file managers offer it to text boxes
        QWidget* target = over.isEmpty() ? &v.window : v.control<QWidget>(qPrintable(over));
        const auto offered = Qt::CopyAction | Qt::MoveAction;
        QDragEnterEvent enter({5, 5}, offered, &data, Qt::LeftButton, Qt::NoModifier);
        QDragMoveEvent move({6, 6}, offered, &data, Qt::LeftButton, Qt::NoModifier);
        QDropEvent drop({6, 6}, offered, &data, Qt::LeftButton, Qt::NoModifier);
        for (QDropEvent* event : std::initializer_list<QDropEvent*>{&enter, &move, &drop}) {
            QApplication::sendEvent(target, event);
            QCOMPARE(event->isAccepted(), taken); // the pointer shows it before the drop
            if (taken)
                QCOMPARE(event->dropAction(), Qt::CopyAction); // never a move of the user's file
        }
        QCoreApplication::processEvents(); // the file opens once the drop is over
        v.waitForList();
        QCOMPARE(v.entries(), listed);
        QCOMPARE(v.services.messages.size(), std::size_t(listed == 0)); // why it was not opened
        QVERIFY(v.text("txtName").isEmpty());
    }

    // Started as the program starts it: the load step, the window shown, then the named file
    // opened as Open opens it, its messages over the shown window, and no dialog.
    void startWithAFile_data() {
        QTest::addColumn<QByteArray>("name"); // as the command line gives it
        QTest::addColumn<int>("users");       // -1: the file does not exist
        QTest::newRow("three users") << QByteArray("users.dat") << 3;
        QTest::newRow("missing file") << QByteArray("missing.dat") << -1;
    }
    void startWithAFile() {
        QFETCH(QByteArray, name);
        QFETCH(int, users);
        const QByteArray path = QFile::encodeName(files_.path("start/")) + name;
        QVERIFY(QDir().mkpath(files_.path("start")));
        if (users >= 0)
            QVERIFY(tools::writeFile(path.toStdString(), numberedUsersFile(users)));
        FakeWindowServices services;
        frmMain window(services);
        auto* model = window.findChild<QListView*>("List1")->model();
        QCOMPARE(model->rowCount(), 0); // nobody listed, even before the load step
        startWindow(window, fileNameText(path));
        QVERIFY(Viewer::waitForList(window));
        Viewer loaded;
        QVERIFY(window.isVisible());
        QCOMPARE(window.windowTitle(), loaded.window.windowTitle());
        QCOMPARE(model->rowCount(), std::max(users, 0));
        QCOMPARE(services.messages.size(), std::size_t(users < 0 ? 1 : 0));
        QCOMPARE(services.overShownWindow, users < 0);
        QVERIFY(services.filters.empty());
        QCOMPARE(QGuiApplication::desktopFileName(), QString("kivo32")); // its desktop entry's
    }
};

QTEST_MAIN(TestWindow)
#include "tst_window.moc"

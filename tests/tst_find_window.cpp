// Find in the window, headless: the dialog and its keys, the user found shown as a click shows
// one, and a list that changes between and under searches.
#include "find_dialog.h"
#include "style_and_font.h"
#include "support/test_files.h"
#include "support/viewer_fixture.h"
#include "user_finder.h"
#include "user_list.h"
#include "user_list_model.h"

#include <QApplication>
#include <QCheckBox>
#include <QSignalSpy>
#include <QTabBar>

using namespace kivo;
using namespace kivo::testing;

namespace {

const std::vector<UserRecord> kUsers = {
    textUser("Anna Virtanen", "Kuusitie 4", "33100 Tampere", "03-555 2231", "12-03-75"),
    textUser("Matti M\xE4ki", "Rautatienkatu 1", "00100 Helsinki", "09-123 4567", ""),
    textUser("Maki Jussi", "", "Turku", "", ""),
    textUser("\x8Aimon \x8C"
             "uvre",
             "", "Praha", "", ""),
    textUser("\x9Fvonne", "10\x80 Street", "", "", "1.1.1980"),
    textUser("Tab\tName", "", "", "", ""),
};

// The user finder's one answer to what the action started.
template <class Action> bool searched(Viewer& v, Action action) {
    QSignalSpy done(v.window.findChild<UserFinder*>(), &UserFinder::finished);
    action();
    return done.count() == 1 || done.wait(20000);
}

} // namespace

class TestFindWindow : public QObject {
    Q_OBJECT
    TestFiles files_;

    FindDialog* openFind(Viewer& v) {
        v.window.show();
        v.window.activateWindow();
        if (!QTest::qWaitForWindowActive(&v.window))
            return nullptr;
        QTest::keyClick(&v.window, Qt::Key_F, Qt::ControlModifier);
        auto* dialog = v.window.findChild<FindDialog*>();
        if (dialog && !QTest::qWaitForWindowActive(dialog))
            return nullptr;
        return dialog;
    }

    QString lineOf(Viewer& v) { return v.control<QLabel>("lblFindResult")->text(); }

private slots:
    void initTestCase() { applyStyleAndFont(*qApp); }

    // Typed into the dialog, then Enter (Find Next) or Shift+F3 (Find Previous) from the entry
    // selected before (-1: none); the entry then selected and the dialog's line.
    void find_data() {
        QTest::addColumn<bool>("listed");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("matchCase");
        QTest::addColumn<bool>("backwards");
        QTest::addColumn<int>("selected");
        QTest::addColumn<int>("found"); // -1: the selection stays
        QTest::addColumn<QString>("line");
        const auto row = [](const char* name, const QString& typed, bool matchCase, bool backwards,
                            int selected, int found, const char* line) {
            QTest::newRow(name) << true << typed << matchCase << backwards << selected << found
                                << QString::fromUtf8(line);
        };
        row("a surname inside a name", "virtanen", false, false, -1, 0, "Found in Name");
        row("case not matched", "matti", true, false, 2, -1, "Nothing found");
        row("ä, round to itself", QString::fromUtf8("MÄKI"), false, false, 1, 1,
            "Found in Name, wrapped to the start");
        row("round the end", "virtanen", false, false, 3, 0, "Found in Name, wrapped to the start");
        row("backwards from the last", "tampere", false, true, -1, 0, "Found in Postno./City");
        row("backwards round the start", QString::fromUtf8("ÿvonne"), false, true, 0, 4,
            "Found in Name, wrapped to the end");
        row("no match", "zzz", false, false, 2, -1, "Nothing found");
        row("nothing typed", "", false, false, 2, -1, "Type the text to find");
        row("the first record by number", "#1", false, false, 2, 0, "Record 1");
        row("the last record by number", "#6", false, false, 2, 5, "Record 6");
        row("a record past the list", "#7", false, false, 2, -1, "There is no record 7");
        row("record 0", "#0", false, false, 2, -1, "There is no record 0");
        QTest::newRow("no file") << false << "anna" << false << false << -1 << -1
                                 << "There is nothing to search";
    }
    void find() {
        QFETCH(bool, listed);
        QFETCH(QString, typed);
        QFETCH(bool, matchCase);
        QFETCH(bool, backwards);
        QFETCH(int, selected);
        QFETCH(int, found);
        QFETCH(QString, line);
        Viewer v;
        if (listed)
            v.open(files_.write("BBBSUSER.DAT", tools::userFileBytes(kUsers)));
        if (selected >= 0)
            v.select(selected);
        auto* tabs = v.window.findChild<QTabBar*>();
        const int page = tabs->currentIndex();
        FindDialog* dialog = openFind(v);
        QVERIFY(dialog);
        auto* text = v.control<QLineEdit>("txtFindWhat");
        text->insert(typed); // typed as an input method would: keyClicks takes Latin-1 only
        v.control<QCheckBox>("chkMatchCase")->setChecked(matchCase);
        QVERIFY(searched(v, [&] {
            if (backwards)
                QTest::keyClick(text, Qt::Key_F3, Qt::ShiftModifier);
            else
                QTest::keyClick(text, Qt::Key_Return);
        }));
        QCOMPARE(lineOf(v), line);
        const int shown = found >= 0 ? found : selected;
        QCOMPARE(v.list()->currentIndex().row(), shown);
        if (shown >= 0) // read from the file, as a click reads it
            QCOMPARE(v.text("txtName"), v.entry(shown));
        QCOMPARE(tabs->currentIndex(), page);
        QVERIFY(dialog->isVisible() && !dialog->isModal());
    }

    // The dialog's controls stand clear of one another. F3 from the window goes on from the user
    // found; the dialog closed and opened again keeps its text; Esc stops a search before it
    // answers.
    void keysAndEscape() {
        Viewer v;
        std::vector<UserRecord> many(40'000, kUsers[2]);
        many.back() = kUsers[0];
        v.open(files_.write("many.dat", tools::userFileBytes(many)));
        FindDialog* dialog = openFind(v);
        QVERIFY(dialog);
        const auto controls = dialog->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        for (QWidget* one : controls) // each stands clear of the others
            for (QWidget* other : controls)
                QVERIFY2(one == other || !one->geometry().intersects(other->geometry()),
                         qPrintable(one->objectName() + ' ' + other->objectName()));
        QTest::keyClicks(v.control<QLineEdit>("txtFindWhat"), "turku");
        QVERIFY(searched(v, [&] { QTest::keyClick(dialog, Qt::Key_Return); }));
        QCOMPARE(v.list()->currentIndex().row(), 0);
        QTest::keyClick(dialog, Qt::Key_Escape);
        QVERIFY(!dialog->isVisible());
        v.window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&v.window));
        QVERIFY(searched(v, [&] { QTest::keyClick(&v.window, Qt::Key_F3); }));
        QCOMPARE(v.list()->currentIndex().row(), 1);
        QVERIFY(dialog->isVisible());
        QTest::keyClick(&v.window, Qt::Key_F, Qt::ControlModifier);
        QCOMPARE(v.control<QLineEdit>("txtFindWhat")->selectedText(), QString("turku"));
        // Found only in the last user's town: the file is still being read when Esc comes.
        QTest::keyClicks(v.control<QLineEdit>("txtFindWhat"), "tampere");
        auto* finder = v.window.findChild<UserFinder*>();
        QSignalSpy done(finder, &UserFinder::finished);
        QTest::keyClick(dialog, Qt::Key_Return);
        QVERIFY(finder->isRunning());
        QTest::keyClick(dialog, Qt::Key_Escape);
        QVERIFY(!finder->isRunning());
        QCoreApplication::processEvents();
        QCOMPARE(done.count(), 0);
        QCOMPARE(v.list()->currentIndex().row(), 1);
        QVERIFY(lineOf(v).isEmpty());
    }

    // The list changes while a search reads the file, and the file between two searches: the
    // answer is about the list as it then stands, and its user is read from the file anew.
    void listChangedUnderFind() {
        Viewer v;
        std::vector<UserRecord> first(270'000, kUsers[5]); // more names than one slice compares
        first.back() = kUsers[0];
        v.open(files_.write("first.dat", tools::userFileBytes(first)));
        FindDialog* dialog = openFind(v);
        QVERIFY(dialog);
        QTest::keyClicks(v.control<QLineEdit>("txtFindWhat"), "kuusitie");
        QVERIFY(searched(v, [&] { QTest::keyClick(dialog, Qt::Key_Return); }));
        QCOMPARE(v.list()->currentIndex().row(), 269'999);
        // Relisted shorter while the file is read round to that user again; now the second
        // entry's name holds the text.
        UserList shorter;
        for (const char* name : {"Tab", "Kuusitie Fan", "Tab"})
            shorter.append(name);
        QVERIFY(searched(v, [&] {
            QTest::keyClick(dialog, Qt::Key_Return);
            QVERIFY(v.window.findChild<UserFinder*>()->isRunning());
            qobject_cast<UserListModel*>(v.list()->model())->update(std::move(shorter));
        }));
        QCOMPARE(lineOf(v), QString("Found in Name"));
        QCOMPARE(v.list()->currentIndex().row(), 1);

        v.open(files_.write("second.dat", tools::userFileBytes(kUsers)));
        QVERIFY(searched(v, [&] { QTest::keyClick(dialog, Qt::Key_Return); }));
        QCOMPARE(lineOf(v), QString("Found in Address"));
        QCOMPARE(v.list()->currentIndex().row(), 0);
        // The board renames the user in place; found again, the user is read again.
        std::vector<UserRecord> renamed = kUsers;
        renamed[0].Name = makeTextField<30>("Anna Renamed");
        files_.write("second.dat", tools::userFileBytes(renamed));
        QVERIFY(searched(v, [&] { QTest::keyClick(dialog, Qt::Key_Return); }));
        QCOMPARE(lineOf(v), QString("Found in Address, wrapped to the start"));
        QCOMPARE(v.text("txtName"), QString("Anna Renamed"));
    }

    // An entry listed as a placeholder, its record locked by another program, is passed over,
    // whatever its record holds.
    void placeholdersAreSkipped() {
        Viewer v;
        v.open(files_.write("locked.dat", tools::userFileBytes(kUsers)));
        UserList locked;
        locked.appendPlaceholder();
        for (std::size_t row = 1; row < kUsers.size(); ++row)
            locked.append(displayedBytes(kUsers[row].Name));
        qobject_cast<UserListModel*>(v.list()->model())->update(std::move(locked));
        FindDialog* dialog = openFind(v);
        QVERIFY(dialog);
        QTest::keyClicks(v.control<QLineEdit>("txtFindWhat"), "kuusitie");
        QVERIFY(searched(v, [&] { QTest::keyClick(dialog, Qt::Key_Return); }));
        QCOMPARE(lineOf(v), QString("Nothing found"));
    }
};

QTEST_MAIN(TestFindWindow)
#include "tst_find_window.moc"

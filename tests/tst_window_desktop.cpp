// What a desktop user expects of a file viewer: the Open dialog remembers its folder, a file
// dropped on the window opens, and typing into the list finds a name.
#include "support/test_files.h"
#include "support/viewer_fixture.h"

#include <QApplication>
#include <QMimeData>
#include <QUrl>

using namespace kivo;
using namespace kivo::testing;

class TestWindowDesktop : public QObject {
    Q_OBJECT
    TestFiles files_;

    // The folder the Open dialog starts in when the program has just started.
    static QString startFolderAfterRestart() {
        Viewer v;
        v.window.mnuOpen_Click();
        return v.services.startFolders.back();
    }

private slots:
    // First of the tests: nothing is remembered yet in this run's settings.
    void openDialogStartsInTheLastFilesFolder() {
        QCOMPARE(startFolderAfterRestart(), QDir::homePath());
        Viewer v;
        v.open(files_.write("boards/a/BBBSUSER.DAT", numberedUsersFile(1)));
        QCOMPARE(startFolderAfterRestart(), files_.path("boards/a"));
        v.open(files_.path("boards/b/BBBSUSER.DAT")); // could not be opened: not remembered
        QCOMPARE(v.services.messages.size(), std::size_t(1));
        QCOMPARE(startFolderAfterRestart(), files_.path("boards/a"));
        QVERIFY(QDir(files_.path("boards/a")).removeRecursively());
        QCOMPARE(startFolderAfterRestart(), QDir::homePath());
        QVERIFY(!QDir(privateConfigHome.dir.path()).isEmpty());
    }

    void dropOpensOneLocalFile_data() {
        QTest::addColumn<QList<QUrl>>("urls");
        QTest::addColumn<QString>("over");
        QTest::addColumn<bool>("taken");
        const QUrl file =
            QUrl::fromLocalFile(files_.write("drop/BBBSUSER.DAT", numberedUsersFile(3)));
        const QUrl other =
            QUrl::fromLocalFile(files_.write("drop/other.dat", numberedUsersFile(4)));
        const QUrl missing = QUrl::fromLocalFile(files_.path("drop/missing.dat"));
        const QUrl folder = QUrl::fromLocalFile(files_.path("drop"));
        QTest::newRow("a user file") << QList{file} << "" << true;
        QTest::newRow("over a text box") << QList{other} << "txtName" << true;
        QTest::newRow("cannot be opened") << QList{missing} << "" << true;
        QTest::newRow("two files") << QList{file, other} << "" << false;
        QTest::newRow("a folder") << QList{folder} << "txtName" << false;
        QTest::newRow("not local")
            << QList{QUrl("https://example.invalid/BBBSUSER.DAT")} << "" << false;
    }
    void dropOpensOneLocalFile() {
        QFETCH(QList<QUrl>, urls);
        QFETCH(QString, over);
        QFETCH(bool, taken);
        const QString before = files_.write("before.dat", numberedUsersFile(2));
        // What Open would have shown: the file before, then the dropped one if it is taken.
        Viewer expected;
        expected.open(before);
        if (taken)
            expected.open(urls.constFirst().toLocalFile());

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

        QCOMPARE(v.panel(2), expected.panel(2));
        QCOMPARE(v.entries(), expected.entries());
        QCOMPARE(v.entry(v.entries() - 1), expected.entry(expected.entries() - 1));
        QCOMPARE(v.services.messages.size(), expected.services.messages.size());
        for (std::size_t i = 0; i < v.services.messages.size(); ++i)
            QCOMPARE(v.services.messages[i].text, expected.services.messages[i].text);
    }

    void typingFindsAName_data() {
        QTest::addColumn<int>("current");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("found");
        QTest::newRow("first letter") << -1 << "b"
                                      << "bjarne";
        QTest::newRow("more letters, any case") << -1 << "BJ\u00D6"
                                                << "Bj\u00F6rn Str\u00F6m";
        QTest::newRow("a letter past ASCII") << -1 << "\u00F6b"
                                             << "\u00D6berg";
        QTest::newRow("round from the end") << 4 << "a"
                                            << "Aino";
        QTest::newRow("no such name") << -1 << "x"
                                      << "";
    }
    void typingFindsAName() {
        QFETCH(int, current);
        QFETCH(QString, typed);
        QFETCH(QString, found);
        std::vector<UserRecord> users(6);
        const char* names[] = {"Aino",
                               "bjarne",
                               "Bj\xF6rn Str\xF6m",
                               "Ola",
                               "\xD6"
                               "berg",
                               "Bo"};
        for (std::size_t i = 0; i < users.size(); ++i)
            users[i].Name = makeTextField<30>(names[i]);
        Viewer v;
        v.open(files_.write("BBBSUSER.DAT", tools::userFileBytes(users)));
        if (current >= 0)
            v.select(current);
        const QString shownBefore = v.panel(3);
        for (QChar key : typed) // as typed on a keyboard with these letters
            QTest::sendKeyEvent(QTest::Click, v.list(), Qt::Key_unknown, key, Qt::NoModifier);
        const QModelIndexList selected = v.list()->selectionModel()->selectedIndexes();
        QCOMPARE(selected.isEmpty() ? QString() : selected.constFirst().data().toString(),
                 found.isEmpty() ? shownBefore : found);
        QCOMPARE(v.panel(3), found.isEmpty() ? shownBefore : found); // shown as a click shows it
    }
};

QTEST_MAIN(TestWindowDesktop)
#include "tst_window_desktop.moc"

// What a desktop user expects of a file viewer: the Open dialog remembers its folder.
#include "support/test_files.h"
#include "support/viewer_fixture.h"

#include <QApplication>

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
};

QTEST_MAIN(TestWindowDesktop)
#include "tst_window_desktop.moc"

// The window as the program starts it: a file named on the command line is opened after the
// window is shown, exactly as the Open command opens it.
#include "start_window.h"
#include "support/test_files.h"
#include "support/viewer_fixture.h"

using namespace kivo;
using namespace kivo::testing;

namespace {

// Notes whether the window was on screen when a message box was asked for.
class WatchingServices : public FakeWindowServices {
public:
    bool parentShown = false;
    QMessageBox::StandardButton showMessage(QWidget* parent, const MessageSpec& message) override {
        parentShown = parent && parent->window()->isVisible();
        return FakeWindowServices::showMessage(parent, message);
    }
};

} // namespace

class WindowStartTest : public QObject {
    Q_OBJECT
private slots:
    void opensTheNamedFile_data() {
        QTest::addColumn<int>("users"); // -1: the file does not exist
        QTest::newRow("three users") << 3;
        QTest::newRow("missing file") << -1;
    }
    void opensTheNamedFile() {
        QFETCH(int, users);
        TestFiles files;
        const QString path = users < 0 ? files.path("BBBSUSER.DAT")
                                       : files.write("BBBSUSER.DAT", numberedUsersFile(users));

        WatchingServices services;
        frmMain window(services);
        startWindow(window, path);

        QVERIFY(window.isVisible());
        QVERIFY(!window.windowTitle().isEmpty()); // the load step ran
        auto* list = window.findChild<QListView*>(QStringLiteral("List1"));
        QCOMPARE(list->model()->rowCount(), std::max(users, 0));
        QCOMPARE(services.messages.size(), std::size_t(users < 0 ? 1 : 0));
        if (users < 0)
            QVERIFY(services.parentShown);
        QVERIFY(services.filters.empty()); // no file dialog was shown
    }
};

QTEST_MAIN(WindowStartTest)
#include "tst_window_start.moc"

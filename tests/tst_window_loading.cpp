// The Open command: the dialog, the count, the list, and files that cannot be opened.
#include "look.h"
#include "qt_window_services.h"
#include "support/test_files.h"
#include "support/viewer_fixture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QProgressBar>

using namespace kivo;
using namespace kivo::testing;

class TestWindowLoading : public QObject {
    Q_OBJECT
    TestFiles files_;

private slots:
    void initTestCase() { applyLook(*qApp); }

    void cancelEmptiesTheListOnly() {
        Viewer v;
        v.open(files_.write("BBBSUSER.DAT", numberedUsersFile(3)));
        v.select(1);
        const QString panel3 = v.panel(3);
        v.window.mnuOpen_Click(); // the dialog returns no path
        QCOMPARE(v.services.filters.back(), QString("Userfile (BBBSUSER.DAT)"));
        QCOMPARE(v.entries(), 0);
        QCOMPARE(v.panel(2), QString("3 users in file"));
        QCOMPARE(v.panel(3), panel3);
        QCOMPARE(v.control<QLineEdit>("txtName")->text(), QString("User 2"));
        QVERIFY(v.window.toolbarButton(ToolbarButton(6))->isEnabled());
        QVERIFY(v.services.messages.empty());
    }

    void countListAndButtons_data() {
        QTest::addColumn<int>("size");
        QTest::addColumn<QString>("panel");
        QTest::addColumn<int>("entries");
        QTest::newRow("empty") << 0 << "0 users in file" << 0;
        QTest::newRow("ten users") << 2730 << "10 users in file" << 10;
        QTest::newRow("one and a part") << 300 << "1.0989010989011 users in file" << 1;
        QTest::newRow("less than one") << 100 << "0.366300366300366 users in file" << 0;
    }
    void countListAndButtons() {
        QFETCH(int, size);
        QFETCH(QString, panel);
        QFETCH(int, entries);
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        auto bytes = numberedUsersFile(size / 273 + 1);
        bytes.resize(std::size_t(size));
        Viewer v;
        v.open(files_.write("BBBSUSER.DAT", bytes));
        QCOMPARE(v.panel(2), panel);
        QCOMPARE(v.entries(), entries);
        for (int row = 0; row < entries; ++row)
            QCOMPARE(v.entry(row), QString("User %1").arg(row + 1)); // file order
        QVERIFY(v.control<QProgressBar>("gauge1")->isHidden());
        QVERIFY(v.window.toolbarButton(ToolbarButton(2))->isEnabled());
        QVERIFY(!v.window.toolbarButton(ToolbarButton(4))->isEnabled());
        QVERIFY(v.window.toolbarButton(ToolbarButton(6))->isEnabled());
        QCOMPARE(v.list()->selectionModel()->selectedIndexes().size(), 0);
        QVERIFY(v.services.messages.empty());
    }

    void countInGeneralNumberFormat_data() {
        QTest::addColumn<double>("count");
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("text");
        QTest::newRow("whole") << 10.0 << "en_US"
                               << "10";
        QTest::newRow("no grouping") << 1000000.0 << "en_US"
                                     << "1000000";
        QTest::newRow("15 digits, zeros dropped") << 300.0 / 273 << "en_US"
                                                  << "1.0989010989011";
        QTest::newRow("locale separator") << 300.0 / 273 << "de_DE"
                                          << "1,0989010989011";
        QTest::newRow("the locale's separator, not its digits")
            << 300.0 / 273 << "ar_EG" << QString::fromUtf16(u"1\u066B0989010989011");
        QTest::newRow("3.663…") << 1000.0 / 273 << "en_US"
                                << "3.66300366300366";
        QTest::newRow("zero") << 0.0 << "fi_FI"
                              << "0";
    }
    void countInGeneralNumberFormat() {
        QFETCH(double, count);
        QFETCH(QString, language);
        QFETCH(QString, text);
        QCOMPARE(formatUserCount(count, QLocale(language)), text);
    }

    void secondFileReplacesTheFirst() {
        Viewer v;
        v.open(files_.write("a.dat", numberedUsersFile(5)));
        v.open(files_.write("b.dat", tools::userFileBytes({tools::numberedUser(42)})));
        QCOMPARE(v.entries(), 1);
        QCOMPARE(v.entry(0), QString("User 42"));
        QCOMPARE(v.panel(2), QString("1 users in file"));
        v.select(0);
        QCOMPARE(v.control<QLineEdit>("txtName")->text(), QString("User 42"));
    }

    void listPast32767Users() {
        const int count = 32770;
        Viewer v;
        v.open(files_.write("BBBSUSER.DAT", numberedUsersFile(count)));
        QCOMPARE(v.entries(), count);
        for (int row : {32766, 32767, 32768, count - 1}) {
            v.select(row);
            QCOMPARE(v.panel(3), QString("User %1").arg(row + 1));
        }
    }

    void gaugeAdvancesWhileListing() {
        // Watch the gauge's value as it is set: it must climb to the count in steps, far fewer
        // than one per user, and be hidden at the end.
        Viewer v;
        auto* gauge = v.control<QProgressBar>("gauge1");
        std::vector<int> values;
        QObject::connect(gauge, &QProgressBar::valueChanged,
                         [&](int value) { values.push_back(value); });
        const int count = 20000;
        v.open(files_.write("BBBSUSER.DAT", numberedUsersFile(count)));
        QCOMPARE(gauge->maximum(), count);
        QVERIFY(values.size() > 10);
        QVERIFY(values.size() <= std::size_t(gauge->width()) + 1);
        QVERIFY(std::is_sorted(values.begin(), values.end()));
        QCOMPARE(values.back(), count);
        QVERIFY(gauge->isHidden());
    }

    void dialogFilterIgnoresLetterCase_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("lower") << "bbbsuser.dat";
        QTest::newRow("mixed") << "BbbsUser.Dat";
        QTest::newRow("upper") << "BBBSUSER.DAT";
    }
    void dialogFilterIgnoresLetterCase() {
        // The real dialog, as the program builds it, lists the user file whatever its case. One
        // folder a spelling: where names ignore case (Windows) the three would be one file.
        QFETCH(QString, name);
        const QString folder = QString("case-") + QTest::currentDataTag();
        files_.write(folder + "/" + name, QByteArray());
        files_.write(folder + "/other.dat", QByteArray());
        QFileDialog shown;
        auto* dialog = &shown;
        setUpOpenDialog(shown, "Userfile (BBBSUSER.DAT)", files_.path(folder));
        QCOMPARE(dialog->nameFilters(), QStringList{"Userfile (BBBSUSER.DAT)"});
        QVERIFY(dialog->testOption(QFileDialog::DontUseNativeDialog));
        dialog->setDirectory(files_.path(folder));
        dialog->show();
        auto* view = dialog->findChild<QAbstractItemView*>("listView");
        QVERIFY(view);
        QTRY_COMPARE(view->model()->rowCount(view->rootIndex()), 1);
        QCOMPARE(view->model()->index(0, 0, view->rootIndex()).data().toString(), name);
    }
};

QTEST_MAIN(TestWindowLoading)
#include "tst_window_loading.moc"

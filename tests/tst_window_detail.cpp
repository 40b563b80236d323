// The detail view: one user, read afresh from the file on every selection.
#include "look.h"
#include "support/test_files.h"
#include "support/viewer_fixture.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

#include <functional>
#include <limits>

using namespace kivo;
using namespace kivo::testing;

namespace {

UserRecord fullUser() {
    UserRecord r;
    r.Name = makeTextField<30>("Anna Virtanen");
    r.Address = makeTextField<30>("Kuusitie 4");
    r.City = makeTextField<30>("33100 Tampere");
    r.Phone = makeTextField<18>("03-555 2231");
    r.Birthdate = makeTextField<18>("12-03-75");
    r.Language = 1;
    r.Packer = 7;
    r.Protocol = 1;
    r.Charset = 10;
    r.PageLength = 24;
    r.TimeLimit = 60;
    r.TimeLeft = 45;
    r.ResumeNumber = 1234;
    r.TimesOn = 312;
    r.MessagesWritten = -7;
    r.MessagesRead = 2147483647;
    r.MessagesDumped = 3;
    r.FilesUploaded = 4;
    r.FilesDownloaded = 5;
    r.KbUploaded = 6;
    r.KbDownloaded = -2147483647 - 1;
    return r;
}

} // namespace

class TestWindowDetail : public QObject {
    Q_OBJECT
    TestFiles files_;
    int written_ = 0;

    // A viewer with the given users listed from a fresh file.
    QString listed(Viewer& v, const std::vector<UserRecord>& users) {
        const QString path =
            files_.write(QString("BBBSUSER%1.DAT").arg(++written_), tools::userFileBytes(users));
        v.open(path);
        return path;
    }

    QString text(Viewer& v, const char* box) { return v.control<QLineEdit>(box)->text(); }
    int checkedLanguage(Viewer& v) {
        const auto options = v.window.findChildren<QRadioButton*>("optLanguage");
        for (int i = 0; i < options.size(); ++i)
            if (options[i]->isChecked())
                return i;
        return -1;
    }

private slots:
    void initTestCase() { applyLook(*qApp); }

    void showsEveryField() {
        Viewer v;
        listed(v, {tools::numberedUser(1), fullUser()});
        v.select(1);
        QCOMPARE(v.panel(3), QString("Anna Virtanen"));
        const std::pair<const char*, const char*> boxes[] = {
            {"txtName", "Anna Virtanen"}, {"txtAddress", "Kuusitie 4"},
            {"txtCity", "33100 Tampere"}, {"txtPhone", "03-555 2231"},
            {"txtBirth", "12-03-75"},     {"txtPagelength", "24"},
            {"txtTimelimit", "60"},       {"txtTimeleft", "45"},
            {"txtResume", "1234"},        {"txtTimeson", "312"},
            {"txtMsgleft", "-7"},         {"txtMsgread", "2147483647"},
            {"txtMsgdumped", "3"},        {"txtFileUp", "4"},
            {"txtFileDown", "5"},         {"txtKbup", "6"},
            {"txtKbDown", "-2147483648"},
        };
        for (const auto& [box, value] : boxes)
            QCOMPARE(text(v, box), QString(value));
        QCOMPARE(checkedLanguage(v), 1);
        QVERIFY(v.control<QAbstractButton>("chkResume")->isChecked());
        QVERIFY(v.control<QLineEdit>("txtResume")->isEnabled());
        QCOMPARE(v.control<QComboBox>("cboPackers")->currentText(), QString("RAR"));
        QCOMPARE(v.control<QComboBox>("cboProtocol")->currentText(), QString("Ymodem"));
        QCOMPARE(v.control<QComboBox>("cboCharset")->currentText(), QString("MAC"));
        for (const char* never : {"txtFirst", "txtLast", "txtTodayDown"})
            QVERIFY(text(v, never).isEmpty());
        // Selecting the first entry shows record 1 again.
        v.select(0);
        QCOMPARE(text(v, "txtName"), QString("User 1"));
        QCOMPARE(text(v, "txtKbDown"), QString("0"));
    }

    void language_data() {
        QTest::addColumn<int>("language");
        QTest::addColumn<int>("checked");
        QTest::newRow("first") << 0 << 0;
        QTest::newRow("last shown") << 3 << 3;
        QTest::newRow("hidden") << 5 << 5;
        QTest::newRow("last") << 8 << 8;
        QTest::newRow("past the last") << 9 << -1;
        QTest::newRow("byte max") << 255 << -1;
    }
    void language() {
        QFETCH(int, language);
        QFETCH(int, checked);
        UserRecord first = tools::numberedUser(1), second = first;
        first.Language = 2;
        second.Language = std::uint8_t(language);
        Viewer v;
        listed(v, {first, second});
        v.select(0);
        v.select(1);
        QCOMPARE(checkedLanguage(v), checked);
    }

    void resume_data() {
        QTest::addColumn<int>("resume");
        QTest::addColumn<bool>("checked");
        QTest::addColumn<QString>("shown");
        QTest::newRow("none") << 0 << false << "";
        QTest::newRow("1234") << 1234 << true << "1234";
        QTest::newRow("negative counts") << -5 << true << "-5";
    }
    void resume() {
        QFETCH(int, resume);
        QFETCH(bool, checked);
        QFETCH(QString, shown);
        UserRecord before = tools::numberedUser(1), user = before;
        before.ResumeNumber = 77;
        user.ResumeNumber = resume;
        Viewer v;
        listed(v, {before, user});
        v.select(0);
        v.select(1);
        QCOMPARE(v.control<QAbstractButton>("chkResume")->isChecked(), checked);
        QCOMPARE(text(v, "txtResume"), shown);
        QCOMPARE(v.control<QLineEdit>("txtResume")->isEnabled(), checked);
    }

    void codesPastTheirTables_data() {
        QTest::addColumn<int>("packer");
        QTest::addColumn<int>("protocol");
        QTest::addColumn<int>("charset");
        QTest::newRow("one past each end") << 8 << 9 << 11;
        QTest::newRow("byte max") << 255 << 255 << 255;
    }
    void codesPastTheirTables() {
        QFETCH(int, packer);
        QFETCH(int, protocol);
        QFETCH(int, charset);
        UserRecord odd = fullUser();
        odd.Packer = std::uint8_t(packer);
        odd.Protocol = std::uint8_t(protocol);
        odd.Charset = std::uint8_t(charset);
        Viewer v;
        listed(v, {fullUser(), odd, fullUser()});
        v.select(0);
        v.select(1); // nothing of the previous user's codes may remain
        const std::pair<const char*, int> lists[] = {
            {"cboPackers", packer}, {"cboProtocol", protocol}, {"cboCharset", charset}};
        for (const auto& [name, code] : lists) {
            auto* list = v.control<QComboBox>(name);
            QCOMPARE(list->currentIndex(), -1);
            QCOMPARE(list->placeholderText(), QString("Unknown (%1)").arg(code));
        }
        QCOMPARE(text(v, "txtName"), QString("Anna Virtanen")); // everything else still shown
        v.select(2);
        QCOMPARE(v.control<QComboBox>("cboPackers")->currentText(), QString("RAR"));
    }

    void spinnerValuesOutsideTheirRange_data() {
        QTest::addColumn<int>("pageLength");
        QTest::addColumn<int>("timeLimit");
        QTest::addColumn<int>("timeLeft");
        QTest::newRow("inside") << 254 << 32000 << 0;
        QTest::newRow("outside") << 255 << -1 << 32767;
        QTest::newRow("most negative") << 0 << -32768 << 32001;
    }
    void spinnerValuesOutsideTheirRange() {
        QFETCH(int, pageLength);
        QFETCH(int, timeLimit);
        QFETCH(int, timeLeft);
        UserRecord user = tools::numberedUser(1);
        user.PageLength = std::uint8_t(pageLength);
        user.TimeLimit = std::int16_t(timeLimit);
        user.TimeLeft = std::int16_t(timeLeft);
        Viewer v;
        listed(v, {user});
        v.select(0);
        const std::tuple<const char*, const char*, int> spinners[] = {
            {"udPagelength", "txtPagelength", pageLength},
            {"udTimelimit", "txtTimelimit", timeLimit},
            {"udTimeleft", "txtTimeleft", timeLeft}};
        for (const auto& [spinner, buddy, stored] : spinners) {
            QCOMPARE(text(v, buddy), QString::number(stored)); // the truth, as stored
            auto* upDown = v.control<QAbstractSlider>(spinner);
            QVERIFY(upDown->value() >= upDown->minimum() && upDown->value() <= upDown->maximum());
            QCOMPARE(upDown->value(), std::clamp(stored, upDown->minimum(), upDown->maximum()));
        }
    }

    // Every box shows its value from its first character, tried with the widest value each box
    // can receive: a box scrolled to the end would hide a long phone number's first digits.
    void valuesShowFromTheirStart() {
        UserRecord user;
        user.Name = user.Address = user.City = makeTextField<30>(std::string(30, 'W'));
        user.Phone = makeTextField<18>("123456789012345678");
        user.Birthdate = makeTextField<18>(std::string(18, 'W'));
        user.PageLength = 255;
        user.TimeLimit = user.TimeLeft = -32768;
        for (auto* number : {&user.ResumeNumber, &user.TimesOn, &user.MessagesWritten,
                             &user.MessagesRead, &user.MessagesDumped, &user.FilesUploaded,
                             &user.FilesDownloaded, &user.KbUploaded, &user.KbDownloaded})
            *number = std::numeric_limits<std::int32_t>::min();
        Viewer v;
        listed(v, {user});
        v.select(0);
        for (auto* box : v.window.findChildren<QLineEdit*>())
            QVERIFY2(box->cursorPosition() == 0, qPrintable(box->objectName() + box->text()));
    }

    // Once a user is selected, one stays selected until Open empties the list: a click below
    // the entries, Ctrl+click or Ctrl+Space on the selected entry keep it, and its view.
    void selectionCannotBeEmptied() {
        Viewer v;
        listed(v, {tools::numberedUser(1), tools::numberedUser(2)});
        v.window.show();
        auto* list = v.list();
        const QModelIndex second = list->model()->index(1, 0);
        const QPoint onIt = list->visualRect(second).center();
        v.select(1);
        const std::function<void()> gestures[] = {
            [&] { QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, onIt + QPoint(0, 100)); },
            [&] { QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier, onIt); },
            [&] { QTest::keyClick(list, Qt::Key_Space, Qt::ControlModifier); },
        };
        for (const auto& gesture : gestures) {
            gesture();
            QCOMPARE(list->selectionModel()->selectedIndexes(), QModelIndexList{second});
        }
        QCOMPARE(v.panel(3), QString("User 2"));
    }

    void keyboardSelectionFollows() {
        Viewer v;
        listed(v, {tools::numberedUser(1), tools::numberedUser(2), tools::numberedUser(3)});
        v.window.show();
        v.list()->setFocus();
        QTest::keyClick(v.list(), Qt::Key_Down); // selects the first entry
        QTest::keyClick(v.list(), Qt::Key_Down);
        QCOMPARE(v.panel(3), QString("User 2"));
        QTest::keyClick(v.list(), Qt::Key_End);
        QCOMPARE(text(v, "txtName"), QString("User 3"));
        QTest::keyClick(v.list(), Qt::Key_Home);
        QCOMPARE(text(v, "txtTimeson"), QString("1"));
    }

    void rereadsTheFileOnEverySelection() {
        Viewer v;
        const QString path = listed(v, {tools::numberedUser(1), tools::numberedUser(2)});
        v.select(0);
        QFile file(path); // another program changes user 2 after listing
        QVERIFY(file.open(QIODevice::ReadWrite));
        file.seek(273);
        file.write("Changed");
        file.close();
        v.select(1);
        QCOMPARE(text(v, "txtName"), QString("Changed"));
        QCOMPARE(v.entry(1), QString("User 2")); // the list keeps what was listed
    }
};

QTEST_MAIN(TestWindowDetail)
#include "tst_window_detail.moc"

// The toolbar's commands: dispatch by key, Exit, Undo, Update, and closing the window.
#include "look.h"
#include "qt_window_services.h"
#include "support/test_files.h"
#include "support/viewer_fixture.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

using namespace kivo;
using namespace kivo::testing;

namespace {

const QString kUndoText = "This will revert the user!\nThis only works if you have not pressed "
                          "update!\nAre you sure?";
const QString kUpdateText =
    "Sorry! This is just a preview. You can't update the users in the preview version!";

// Types over every field a user can edit, and moves every other control a user can move.
void editEverything(Viewer& v) {
    v.control<QAbstractSlider>("udTimeleft")->setValue(7);
    for (const char* box : {"txtName", "txtAddress", "txtCity", "txtPhone", "txtBirth",
                            "txtPagelength", "txtTimelimit", "txtTimeleft"}) {
        auto* edit = v.control<QLineEdit>(box);
        edit->selectAll();
        QTest::keyClicks(edit, "edited");
    }
    v.window.findChildren<QRadioButton*>("optLanguage")[3]->setChecked(true);
    v.control<QComboBox>("cboPackers")->setCurrentIndex(0);
}

} // namespace

class TestWindowCommands : public QObject {
    Q_OBJECT
    TestFiles files_;
    QString path_;

private slots:
    void initTestCase() {
        applyLook(*qApp);
        std::vector<UserRecord> users;
        for (int i = 1; i <= 3; ++i) {
            auto user = tools::numberedUser(i);
            user.Address = makeTextField<30>("Street " + std::to_string(i));
            user.PageLength = 24;
            user.TimeLimit = 60;
            user.TimeLeft = 30;
            user.Language = 1;
            users.push_back(user);
        }
        path_ = files_.write("BBBSUSER.DAT", tools::userFileBytes(users));
    }

    void dispatchByKey_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("outcome"); // what the key leads to
        QTest::newRow("open") << "open"
                              << "dialog";
        QTest::newRow("undo") << "undo"
                              << "Undo";
        QTest::newRow("exit") << "exit"
                              << "Exit";
        QTest::newRow("update") << "update"
                                << "Sorry!";
        QTest::newRow("print") << "print"
                               << "";
        QTest::newRow("upper case") << "Open"
                                    << "";
        QTest::newRow("padded") << "exit "
                                << "";
        QTest::newRow("unknown") << "save"
                                 << "";
        QTest::newRow("empty") << ""
                               << "";
    }
    void dispatchByKey() {
        QFETCH(QString, key);
        QFETCH(QString, outcome);
        Viewer v;
        QAction button;
        button.setData(key);
        v.window.tb1_ButtonClick(&button);
        QCOMPARE(v.services.filters.size(), std::size_t(outcome == "dialog"));
        const bool boxed = !outcome.isEmpty() && outcome != "dialog";
        QCOMPARE(v.services.messages.size(), std::size_t(boxed));
        if (boxed)
            QCOMPARE(v.services.messages[0].title, outcome);
        QCOMPARE(v.services.quits, 0);
    }

    void toolbarButtonsReachTheirCommands() {
        Viewer v;
        v.window.toolbarButton(ToolbarButton(1))->trigger();
        QCOMPARE(v.services.filters.size(), std::size_t(1));
        v.window.toolbarButton(ToolbarButton(8))->trigger();
        QCOMPARE(v.services.messages.back().title, QString("Exit"));
    }

    void exitAsksFirst_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("quits");
        QTest::newRow("no") << int(QMessageBox::No) << 0;
        QTest::newRow("dismissed") << -1 << 0;
        QTest::newRow("yes") << int(QMessageBox::Yes) << 1;
    }
    void exitAsksFirst() {
        QFETCH(int, answer);
        QFETCH(int, quits);
        Viewer v;
        v.open(path_);
        v.select(1);
        if (answer >= 0)
            v.services.answers.push_back(QMessageBox::StandardButton(answer));
        v.window.mnuEnd_Click();
        const MessageSpec& box = v.services.messages.back();
        QCOMPARE(box.title, QString("Exit"));
        QCOMPARE(box.text, QString("Are you sure?"));
        QCOMPARE(box.icon, QMessageBox::Question);
        QCOMPARE(box.buttons, QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(box.defaultButton, QMessageBox::Yes);
        QCOMPARE(v.services.quits, quits);
        // On No the window, the list and the open file are as they were: a user still reads.
        if (!quits) {
            QCOMPARE(v.entries(), 3);
            v.select(2);
            QCOMPARE(v.panel(3), QString("User 3"));
        }
    }

    void undoRestoresTheUser_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("restored");
        QTest::newRow("yes") << int(QMessageBox::Yes) << true;
        QTest::newRow("no") << int(QMessageBox::No) << false;
    }
    void undoRestoresTheUser() {
        QFETCH(int, answer);
        QFETCH(bool, restored);
        Viewer v;
        v.open(path_);
        v.select(1);
        editEverything(v);
        v.services.answers.push_back(QMessageBox::StandardButton(answer));
        v.window.mnuUndo_Click();
        const MessageSpec& box = v.services.messages.back();
        QCOMPARE(box.title, QString("Undo"));
        QCOMPARE(box.text, kUndoText);
        QCOMPARE(box.icon, QMessageBox::Question);
        QCOMPARE(box.defaultButton, QMessageBox::Yes);
        const std::pair<const char*, const char*> fields[] = {
            {"txtName", "User 2"},  {"txtAddress", "Street 2"}, {"txtCity", "City 2"},
            {"txtPhone", ""},       {"txtBirth", ""},           {"txtPagelength", "24"},
            {"txtTimelimit", "60"}, {"txtTimeleft", "30"}};
        for (const auto& [name, value] : fields)
            QCOMPARE(v.control<QLineEdit>(name)->text(),
                     restored ? QString(value) : QString("edited"));
        QCOMPARE(v.window.findChildren<QRadioButton*>("optLanguage")[1]->isChecked(), restored);
        QCOMPARE(v.control<QComboBox>("cboPackers")->currentIndex(), restored ? 2 : 0);
    }

    void undoWithoutSelectionChangesNothing() {
        Viewer v;
        v.open(path_);
        QVERIFY(v.window.toolbarButton(ToolbarButton(6))->isEnabled());
        v.control<QLineEdit>("txtName")->setText("typed");
        v.services.answers.push_back(QMessageBox::Yes);
        v.window.mnuUndo_Click();
        QCOMPARE(v.services.messages.size(), std::size_t(1)); // asked, and nothing else
        QCOMPARE(v.control<QLineEdit>("txtName")->text(), QString("typed"));
        QVERIFY(v.panel(3).isEmpty());
    }

    void updateOnlyTellsItCannot() {
        Viewer v;
        v.window.mnuUpdate_Click(); // whatever the state: even before a file is open
        v.open(path_);
        v.select(0);
        editEverything(v);
        v.window.mnuUpdate_Click();
        QCOMPARE(v.services.messages.size(), std::size_t(2));
        for (const MessageSpec& box : v.services.messages) {
            QCOMPARE(box.title, QString("Sorry!"));
            QCOMPARE(box.text, kUpdateText);
            QCOMPARE(box.icon, QMessageBox::Warning);
            QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        }
        QCOMPARE(v.control<QLineEdit>("txtName")->text(), QString("edited")); // edits stay
    }

    void closingTheWindowEndsWithoutAsking() {
        Viewer v;
        v.open(path_);
        v.window.show();
        QVERIFY(v.window.close());
        QVERIFY(v.services.messages.empty());
        QCOMPARE(v.services.quits, 0); // the last window closing ends the program by itself
    }

    void aFullSessionLeavesTheFileAlone() {
        QFile::setPermissions(path_, QFileDevice::ReadOwner); // a write would fail loudly too
        QFile file(path_);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray before = file.readAll();
        file.close();
        const QDateTime modified = QFileInfo(path_).lastModified();
        QTest::qWait(20);
        {
            Viewer v;
            v.open(path_);
            for (int row : {0, 2, 1}) {
                v.select(row);
                editEverything(v);
                v.services.answers.push_back(QMessageBox::Yes);
                v.window.mnuUndo_Click();
                v.window.mnuUpdate_Click();
            }
            v.open(path_);
            v.window.mnuOpen_Click(); // cancelled
            v.services.answers.push_back(QMessageBox::No);
            v.window.mnuEnd_Click();
            v.services.answers.push_back(QMessageBox::Yes);
            v.window.mnuEnd_Click();
            QCOMPARE(v.services.quits, 1);
        }
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), before);
        QCOMPARE(QFileInfo(path_).lastModified(), modified);
        QFile::setPermissions(path_, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }

    void realMessageBoxes_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("icon");
        QTest::addColumn<QStringList>("buttons");
        QTest::addColumn<QString>("defaultButton");
        QTest::newRow("exit") << "exit"
                              << "Exit"
                              << "Are you sure?" << int(QMessageBox::Question)
                              << QStringList{"&Yes", "&No"} << "&Yes";
        QTest::newRow("undo") << "undo"
                              << "Undo" << kUndoText << int(QMessageBox::Question)
                              << QStringList{"&Yes", "&No"} << "&Yes";
        QTest::newRow("update") << "update"
                                << "Sorry!" << kUpdateText << int(QMessageBox::Warning)
                                << QStringList{"OK"} << "OK";
    }
    void realMessageBoxes() {
        // Without the seam: the program's own boxes, inspected while they are up, then dismissed
        // with Escape (which answers No where there is a No).
        QFETCH(QString, command);
        QFETCH(QString, title);
        QFETCH(QString, text);
        QFETCH(int, icon);
        QFETCH(QStringList, buttons);
        QFETCH(QString, defaultButton);
        QtWindowServices services;
        frmMain window(services);
        window.Form_Load();
        window.show();
        // Read the box while it is up, then dismiss it; compare once the command has returned,
        // so that a wrong box can never leave the test waiting.
        QMessageBox* box = nullptr;
        QString shownTitle, shownText, shownDefault;
        int shownIcon = -1;
        Qt::TextFormat shownFormat = Qt::AutoText;
        QStringList shownButtons;
        QTimer::singleShot(0, [&] {
            box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            shownTitle = box->windowTitle();
            shownText = box->text();
            shownIcon = int(box->icon());
            shownFormat = box->textFormat(); // messages carry paths: never read as markup
            for (auto* button : box->buttons())
                shownButtons << button->text();
            shownDefault = box->defaultButton() ? box->defaultButton()->text() : QString();
            QTest::keyClick(box, Qt::Key_Escape);
        });
        QAction button;
        button.setData(command);
        window.tb1_ButtonClick(&button);
        QVERIFY(box);
        QCOMPARE(shownTitle, title);
        QCOMPARE(shownText, text);
        QCOMPARE(shownIcon, icon);
        QCOMPARE(shownFormat, Qt::PlainText);
        QCOMPARE(shownButtons, buttons);
        QCOMPARE(shownDefault, defaultButton);
    }
};

QTEST_MAIN(TestWindowCommands)
#include "tst_window_commands.moc"

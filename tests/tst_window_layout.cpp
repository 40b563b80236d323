// The window as it starts: caption, place, start-up state, and how its controls behave.
#include "look.h"
#include "support/test_files.h"
#include "support/viewer_fixture.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QButtonGroup>
#include <QApplication>
#include <QComboBox>
#include <QFontInfo>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QRadioButton>
#include <QTabBar>
#include <QToolBar>
#include <QToolButton>
#include <QWheelEvent>

using namespace kivo;
using namespace kivo::testing;

namespace {

// A focus stop by its object name; a toolbar button by its key, an option with its index.
QString stopName(QWidget* focus) {
    if (auto* button = qobject_cast<QToolButton*>(focus))
        return button->defaultAction()->data().toString();
    if (auto* option = qobject_cast<QRadioButton*>(focus))
        return option->objectName() + ' ' + QString::number(option->group()->id(option));
    return focus->objectName().isEmpty() ? focus->metaObject()->className() : focus->objectName();
}

} // namespace

class TestWindowLayout : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { applyLook(*qApp); }

    void caption_data() {
        QTest::addColumn<int>("major");
        QTest::addColumn<int>("minor");
        QTest::addColumn<int>("revision");
        QTest::addColumn<QString>("caption");
        QTest::newRow("2.0.1") << 2 << 0 << 1 << "KIVO/32 v2 Build: 01    (BBBS HOW 3.33)";
        QTest::newRow("3.1.12") << 3 << 1 << 12 << "KIVO/32 v3 Build: 112    (BBBS HOW 3.33)";
    }
    void caption() {
        QFETCH(int, major);
        QFETCH(int, minor);
        QFETCH(int, revision);
        QFETCH(QString, caption);
        QCOMPARE(windowCaption(major, minor, revision), caption);
    }

    void startsCentred_data() {
        QTest::addColumn<QRect>("screen");
        QTest::addColumn<QPoint>("topLeft");
        QTest::newRow("full HD") << QRect(0, 0, 1920, 1080) << QPoint(693, 358);
        QTest::newRow("second screen") << QRect(1920, 0, 1280, 1024) << QPoint(1920 + 373, 330);
        QTest::newRow("smaller than the window") << QRect(0, 0, 400, 300) << QPoint(-66, -31);
    }
    void startsCentred() {
        QFETCH(QRect, screen);
        QFETCH(QPoint, topLeft);
        FakeWindowServices services;
        services.screen = screen;
        frmMain window(services);
        window.Form_Load();
        QCOMPARE(window.pos(), topLeft);
    }

    void startUpState() {
        Viewer v;
        QCOMPARE(v.window.windowTitle(), QString("KIVO/32 v2 Build: 01    (BBBS HOW 3.33)"));
        QCOMPARE(v.panel(2), QString("No file loaded"));
        QVERIFY(v.panel(3).isEmpty());
        for (int position = 1; position <= 8; ++position) {
            const bool enabled = position != 2 && position != 4 && position != 6;
            QCOMPARE(v.window.toolbarButton(ToolbarButton(position))->isEnabled(), enabled);
        }
        auto* gauge = v.control<QProgressBar>("gauge1");
        QCOMPARE(gauge->value(), 0);
        QVERIFY(gauge->isHidden());
        QCOMPARE(v.entries(), 0);
        const std::pair<const char*, QStringList> lists[] = {
            {"cboPackers", {"Text", "ARC", "ZIP", "LZH", "ARJ", "ZOO", "HPK", "RAR"}},
            {"cboProtocol",
             {"ZModem", "Ymodem", "XModem", "Slow Hydra", "XModem CRC", "YModem BATCH",
              "Slow ZModem", "Hydra", "ZedZap"}},
            {"cboCharset",
             {"IBM", "SF7", "ISO", "IBN", "US7", "GE7", "NO7", "FR7", "IT7", "SP7", "MAC"}},
        };
        for (const auto& [name, texts] : lists) {
            auto* list = v.control<QComboBox>(name);
            QStringList entries;
            for (int i = 0; i < list->count(); ++i)
                entries << list->itemText(i);
            QCOMPARE(entries, texts);
            QCOMPARE(list->currentIndex(), -1); // nothing selected, though the box was filled
            QVERIFY(list->currentText().isEmpty());
        }
    }

    void fixedSizeWithoutMaximise() {
        Viewer v;
        QCOMPARE(v.window.minimumSize(), v.window.maximumSize());
        QCOMPARE(v.window.size(), QSize(533, 363));
        QVERIFY(!(v.window.windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(v.window.windowFlags() & Qt::WindowMinimizeButtonHint);
        auto* menu = v.control<QMenu>("mnusys");
        QVERIFY(!menu->isVisible());
        for (QAction* item : menu->actions())
            QVERIFY(item->shortcut().isEmpty());
    }

    void spinnerDrivesItsBuddy_data() {
        QTest::addColumn<QString>("spinner");
        QTest::addColumn<QString>("buddy");
        QTest::addColumn<int>("maximum");
        QTest::newRow("page length") << "udPagelength"
                                     << "txtPagelength" << 254;
        QTest::newRow("time limit") << "udTimelimit"
                                    << "txtTimelimit" << 32000;
        QTest::newRow("time left") << "udTimeleft"
                                   << "txtTimeleft" << 32000;
    }
    void spinnerDrivesItsBuddy() {
        QFETCH(QString, spinner);
        QFETCH(QString, buddy);
        QFETCH(int, maximum);
        Viewer v;
        auto* upDown = v.control<QAbstractSlider>(qPrintable(spinner));
        auto* box = v.control<QLineEdit>(qPrintable(buddy));
        QVERIFY(box->text().isEmpty());
        upDown->setFocus();
        QTest::keyClick(upDown, Qt::Key_Up); // one step, shown at once
        QCOMPARE(upDown->value(), 1);
        QCOMPARE(box->text(), QString("1"));
        QTest::keyClick(upDown, Qt::Key_Down);
        QTest::keyClick(upDown, Qt::Key_Down); // never below 0
        QCOMPARE(box->text(), QString("0"));
        upDown->setValue(maximum);
        QCOMPARE(box->text(), QString::number(maximum));
        QTest::keyClick(upDown, Qt::Key_Up); // never above the maximum
        QCOMPARE(upDown->value(), maximum);
        QCOMPARE(box->text(), QString::number(maximum));
        // The arrows do the same as the keys.
        auto arrows = upDown->findChildren<QAbstractButton*>();
        QCOMPARE(arrows.size(), 2);
        upDown->setValue(10);
        arrows[1]->click();
        QCOMPARE(box->text(), QString("9"));
        arrows[0]->click();
        arrows[0]->click();
        QCOMPARE(box->text(), QString("11"));
        // A wheel notch and the page keys step by one as well.
        QWheelEvent notch({2, 2}, upDown->mapToGlobal(QPointF(2, 2)), {}, {0, 120}, Qt::NoButton,
                          {}, Qt::NoScrollPhase, false);
        QApplication::sendEvent(upDown, &notch);
        QCOMPARE(box->text(), QString("12"));
        QTest::keyClick(upDown, Qt::Key_PageDown);
        QTest::keyClick(upDown, Qt::Key_PageDown);
        QTest::keyClick(upDown, Qt::Key_PageUp);
        QCOMPARE(box->text(), QString("11"));
    }

    void lockedBoxesRefuseTypingButSelect_data() {
        QTest::addColumn<QString>("box");
        for (const char* name :
             {"txtResume", "txtTimeson", "txtMsgleft", "txtMsgread", "txtMsgdumped", "txtFileUp",
              "txtFileDown", "txtKbup", "txtKbDown"})
            QTest::newRow(name) << name;
    }
    void lockedBoxesRefuseTypingButSelect() {
        QFETCH(QString, box);
        Viewer v;
        auto* edit = v.control<QLineEdit>(qPrintable(box));
        edit->setEnabled(true);
        edit->setText("1234");
        QTest::keyClicks(edit, "99");
        QTest::keyClick(edit, Qt::Key_Backspace);
        QCOMPARE(edit->text(), QString("1234"));
        edit->selectAll();
        QCOMPARE(edit->selectedText(), QString("1234"));
    }

    void editableBoxesAcceptTyping() {
        Viewer v;
        auto* name = v.control<QLineEdit>("txtName");
        QTest::keyClicks(name, "Typed");
        QCOMPARE(name->text(), QString("Typed"));
        QVERIFY(v.panel(3).isEmpty()); // nothing follows from it
    }

    void lockedCheckBoxIgnoresTheUser() {
        Viewer v;
        auto* check = v.control<QAbstractButton>("chkResume");
        for (bool state : {false, true}) {
            check->setChecked(state);
            QTest::mouseClick(check, Qt::LeftButton);
            check->setFocus();
            QTest::keyClick(check, Qt::Key_Space);
            check->click();
            QCOMPARE(check->isChecked(), state);
        }
        QVERIFY(!v.control<QAbstractButton>("cmdViewResume")->isEnabled());
    }

    void hiddenOptionClearsShownOnes() {
        Viewer v;
        auto options = v.window.findChildren<QRadioButton*>("optLanguage");
        QCOMPARE(options.size(), 9);
        options[2]->setChecked(true);
        for (int hidden = 4; hidden <= 8; ++hidden) {
            QVERIFY(options[hidden]->isHidden());
            options[hidden]->setChecked(true);
            for (int shown = 0; shown < 4; ++shown)
                QVERIFY(!options[shown]->isChecked());
        }
    }

    void onlyTheFrontPageShows() {
        Viewer v;
        v.window.show();
        auto* tabs = v.window.findChild<QTabBar*>();
        QCOMPARE(tabs->currentIndex(), 2); // Statistics in front at start
        const char* onPage[] = {"cboProtocol", "txtName", "txtTimeson"};
        for (int front : {2, 0, 1, 2}) {
            QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(front).center());
            QCOMPARE(tabs->currentIndex(), front);
            for (int page = 0; page < 3; ++page)
                QCOMPARE(v.control<QWidget>(onPage[page])->isVisible(), page == front);
        }
        // The never-shown fields stay hidden on their page.
        for (const char* hidden :
             {"txtFirst", "txtLast", "txtTodayDown", "Firs", "Label20", "Label21"})
            QVERIFY(!v.control<QWidget>(hidden)->isVisible());
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
        TestFiles files;
        UserRecord user = tools::numberedUser(1);
        user.Language = std::uint8_t(language);
        Viewer v;
        v.window.show();
        QVERIFY(QTest::qWaitForWindowActive(&v.window));
        QCOMPARE(QApplication::focusWidget(), v.list());
        v.open(files.write("BBBSUSER.DAT", tools::userFileBytes({user}))); // four buttons enabled
        v.select(0);
        v.window.findChild<QTabBar*>()->setCurrentIndex(0); // the others' controls are skipped
        QStringList visited;
        for (int i = 0; i < 14; ++i) {
            QWidget* focus = QApplication::focusWidget();
            visited << stopName(focus);
            QTest::keyClick(focus, Qt::Key_Tab);
        }
        const QStringList expected = {
            "List1",        "QTabBar",       entered,        "cboProtocol", "cboPackers",
            "udPagelength", "txtPagelength", "txtTimelimit", "udTimelimit", "txtTimeleft",
            "udTimeleft",   "cboCharset",    "open",         "List1"};
        QCOMPARE(visited, expected);
    }

    // Within the toolbar the arrow keys move between the enabled buttons, and Space or Enter
    // presses the one that has focus.
    void toolbarKeys() {
        Viewer v;
        v.window.show();
        QVERIFY(QTest::qWaitForWindowActive(&v.window));
        QTest::keyClick(v.list(), Qt::Key_Backtab);
        const std::pair<Qt::Key, QString> steps[] = {
            {Qt::Key_Right, "exit"}, // Update, Print and Undo are disabled
            {Qt::Key_Right, "exit"}, // the end
            {Qt::Key_Left, "open"},  {Qt::Key_Down, "exit"}, {Qt::Key_Up, "open"},
        };
        QCOMPARE(stopName(QApplication::focusWidget()), QString("open"));
        for (const auto& [key, focused] : steps) {
            QTest::keyClick(QApplication::focusWidget(), key);
            QCOMPARE(stopName(QApplication::focusWidget()), focused);
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
        for (Qt::Key press : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter})
            QTest::keyClick(QApplication::focusWidget(), press);
        QCOMPARE(v.services.messages.size(), std::size_t(3)); // Exit asked each time
        QCOMPARE(v.services.messages.back().title, QString("Exit"));
    }

    void fontResolvedAndEveryCaptionFits() {
        Viewer v;
        const QFontInfo info(QApplication::font());
        QCOMPARE(info.family(), QString("Liberation Sans"));
        QVERIFY(info.exactMatch());
        // Captions drawn in their control's own font must fit its rectangle uncut.
        for (auto* label : v.window.findChildren<QLabel*>()) {
            if (label->text().isEmpty())
                continue;
            const int needed = label->fontMetrics().horizontalAdvance(label->text());
            QVERIFY2(needed <= label->contentsRect().width(),
                     qPrintable(label->objectName() + ": " + label->text()));
        }
        for (auto* button : v.window.findChildren<QAbstractButton*>()) {
            if (button->text().isEmpty())
                continue;
            // A toolbar button's hint asks for more room than its fixed 42 pixels need.
            const int needed = qobject_cast<QToolButton*>(button)
                                   ? button->fontMetrics().horizontalAdvance(button->text()) + 4
                                   : button->sizeHint().width();
            QVERIFY2(needed <= button->width(),
                     qPrintable(button->objectName() + ": " + button->text()));
        }
    }

    void everyFieldNamedByItsLabel() {
        Viewer v;
        for (auto* label : v.window.findChildren<QLabel*>()) {
            if (!label->buddy())
                continue;
            QCOMPARE(label->buddy()->parentWidget(), label->parentWidget());
            QCOMPARE(label->buddy()->accessibleName(), label->text());
        }
        QVERIFY(!v.list()->accessibleName().isEmpty());
        QVERIFY(!v.control<QProgressBar>("gauge1")->accessibleName().isEmpty());
        QCOMPARE(v.control<QLabel>("sb1Panel2")->toolTip(),
                 QString("Shows number of users in file"));
        QCOMPARE(v.control<QLabel>("sb1Panel3")->toolTip(), QString("Name of current user"));
        QVERIFY(v.control<QLabel>("sb1Panel1")->toolTip().isEmpty());
    }
};

QTEST_MAIN(TestWindowLayout)
#include "tst_window_layout.moc"

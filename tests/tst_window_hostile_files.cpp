// Files no board would write, and paths that are no user file at all, through the Open command:
// each ends in a correct view or a clear message, never a hang or a crash, and the viewer never
// changes the file it was given.
#include "look.h"
#include "support/test_files.h"
#include "support/this_system.h"
#include "support/viewer_fixture.h"
#include "user_list_model.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QProgressBar>
#include <QRadioButton>
#include <QScopeGuard>

#include <filesystem>
#include <random>
#ifdef Q_OS_LINUX // the FIFO bait and the watch on what is opened
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

using namespace kivo;
using namespace kivo::testing;

namespace {

std::filesystem::path systemPath(const QString& path) {
    return std::filesystem::path(path.toStdU16String());
}

// What a file is before the viewer sees it, to prove afterwards that it was not touched.
struct Fingerprint {
    QByteArray bytes;
    std::filesystem::file_time_type modified{}; // to the file system's own precision
    std::uintmax_t size = 0;

    static Fingerprint of(const QString& path, bool readBytes = true) {
        Fingerprint f;
        std::error_code error; // a path that is no file has no time or size: both stay unset
        f.modified = std::filesystem::last_write_time(systemPath(path), error);
        f.size = std::filesystem::file_size(systemPath(path), error);
        QFile file(path);
        if (readBytes && file.open(QIODevice::ReadOnly))
            f.bytes = file.readAll();
        return f;
    }
    bool operator==(const Fingerprint&) const = default;
};

QByteArray bytesOf(const std::vector<std::uint8_t>& bytes) {
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
}

// A user whose name is the given stored bytes.
QByteArray userNamed(const QByteArray& nameBytes) {
    UserRecord user = tools::numberedUser(1);
    user.Name = makeTextField<30>(std::string_view(nameBytes.constData(), nameBytes.size()));
    return bytesOf(tools::userFileBytes({user}));
}

} // namespace

class TestWindowHostileFiles : public QObject {
    Q_OBJECT
    TestFiles files_;

    // A file of the given length with no data written: the file system stores no blocks for it.
    QString sparse(const QString& name, std::int64_t length) {
        const QString path = files_.path(name);
        QFile::remove(path);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || !file.resize(length))
            qFatal("cannot make the sparse file %s", qPrintable(path));
        return path;
    }

    static void checkNoFile(Viewer& v) {
        QCOMPARE(v.entries(), 0);
        QCOMPARE(v.panel(2), QString("No file loaded"));
        QVERIFY(v.control<QProgressBar>("gauge1")->isHidden());
    }

private slots:
    void initTestCase() {
        applyLook(*qApp);
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    }

    // Paths that name no user file: each is refused at once with the reason, and nothing is made.
    void refusedPaths_data() {
        QTest::addColumn<QString>("what");
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing") << "missing"
                                 << "it does not exist";
        QTest::newRow("missing, control characters in its name") << "missing-control"
                                                                 << "it does not exist";
        QTest::newRow("in a missing folder") << "missing-folder"
                                             << "it does not exist";
        QTest::newRow("folder") << "folder"
                                << "it is a folder, not a file";
        for (const auto& refused : systemRefusedPaths(files_.path(".")))
            QTest::newRow(refused.what)
                << refused.path << QString::fromStdString(FileError{refused.kind}.describe());
    }
    void refusedPaths() {
        QFETCH(QString, what);
        QFETCH(QString, reason);
        QString path;
        if (what == "missing")
            path = files_.path("BBBSUSER.DAT");
        else if (what == "missing-control")
            path = files_.path(QString::fromUtf8("BBBS\tUSER\n\x1b[31m\x7f.DAT"));
        else if (what == "missing-folder")
            path = files_.path("no such folder/BBBSUSER.DAT");
        else if (what == "folder") {
            path = files_.path("BBBSUSER.DAT.d");
            QVERIFY(QDir().mkpath(path));
        } else {
            path = what;
        }
        const bool existed = QFileInfo::exists(path);
        const Fingerprint before = Fingerprint::of(path, false);

        Viewer v; // a listed file first: the refusal must leave nothing of it in the list
        v.open(files_.write("listed.dat", numberedUsersFile(2)));
        QCOMPARE(v.entries(), 2);
        v.open(path);

        QCOMPARE(v.services.messages.size(), std::size_t(1));
        QCOMPARE(v.services.messages[0].title, QString("Open"));
        QCOMPARE(v.services.messages[0].text,
                 QString("The file %1 could not be opened: %2.").arg(path, reason));
        QCOMPARE(v.services.messages[0].icon, QMessageBox::Warning);
        checkNoFile(v);
        QCOMPARE(QFileInfo::exists(path), existed); // nothing created
        QVERIFY(Fingerprint::of(path, false) == before);
    }

    // Whatever the bytes, the count is the length / 273, every whole record is listed in file
    // order and shows when selected, and trailing bytes are no user.
    void contents_data() {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("panel");
        QTest::addColumn<QStringList>("names");
        const QByteArray one = bytesOf(numberedUsersFile(1));
        QTest::newRow("0 bytes") << "BBBSUSER.DAT" << QByteArray() << "0 users in file"
                                 << QStringList();
        QTest::newRow("1 byte") << "BBBSUSER.DAT" << one.left(1)
                                << "0.00366300366300366 users in file" << QStringList();
        QTest::newRow("272 bytes") << "BBBSUSER.DAT" << one.left(272)
                                   << "0.996336996336996 users in file" << QStringList();
        QTest::newRow("273 bytes")
            << "BBBSUSER.DAT" << one << "1 users in file" << QStringList{"User 1"};
        QTest::newRow("300 bytes") << "BBBSUSER.DAT" << one + QByteArray(27, 'U')
                                   << "1.0989010989011 users in file" << QStringList{"User 1"};
        // Every byte 0xFF: thirty 'ÿ' for a name, and every code past its table.
        QTest::newRow("all 0xFF") << "BBBSUSER.DAT" << QByteArray(3 * 273 + 100, '\xFF')
                                  << "3.36630036630037 users in file"
                                  << QStringList(3, QString(30, QChar(0xFF)));
        QTest::newRow("control characters in the file's name")
            << storableFileName(QString::fromUtf8("BBBS\tUSER\n\x1b[31m\x7f \xE2\x80\xAE.DAT"))
            << bytesOf(numberedUsersFile(2)) << "2 users in file"
            << QStringList{"User 1", "User 2"};
    }
    void contents() {
        QFETCH(QString, fileName);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, panel);
        QFETCH(QStringList, names);
        const QString path = files_.write(fileName, bytes);
        const Fingerprint before = Fingerprint::of(path);
        Viewer v;
        v.open(path);
        QCOMPARE(v.panel(2), panel);
        QStringList listed;
        for (int row = 0; row < v.entries(); ++row)
            listed << v.entry(row);
        QCOMPARE(listed, names);
        for (int row = names.size() - 1; row >= 0; --row) {
            v.select(row);
            QCOMPARE(v.panel(3), names[row]);
            QCOMPARE(v.control<QLineEdit>("txtName")->text(), names[row]);
        }
        QVERIFY(v.services.messages.empty());
        QVERIFY(v.control<QProgressBar>("gauge1")->isHidden());
        QVERIFY(Fingerprint::of(path) == before);
    }

    // Callers choose their own names. Whatever a name holds, the list, panel 3 and the name box
    // show its characters as they are, on one line, and an accessibility client reads the same:
    // no markup is drawn, no file it names is opened, control bytes show as their symbols.
    void awkwardNames_data() {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QString>("shown");
        for (const char* markup :
             {"<b>x</b>", "<h1>BIG</h1>", "<a href=x>click</a>", "&lt;b&gt; &amp;",
              "<img src=/dev/zero>", "<img src=fifo>", "<img src=hostname>"})
            QTest::newRow(markup) << QByteArray(markup) << QString(markup);
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
        QCOMPARE(v.control<QLineEdit>("txtName")->text(), shown);
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
        const auto name = [](QObject* o) {
            return QAccessible::queryAccessibleInterface(o)->text(QAccessible::Name);
        };
        QCOMPARE(name(v.control<QLabel>("sb1Panel3")), shown);
        auto* rows = QAccessible::queryAccessibleInterface(v.list())->tableInterface();
        QCOMPARE(rows->cellAt(0, 0)->text(QAccessible::Name), shown);
        // One line: the row is as high as a plain name's.
        QCOMPARE(v.list()->sizeHintForIndex(v.list()->model()->index(0, 0)).height(),
                 v.list()->sizeHintForIndex(v.list()->model()->index(1, 0)).height());
    }

    // Random bytes, whole records and a part: listed without a message, each name the record's
    // leading bytes up to the first NUL (one character a byte), and the same name when shown.
    void randomBytes_data() {
        QTest::addColumn<unsigned>("seed");
        QTest::addColumn<int>("length");
        QTest::newRow("seed 1") << 1u << 40 * 273 + 11;
        QTest::newRow("seed 2") << 2u << 7 * 273;
        QTest::newRow("seed 3, mostly NULs") << 3u << 25 * 273 + 272;
    }
    void randomBytes() {
        QFETCH(unsigned, seed);
        QFETCH(int, length);
        std::mt19937 random(seed);
        QByteArray bytes(length, Qt::Uninitialized);
        for (char& c : bytes)
            c = char(seed == 3 && random() % 4 ? 0 : random() & 0xFF);
        const QString path = files_.write("BBBSUSER.DAT", bytes);
        const Fingerprint before = Fingerprint::of(path);
        Viewer v;
        v.open(path);
        QCOMPARE(v.entries(), length / 273);
        for (int row = 0; row < v.entries(); ++row) {
            const QByteArray name = bytes.mid(row * 273, 30);
            const QByteArray stored = name.left(name.indexOf('\0') < 0 ? 30 : name.indexOf('\0'));
            const QString entry = v.entry(row);
            QCOMPARE(entry.size(), stored.size());
            for (int i = 0; i < stored.size(); ++i) // printable ASCII is itself
                if (uchar(stored[i]) >= 0x20 && uchar(stored[i]) < 0x7F)
                    QCOMPARE(entry[i], QChar(uchar(stored[i])));
            v.select(row);
            QCOMPARE(v.panel(3), entry);
        }
        QVERIFY(v.services.messages.empty());
        QVERIFY(Fingerprint::of(path) == before);
    }

    // A file of more users than one list holds is refused before a single name is read, however
    // little of it is really on disk; a large one within the limit is listed in memory that grows
    // with its users, not with its bytes.
    void hugeSparseFiles_data() {
        QTest::addColumn<qint64>("users");
        QTest::addColumn<int>("extraBytes");
        QTest::addColumn<bool>("refused");
        QTest::newRow("one user over the limit (5.5 GB)")
            << qint64(UserListModel::kMaxEntries + 1) << 0 << true;
        QTest::newRow("the limit and a partial record, listed")
            << qint64(UserListModel::kMaxEntries) << 100 << false;
        QTest::newRow("8 GiB") << qint64((8ll << 30) / 273) << int((8ll << 30) % 273) << true;
        QTest::newRow("1 GiB, listed")
            << qint64((1ll << 30) / 273) << int((1ll << 30) % 273) << false;
    }
    void hugeSparseFiles() {
        QFETCH(qint64, users);
        QFETCH(int, extraBytes);
        QFETCH(bool, refused);
        const std::int64_t length = users * 273 + extraBytes;
        const QString path = sparse("BBBSUSER %3.DAT", length); // a "%3" in a path stays as it is
        const Fingerprint before = Fingerprint::of(path, false);
        Viewer v;
        const long residentBefore = residentKb();
        v.open(path);
        const long grownKb = residentKb() - residentBefore;
        if (refused) {
            QCOMPARE(v.services.messages.size(), std::size_t(1));
            QCOMPARE(v.services.messages[0].title, QString("Open"));
            QCOMPARE(v.services.messages[0].text,
                     QString("The file %1 could not be opened: it holds %2 users, and this viewer "
                             "lists at most 20000000.")
                         .arg(path, QString::number(users)));
            checkNoFile(v);
            QVERIFY(!v.window.toolbarButton(ToolbarButton(2))->isEnabled());
        } else {
            QVERIFY(v.services.messages.empty());
            QCOMPARE(v.entries(), users);
            QCOMPARE(v.entry(0), QString()); // a record of NULs has an empty name
            QCOMPARE(v.entry(int(users) - 1), QString());
            v.select(int(users) - 1);
            QCOMPARE(v.control<QLineEdit>("txtTimeson")->text(), QString("0"));
            QVERIFY(v.services.messages.empty());
            // Memory follows the users listed (a few bytes each), never the file's length.
            QVERIFY2(
                grownKb * 1024 < length / 16,
                qPrintable(QString("grew by %1 kB listing %2 bytes").arg(grownKb).arg(length)));
        }
        QVERIFY(Fingerprint::of(path, false) == before);
        QFile::remove(path);
    }

    // After listing, the file is changed by someone else. The viewer keeps the file it opened:
    // a record no longer wholly in it is reported and its view cleared; a file removed or
    // replaced by name still reads as the file that was listed.
    void changedAfterListing_data() {
        QTest::addColumn<QString>("change");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("shown"); // empty when it cannot be read
        QTest::newRow("shrunk into the record") << "shrink" << 2 << QString();
        QTest::newRow("shrunk, record before the cut") << "shrink" << 0 << "User 1";
        QTest::newRow("emptied") << "empty" << 0 << QString();
        QTest::newRow("removed") << "remove" << 3 << "User 4";
        QTest::newRow("replaced by another file") << "replace" << 3 << "User 4";
    }
    void changedAfterListing() {
        QFETCH(QString, change);
        QFETCH(int, row);
        QFETCH(QString, shown);
        const QString path = files_.write("BBBSUSER.DAT", numberedUsersFile(4));
        Viewer v;
        v.open(path);
        QCOMPARE(v.entries(), 4);
        v.select(1);
        QCOMPARE(v.panel(3), QString("User 2"));

        if (change == "shrink")
            QVERIFY(QFile::resize(path, 2 * 273 + 100));
        else if (change == "empty")
            QVERIFY(QFile::resize(path, 0));
        else if (change == "remove")
            QVERIFY(QFile::remove(path));
        else if (change == "replace") {
            const QString other =
                files_.write("other.dat", userNamed("Someone else") + userNamed("B") +
                                              userNamed("C") + userNamed("D"));
            std::error_code refused;
            std::filesystem::rename(systemPath(other), systemPath(path), refused);
            if (refused) // Windows keeps the name of a file that is open, even to a rename
                QSKIP("this system does not replace a file by name while it is open");
        }
        const Fingerprint before = Fingerprint::of(path);

        v.select(row);
        QCOMPARE(v.entries(), 4); // the list keeps what was listed
        QCOMPARE(v.list()->currentIndex().row(), row);
        if (shown.isEmpty()) {
            QCOMPARE(v.services.messages.size(), std::size_t(1));
            QCOMPARE(v.services.messages[0].title, QString("Read"));
            QCOMPARE(
                v.services.messages[0].text,
                QString("User %1 could not be read from %2: user %1 is no longer wholly in the "
                        "file; it may have been shortened since it was listed.")
                    .arg(row + 1)
                    .arg(path));
            // No field may still show the user selected before.
            QVERIFY(v.panel(3).isEmpty());
            for (auto* box : v.window.findChildren<QLineEdit*>())
                QVERIFY2(box->text().isEmpty(), qPrintable(box->objectName()));
            for (auto* option : v.window.findChildren<QRadioButton*>("optLanguage"))
                QVERIFY(!option->isChecked());
            QVERIFY(!v.control<QAbstractButton>("chkResume")->isChecked());
            for (auto* list : v.window.findChildren<QComboBox*>())
                QCOMPARE(list->currentText(), QString());
        } else {
            QVERIFY(v.services.messages.empty());
            QCOMPARE(v.panel(3), shown);
            QCOMPARE(v.control<QLineEdit>("txtName")->text(), shown);
        }
        QVERIFY(Fingerprint::of(path) == before);
        // Never made again. (Windows removes a file only when the last program holding it lets
        // go: the viewer does when its window closes.)
        v.window.close();
        QCOMPARE(QFileInfo::exists(path), change != "remove");
    }
};

QTEST_MAIN(TestWindowHostileFiles)
#include "tst_window_hostile_files.moc"

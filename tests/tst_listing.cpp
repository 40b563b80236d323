// The list and how it keeps up with the file, without a window: the packed names, what a
// change of the file is taken for, the names read in the background and around locked records,
// and how often the names are read again. The follower's watch and looks are tested through the
// window, with our own board writing the file.
#include "board_writer.h"
#include "file_follower.h"
#include "name_reader.h"
#include "support/test_files.h"
#include "support/this_system.h"
#include "user_file.h"
#include "user_list.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

#include <thread>

using namespace kivo;
using namespace kivo::testing;
using namespace std::chrono_literals;

namespace {

// Entries by name; "?" stands for a placeholder.
UserList listOf(const QStringList& entries) {
    UserList list;
    for (const QString& entry : entries) {
        if (entry == "?")
            list.appendPlaceholder();
        else
            list.append(entry.toStdString());
    }
    return list;
}

QStringList entriesOf(const UserList& list) {
    QStringList entries;
    for (std::int64_t row = 0; row < list.size(); ++row)
        entries << (list.isPlaceholder(row) ? QString("?")
                                            : QString::fromStdString(std::string(list.name(row))));
    return entries;
}

QStringList numberedNames(std::int64_t first, std::int64_t last) {
    QStringList names;
    for (std::int64_t n = first; n <= last; ++n)
        names << QString("User %1").arg(n);
    return names;
}

// Counts the reader's word that names are waiting, on the test's thread: the reader speaks from
// its own thread, so the word comes through this thread's event loop, and none is missed.
struct Arrivals : QObject {
    int count = 0;
    explicit Arrivals(NameReader& reader) {
        connect(&reader, &NameReader::namesReady, this, [this] { ++count; });
    }
    bool wait() {
        return QTest::qWaitFor([this] { return std::exchange(count, 0) > 0; }, 5000);
    }
};

// Reads the names of records first … last in the background, every batch taken as it comes
// and checked to follow the one before; the last batch's error.
FileError readAll(const UserFile& file, std::int64_t first, std::int64_t last, UserList& names) {
    NameReader reader;
    Arrivals arrivals(reader);
    reader.start(file, first, last);
    for (NameReader::Batch batch;; names.append(batch.names)) {
        if (batch.done)
            return batch.error;
        if (!arrivals.wait())
            return {FileError::Kind::NoFile}; // nothing came: no read error says that
        batch = reader.take();
        if (batch.first != first + names.size()) // a gap or an overlap between batches
            return {FileError::Kind::RecordMissing, 0, batch.first};
    }
}

} // namespace

class TestListing : public QObject {
    Q_OBJECT
    TestFiles files_;
    int written_ = 0;

    QString usersFile(int count) {
        return files_.write(QString("BBBSUSER%1.DAT").arg(++written_),
                            tools::userFileBytes(tools::numberedUsers(1, count)));
    }

private slots:
    // Lists joined, cut and compared keep every entry, placeholders with their position.
    void packedEntries_data() {
        QTest::addColumn<QStringList>("head");
        QTest::addColumn<QStringList>("tail");
        QTest::addColumn<int>("keep");
        QTest::newRow("names") << QStringList{"Anna", "", "Bo"} << QStringList{"Cy"} << 3;
        QTest::newRow("placeholders")
            << QStringList{"?", "Anna"} << QStringList{"Bo", "?", "Cy"} << 3;
        QTest::newRow("into nothing") << QStringList{} << QStringList{"?"} << 0;
        QTest::newRow("a name past 30 bytes is cut")
            << QStringList{QString(40, 'x')} << QStringList{} << 1;
    }
    void packedEntries() {
        QFETCH(QStringList, head);
        QFETCH(QStringList, tail);
        QFETCH(int, keep);
        UserList list = listOf(head);
        list.append(listOf(tail));
        QStringList all = head + tail;
        for (QString& entry : all)
            entry.truncate(int(UserList::kMaxNameBytes));
        QCOMPARE(entriesOf(list), all);
        list.truncate(keep);
        QCOMPARE(entriesOf(list), all.mid(0, keep));
        QCOMPARE(list.placeholders(), all.mid(0, keep).count("?"));
        list.append("Dee");
        QCOMPARE(entriesOf(list), all.mid(0, keep) + QStringList{"Dee"});
    }

    void differingRows_data() {
        QTest::addColumn<QStringList>("a");
        QTest::addColumn<QStringList>("b");
        QTest::addColumn<int>("first"); // -1: none differs
        QTest::addColumn<int>("last");
        QTest::newRow("same") << QStringList{"A", "B"} << QStringList{"A", "B"} << -1 << -1;
        QTest::newRow("one") << QStringList{"A", "B", "C"} << QStringList{"A", "X", "C"} << 1 << 1;
        QTest::newRow("both ends")
            << QStringList{"A", "B", "C"} << QStringList{"X", "B", "Y"} << 0 << 2;
        QTest::newRow("only longer") << QStringList{"A"} << QStringList{"A", "B"} << -1 << -1;
        QTest::newRow("placeholder against no name")
            << QStringList{"", "B"} << QStringList{"?", "B"} << 0 << 0;
        QTest::newRow("name longer by a byte")
            << QStringList{"Ann"} << QStringList{"Anna"} << 0 << 0;
    }
    void differingRows() {
        QFETCH(QStringList, a);
        QFETCH(QStringList, b);
        QFETCH(int, first);
        QFETCH(int, last);
        const auto rows = kivo::differingRows(listOf(a), listOf(b));
        QCOMPARE(rows.has_value(), first >= 0);
        if (rows)
            QCOMPARE(*rows, (std::pair<std::int64_t, std::int64_t>(first, last)));
    }

    void compareStamps_data() {
        QTest::addColumn<FileStamp>("now");
        QTest::addColumn<bool>("gone");
        QTest::addColumn<FileChange>("change");
        const FileStamp known{1, 2, 546, 1000};
        QTest::newRow("as it was") << known << false << FileChange::None;
        QTest::newRow("longer") << FileStamp{1, 2, 819, 2000} << false << FileChange::Grown;
        QTest::newRow("written in place")
            << FileStamp{1, 2, 546, 2000} << false << FileChange::Rewritten;
        QTest::newRow("shorter") << FileStamp{1, 2, 273, 2000} << false << FileChange::Rewritten;
        QTest::newRow("another file")
            << FileStamp{1, 3, 546, 1000} << false << FileChange::Replaced;
        QTest::newRow("another device")
            << FileStamp{9, 2, 546, 1000} << false << FileChange::Replaced;
        QTest::newRow("no file") << FileStamp{} << true << FileChange::Gone;
    }
    void compareStamps() {
        QFETCH(FileStamp, now);
        QFETCH(bool, gone);
        QFETCH(FileChange, change);
        const FileStamp known{1, 2, 546, 1000};
        QCOMPARE(kivo::compareStamps(known, gone ? std::nullopt : std::optional(now)), change);
    }

    // The names of the records asked for, in order, in batches that follow one another; a
    // record past the end ends the read with what came before it.
    void readsNames_data() {
        QTest::addColumn<int>("inFile");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        QTest::addColumn<int>("listedLast");
        QTest::addColumn<FileError::Kind>("error");
        QTest::newRow("all") << 20000 << 1 << 20000 << 20000 << FileError::Kind::None;
        QTest::newRow("the end only") << 20000 << 19001 << 20000 << 20000 << FileError::Kind::None;
        QTest::newRow("none asked") << 5 << 6 << 5 << 5 << FileError::Kind::None;
        QTest::newRow("past the end") << 500 << 1 << 600 << 500 << FileError::Kind::RecordMissing;
    }
    void readsNames() {
        QFETCH(int, inFile);
        QFETCH(int, first);
        QFETCH(int, last);
        QFETCH(int, listedLast);
        QFETCH(FileError::Kind, error);
        UserFile file;
        QVERIFY(!file.open(usersFile(inFile).toStdString()));
        UserList names;
        QCOMPARE(readAll(file, first, last, names).kind, error);
        QCOMPARE(entriesOf(names), numberedNames(first, listedLast));
    }

    // Records another program holds locked cost only themselves: the others of their chunk are
    // listed, a record locked for good is a placeholder in its place, and one whose lock goes
    // while it is tried again is listed by name.
    void readsAroundLockedRecords_data() {
        QTest::addColumn<int>("firstLocked");
        QTest::addColumn<int>("lastLocked");
        QTest::addColumn<int>("refusals"); // reads refused before the lock goes; -1: never
        QTest::addColumn<QList<int>>("placeholders");
        QTest::newRow("one, for good") << 300 << 300 << -1 << QList<int>{300};
        QTest::newRow("two across chunks, for good") << 240 << 241 << -1 << QList<int>{240, 241};
        QTest::newRow("one, let go while tried again") << 300 << 300 << 3 << QList<int>{};
    }
    void readsAroundLockedRecords() {
        QFETCH(int, firstLocked);
        QFETCH(int, lastLocked);
        QFETCH(int, refusals);
        QFETCH(QList<int>, placeholders);
        constexpr int kUsers = 1000;
        UserFile file;
        QVERIFY(!file.open(usersFile(kUsers).toStdString()));
        std::atomic<int> refused = 0;
        const std::int64_t lockedFrom = (firstLocked - 1) * std::int64_t(kRecordSize);
        const std::int64_t lockedTo = lastLocked * std::int64_t(kRecordSize);
        file.setBeforeEachRead([&](std::int64_t offset, std::size_t size) {
            const bool overlaps = offset < lockedTo && offset + std::int64_t(size) > lockedFrom;
            if (!overlaps || (refusals >= 0 && refused >= refusals))
                return FileError{};
            ++refused;
            return FileError{FileError::Kind::Locked};
        });
        UserList names;
        QCOMPARE(readAll(file, 1, kUsers, names).kind, FileError::Kind::None);
        QStringList expected = numberedNames(1, kUsers);
        for (int number : placeholders)
            expected[number - 1] = "?";
        QCOMPARE(entriesOf(names), expected);
    }

    // The same through the system's own locks, where they stop reads (Windows, and Wine).
    void lockedByTheSystem() {
        const QString path = usersFile(1000);
        auto lock = lockBytes(path, 299 * qint64(kRecordSize), qint64(kRecordSize));
        if (!lock)
            QSKIP("this system's locks do not stop another handle's reads");
        UserFile file;
        QVERIFY(!file.open(path.toStdString()));
        if (file.read(300).record) // Wine keeps the lock, but lets other handles read through it
            QSKIP("this system's locks do not stop another handle's reads");
        QCOMPARE(file.read(300).error.kind, FileError::Kind::Locked);
        QVERIFY(file.read(299).record && file.read(301).record);
        UserList names;
        QCOMPARE(readAll(file, 1, 1000, names).kind, FileError::Kind::None);
        QCOMPARE(placeholderRows(names), std::vector<std::int64_t>{299});
        QCOMPARE(names.size(), 1000);
        lock.reset();
        QVERIFY(file.read(300).record);
    }

    // Stopped on a slow disk: the names read so far wait to be taken, the file is no longer
    // read once stop() returns, and nothing more comes.
    void stopKeepsWhatWasRead() {
        UserFile file;
        QVERIFY(!file.open(usersFile(24000).toStdString())); // 100 reads of the system's
        std::atomic<int> reads = 0;
        file.setBeforeEachRead([&](std::int64_t, std::size_t) {
            ++reads;
            std::this_thread::sleep_for(5ms); // the disk, not the test, is slow
            return FileError{};
        });
        NameReader reader;
        Arrivals arrivals(reader);
        reader.start(file, 1, 24000);
        QVERIFY(arrivals.wait());
        reader.stop();
        const int readsWhenStopped = reads;
        const NameReader::Batch batch = reader.take();
        QVERIFY(!batch.done);
        QVERIFY(batch.names.size() > 0 && batch.names.size() < 24000);
        QCOMPARE(entriesOf(batch.names), numberedNames(1, batch.names.size()));
        QCoreApplication::processEvents();
        QVERIFY(reader.take().names.empty());
        QCOMPARE(reads.load(), readsWhenStopped);
    }

    // Names read again at most once every two seconds, however often the board writes.
    void readsAgainAtMostEveryTwoSeconds() {
        const QString path = usersFile(3);
        FileFollower follower;
        QSignalSpy changed(&follower, &FileFollower::changed);
        follower.follow(path, path.toStdString(), *UserFile::stampOf(path.toStdString()));
        QElapsedTimer clock;
        clock.start();
        for (int write = 0; write < 2; ++write) {
            QVERIFY(tools::shortenFile(path.toStdString(), 3 * 273 - 1 - write));
            QVERIFY(changed.wait(5000));
        }
        QCOMPARE(changed.size(), 2);
        QVERIFY(clock.elapsed() >= FileFollower::kRereadEvery.count());
    }
};

QTEST_MAIN(TestListing)
#include "tst_listing.moc"

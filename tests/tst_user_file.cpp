// Opening, counting and reading user files, and every way that can fail.
#include "support/test_files.h"
#include "support/this_system.h"
#include "user_file.h"
#include "user_file_writer.h"

#include <QDir>
#include <QFileInfo>
#include <QTest>

using namespace kivo;
using kivo::testing::systemRefusedPaths;
using kivo::testing::TestFiles;

Q_DECLARE_METATYPE(kivo::FileError::Kind)

namespace {

std::vector<UserRecord> numberedUsers(int count) {
    std::vector<UserRecord> users;
    for (int i = 1; i <= count; ++i)
        users.push_back(tools::numberedUser(i));
    return users;
}

// Bytes for a file of the given size: whole numbered users, then a partial one.
std::vector<std::uint8_t> fileOfSize(std::size_t size) {
    auto bytes = tools::userFileBytes(numberedUsers(int(size / kRecordSize) + 1));
    bytes.resize(size);
    return bytes;
}

struct Snapshot {
    QByteArray bytes;
    QDateTime modified;
    bool operator==(const Snapshot&) const = default;
};

Snapshot snapshot(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return {file.readAll(), QFileInfo(path).lastModified()};
}

} // namespace

class TestUserFile : public QObject {
    Q_OBJECT
    TestFiles files_;

private slots:
    void countAndRecords_data() {
        QTest::addColumn<int>("size");
        QTest::addColumn<double>("count");
        QTest::addColumn<int>("readable");
        QTest::newRow("empty") << 0 << 0.0 << 0;
        QTest::newRow("one record") << 273 << 1.0 << 1;
        QTest::newRow("two records") << 546 << 2.0 << 2;
        QTest::newRow("two and a part") << 600 << 600.0 / 273.0 << 2;
        QTest::newRow("part only") << 272 << 272.0 / 273.0 << 0;
        QTest::newRow("past one read-ahead chunk")
            << 273 * 500 + 7 << (273 * 500 + 7) / 273.0 << 500;
    }
    void countAndRecords() {
        QFETCH(int, size);
        QFETCH(double, count);
        QFETCH(int, readable);
        const QString path = files_.write("BBBSUSER.DAT", fileOfSize(std::size_t(size)));

        UserFile file;
        QVERIFY(!file.open(path.toStdString()));
        QCOMPARE(file.userCount(), count); // exact: length / 273, not rounded
        for (int n = 1; n <= readable; ++n) {
            const auto result = file.read(n);
            QVERIFY2(result.record, qPrintable(QString::number(n)));
            QCOMPARE(*result.record, tools::numberedUser(n));
        }
        const auto past = file.read(readable + 1);
        QVERIFY(!past.record);
        QCOMPARE(past.error.kind, FileError::Kind::RecordMissing);

        // Reading in file order through the buffer gives the same records and stops at the
        // last whole one.
        UserFile::Sequence sequence(file);
        for (int n = 1; n <= readable; ++n) {
            const auto result = sequence.next();
            QVERIFY(result.record);
            QCOMPARE(*result.record, *file.read(n).record);
        }
        QVERIFY(!sequence.next().record);
    }

    void readsArePositioned() {
        const QString path = files_.write("BBBSUSER.DAT", tools::userFileBytes(numberedUsers(5)));
        UserFile file;
        QVERIFY(!file.open(path.toStdString()));
        for (int n : {3, 1, 5, 3, 3, 2, 5, 1})
            QCOMPARE(*file.read(n).record, tools::numberedUser(n));
    }

    void recordNumbersPast32767() {
        const QString path =
            files_.write("BBBSUSER.DAT", tools::userFileBytes(numberedUsers(32770)));
        UserFile file;
        QVERIFY(!file.open(path.toStdString()));
        QCOMPARE(*file.read(32768).record, tools::numberedUser(32768));
        QCOMPARE(*file.read(32770).record, tools::numberedUser(32770));
    }

    void badRecordNumbers_data() {
        QTest::addColumn<qint64>("number");
        QTest::newRow("zero") << qint64(0);
        QTest::newRow("negative") << qint64(-1);
        QTest::newRow("one past the end") << qint64(3);
        QTest::newRow("far past the end") << qint64(1'000'000'000'000);
        QTest::newRow("offset would overflow") << std::numeric_limits<qint64>::max();
    }
    void badRecordNumbers() {
        QFETCH(qint64, number);
        const QString path = files_.write("BBBSUSER.DAT", tools::userFileBytes(numberedUsers(2)));
        UserFile file;
        QVERIFY(!file.open(path.toStdString()));
        const auto result = file.read(number);
        QVERIFY(!result.record);
        QCOMPARE(result.error.kind, FileError::Kind::RecordMissing);
    }

    void openFailures_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<FileError::Kind>("kind");
        QTest::newRow("missing") << "missing/BBBSUSER.DAT" << FileError::Kind::NotFound;
        QTest::newRow("missing in existing folder") << "NOFILE.DAT" << FileError::Kind::NotFound;
        QTest::newRow("directory") << "." << FileError::Kind::IsDirectory;
        QTest::newRow("empty path") << "" << FileError::Kind::NotFound;
        for (const auto& refused : systemRefusedPaths(files_.path(".")))
            QTest::newRow(refused.what) << refused.path << refused.kind;
    }
    void openFailures() {
        QFETCH(QString, path);
        QFETCH(FileError::Kind, kind);
        const QString full =
            path.isEmpty() || QDir::isAbsolutePath(path) ? path : files_.path(path);

        UserFile file;
        const FileError error = file.open(full.toStdString()); // a FIFO must not block here
        QCOMPARE(error.kind, kind);
        QVERIFY(!error.describe().empty());
        QVERIFY(!file.isOpen());
        QCOMPARE(file.userCount(), 0.0);
        QCOMPARE(file.read(1).error.kind, FileError::Kind::NoFile);
        if (kind == FileError::Kind::NotFound && !full.isEmpty())
            QVERIFY2(!QFileInfo::exists(full), "opening a missing file created it");
    }

    void noPermission() {
        const QString path = files_.write("locked.dat", tools::userFileBytes(numberedUsers(1)));
        QFile::setPermissions(path, QFileDevice::Permissions());
        UserFile file;
        const FileError error = file.open(path.toStdString());
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        if (!error)
            QSKIP("this user may read files without read permission (root); not testable here");
        QCOMPARE(error.kind, FileError::Kind::NoPermission);
    }

    void fileShrunkAfterCounting() {
        const QString path = files_.write("BBBSUSER.DAT", tools::userFileBytes(numberedUsers(3)));
        UserFile file;
        QVERIFY(!file.open(path.toStdString()));
        QCOMPARE(file.userCount(), 3.0);
        QVERIFY(QFile::resize(path, 400));
        QCOMPARE(*file.read(1).record, tools::numberedUser(1));
        for (int n : {2, 3}) {
            const auto result = file.read(n);
            QVERIFY(!result.record);
            QCOMPARE(result.error.kind, FileError::Kind::RecordMissing);
            QCOMPARE(result.error.recordNumber, n);
        }
        QCOMPARE(file.userCount(), 400.0 / 273.0); // counted afresh
    }

    void secondOpenReplacesFirst() {
        const QString first = files_.write("first.dat", tools::userFileBytes(numberedUsers(2)));
        const QString second =
            files_.write("second.dat", tools::userFileBytes({tools::numberedUser(9)}));
        UserFile file;
        QVERIFY(!file.open(first.toStdString()));
        QVERIFY(!file.open(second.toStdString()));
        QCOMPARE(file.userCount(), 1.0);
        QCOMPARE(*file.read(1).record, tools::numberedUser(9));
        // A failed open leaves nothing open, not the earlier file.
        QVERIFY(file.open(files_.path("gone.dat").toStdString()));
        QVERIFY(!file.isOpen());
    }

    // The board keeps writing the file while it is shown, and may rename it: the viewer must
    // neither be locked out nor lock the board out (Windows shares an open file only as asked).
    void sharedWithTheBoard() {
        const QString path = files_.write("BBBSUSER.DAT", tools::userFileBytes(numberedUsers(2)));
        QFile board(path);
        QVERIFY(board.open(QIODevice::ReadWrite | QIODevice::Append));
        UserFile file;
        QVERIFY(!file.open(path.toStdString()));
        const auto third = tools::userFileBytes({tools::numberedUser(3)});
        QCOMPARE(board.write(reinterpret_cast<const char*>(third.data()), qint64(third.size())),
                 qint64(third.size()));
        QVERIFY(board.flush());
        QCOMPARE(file.userCount(), 3.0);
        QCOMPARE(*file.read(3).record, tools::numberedUser(3));
        board.close();
        QVERIFY(QFile::rename(path, files_.path("BBBSUSER.OLD")));
        QCOMPARE(*file.read(2).record, tools::numberedUser(2));
    }

    // The path reaches the system whole, whatever its script (UTF-8 here; UTF-16 on Windows).
    void pathInAnyScript() {
        const QString path = files_.write(QString::fromUtf8("K\xC3\xA4ytt\xC3\xA4j\xC3\xA4t/"
                                                            "\xCE\xA7\xCF\x81\xE7\x94\xA8.DAT"),
                                          tools::userFileBytes(numberedUsers(2)));
        UserFile file;
        QVERIFY(!file.open(path.toStdString()));
        QCOMPARE(file.userCount(), 2.0);
        QCOMPARE(*file.read(2).record, tools::numberedUser(2));
    }

    void neverChangesTheFile() {
        const QString path = files_.write("BBBSUSER.DAT", fileOfSize(1000));
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup);
        const Snapshot before = snapshot(path);
        QTest::qWait(20); // a write now would show in the modification time
        {
            UserFile file;
            QVERIFY(!file.open(path.toStdString()));
            (void)file.userCount();
            for (int n : {1, 3, 2, 4, 0})
                (void)file.read(n);
            UserFile::Sequence sequence(file);
            while (sequence.next().record) {
            }
            QVERIFY(!file.open(path.toStdString()));
            file.closeAll();
            (void)file.read(1);
        }
        QCOMPARE(snapshot(path), before);
    }
};

QTEST_GUILESS_MAIN(TestUserFile)
#include "tst_user_file.moc"

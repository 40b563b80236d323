// Records decoded and shown as text; the file opened, counted and read, and how that fails.
#include "code_page.h"
#include "code_tables.h"
#include "shown_fields.h"
#include "support/test_files.h"
#include "support/this_system.h"
#include "user_file.h"
#include "user_file_writer.h"

#include <QFileInfo>
#include <QTest>

#include <numeric>
#include <random>

using namespace kivo;
using R = kivo::UserRecord;

Q_DECLARE_METATYPE(kivo::FileError::Kind)

namespace {

// No error carries no system code either.
const FileError kNoError{FileError::Kind::None, 0, 0};

// Where a field lies, as the record's own field list has it (its offsets are checked there).
template <class Field> int offsetOf(Field R::*member) {
    R r;
    int at = -1;
    forEachField(r, [&](std::size_t offset, auto& field) {
        if (static_cast<void*>(&field) == static_cast<void*>(&(r.*member)))
            at = int(offset);
    });
    return at;
}

// A record of NULs with the stored bytes at the offset.
RecordBytes recordWith(int offset, const QByteArray& stored) {
    RecordBytes bytes{};
    std::copy(stored.begin(), stored.end(), bytes.begin() + offset);
    return bytes;
}

// What the control shows for a record of NULs with the stored bytes at the offset.
QString shown(const QByteArray& control, int offset, const QByteArray& stored) {
    return QString::fromStdU16String(shownText(*shownFieldByControl(control.toStdString()),
                                               decodeRecord(recordWith(offset, stored))));
}

template <class Field>
void row(const char* name, const char* control, Field R::*field, const QByteArray& stored,
         const QString& text) {
    QTest::newRow(name) << QByteArray(control) << offsetOf(field) << stored << text;
}

QByteArray operator""_hex(const char* hex, std::size_t size) {
    return QByteArray::fromHex(QByteArray(hex, qsizetype(size)));
}

QByteArray byteRun(int first, int last) {
    QByteArray bytes(last - first + 1, '\0');
    std::iota(bytes.begin(), bytes.end(), char(first));
    return bytes;
}

// Numbered users, then the first bytes of the next one: a file of exactly this size.
std::vector<std::uint8_t> fileOfSize(std::size_t size) {
    std::vector<UserRecord> users;
    for (std::size_t n = 1; n <= size / kRecordSize + 1; ++n)
        users.push_back(tools::numberedUser(std::int64_t(n)));
    auto bytes = tools::userFileBytes(users);
    bytes.resize(size);
    return bytes;
}

std::optional<UserRecord> user(std::int64_t n) {
    return tools::numberedUser(n);
}

FileError missing(std::int64_t n) {
    return {FileError::Kind::RecordMissing, 0, n};
}

} // namespace

class TestUserFile : public QObject {
    Q_OBJECT
    kivo::testing::TestFiles files_;

    std::string write(const QString& name, std::size_t size) {
        return files_.write(name, fileOfSize(size)).toStdString();
    }

private slots:
    void shownFields_data() {
        QTest::addColumn<QByteArray>("control");
        QTest::addColumn<int>("offset");
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QString>("text");
        // Numbers at the limits of each width, stored little-endian.
        row("byte 255, unsigned", "udPagelength", &R::PageLength, "ff"_hex, "255");
        row("int16 min", "udTimelimit", &R::TimeLimit, "0080"_hex, "-32768");
        row("int16 max", "udTimeleft", &R::TimeLeft, "ff7f"_hex, "32767");
        row("int32 min", "txtMsgleft", &R::MessagesWritten, "00000080"_hex, "-2147483648");
        row("int32 max", "txtMsgread", &R::MessagesRead, "ffffff7f"_hex, "2147483647");
        row("int32 -1", "txtKbDown", &R::KbDownloaded, "ffffffff"_hex, "-1");
        row("int32 byte order", "txtTimeson", &R::TimesOn, "78563412"_hex, "305419896");
        row("int32, top byte", "txtFileUp", &R::FilesUploaded, "00000001"_hex, "16777216");
        row("resume 0 shows nothing", "txtResume", &R::ResumeNumber, "00"_hex, "");
        row("resume negative", "txtResume", &R::ResumeNumber, "fbffffff"_hex, "-5");
        // Codes: the last text of a table, and past it the stored number, not hidden.
        row("packer, past the table", "cboPackers", &R::Packer, "08"_hex, "Unknown (8)");
        row("protocol 1, the board's lower-case m", "cboProtocol", &R::Protocol, "01"_hex,
            "Ymodem");
        row("protocol, past the table", "cboProtocol", &R::Protocol, "09"_hex, "Unknown (9)");
        row("charset, byte max", "cboCharset", &R::Charset, "ff"_hex, "Unknown (255)");
        row("language, last option", "optLanguage", &R::Language,
            QByteArray(1, char(kLanguageCaptions.size() - 1)),
            QString::fromLatin1(kLanguageCaptions.back().data()));
        row("language past the options: none", "optLanguage", &R::Language,
            QByteArray(1, char(kLanguageCaptions.size())), "");
        // Texts: the bytes up to the first NUL, or the whole field.
        row("text, then NULs", "txtName", &R::Name, "ANNA", "ANNA");
        row("whole width, nothing of the next field", "txtName", &R::Name,
            QByteArray(30, 'a') + "Text", QString(30, 'a'));
        row("NUL first", "txtCity", &R::City, QByteArray("\0zz", 3), "");
        row("up to the first NUL", "txtPhone", &R::Phone, QByteArray("AB\0CD", 5), "AB");
        row("blanks stay", "txtBirth", &R::Birthdate, " 1.2. ", " 1.2. ");
    }
    void shownFields() {
        QFETCH(QByteArray, control);
        QFETCH(int, offset);
        QFETCH(QByteArray, stored);
        QFETCH(QString, text);
        QCOMPARE(shown(control, offset, stored), text);
        if (offset == offsetOf(&R::Name)) // the list takes the name without decoding the record
            QCOMPARE(QString::fromLatin1(storedNameBytes(recordWith(offset, stored))), text);
    }

    void codePage_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("controls as their symbols")
            << QByteArray("\x01\t\n\r\x1B\x1F\x7F")
            << QString::fromUtf16(u"\u2401\u2409\u240A\u240D\u241B\u241F\u2421");
        QTest::newRow("0x80-0x9F, unassigned as the same control, then 0xA0")
            << byteRun(0x80, 0xA0)
            << QString::fromUtf16(u"\u20AC\u0081\u201A\u0192\u201E\u2026\u2020\u2021"
                                  u"\u02C6\u2030\u0160\u2039\u0152\u008D\u017D\u008F"
                                  u"\u0090\u2018\u2019\u201C\u201D\u2022\u2013\u2014"
                                  u"\u02DC\u2122\u0161\u203A\u0153\u009D\u017E\u0178\u00A0");
        const QByteArray latin1 = byteRun(0x20, 0x7E) + byteRun(0xA0, 0xFF);
        QTest::newRow("the rest as Latin-1") << latin1 << QString::fromLatin1(latin1);
    }
    void codePage() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(QString::fromStdU16String(decodeCodePage(bytes.toStdString())), text);
    }

    // Any bytes decode and encode back unchanged: no byte is skipped, shared or moved.
    void everyByteBelongsToOneField() {
        std::mt19937 random(273);
        for (int round = 0; round < 100; ++round) {
            RecordBytes bytes;
            for (auto& b : bytes)
                b = std::uint8_t(random());
            QVERIFY(encodeRecord(decodeRecord(bytes)) == bytes);
        }
    }

    void countAndRecords_data() {
        QTest::addColumn<int>("size");
        QTest::addColumn<double>("count");
        QTest::addColumn<int>("whole");
        QTest::newRow("empty") << 0 << 0.0 << 0;
        QTest::newRow("part of a user") << 272 << 272 / 273.0 << 0;
        QTest::newRow("one user") << 273 << 1.0 << 1;
        QTest::newRow("two and a part") << 600 << 600 / 273.0 << 2;
        QTest::newRow("past 32767 users and a read-ahead chunk")
            << 273 * 32770 + 7 << (273 * 32770 + 7) / 273.0 << 32770;
    }
    void countAndRecords() {
        QFETCH(int, size);
        QFETCH(double, count);
        QFETCH(int, whole);
        UserFile file;
        QCOMPARE(file.open(write("BBBSUSER.DAT", std::size_t(size))), kNoError);
        QCOMPARE(file.userCount(), count); // exact: the length / 273, not rounded
        // Last first: each read is at its record's place, not where the last one ended.
        for (int n = whole; n >= 1; --n)
            QCOMPARE(file.read(n).record, user(n));
        UserFile::Sequence sequence(file);
        for (int n = 1; n <= whole; ++n)
            QCOMPARE(sequence.next().record, user(n));
        QCOMPARE(sequence.next().error, missing(whole + 1));
        for (const qint64 n : std::initializer_list<qint64>{0, -1, whole + 1, INT64_MAX, INT64_MIN})
            QCOMPARE(file.read(n).error, missing(n));
    }

    // Each after a file was open: a failed open leaves nothing open, not the earlier file.
    void openFailures_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<FileError::Kind>("kind");
        const QString locked = files_.write("locked.dat", fileOfSize(273));
        QFile::setPermissions(locked, {});
        QTest::newRow("missing") << files_.path("NOFILE.DAT") << FileError::Kind::NotFound;
        QTest::newRow("missing folder")
            << files_.path("missing/BBBSUSER.DAT") << FileError::Kind::NotFound;
        QTest::newRow("empty path") << QString() << FileError::Kind::NotFound;
        // The name of the file the test opens first, and more after a NUL: never that file.
        QTest::newRow("NUL in the name")
            << files_.path("BBBSUSER.DAT") + QChar(0) + ".txt" << FileError::Kind::BadName;
        QTest::newRow("folder") << files_.path(".") << FileError::Kind::IsDirectory;
        QTest::newRow("no permission") << locked << FileError::Kind::NoPermission;
        for (const auto& refused : kivo::testing::systemRefusedPaths(files_.path(".")))
            QTest::newRow(refused.what) << refused.path << refused.kind;
    }
    void openFailures() {
        QFETCH(QString, path);
        QFETCH(FileError::Kind, kind);
        if (kind == FileError::Kind::NoPermission && QFile(path).open(QIODevice::ReadOnly))
            QSKIP("read permission binds no one here (root, or no such permission)");
        UserFile file;
        QCOMPARE(file.open(write("BBBSUSER.DAT", 546)), kNoError);
        QCOMPARE(file.open(path.toStdString()).kind, kind); // a FIFO must not block here
        QVERIFY(!file.isOpen());
        QCOMPARE(file.userCount(), 0.0);
        QCOMPARE(file.read(1).error, (FileError{FileError::Kind::NoFile, 0, 0}));
        if (kind == FileError::Kind::NotFound && !path.isEmpty())
            QVERIFY2(!QFileInfo::exists(path), "opening a missing file made it");
    }

    // The second file replaces the first; its path reaches the system whole, whatever its
    // script (UTF-8 here; UTF-16 on Windows).
    void secondOpenInAnyScript() {
        UserFile file;
        QCOMPARE(file.open(write("first.dat", 273 * 3)), kNoError);
        const QString second = QString::fromUtf8("K\xC3\xA4ytt\xC3\xA4j\xC3\xA4t/"
                                                 "\xCE\xA7\xCF\x81\xE7\x94\xA8.DAT");
        QCOMPARE(file.open(write(second, 273 * 2)), kNoError);
        QCOMPARE(file.userCount(), 2.0);
        QCOMPARE(file.read(3).error, missing(3));
    }

    void fileShrunkAfterCounting() {
        UserFile file;
        const std::string path = write("BBBSUSER.DAT", 273 * 3);
        QCOMPARE(file.open(path), kNoError);
        QCOMPARE(file.userCount(), 3.0);
        QVERIFY(QFile::resize(QString::fromStdString(path), 400));
        QCOMPARE(file.userCount(), 400 / 273.0); // asked afresh
        QCOMPARE(file.read(1).record, user(1));
        QCOMPARE(file.read(2).error, missing(2));
    }

    // The board keeps writing the file while it is shown, and may rename it: the viewer must
    // neither be locked out nor lock the board out (Windows shares an open file only as asked).
    void sharedWithTheBoard() {
        const QString path = QString::fromStdString(write("BBBSUSER.DAT", 273 * 2));
        QFile board(path);
        QVERIFY(board.open(QIODevice::ReadWrite | QIODevice::Append));
        UserFile file;
        QCOMPARE(file.open(path.toStdString()), kNoError);
        const auto third = fileOfSize(273 * 3);
        QCOMPARE(board.write(reinterpret_cast<const char*>(third.data()) + 273 * 2, 273), 273LL);
        QVERIFY(board.flush());
        QCOMPARE(file.userCount(), 3.0);
        QCOMPARE(file.read(3).record, user(3));
        board.close();
        QVERIFY(QFile::rename(path, files_.path("BBBSUSER.OLD")));
        QCOMPARE(file.read(2).record, user(2));
    }
};

QTEST_GUILESS_MAIN(TestUserFile)
#include "tst_user_file.moc"

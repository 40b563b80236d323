// Finding typed text in stored bytes: letter-case folding over the code page, the substring rule,
// and the search over the file's records in list order.
#include "code_page.h"
#include "record_search.h"
#include "support/test_files.h"
#include "text_matcher.h"
#include "user_file.h"
#include "user_file_writer.h"

#include <QTest>

using namespace kivo;

namespace {

std::u16string typedText(const QString& text) {
    return text.toStdU16String();
}

// Five users with a town, a street, a phone and a birthdate, then numbered users.
std::vector<UserRecord> users() {
    std::vector<UserRecord> all(5);
    all[0].City = makeTextField<30>("33100 Tampere");
    all[1].Address = makeTextField<30>("Tampereentie 5");
    all[2].Phone = makeTextField<18>("03-555 2231");
    all[2].Birthdate = makeTextField<18>("12-03-75");
    // "Tampere" only across the end of one text and the start of the next, and after a NUL.
    all[3].Address = makeTextField<30>(std::string(27, 'x') + "Tam");
    all[3].City = makeTextField<30>(std::string_view("pere\0Tampere", 12));
    all[4].City = makeTextField<30>("TAMPERE");
    for (int n = 1; n <= 2000; ++n)
        all.push_back(tools::numberedUser(n)); // "City 999" at rows 1003 and 2003
    return all;
}

} // namespace

class TestFind : public QObject {
    Q_OBJECT
    kivo::testing::TestFiles files_;

private slots:
    // A letter and its own capital fold together, as Qt pairs them; nothing else does. Find and
    // the list's type-to-find both compare through this table.
    void caseFolding() {
        for (int byte = 1; byte < 256; ++byte) {
            const QChar shown(codePageToUnicode(static_cast<unsigned char>(byte)));
            const auto small = codePageByte(shown.toLower().unicode());
            QCOMPARE(int(kFoldedCodePage[std::size_t(byte)]), small ? int(*small) : byte);
        }
    }

    void matching_data() {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("matchCase");
        QTest::addColumn<bool>("isIn");
        QTest::addColumn<bool>("startsIn");
        const auto row = [](const char* name, const QByteArray& stored, const QString& typed,
                            bool matchCase, bool isIn, bool startsIn) {
            QTest::newRow(name) << stored << typed << matchCase << isIn << startsIn;
        };
        row("a surname inside", "Anna Virtanen", "VIRTANEN", false, true, false);
        row("case matched", "Anna Virtanen", "Virtanen", true, true, false);
        row("case not matched", "Anna Virtanen", "virtanen", true, false, false);
        row("the start, either case", "Anna Virtanen", "aNNA", false, true, true);
        row("after a partial match", "Maamies", "ami", false, true, false);
        row("the whole text", "abc", "ABC", false, true, true);
        row("longer than the text", "ab", "abc", false, false, false);
        row("ä is not a", "M\xE4ki", "maki", false, false, false);
        row("a is not ä", "Maki", "m\u00E4ki", false, false, false);
        row("Ä finds ä", "M\xE4ki", "M\u00C4KI", false, true, true);
        row("Ä does not when case matters", "M\xE4ki", "M\u00C4KI", true, false, false);
        row("š finds Š", "\x8Aimon", "\u0161imon", false, true, true);
        row("Ÿ finds ÿ", "Ka\xFF", "KA\u0178", false, true, true);
        row("ÿ finds Ÿ, not y",
            "\x9F"
            "v",
            "yv", false, false, false);
        row("€ as itself", "10\x80 off", "0\u20AC", true, true, false);
        row("a control byte by its symbol", "A\tB", "\u2409B", false, true, false);
        row("not by the raw control", "A\tB", "\tB", false, false, false);
        // Texts longer than sixteen bytes are compared sixteen places at a time.
        row("the start of a long text", "Tampere, and a long street name", "TAMPERE", false, true,
            true);
        row("across the sixteenth byte", "0123456789abcdeFGhij", "fgh", false, true, false);
        row("at the end of a long text", "Long street name, then Tampere", "TAMPERE", false, true,
            false);
        row("its first byte last, the rest missing", "Long street name, then Tampere", "ex", false,
            false, false);
        row("nothing typed", "Anna", "", false, false, false);
        row("a character the code page lacks", "Anna", "\u03A9", false, false, false);
    }
    void matching() {
        QFETCH(QByteArray, stored);
        QFETCH(QString, typed);
        QFETCH(bool, matchCase);
        QFETCH(bool, isIn);
        QFETCH(bool, startsIn);
        const TextMatcher text(typedText(typed),
                               matchCase ? LetterCase::Match : LetterCase::Ignore);
        QCOMPARE(text.isIn(stored.toStdString()), isIn);
        QCOMPARE(text.startsIn(stored.toStdString()), startsIn);
    }

    void recordSearch_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<qint64>("rows");
        QTest::addColumn<qint64>("first");
        QTest::addColumn<bool>("backwards");
        QTest::addColumn<qint64>("steps");
        QTest::addColumn<qint64>("step");   // -1: none
        QTest::addColumn<QString>("field"); // and its caption
        QTest::addColumn<bool>("wrapped");
        const qint64 rows = qint64(users().size());
        QTest::newRow("a town") << "tampere" << rows << 0LL << false << rows << 0LL
                                << "Postno./City" << false;
        QTest::newRow("a street") << "tampere" << rows << 1LL << false << rows << 0LL << "Address"
                                  << false;
        QTest::newRow("not across two texts, nor after one's end")
            << "tampere" << rows << 3LL << false << rows << 1LL << "Postno./City" << false;
        QTest::newRow("phone digits, backwards round the start")
            << "555 22" << rows << 1LL << true << rows << rows - 1 << "Phone" << true;
        QTest::newRow("a birthdate")
            << "03-75" << rows << 0LL << false << rows << 2LL << "Birthdate" << false;
        QTest::newRow("from the last row: round at once")
            << "tampere" << rows << rows << false << rows << 0LL << "Postno./City" << true;
        QTest::newRow("across runs of records")
            << "city 999" << rows << 0LL << false << rows << 1003LL << "Postno./City" << false;
        QTest::newRow("backwards across runs and round the start")
            << "city 999" << rows << 1002LL << true << rows << 1004LL << "Postno./City" << true;
        QTest::newRow("only the steps asked for")
            << "city 999" << rows << 0LL << false << 1003LL << -1LL << "" << false;
        QTest::newRow("rows the file no longer holds are passed over")
            << "tampere" << rows + 3 << rows << false << rows + 3 << 3LL << "Postno./City" << true;
        QTest::newRow("in no record")
            << "helsinki" << rows << 0LL << false << rows << -1LL << "" << false;
    }
    void recordSearch() {
        QFETCH(QString, typed);
        QFETCH(qint64, rows);
        QFETCH(qint64, first);
        QFETCH(bool, backwards);
        QFETCH(qint64, steps);
        QFETCH(qint64, step);
        QFETCH(QString, field);
        QFETCH(bool, wrapped);
        static const QString path = files_.write("BBBSUSER.DAT", tools::userFileBytes(users()));
        UserFile file;
        QVERIFY(!file.open(path.toStdString()));
        const TextMatcher text(typedText(typed), LetterCase::Ignore);
        const SearchOrder order{rows, first, backwards};
        const auto& fields = textFieldsButTheName();
        const auto hit = findInRecords(file, text, fields, order, 0, steps);
        QCOMPARE(hit ? hit->step : -1, step);
        QCOMPARE(hit ? QString::fromLatin1(hit->field->caption) : QString(), field);
        QCOMPARE(order.wrappedAt(step), wrapped);
        std::stop_source stopped;
        stopped.request_stop();
        QVERIFY(!findInRecords(file, text, fields, order, 0, steps, stopped.get_token()));
    }

    // A search in another thread reads through a handle of its own: the window may open another
    // file meanwhile.
    void copyReadsOnAlone() {
        UserFile file;
        UserFile copy;
        QCOMPARE(copy.openCopyOf(file).kind, FileError::Kind::NoFile);
        QVERIFY(!file.open(files_.write("first.dat", tools::userFileBytes(users())).toStdString()));
        QVERIFY(!copy.openCopyOf(file));
        QVERIFY(!file.open(files_.write("second.dat", tools::userFileBytes({})).toStdString()));
        QCOMPARE(copy.read(1).record, users()[0]);
        file.closeAll();
        QCOMPARE(copy.read(2005).record, users().back());
    }
};

QTEST_GUILESS_MAIN(TestFind)
#include "tst_find.moc"

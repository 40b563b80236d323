// The record decoder, the text rule, the code tables and the code page.
#include "code_page.h"
#include "code_tables.h"
#include "user_record.h"

#include <QTest>

#include <functional>
#include <map>
#include <random>
#include <set>

using namespace kivo;

namespace {

using Getter = std::function<qint64(const UserRecord&)>;

// The numeric fields the window shows, plus the last field of the record.
const std::map<QString, Getter>& numericFields() {
    static const std::map<QString, Getter> fields = {
        {"PageLength", [](const UserRecord& r) { return r.PageLength; }},
        {"Charset", [](const UserRecord& r) { return r.Charset; }},
        {"Language", [](const UserRecord& r) { return r.Language; }},
        {"Packer", [](const UserRecord& r) { return r.Packer; }},
        {"Protocol", [](const UserRecord& r) { return r.Protocol; }},
        {"TimeLimit", [](const UserRecord& r) { return r.TimeLimit; }},
        {"TimeLeft", [](const UserRecord& r) { return r.TimeLeft; }},
        {"TimesOn", [](const UserRecord& r) { return r.TimesOn; }},
        {"MessagesWritten", [](const UserRecord& r) { return r.MessagesWritten; }},
        {"MessagesRead", [](const UserRecord& r) { return r.MessagesRead; }},
        {"MessagesDumped", [](const UserRecord& r) { return r.MessagesDumped; }},
        {"FilesUploaded", [](const UserRecord& r) { return r.FilesUploaded; }},
        {"FilesDownloaded", [](const UserRecord& r) { return r.FilesDownloaded; }},
        {"KbUploaded", [](const UserRecord& r) { return r.KbUploaded; }},
        {"KbDownloaded", [](const UserRecord& r) { return r.KbDownloaded; }},
        {"ResumeNumber", [](const UserRecord& r) { return r.ResumeNumber; }},
        {"Long269", [](const UserRecord& r) { return r.Long269; }},
    };
    return fields;
}

using TextGetter = std::function<std::string_view(const UserRecord&)>;

const std::map<QString, TextGetter>& textFields() {
    static const std::map<QString, TextGetter> fields = {
        {"Name", [](const UserRecord& r) { return displayedBytes(r.Name); }},
        {"Address", [](const UserRecord& r) { return displayedBytes(r.Address); }},
        {"City", [](const UserRecord& r) { return displayedBytes(r.City); }},
        {"Phone", [](const UserRecord& r) { return displayedBytes(r.Phone); }},
        {"Birthdate", [](const UserRecord& r) { return displayedBytes(r.Birthdate); }},
    };
    return fields;
}

RecordBytes zeroRecord() {
    return RecordBytes{};
}

} // namespace

std::optional<std::string_view> lookUp(std::span<const std::string_view> table, int value) {
    if (value < 0 || std::size_t(value) >= table.size())
        return std::nullopt;
    return table[std::size_t(value)];
}

class TestUserRecord : public QObject {
    Q_OBJECT
private slots:
    void numericFieldAtItsOffset_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("offset");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<qint64>("expected");

        QTest::newRow("PageLength max") << "PageLength" << 144 << QByteArray("\xFF", 1) << 255LL;
        QTest::newRow("Charset") << "Charset" << 145 << QByteArray("\x0A", 1) << 10LL;
        QTest::newRow("Language unsigned") << "Language" << 146 << QByteArray("\x80", 1) << 128LL;
        QTest::newRow("Packer") << "Packer" << 148 << QByteArray("\x07", 1) << 7LL;
        QTest::newRow("Protocol") << "Protocol" << 149 << QByteArray("\xFE", 1) << 254LL;
        QTest::newRow("TimeLimit -1") << "TimeLimit" << 151 << QByteArray("\xFF\xFF", 2) << -1LL;
        QTest::newRow("TimeLimit min")
            << "TimeLimit" << 151 << QByteArray("\x00\x80", 2) << -32768LL;
        QTest::newRow("TimeLimit max")
            << "TimeLimit" << 151 << QByteArray("\xFF\x7F", 2) << 32767LL;
        QTest::newRow("TimeLeft little-endian")
            << "TimeLeft" << 153 << QByteArray("\x34\x12", 2) << 0x1234LL;
        QTest::newRow("TimesOn 1") << "TimesOn" << 161 << QByteArray("\x01\x00\x00\x00", 4) << 1LL;
        QTest::newRow("TimesOn -1")
            << "TimesOn" << 161 << QByteArray("\xFF\xFF\xFF\xFF", 4) << -1LL;
        QTest::newRow("MessagesWritten min")
            << "MessagesWritten" << 169 << QByteArray("\x00\x00\x00\x80", 4) << -2147483648LL;
        QTest::newRow("MessagesRead max")
            << "MessagesRead" << 177 << QByteArray("\xFF\xFF\xFF\x7F", 4) << 2147483647LL;
        QTest::newRow("MessagesDumped")
            << "MessagesDumped" << 185 << QByteArray("\x78\x56\x34\x12", 4) << 0x12345678LL;
        QTest::newRow("FilesUploaded")
            << "FilesUploaded" << 193 << QByteArray("\x02\x00\x00\x00", 4) << 2LL;
        QTest::newRow("FilesDownloaded")
            << "FilesDownloaded" << 201 << QByteArray("\x00\x01\x00\x00", 4) << 256LL;
        QTest::newRow("KbUploaded")
            << "KbUploaded" << 209 << QByteArray("\x00\x00\x01\x00", 4) << 65536LL;
        QTest::newRow("KbDownloaded")
            << "KbDownloaded" << 217 << QByteArray("\xFE\xFF\xFF\xFF", 4) << -2LL;
        QTest::newRow("ResumeNumber -5")
            << "ResumeNumber" << 225 << QByteArray("\xFB\xFF\xFF\xFF", 4) << -5LL;
        QTest::newRow("ResumeNumber 1234")
            << "ResumeNumber" << 225 << QByteArray("\xD2\x04\x00\x00", 4) << 1234LL;
        QTest::newRow("last field, last byte")
            << "Long269" << 269 << QByteArray("\x00\x00\x00\x01", 4) << 0x01000000LL;
    }
    void numericFieldAtItsOffset() {
        QFETCH(QString, field);
        QFETCH(int, offset);
        QFETCH(QByteArray, bytes);
        QFETCH(qint64, expected);

        auto buffer = zeroRecord();
        std::copy(bytes.begin(), bytes.end(), buffer.begin() + offset);
        const UserRecord decoded = decodeRecord(buffer);
        QCOMPARE(numericFields().at(field)(decoded), expected);

        // The bytes land in this field alone: clearing it gives back the all-zero record.
        UserRecord cleared = decoded;
        UserRecord zero = decodeRecord(zeroRecord());
        forEachField(cleared, [&](std::size_t at, auto& value) {
            if (at == static_cast<std::size_t>(offset))
                value = {};
        });
        QCOMPARE(cleared == zero, true);
    }

    void textFieldAtItsOffset_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("width");
        QTest::newRow("Name") << "Name" << 0 << 30;
        QTest::newRow("Address") << "Address" << 46 << 30;
        QTest::newRow("City") << "City" << 76 << 30;
        QTest::newRow("Phone") << "Phone" << 106 << 18;
        QTest::newRow("Birthdate") << "Birthdate" << 124 << 18;
    }
    void textFieldAtItsOffset() {
        QFETCH(QString, field);
        QFETCH(int, offset);
        QFETCH(int, width);
        // Fill every byte of the record with a marker, then the field with letters: the field
        // shows exactly its own width, no NUL in it, nothing of its neighbours.
        RecordBytes buffer;
        buffer.fill('#');
        std::string expected;
        for (int i = 0; i < width; ++i)
            expected.push_back(static_cast<char>('a' + i % 26));
        std::copy(expected.begin(), expected.end(), buffer.begin() + offset);
        QCOMPARE(std::string(textFields().at(field)(decodeRecord(buffer))), expected);
    }

    void displayedTextRule_data() {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QByteArray>("shown");
        QTest::newRow("name then NULs")
            << QByteArray("ANNA") + QByteArray(26, '\0') << QByteArray("ANNA");
        QTest::newRow("all blanks stay") << QByteArray(30, ' ') << QByteArray(30, ' ');
        QTest::newRow("no NUL shows all") << QByteArray(30, 'x') << QByteArray(30, 'x');
        QTest::newRow("NUL first") << QByteArray(1, '\0') + QByteArray(29, 'z') << QByteArray();
        QTest::newRow("stops at first NUL")
            << QByteArray("AB\0CD", 5) + QByteArray(25, '\0') << QByteArray("AB");
        QTest::newRow("trailing blanks stay")
            << QByteArray("Bo  ") + QByteArray(26, '\0') << QByteArray("Bo  ");
    }
    void displayedTextRule() {
        QFETCH(QByteArray, stored);
        QFETCH(QByteArray, shown);
        QCOMPARE(stored.size(), 30);
        auto buffer = zeroRecord();
        std::copy(stored.begin(), stored.end(), buffer.begin());
        const UserRecord record = decodeRecord(buffer); // the text is a view into this record
        const auto text = displayedBytes(record.Name);
        QCOMPARE(QByteArray(text.data(), static_cast<qsizetype>(text.size())), shown);
    }

    void everyByteBelongsToOneField() {
        // Decoding then encoding any 273 bytes gives them back: no byte is skipped or shared.
        std::mt19937 random(273);
        for (int round = 0; round < 200; ++round) {
            RecordBytes bytes;
            for (auto& b : bytes)
                b = static_cast<std::uint8_t>(random());
            QVERIFY(encodeRecord(decodeRecord(bytes)) == bytes);
        }
    }

    void allZeroRecord() {
        const UserRecord r = decodeRecord(zeroRecord());
        for (const auto& [name, text] : textFields())
            QVERIFY2(text(r).empty(), qPrintable(name));
        for (const auto& [name, value] : numericFields())
            QVERIFY2(value(r) == 0, qPrintable(name));
        QCOMPARE(lookUp(kPackerTexts, r.Packer).value(), "Text");
        QCOMPARE(lookUp(kProtocolTexts, r.Protocol).value(), "ZModem");
        QCOMPARE(lookUp(kCharsetTexts, r.Charset).value(), "IBM");
        QCOMPARE(kLanguageCaptions[r.Language], "English");
    }

    void codeTableLookup_data() {
        QTest::addColumn<QString>("table");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("text"); // empty: no text for that value
        QTest::newRow("packer first") << "packer" << 0 << "Text";
        QTest::newRow("packer last") << "packer" << 7 << "RAR";
        QTest::newRow("packer past end") << "packer" << 8 << "";
        QTest::newRow("protocol lower-case m") << "protocol" << 1 << "Ymodem";
        QTest::newRow("protocol batch") << "protocol" << 5 << "YModem BATCH";
        QTest::newRow("protocol last") << "protocol" << 8 << "ZedZap";
        QTest::newRow("protocol past end") << "protocol" << 9 << "";
        QTest::newRow("charset last") << "charset" << 10 << "MAC";
        QTest::newRow("charset past end") << "charset" << 11 << "";
        QTest::newRow("charset byte max") << "charset" << 255 << "";
        QTest::newRow("negative") << "charset" << -1 << "";
    }
    void codeTableLookup() {
        QFETCH(QString, table);
        QFETCH(int, value);
        QFETCH(QString, text);
        const std::map<QString, std::span<const std::string_view>> tables = {
            {"packer", kPackerTexts}, {"protocol", kProtocolTexts}, {"charset", kCharsetTexts}};
        const auto found = lookUp(tables.at(table), value);
        QCOMPARE(found.has_value(), !text.isEmpty());
        if (found)
            QCOMPARE(QString::fromLatin1(found->data(), qsizetype(found->size())), text);
    }

    void codePage_data() {
        QTest::addColumn<int>("byte");
        QTest::addColumn<int>("unicode");
        QTest::newRow("ASCII letter") << 0x41 << 0x41;
        QTest::newRow("first control, as its symbol") << 0x01 << 0x2401;
        QTest::newRow("last control, as its symbol") << 0x1F << 0x241F;
        QTest::newRow("blank") << 0x20 << 0x20;
        QTest::newRow("tilde") << 0x7E << 0x7E;
        QTest::newRow("DEL, as its symbol") << 0x7F << 0x2421;
        QTest::newRow("euro") << 0x80 << 0x20AC;
        QTest::newRow("unassigned 81") << 0x81 << 0x81;
        QTest::newRow("S caron") << 0x8A << 0x160;
        QTest::newRow("unassigned 8D") << 0x8D << 0x8D;
        QTest::newRow("unassigned 8F") << 0x8F << 0x8F;
        QTest::newRow("unassigned 90") << 0x90 << 0x90;
        QTest::newRow("left quote") << 0x91 << 0x2018;
        QTest::newRow("unassigned 9D") << 0x9D << 0x9D;
        QTest::newRow("Y diaeresis") << 0x9F << 0x178;
        QTest::newRow("no-break space") << 0xA0 << 0xA0;
        QTest::newRow("a diaeresis") << 0xE4 << 0xE4;
        QTest::newRow("y diaeresis") << 0xFF << 0xFF;
    }
    void codePage() {
        QFETCH(int, byte);
        QFETCH(int, unicode);
        QCOMPARE(int(codePageToUnicode(static_cast<unsigned char>(byte))), unicode);
    }

    void codePageLosesNothing() {
        // Every byte becomes one character, and no two bytes the same character.
        std::string all;
        for (int b = 0; b < 256; ++b)
            all.push_back(static_cast<char>(b));
        const std::u16string text = decodeCodePage(all);
        QCOMPARE(text.size(), std::size_t(256));
        QCOMPARE(std::set<char16_t>(text.begin(), text.end()).size(), std::size_t(256));
    }
};

QTEST_APPLESS_MAIN(TestUserRecord)
#include "tst_user_record.moc"

#include "sample_users.h"

#include <string_view>

namespace kivo::tools {
namespace {

struct Sample {
    std::string_view name, address, city, phone, birthdate; // Windows-1252 bytes
    int language, packer, protocol, charset, pageLength, timeLimit, timeLeft, resume;
    int timesOn;
};

// One user a line, as a table reads best.
// clang-format off
// Texts are in the board's code page: "\xF6" is ö, "\xE5" is å, "\x8A" is Š, and so on.
constexpr Sample kSamples[] = {
    {"Sysop", "Board Street 1", "00100 Helsinki", "+358 9 555 0100", "01-01-70", 0, 2, 0, 2, 24, 32000, 32000, 1, 4821},
    {"Anna Virtanen", "Kuusitie 4 B 12", "33100 Tampere", "03-555 2231", "12-03-75", 1, 2, 0, 0, 25, 60, 45, 0, 312},
    {"Matti Meik\xE4l\xE4inen", "Rantakatu 9", "90100 Oulu", "08-555 7788", "30-11-68", 1, 3, 1, 1, 23, 90, 90, 0, 1207},
    {"Sven \xC5kesson", "Storgatan 12", "111 22 Stockholm", "08-555 12 34", "05-06-72", 2, 4, 2, 2, 24, 45, 12, 17, 88},
    {"Kari Nordmann", "Karl Johans gate 3", "0154 Oslo", "22 55 50 00", "17-05-80", 3, 1, 3, 6, 25, 60, 0, 0, 46},
    {"Ingrid Fj\xF8rtoft", "Fjellveien 7", "5003 Bergen", "55 55 12 12", "23-09-66", 3, 5, 4, 6, 24, 120, 118, 2, 530},
    {"J\xF6rg M\xFCller", "Hauptstra\xDF" "e 21", "10115 Berlin", "030 5550 1234", "08-08-64", 0, 6, 5, 5, 25, 60, 60, 0, 9},
    {"Fran\xE7ois L\xE9vesque", "12 rue de la Paix", "75002 Paris", "01 55 55 12 12", "14-07-79", 0, 7, 6, 7, 24, 30, 30, 3, 77},
    {"Giulia Rossi", "Via Roma 5", "00184 Roma", "06 5555 1234", "02-06-83", 0, 2, 7, 8, 24, 60, 20, 0, 14},
    {"Jos\xE9 Garc\xED" "a", "Calle Mayor 8", "28013 Madrid", "91 555 12 34", "12-10-77", 0, 2, 8, 9, 24, 60, 60, 0, 21},
    {"Pierre-\xC9tienne Dubois", "4 quai des Fleurs", "69001 Lyon", "04 55 55 00 00", "29-02-76", 0, 0, 0, 10, 25, 60, 59, 0, 3},
    {"Ji\x9Ar\xED \x8A" "tastn\xFD", "N\xE1" "rodn\xED 1", "110 00 Praha", "+420 555 000 111", "01-04-81", 0, 1, 2, 2, 24, 60, 60, 0, 5},
    {"Alexandra Montgomery-Fairweather", "The Old Rectory, Long Lane", "Little Snoring NR21 0AA", "01328 555 0123", "31-12-59", 0, 2, 0, 0, 24, 240, 240, 0, 1999},
    {"", "(no name given)", "", "", "", 0, 0, 0, 0, 0, 0, 0, 0, 0},
    {"   ", "Name is three blanks", "", "", "", 0, 0, 0, 0, 24, 10, 10, 0, 1},
    {"Trailing Blanks   ", "Some Road 2   ", "Town   ", "555   ", "01-01-01", 0, 2, 0, 0, 24, 60, 60, 0, 2},
    {"Olli Sein\xE4j\xE4rvi", "Asematie 1", "60100 Sein\xE4joki", "06-555 1001", "22-02-74", 1, 3, 1, 0, 24, 60, 60, 5, 64},
    {"Lena Lindstr\xF6m", "Kungsgatan 44", "411 19 G\xF6teborg", "031-555 55 55", "03-03-85", 2, 4, 3, 2, 24, 60, 60, 0, 132},
    {"Ole Br\xE5then", "Torget 2", "7011 Trondheim", "73 55 55 55", "10-10-70", 3, 2, 7, 6, 24, 60, 30, 0, 400},
    {"Old Timer", "Modem Lane 2400", "Baud City", "555-2400", "01-01-50", 0, 1, 2, 4, 24, 30, 5, 0, 7000},
    {"Hydra Fan", "Protocol Park 7", "Bi-Directional", "555-0007", "07-07-77", 0, 7, 7, 0, 25, 60, 60, 0, 700},
    {"ZedZap Zoe", "Fast Lane 9", "Zap Town", "555-9999", "09-09-90", 0, 7, 8, 2, 25, 60, 60, 0, 90},
    {"Slow Hydra Sam", "Patience Road 1", "Waitville", "555-0001", "01-02-63", 0, 3, 3, 3, 24, 60, 60, 0, 11},
    {"Batch Betty", "Queue Street 5", "Batchford", "555-5555", "05-05-55", 0, 5, 5, 1, 24, 60, 60, 0, 55},
    {"Crc Carl", "Check Road 16", "Crcton", "555-1616", "16-06-66", 0, 6, 4, 4, 24, 60, 60, 0, 16},
    {"Language Five", "Spare Slot 5", "Nowhere", "", "", 4, 0, 0, 0, 24, 60, 60, 0, 1},
    {"Language Eight", "Spare Slot 8", "Nowhere", "", "", 8, 0, 0, 0, 24, 60, 60, 0, 1},
    {"Odd Codes", "Values the board never wrote", "Packer 12, Protocol 9", "", "", 9, 12, 9, 11, 255, -1, 32767, -5, -1},
    {"Max Limits", "Spinners at their ends", "", "", "", 0, 0, 0, 0, 254, 32000, 32000, 2147483647, 2147483647},
    {"Resume Reader", "CV Avenue 1234", "Hiring Hills", "555-1234", "12-12-82", 0, 2, 0, 0, 24, 60, 60, 1234, 40},
    {"Night Owl", "Moonlight Drive 12", "Midnight", "555-0000", "00-00-00", 0, 2, 0, 0, 24, 60, 1, 0, 365},
    {"Guest", "", "", "", "", 0, 0, 0, 0, 24, 15, 15, 0, 10000},
    {"Euro \x80 Trader", "Dollar $ Lane", "Pound \xA3 Town", "", "", 0, 2, 0, 0, 24, 60, 60, 0, 8},
    {"Noora M\xE4kinen", "Koulukatu 3 A 1", "20100 Turku", "02-555 3003", "13-13-13", 1, 2, 0, 0, 24, 60, 60, 0, 120},
    {"Erik Sj\xF6" "berg", "Ringv\xE4" "gen 8", "118 60 Stockholm", "08-555 6060", "06-06-66", 2, 2, 6, 2, 24, 60, 60, 0, 6},
    {"Last User", "End of File Road", "Omega", "555-LAST", "31-12-99", 0, 2, 0, 10, 24, 60, 60, 0, 1},
};
// clang-format on

} // namespace

std::vector<UserRecord> sampleUsers() {
    std::vector<UserRecord> users;
    int i = 0;
    for (const auto& s : kSamples) {
        UserRecord r;
        r.Name = makeTextField<30>(s.name);
        r.Address = makeTextField<30>(s.address);
        r.City = makeTextField<30>(s.city);
        r.Phone = makeTextField<18>(s.phone);
        r.Birthdate = makeTextField<18>(s.birthdate);
        r.Language = static_cast<std::uint8_t>(s.language);
        r.Packer = static_cast<std::uint8_t>(s.packer);
        r.Protocol = static_cast<std::uint8_t>(s.protocol);
        r.Charset = static_cast<std::uint8_t>(s.charset);
        r.PageLength = static_cast<std::uint8_t>(s.pageLength);
        r.TimeLimit = static_cast<std::int16_t>(s.timeLimit);
        r.TimeLeft = static_cast<std::int16_t>(s.timeLeft);
        r.ResumeNumber = s.resume;
        // The counters follow from the number of calls, so every statistics box shows something.
        const std::int64_t calls = s.timesOn;
        auto counter = [](std::int64_t value) { return static_cast<std::int32_t>(value); };
        r.TimesOn = counter(calls);
        r.MessagesWritten = counter(calls / 3);
        r.MessagesRead = counter(calls * 4 / 3);
        r.MessagesDumped = counter(calls / 7);
        r.FilesUploaded = counter(calls / 11);
        r.FilesDownloaded = counter(calls / 2);
        r.KbUploaded = counter(calls / 11 * 350);
        r.KbDownloaded = counter(calls / 2 * 410);
        r.Word155 = static_cast<std::uint16_t>(++i);
        users.push_back(r);
    }
    return users;
}

} // namespace kivo::tools

// How long a Find takes over 1,000,000 users when no user holds the text: the names the list
// holds, every shown text read from the file, and the whole Find Next in the real window,
// offscreen. Each beside a floor measured in the same run: the same names or the same file only
// read, nothing compared. Run by hand: it reports figures and never fails.
//
//   bench_find [users]          (default 1000000)
#include "bench_window.h"
#include "find_dialog.h"
#include "frm_main.h"
#include "record_search.h"
#include "style_and_font.h"
#include "user_file_writer.h"
#include "user_finder.h"
#include "user_list.h"
#include "user_list_model.h"

#include <QApplication>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QSignalSpy>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <vector>

namespace {

using namespace kivo;

constexpr int kRuns = 9;
// Never in any text below: every 'e' starts a comparison that fails on the next byte.
const char16_t* const kAbsent = u"eZ";

template <class Work> double medianMs(Work work) {
    std::vector<double> times;
    for (int run = 0; run < kRuns; ++run) {
        const auto start = std::chrono::steady_clock::now();
        work();
        times.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// Every shown text filled to its full width from letters, digits and blanks, never a 'z'.
template <std::size_t N> TextField<N> filled(std::mt19937& random) {
    static const std::string alphabet =
        "abcdefghijklmnopqrstuvwxy ABCDEFGHIJKLMNOPQRSTUVWXY 0123456789";
    TextField<N> field;
    for (char& c : field)
        c = alphabet[random() % alphabet.size()];
    return field;
}

UserRecord fullUser(std::mt19937& random) {
    UserRecord user;
    user.Name = filled<30>(random);
    user.Address = filled<30>(random);
    user.City = filled<30>(random);
    user.Phone = filled<18>(random);
    user.Birthdate = filled<18>(random);
    return user;
}

} // namespace

int main(int argc, char** argv) {
    const std::int64_t users = argc > 1 ? std::atoll(argv[1]) : 1'000'000;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    applyStyleAndFont(app);

    const auto path = std::filesystem::temp_directory_path() / "kivo-bench-find.dat";
    {
        std::mt19937 random(20);
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        for (std::int64_t i = 0; i < users; ++i) {
            const RecordBytes bytes = encodeRecord(fullUser(random));
            out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        }
    }
    UserFile file;
    if (file.open(path.string()))
        return std::fprintf(stderr, "cannot open %s\n", path.c_str()), 1;

    // The list as the Open command fills it.
    UserList listed;
    listed.reserve(users);
    UserFile::Sequence sequence(file);
    while (const auto user = sequence.next().record)
        listed.append(displayedBytes(user->Name));
    UserListModel model;
    model.append(listed);
    const int rows = model.rowCount();

    const TextMatcher absent(kAbsent, LetterCase::Ignore);
    std::size_t sink = 0;
    const double namesFloor = medianMs([&] {
        for (int row = 0; row < rows; ++row)
            for (char c : model.storedName(row))
                sink += static_cast<unsigned char>(c);
    });
    const double names = medianMs([&] {
        for (int row = 0; row < rows; ++row)
            sink += absent.isIn(model.storedName(row));
    });

    std::vector<std::uint8_t> run(960 * kRecordSize);
    const double fileFloor = medianMs([&] {
        std::int64_t got = 0;
        for (std::int64_t first = 1; first <= rows; first += got)
            if (file.readRecords(first, run, got) || got == 0)
                break;
    });
    const SearchOrder order{rows, 0, false};
    const double otherFields = medianMs([&] {
        sink += findInRecords(file, absent, textFieldsButTheName(), order, 0, rows).has_value();
    });

    // The whole Find Next in the window: from the press to the answer shown, and how long the
    // press itself held the window's thread.
    BenchWindow shown;
    frmMain& window = shown.window;
    window.openUserFile(QString::fromStdString(path.string()));
    QSignalSpy listUpdated(&window, &frmMain::listUpdated);
    while (window.isListing())
        listUpdated.wait(60'000);
    window.showFind();
    window.findChild<QLineEdit*>(QStringLiteral("txtFindWhat"))
        ->setText(QString::fromStdU16String(kAbsent));
    auto* next = window.findChild<QPushButton*>(QStringLiteral("cmdFindNext"));
    auto* finder = window.findChild<UserFinder*>();
    std::vector<double> held;
    const double findNext = medianMs([&] {
        QSignalSpy done(finder, &UserFinder::finished);
        const auto start = std::chrono::steady_clock::now();
        next->click();
        held.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
        if (done.isEmpty() && !done.wait(60'000))
            std::fprintf(stderr, "no answer\n");
    });
    std::sort(held.begin(), held.end());

    std::printf("%lld users (%d in the window), none holding the text; median of %d runs "
                "(sink %zu)\n",
                static_cast<long long>(rows),
                window.findChild<QListView*>("List1")->model()->rowCount(), kRuns, sink % 2);
    std::printf("  names, as the list holds them:   %7.1f ms  (floor, the names only read: %.1f ms;"
                " %.2fx)\n",
                names, namesFloor, names / namesFloor);
    std::printf("  the other texts, from the file:  %7.1f ms  (floor, the file only read: %.1f ms;"
                " %.2fx)\n",
                otherFields, fileFloor, otherFields / fileFloor);
    std::printf("  every field:                     %7.1f ms\n", names + otherFields);
    std::printf("  Find Next in the window:         %7.1f ms  (the window's thread held %.1f ms)\n",
                findNext, held[held.size() / 2]);
    std::filesystem::remove(path);
    return 0;
}

// How long the Open command takes to list a large user file in the real window, how long a
// selected user takes to show, how long a key typed into the list takes to find a user, what the
// list costs in memory, and how long the viewer takes to start. Run by hand: it reports figures and
// never fails on a slow machine.
//
//   bench_open [users ...]          (default 32767 100000 1000000)
//
// Every measurement runs in a fresh child process of this program, so that one file's peak
// memory does not hide the next one's, and so that the start-up time includes loading Qt.
#include "bench_window.h"
#include "board_writer.h"
#include "font_config_loader.h"
#include "frm_main.h"
#include "style_and_font.h"
#include "user_file_writer.h"

#include <QAbstractItemModel>
#include <QAbstractListModel>
#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <random>
#include <spawn.h>
#include <string>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

using namespace kivo;

double nowMs() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

// A field of /proc/self/status in kB, e.g. "VmRSS" or "VmHWM".
long statusKb(const char* field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    const std::string prefix = std::string(field) + ":";
    while (std::getline(status, line))
        if (line.rfind(prefix, 0) == 0)
            return std::strtol(line.c_str() + prefix.size(), nullptr, 10);
    return -1;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Counts the paint events a widget receives, to know the list was really drawn.
class PaintCounter : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

// Written a record at a time so that making the file does not raise this process's peak memory.
void makeUserFile(const std::string& path, std::int64_t users) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    for (std::int64_t i = 1; i <= users; ++i) {
        const RecordBytes bytes = encodeRecord(tools::numberedUser(i));
        out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    }
}

// The process start-up is measured from outside: the parent notes the time, spawns the child, and
// the child prints the time at which its window is shown and painted (the clock is system-wide).
// The window starts as the program starts it (runWindow). Two floors beside it: an empty QWidget,
// what Qt itself costs, and a QWidget showing one caption, started the same way as the window, what
// drawing any text at all adds (the font configuration read, a face loaded, a line shaped).
enum class StartupShown { Window, EmptyWidget, OneCaption };

int startupChild(int argc, char** argv, StartupShown shown) {
    const double mainEntered = nowMs();
    std::optional<FontConfigLoader> fonts;
    if (shown != StartupShown::EmptyWidget)
        fonts.emplace();
    QApplication app(argc, argv);
    auto showAndStamp = [mainEntered](QWidget& window) {
        window.show();
        QCoreApplication::processEvents();
        window.repaint();
        std::printf("%.3f %.3f\n", nowMs(), mainEntered);
        return 0;
    };
    if (shown == StartupShown::EmptyWidget) {
        QWidget window;
        window.resize(540, 380);
        return showAndStamp(window);
    }
    applyStyleAndFont(app);
    if (shown == StartupShown::OneCaption) {
        fonts->wait();
        QWidget window;
        window.resize(540, 380);
        auto* caption = new QLabel(QStringLiteral("Statistics"), &window);
        caption->setTextFormat(Qt::PlainText);
        return showAndStamp(window);
    }
    BenchServices services;
    fonts->wait();
    frmMain window(services);
    window.Form_Load();
    return showAndStamp(window);
}

int loadChild(int argc, char** argv, const std::string& path, std::int64_t users) {
    QApplication app(argc, argv);
    applyStyleAndFont(app);
    BenchWindow shown;
    frmMain& window = shown.window;
    BenchServices& services = shown.services;
    QCoreApplication::processEvents();
    auto* list = window.findChild<QListView*>(QStringLiteral("List1"));
    auto* name = window.findChild<QLineEdit*>(QStringLiteral("txtName"));
    PaintCounter painted;
    list->viewport()->installEventFilter(&painted);
    window.repaint();
    const long emptyRssKb = statusKb("VmRSS");

    // Open: from the path handed back by the dialog to the list drawn on screen.
    services.path = QString::fromStdString(path);
    std::vector<double> loads, listings;
    long loadedRssKb = 0;
    for (int round = 0; round < 5; ++round) {
        const int paintsBefore = painted.paints;
        const double start = nowMs();
        window.mnuOpen_Click();
        while (window.isListing()) // the names are read in the background
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        listings.push_back(nowMs() - start); // the rest is the view's painting
        QCoreApplication::processEvents();
        list->viewport()->repaint();
        loads.push_back(nowMs() - start);
        if (painted.paints == paintsBefore || list->model()->rowCount() != users ||
            services.messages != 0) {
            std::fprintf(stderr, "the list was not loaded and painted as expected\n");
            return 1;
        }
        if (round == 0)
            loadedRssKb = statusKb("VmRSS");
    }

    // Select: a user anywhere in the file, read from it and shown on the pages.
    std::mt19937_64 random(42);
    std::vector<double> selects;
    for (int round = 0; round < 200; ++round) {
        const int row = int(random() % std::uint64_t(users));
        const double start = nowMs();
        list->setCurrentIndex(list->model()->index(row, 0));
        QCoreApplication::processEvents();
        window.repaint();
        selects.push_back(nowMs() - start);
        if (name->text() != QStringLiteral("User %1").arg(row + 1)) {
            std::fprintf(stderr, "user %d was not shown\n", row + 1);
            return 1;
        }
    }

    const double bytesPerUser = double(loadedRssKb - emptyRssKb) * 1024.0 / double(users);
    const long peakKb = statusKb("VmHWM");

    // Type to find: keys typed into the list, from the key press to the found user shown.
    auto typeKey = [&](QChar key) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(key));
        const double start = nowMs();
        QCoreApplication::sendEvent(list, &press);
        QCoreApplication::processEvents();
        window.repaint();
        return nowMs() - start;
    };
    // No name starts with '#': the search compares every entry before it gives up.
    std::vector<double> misses;
    for (int round = 0; round < 20; ++round)
        misses.push_back(typeKey(QLatin1Char('#')));
    // The last user's name, key by key and in lower case, from wherever the list stands.
    const QString last = QStringLiteral("User %1").arg(users);
    std::vector<double> keys;
    for (int round = 0; round < 5; ++round) {
        list->keyboardSearch(QString()); // the next key starts a new search
        for (QChar key : last.toLower())
            keys.push_back(typeKey(key));
        if (name->text() != last) {
            std::fprintf(stderr, "typing %s found %s\n", qPrintable(last),
                         qPrintable(name->text()));
            return 1;
        }
    }

    std::printf("%lld %.1f %.1f %.1f %.3f %.3f %ld %.1f %.3f %.3f %.3f %.3f\n",
                static_cast<long long>(users), median(loads), median(listings),
                *std::min_element(loads.begin(), loads.end()), median(selects),
                *std::max_element(selects.begin(), selects.end()), peakKb, bytesPerUser,
                median(misses), *std::max_element(misses.begin(), misses.end()), median(keys),
                *std::max_element(keys.begin(), keys.end()));
    return 0;
}

double threadCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

// Waits in the event loop for the window to say its list is up to date.
void waitForList(frmMain& window) {
    bool updated = false;
    const auto connection =
        QObject::connect(&window, &frmMain::listUpdated, [&] { updated = true; });
    while (!updated)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    QObject::disconnect(connection);
}

// Following a large file: what one appended user costs the window's thread, from the change to
// the list painted (CPU time of that thread, so the wait for the change to settle is not
// counted), and what the regular look at a file that stands still costs: reads and time.
int followChild(int argc, char** argv, const std::string& path, std::int64_t users) {
    QApplication app(argc, argv);
    applyStyleAndFont(app);
    BenchWindow shown(QString::fromStdString(path));
    frmMain& window = shown.window;
    auto* list = window.findChild<QListView*>(QStringLiteral("List1"));
    std::atomic<int> reads = 0;
    window.userFile().setBeforeEachRead([&](std::int64_t, std::size_t) {
        ++reads;
        return FileError{};
    });
    window.mnuOpen_Click();
    waitForList(window);
    window.follower().setWatching(false); // looked at only, so each look is one step of its own
    window.follower().setLookInterval(std::chrono::milliseconds(5));

    // The window's thread in a span of time after a change: whatever the change sets going
    // (repaints, timers) after the list says it is up to date is counted too.
    constexpr double kSpanMs = 300;
    const auto threadCpuOverSpan = [&](const std::function<void()>& change) {
        const double cpu = threadCpuMs(), wall = nowMs();
        change();
        while (nowMs() - wall < kSpanMs)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        return threadCpuMs() - cpu;
    };
    threadCpuOverSpan([] {}); // what the Open set going runs out first
    // Standing still: looks every 5 ms, each one's time and every read counted.
    const int readsBefore = reads;
    std::vector<double> idle;
    for (int round = 0; round < 5; ++round)
        idle.push_back(threadCpuOverSpan([] {}));
    const int idleReads = reads - readsBefore;
    const double idleCpu = median(idle);

    std::vector<double> appends;
    for (std::int64_t round = 1; round <= 20; ++round) {
        appends.push_back(threadCpuOverSpan([&] {
                              tools::appendUsers(path, {tools::numberedUser(users + round)});
                              waitForList(window);
                              list->scrollToBottom();
                              list->viewport()->repaint();
                          }) -
                          idleCpu);
        if (list->model()->rowCount() != users + round)
            return 1;
    }
    const int looksPerSpan = int(kSpanMs / 5);
    std::printf("%.3f %.3f %d %.4f %d\n", median(appends),
                *std::max_element(appends.begin(), appends.end()), idleReads,
                idleCpu / looksPerSpan, 5 * looksPerSpan);
    return 0;
}

// The Open of a very large file: the longest the window's event loop goes without running, seen
// by a timer that notes how late it fires, and the time Open's command itself holds the thread.
int stallChild(int argc, char** argv, const std::string& path, std::int64_t users) {
    QApplication app(argc, argv);
    applyStyleAndFont(app);
    BenchWindow shown(QString::fromStdString(path));
    frmMain& window = shown.window;
    QCoreApplication::processEvents();
    constexpr int kTickMs = 5;
    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    tick.setInterval(kTickMs);
    double last = nowMs(), worst = 0;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        const double now = nowMs();
        worst = std::max(worst, now - last - kTickMs);
        last = now;
    });
    tick.start();
    // The floor: the same timer's worst lateness with the window idle, for as long.
    const double idleFrom = nowMs();
    while (nowMs() - idleFrom < 1000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    const double floor = worst;
    worst = 0;
    const double start = nowMs();
    window.mnuOpen_Click();
    const double command = nowMs() - start;
    last = nowMs();
    while (window.isListing())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    const double total = nowMs() - start;
    if (window.findChild<QListView*>(QStringLiteral("List1"))->model()->rowCount() != users)
        return 1;
    std::printf("%.1f %.1f %.1f %.1f\n", std::max(worst, command), command, total, floor);
    return 0;
}

// The floor of an Open, in two parts, each the median of five rounds in one process.
//
// Names: map the file and copy every name (its bytes up to the first NUL of the field) into one
// packed buffer with an offset per name, decoding nothing: what the machine itself needs to
// gather the names, and what a view of our own could approach.
//
// View: a QListView of the list's size with uniform rows is given a trivial model of as many
// rows, each the same text, and painted: what Qt's view costs whatever the model does.
class FixedTextModel : public QAbstractListModel {
public:
    explicit FixedTextModel(int rows) : rows_(rows) {}
    int rowCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : rows_; }
    QVariant data(const QModelIndex& index, int role) const override {
        return role == Qt::DisplayRole && index.isValid() ? QVariant(text_) : QVariant();
    }

private:
    int rows_;
    QString text_ = QStringLiteral("User 1000000");
};

double packNamesMs(const std::string& path, std::unique_ptr<char[]>& names,
                   std::vector<std::uint32_t>& offsets) {
    const double start = nowMs();
    const int fd = open(path.c_str(), O_RDONLY);
    struct stat info {};
    fstat(fd, &info);
    const auto size = std::size_t(info.st_size);
    void* mapped = mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
    const auto* bytes = static_cast<const char*>(mapped);
    const std::size_t users = size / kRecordSize;
    constexpr std::size_t kNameBytes = sizeof(UserRecord::Name);
    // Address space only, as the list reserves it: memory follows the names written.
    names = std::make_unique_for_overwrite<char[]>(users * kNameBytes);
    offsets.resize(users + 1);
    std::size_t used = 0;
    for (std::size_t user = 0; user < users; ++user) {
        const char* name = bytes + user * kRecordSize;
        const void* nul = std::memchr(name, 0, kNameBytes);
        const std::size_t length =
            nul ? std::size_t(static_cast<const char*>(nul) - name) : kNameBytes;
        offsets[user] = std::uint32_t(used);
        std::memcpy(names.get() + used, name, length);
        used += length;
    }
    offsets[users] = std::uint32_t(used);
    munmap(mapped, size);
    close(fd);
    return nowMs() - start;
}

int floorChild(int argc, char** argv, const std::string& path, std::int64_t users) {
    QApplication app(argc, argv);
    applyStyleAndFont(app);
    QSize listSize;
    {
        BenchServices services;
        frmMain window(services);
        listSize = window.findChild<QListView*>(QStringLiteral("List1"))->size();
    }
    QListView view;
    view.setUniformItemSizes(true);
    view.resize(listSize);
    view.show();
    QCoreApplication::processEvents();
    PaintCounter painted;
    view.viewport()->installEventFilter(&painted);

    std::vector<double> packs, views;
    for (int round = 0; round < 5; ++round) {
        std::unique_ptr<char[]> names;
        std::vector<std::uint32_t> offsets;
        packs.push_back(packNamesMs(path, names, offsets));
        if (offsets.size() != std::size_t(users) + 1)
            return 1;

        FixedTextModel model{int(users)};
        const int paintsBefore = painted.paints;
        const double start = nowMs();
        view.setModel(&model);
        QCoreApplication::processEvents();
        view.viewport()->repaint();
        views.push_back(nowMs() - start);
        view.setModel(nullptr);
        if (painted.paints == paintsBefore)
            return 1;
    }
    std::printf("%.2f %.2f\n", median(packs), median(views));
    return 0;
}

// Runs this program again with the arguments; returns its standard output.
std::string runChild(const std::vector<std::string>& args) {
    int pipeFds[2];
    if (pipe(pipeFds) != 0)
        std::exit(2);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
    std::vector<char*> argv;
    for (const auto& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawn(&pid, "/proc/self/exe", &actions, nullptr, argv.data(), environ) != 0)
        std::exit(2);
    close(pipeFds[1]);
    std::string out;
    char buffer[256];
    ssize_t n;
    while ((n = read(pipeFds[0], buffer, sizeof buffer)) > 0)
        out.append(buffer, std::size_t(n));
    close(pipeFds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    posix_spawn_file_actions_destroy(&actions);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "child %s failed\n", args[1].c_str());
        std::exit(1);
    }
    return out;
}

std::string benchFile(std::int64_t users) {
    const auto path =
        (std::filesystem::temp_directory_path() / ("kivo-bench-" + std::to_string(users) + ".dat"))
            .string();
    if (!std::filesystem::exists(path) ||
        std::filesystem::file_size(path) != std::uintmax_t(users) * kRecordSize)
        makeUserFile(path, users);
    std::ifstream in(path, std::ios::binary); // read once, into the page cache
    std::vector<char> buffer(1 << 20);
    while (in.read(buffer.data(), std::streamsize(buffer.size())))
        ;
    return path;
}

// bench_open --following: the figures of a file followed while the board writes it.
int following(const std::string& self) {
    setenv("XDG_CONFIG_HOME", std::filesystem::temp_directory_path().c_str(), 1);
    constexpr std::int64_t kFollowed = 1'000'000, kOpened = 5'000'000;
    {
        const auto path =
            (std::filesystem::temp_directory_path() / "kivo-bench-follow.dat").string();
        makeUserFile(path, kFollowed); // appended to: made afresh each run
        const std::string out = runChild({self, "--follow", path, std::to_string(kFollowed)});
        double append = 0, worstAppend = 0, lookMs = 0;
        int reads = -1, looks = 0;
        std::sscanf(out.c_str(), "%lf %lf %d %lf %d", &append, &worstAppend, &reads, &lookMs,
                    &looks);
        std::printf("One user appended to %lld: %.2f ms of the window's thread, median of 20 "
                    "(worst %.2f ms)\n",
                    static_cast<long long>(kFollowed), append, worstAppend);
        std::printf("File standing still, looked at every 5 ms, %d looks: %d reads, %.4f ms of "
                    "the window's thread a look\n",
                    looks, reads, lookMs);
        std::filesystem::remove(path);
    }
    const std::string path = benchFile(kOpened);
    std::vector<double> stalls, commands, totals, floors;
    for (int round = 0; round < 5; ++round) {
        const std::string out = runChild({self, "--stall", path, std::to_string(kOpened)});
        double stall = 0, command = 0, total = 0, floor = 0;
        std::sscanf(out.c_str(), "%lf %lf %lf %lf", &stall, &command, &total, &floor);
        stalls.push_back(stall);
        commands.push_back(command);
        totals.push_back(total);
        floors.push_back(floor);
    }
    std::printf("Open of %lld users: longest event-loop stall %.1f ms, median of 5 (worst %.1f "
                "ms); idle floor (the same timer, window idle 1 s) %.1f ms; Open's own command "
                "%.1f ms; all listed in %.0f ms\n",
                static_cast<long long>(kOpened), median(stalls),
                *std::max_element(stalls.begin(), stalls.end()), median(floors), median(commands),
                median(totals));
    return 0;
}

// One row of the floor table: the Open's median beside its floor, measured in a child of its own.
std::string floorRow(const std::string& self, const std::string& path, long long users,
                     double openMs) {
    const std::string out = runChild({self, "--floor", path, std::to_string(users)});
    double names = 0, view = 0;
    std::sscanf(out.c_str(), "%lf %lf", &names, &view);
    char row[200];
    std::snprintf(row, sizeof row,
                  "| %lld | %.1f ms | %.1f ms | %.1f ms | %.1f ms | %.2fx | %.2fx |\n", users,
                  openMs, names, view, names + view, openMs / (names + view), openMs / names);
    return row;
}

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    const std::string self = argv[0];
    if (argc >= 2 && std::strcmp(argv[1], "--startup") == 0)
        return startupChild(1, argv, StartupShown::Window);
    if (argc >= 2 && std::strcmp(argv[1], "--bare") == 0)
        return startupChild(1, argv, StartupShown::EmptyWidget);
    if (argc >= 2 && std::strcmp(argv[1], "--caption") == 0)
        return startupChild(1, argv, StartupShown::OneCaption);
    if (argc >= 4 && std::strcmp(argv[1], "--load") == 0)
        return loadChild(1, argv, argv[2], std::atoll(argv[3]));
    if (argc >= 4 && std::strcmp(argv[1], "--follow") == 0)
        return followChild(1, argv, argv[2], std::atoll(argv[3]));
    if (argc >= 4 && std::strcmp(argv[1], "--stall") == 0)
        return stallChild(1, argv, argv[2], std::atoll(argv[3]));
    if (argc >= 2 && std::strcmp(argv[1], "--following") == 0)
        return following(self);
    if (argc >= 4 && std::strcmp(argv[1], "--floor") == 0)
        return floorChild(1, argv, argv[2], std::atoll(argv[3]));

    std::vector<std::int64_t> sizes;
    for (int i = 1; i < argc; ++i)
        sizes.push_back(std::atoll(argv[i]));
    if (sizes.empty())
        sizes = {32'767, 100'000, 1'000'000};

    std::printf("| Users | Open to list painted, median of 5 (best) | of which reading "
                "and listing | Select to user shown, median "
                "of 200 (worst) | Peak memory (VmHWM) | Bytes per listed user |\n");
    std::printf("|---:|---:|---:|---:|---:|---:|\n");
    const auto folder = std::filesystem::temp_directory_path();
    // The window remembers the folder of the file it opened: here, not in the user's settings.
    setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
    std::vector<std::string> typeToFind, floors;
    for (const auto users : sizes) {
        const auto path = (folder / ("kivo-bench-" + std::to_string(users) + ".dat")).string();
        if (!std::filesystem::exists(path) ||
            std::filesystem::file_size(path) != std::uintmax_t(users) * kRecordSize)
            makeUserFile(path, users);
        // Once to bring the file into the page cache, then measured.
        (void)std::ifstream(path, std::ios::binary).rdbuf();
        const std::string out = runChild({self, "--load", path, std::to_string(users)});
        long long n = 0;
        double load = 0, listing = 0, bestLoad = 0, select = 0, worstSelect = 0, perUser = 0;
        double miss = 0, worstMiss = 0, key = 0, worstKey = 0;
        long hwmKb = 0;
        std::sscanf(out.c_str(), "%lld %lf %lf %lf %lf %lf %ld %lf %lf %lf %lf %lf", &n, &load,
                    &listing, &bestLoad, &select, &worstSelect, &hwmKb, &perUser, &miss, &worstMiss,
                    &key, &worstKey);
        std::printf(
            "| %lld | %.1f ms (%.1f ms) | %.1f ms | %.2f ms (%.2f ms) | %.1f MiB | %.1f |\n", n,
            load, bestLoad, listing, select, worstSelect, double(hwmKb) / 1024.0, perUser);
        std::fflush(stdout);
        char row[160];
        std::snprintf(row, sizeof row, "| %lld | %.2f ms (%.2f ms) | %.2f ms (%.2f ms) |\n", n,
                      miss, worstMiss, key, worstKey);
        typeToFind.push_back(row);
        floors.push_back(floorRow(self, path, n, load));
    }

    std::printf("\n| Users | Type to find: a key no name starts with, median of 20 (worst) | "
                "The last user's name typed, per key, median (worst) |\n|---:|---:|---:|\n");
    for (const auto& row : typeToFind)
        std::printf("%s", row.c_str());

    std::printf("\n| Users | Open to list painted, median | Floor: names packed | Floor: a view "
                "given a trivial model, painted | Floor | Open / floor | Open / names packed "
                "|\n|---:|---:|---:|---:|---:|---:|---:|\n");
    for (const auto& row : floors)
        std::printf("%s", row.c_str());

    // The three starts take turns, so that a change in the machine's load falls on all of them.
    struct Start {
        const char* option;
        const char* what;
        std::vector<double> starts, fromMain;
    };
    Start startups[] = {{"--startup", "Start to shown window", {}, {}},
                        {"--caption", "One caption shown, started as the window", {}, {}},
                        {"--bare", "Qt's floor (an empty QWidget)", {}, {}}};
    for (int round = 0; round < 20; ++round)
        for (auto& startup : startups) {
            const double start = nowMs();
            const std::string out = runChild({self, startup.option});
            double shown = 0, mainEntered = 0;
            std::sscanf(out.c_str(), "%lf %lf", &shown, &mainEntered);
            startup.starts.push_back(shown - start);
            startup.fromMain.push_back(shown - mainEntered);
        }
    for (const auto& startup : startups) {
        std::printf("\n%s: process start to the window shown and painted, median of 20: %.1f ms "
                    "(best %.1f ms)\n",
                    startup.what, median(startup.starts),
                    *std::min_element(startup.starts.begin(), startup.starts.end()));
        // The part after the dynamic loader has brought Qt in: what the program's own code costs.
        std::printf("  of which from main() on: median %.1f ms (best %.1f ms)\n",
                    median(startup.fromMain),
                    *std::min_element(startup.fromMain.begin(), startup.fromMain.end()));
    }
    const double window = median(startups[0].starts);
    std::printf("\nStart to shown window / Qt's floor: %.2fx (/ one caption: %.2fx)\n",
                window / median(startups[2].starts), window / median(startups[1].starts));
    return 0;
}

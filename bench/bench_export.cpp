// How long the built kivo32 takes to export large user files from the shell, and how much memory
// it needs. Run by hand: it reports figures and never fails on a slow machine.
//
//   bench_export [users ...]          (default 100000 1000000)
//
// Each export is a fresh `kivo32 --export FORMAT FILE` process with its standard output on
// /dev/null, timed from spawn to exit; its peak memory is the kernel's maximum resident size for
// that child. Two kinds of file: numbered users, whose texts never need quoting in CSV, and
// awkward users, whose every name holds a comma, a quote and a Windows-1252 byte.
//
// Beside each export runs its floor, the least any exporter of the same file must do, timed the
// same way: a fresh process (this one, `bench_export --floor FILE BYTES`) reads the file in large
// blocks and writes as many bytes as the export wrote, each user's line made of its numbers
// formatted by std::to_chars and its texts' bytes copied as they stand, no decoding or quoting,
// then constant bytes up to the export's average line. The ratio of the medians is the figure
// to watch: absolute times on a shared machine drift by a fifth.
#include "user_file_writer.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <type_traits>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

using namespace kivo;

constexpr int kRuns = 5;

double nowMs() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

UserRecord awkwardUser(std::int64_t number) {
    UserRecord user = tools::numberedUser(number);
    user.Name = makeTextField<30>("User \"" + std::to_string(number) + "\", \x80 sysop");
    return user;
}

// Writes the file a block of users at a time, so a million users never sit in memory at once.
std::string writeUsers(std::int64_t count, bool awkward) {
    const auto path =
        std::filesystem::temp_directory_path() /
        ("bench_export_" + std::to_string(count) + (awkward ? "_awkward" : "") + ".dat");
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    std::vector<UserRecord> block;
    for (std::int64_t number = 1; number <= count; ++number) {
        block.push_back(awkward ? awkwardUser(number) : tools::numberedUser(number));
        if (block.size() == 10'000 || number == count) {
            const auto bytes = tools::userFileBytes(block);
            out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
            block.clear();
        }
    }
    return path.string();
}

struct Run {
    double ms = 0;
    double cpuMs = 0; // user and system time of the child: what a busy machine hides less
    long peakKb = 0;
    int status = -1;
};

// Runs the program with the arguments, standard output on /dev/null, and times it.
Run runOnce(std::vector<std::string> args) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    std::vector<char*> argv;
    for (auto& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    const std::string& program = args.front();
    Run run;
    const double start = nowMs();
    pid_t pid = 0;
    if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ) != 0) {
        posix_spawn_file_actions_destroy(&actions);
        return run;
    }
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    run.ms = nowMs() - start;
    const auto ms = [](const timeval& t) {
        return double(t.tv_sec) * 1e3 + double(t.tv_usec) / 1e3;
    };
    run.cpuMs = ms(usage.ru_utime) + ms(usage.ru_stime);
    run.peakKb = usage.ru_maxrss;
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    posix_spawn_file_actions_destroy(&actions);
    return run;
}

Run exportOnce(const std::string& format, const std::string& file) {
    return runOnce({KIVO32_PATH, "--export", format, file});
}

Run floorOnce(const std::string& file, std::int64_t bytes) {
    static const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
    return runOnce({self, "--floor", file, std::to_string(bytes)});
}

// How many bytes the export writes: read from a pipe and counted.
std::int64_t exportedBytes(const std::string& format, const std::string& file) {
    const std::string command = std::string(KIVO32_PATH) + " --export " + format + " " + file;
    std::FILE* pipe = popen(command.c_str(), "r");
    std::vector<char> block(1 << 20);
    std::int64_t total = 0;
    for (std::size_t n; (n = std::fread(block.data(), 1, block.size(), pipe)) > 0;)
        total += std::int64_t(n);
    pclose(pipe);
    return total;
}

// Where the record keeps its texts and its 32-bit numbers, from the record's own layout.
struct RawLayout {
    std::vector<std::pair<std::size_t, std::size_t>> texts; // offset, length
    std::vector<std::size_t> numbers;
};

RawLayout rawLayout() {
    RawLayout layout;
    UserRecord record;
    forEachField(record, [&](std::size_t offset, auto& field) {
        using Field = std::remove_cvref_t<decltype(field)>;
        if constexpr (std::is_same_v<Field, std::int32_t>)
            layout.numbers.push_back(offset);
        else if constexpr (requires { typename Field::value_type; })
            if constexpr (std::is_same_v<typename Field::value_type, char>)
                layout.texts.push_back({offset, field.size()});
    });
    return layout;
}

// The floor's own process: writes `bytes` bytes for the users of the file to standard output.
int writeFloor(const std::string& file, std::int64_t bytes) {
    const int in = open(file.c_str(), O_RDONLY);
    if (in < 0)
        return 1;
    struct stat info {};
    fstat(in, &info);
    const std::int64_t users = info.st_size / std::int64_t(kRecordSize);
    const std::int64_t perUser = users ? bytes / users : bytes;
    const RawLayout layout = rawLayout();
    const std::string filler(std::size_t(perUser) + 1, 'x');

    std::vector<char> records(kRecordSize * 3840); // about 1 MiB a read
    std::string out;
    out.reserve(512 * 1024);
    std::int64_t written = 0, number = 0;
    const auto flush = [&] { // never more than the export wrote
        out.resize(std::size_t(std::min<std::int64_t>(std::int64_t(out.size()), bytes - written)));
        for (std::size_t done = 0; done < out.size();) {
            const ssize_t n = write(STDOUT_FILENO, out.data() + done, out.size() - done);
            if (n <= 0)
                return;
            done += std::size_t(n);
        }
        written += std::int64_t(out.size());
        out.clear();
    };
    for (ssize_t got; (got = read(in, records.data(), records.size())) > 0;) {
        for (std::size_t at = 0; at + kRecordSize <= std::size_t(got); at += kRecordSize) {
            const char* record = records.data() + at;
            const std::size_t start = out.size();
            char digits[24];
            out.append(digits, std::to_chars(digits, digits + sizeof digits, ++number).ptr);
            for (const auto& [offset, length] : layout.texts) {
                out += ',';
                const char* text = record + offset;
                const void* nul = std::memchr(text, 0, length);
                out.append(text, nul ? std::size_t(static_cast<const char*>(nul) - text) : length);
            }
            for (const std::size_t offset : layout.numbers) {
                std::int32_t value = 0;
                std::memcpy(&value, record + offset, sizeof value);
                out += ',';
                out.append(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
            }
            const auto length = std::int64_t(out.size() - start);
            if (length < perUser)
                out.append(filler.data(), std::size_t(perUser - length));
            out += '\n';
            if (out.size() >= 256 * 1024)
                flush();
        }
    }
    if (written + std::int64_t(out.size()) < bytes)
        out.append(std::size_t(bytes - written - std::int64_t(out.size())), 'x');
    flush();
    return 0;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::string(argv[1]) == "--floor")
        return writeFloor(argv[2], std::stoll(argv[3]));

    std::vector<std::int64_t> sizes;
    for (int i = 1; i < argc; ++i)
        sizes.push_back(std::stoll(argv[i]));
    if (sizes.empty())
        sizes = {100'000, 1'000'000};

    std::printf("%-10s %-8s %-6s %22s %10s %12s %8s %16s %10s\n", "users", "names", "format",
                "median of 5 (best) ms", "MB out", "floor ms", "ratio", "CPU ms, median",
                "peak MiB");
    for (const auto count : sizes) {
        for (const bool awkward : {false, true}) {
            const std::string file = writeUsers(count, awkward);
            for (const std::string format : {"csv", "jsonl"}) {
                // Also brings the file and the program into the page cache.
                const std::int64_t bytes = exportedBytes(format, file);
                floorOnce(file, bytes);
                std::vector<double> times, cpuTimes, floorTimes;
                long peakKb = 0;
                for (int i = 0; i < kRuns; ++i) { // interleaved, so that both see the same load
                    const Run run = exportOnce(format, file);
                    if (run.status != 0) {
                        std::fprintf(stderr, "kivo32 --export %s %s exited with %d\n",
                                     format.c_str(), file.c_str(), run.status);
                        return 1;
                    }
                    times.push_back(run.ms);
                    cpuTimes.push_back(run.cpuMs);
                    peakKb = std::max(peakKb, run.peakKb);
                    floorTimes.push_back(floorOnce(file, bytes).ms);
                }
                std::printf("%-10lld %-8s %-6s %14.0f (%5.0f) %10.1f %12.0f %7.2fx %16.0f %10.1f\n",
                            static_cast<long long>(count), awkward ? "awkward" : "plain",
                            format.c_str(), median(times),
                            *std::min_element(times.begin(), times.end()), double(bytes) / 1e6,
                            median(floorTimes), median(times) / median(floorTimes),
                            median(cpuTimes), double(peakKb) / 1024.0);
                std::fflush(stdout);
            }
            std::filesystem::remove(file);
        }
    }
    return 0;
}

// How long the built kivo32 takes to export large user files from the shell, and how much memory
// it needs. Run by hand: it reports figures and never fails on a slow machine.
//
//   bench_export [users ...]          (default 100000 1000000)
//
// Each export is a fresh `kivo32 --export FORMAT FILE` process with its standard output on
// /dev/null, timed from spawn to exit; its peak memory is the kernel's maximum resident size for
// that child. Two kinds of file: numbered users, whose texts never need quoting in CSV, and
// awkward users, whose every name holds a comma, a quote and a Windows-1252 byte.
#include "user_file_writer.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
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

Run exportOnce(const std::string& format, const std::string& file) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    std::string program = KIVO32_PATH, option = "--export";
    std::string formatArg = format, fileArg = file;
    char* argv[] = {program.data(), option.data(), formatArg.data(), fileArg.data(), nullptr};
    Run run;
    const double start = nowMs();
    pid_t pid = 0;
    if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, environ) != 0) {
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

} // namespace

int main(int argc, char** argv) {
    std::vector<std::int64_t> sizes;
    for (int i = 1; i < argc; ++i)
        sizes.push_back(std::stoll(argv[i]));
    if (sizes.empty())
        sizes = {100'000, 1'000'000};

    std::printf("%-10s %-8s %-6s %22s %16s %10s\n", "users", "names", "format",
                "median of 5 (best) ms", "CPU ms, median", "peak MiB");
    for (const auto count : sizes) {
        for (const bool awkward : {false, true}) {
            const std::string file = writeUsers(count, awkward);
            for (const std::string format : {"csv", "jsonl"}) {
                exportOnce(format, file); // the file into the page cache, the program too
                std::vector<double> times, cpuTimes;
                long peakKb = 0;
                for (int i = 0; i < kRuns; ++i) {
                    const Run run = exportOnce(format, file);
                    if (run.status != 0) {
                        std::fprintf(stderr, "kivo32 --export %s %s exited with %d\n",
                                     format.c_str(), file.c_str(), run.status);
                        return 1;
                    }
                    times.push_back(run.ms);
                    cpuTimes.push_back(run.cpuMs);
                    peakKb = std::max(peakKb, run.peakKb);
                }
                std::sort(times.begin(), times.end());
                std::sort(cpuTimes.begin(), cpuTimes.end());
                std::printf("%-10lld %-8s %-6s %14.0f (%5.0f) %16.0f %10.1f\n",
                            static_cast<long long>(count), awkward ? "awkward" : "plain",
                            format.c_str(), times[kRuns / 2], times.front(), cpuTimes[kRuns / 2],
                            double(peakKb) / 1024.0);
                std::fflush(stdout);
            }
            std::filesystem::remove(file);
        }
    }
    return 0;
}

// Records decoded per second from a buffer, and read per second through UserFile.
#include "user_file.h"
#include "user_file_writer.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>

namespace {

using namespace kivo;

void decodeFromBuffer(benchmark::State& state) {
    const auto bytes = encodeRecord(tools::numberedUser(12345));
    for (auto _ : state) {
        auto record = decodeRecord(bytes);
        benchmark::DoNotOptimize(record);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(decodeFromBuffer);

// A 100,000-user file in the temporary folder, made once.
const std::string& hundredThousandUsers() {
    static const std::string path = [] {
        const auto file = std::filesystem::temp_directory_path() / "kivo-bench-100000.dat";
        std::vector<UserRecord> users;
        for (int i = 1; i <= 100'000; ++i)
            users.push_back(tools::numberedUser(i));
        tools::writeFile(file.string(), tools::userFileBytes(users));
        return file.string();
    }();
    return path;
}

// One positioned read per record, as the detail view reads a user.
void readPositioned(benchmark::State& state) {
    UserFile file;
    if (const FileError error = file.open(hundredThousandUsers()))
        return state.SkipWithError(error.describe().c_str());
    const auto count = static_cast<std::int64_t>(file.userCount());
    std::int64_t n = 0;
    for (auto _ : state) {
        auto result = file.read(n % count + 1);
        if (!result.record)
            return state.SkipWithError(result.error.describe().c_str());
        benchmark::DoNotOptimize(result);
        ++n;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(readPositioned);

// The whole file in file order, as the Open command lists it.
void readInFileOrder(benchmark::State& state) {
    UserFile file;
    if (const FileError error = file.open(hundredThousandUsers()))
        return state.SkipWithError(error.describe().c_str());
    for (auto _ : state) {
        UserFile::Sequence sequence(file);
        std::int64_t listed = 0;
        while (sequence.next().record)
            ++listed;
        if (listed != file.userCount())
            return state.SkipWithError("the file was not read to its end");
        benchmark::DoNotOptimize(listed);
        state.SetItemsProcessed(state.items_processed() + listed);
    }
}
BENCHMARK(readInFileOrder)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();

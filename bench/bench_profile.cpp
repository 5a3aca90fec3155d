// Profile-file speed: a cached read against one stat of the same file, reading every key of a large
// file one by one, and writing keys one by one.
#include "platform/paths.h"
#include "platform/profile.h"
#include "platform/profile_cache.h"

#include <benchmark/benchmark.h>

#include <sys/stat.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;

// A fresh machine prefix for the whole run, removed at exit.
class BenchPrefix {
  public:
    BenchPrefix() {
        std::string pattern = (fs::temp_directory_path() / "tavo-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data())) std::abort();
        host_ = pattern;
        plat::SetPrefixFolder(host_);
    }
    ~BenchPrefix() {
        std::error_code ec;
        fs::remove_all(host_, ec);
    }
    BenchPrefix(const BenchPrefix&) = delete;
    BenchPrefix& operator=(const BenchPrefix&) = delete;

  private:
    std::string host_;
};

const BenchPrefix& Prefix() {
    static BenchPrefix prefix;
    return prefix;
}

// Host path of a profile file in the Windows folder, written with `keys` keys "key0=value0" ... and
// read once, so later reads find it cached and settled.
std::string MakeIniFile(const std::string& name, int keys) {
    Prefix();
    std::string host = *plat::ToHostPath(plat::ProfileFilePath(name));
    std::ofstream out(host, std::ios::binary | std::ios::trunc);
    out << "; generated\r\n[s]\r\n";
    for (int i = 0; i < keys; ++i)
        out << "key" << i << "=value" << i << "\r\n";
    out.close();
    // The cache trusts a file's times only once the clock has moved past its last change.
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    plat::ProfileString(name, "s", "key0");
    return host;
}

void BM_StatOfFile(benchmark::State& state) {
    const std::string host = MakeIniFile("big.ini", 10000);
    struct stat st {};
    for (auto _ : state)
        benchmark::DoNotOptimize(stat(host.c_str(), &st));
}
BENCHMARK(BM_StatOfFile);

void BM_CachedProfileString(benchmark::State& state) {
    MakeIniFile("big.ini", 10000);
    for (auto _ : state)
        benchmark::DoNotOptimize(plat::ProfileString("big.ini", "s", "key5000"));
}
BENCHMARK(BM_CachedProfileString);

// Both in the same loop, batch by batch, so the ratio is not skewed by a change of machine load.
void BM_CachedReadOverStat(benchmark::State& state) {
    const std::string host = MakeIniFile("big.ini", 10000);
    constexpr int kBatch = 1000;
    using Clock = std::chrono::steady_clock;
    Clock::duration statTime{};
    Clock::duration readTime{};
    std::int64_t batches = 0;
    struct stat st {};
    for (auto _ : state) {
        Clock::time_point start = Clock::now();
        for (int i = 0; i < kBatch; ++i)
            benchmark::DoNotOptimize(stat(host.c_str(), &st));
        Clock::time_point middle = Clock::now();
        for (int i = 0; i < kBatch; ++i)
            benchmark::DoNotOptimize(plat::ProfileString("big.ini", "s", "key5000"));
        Clock::time_point end = Clock::now();
        statTime += middle - start;
        readTime += end - middle;
        ++batches;
    }
    auto perCall = [&](Clock::duration total) {
        return std::chrono::duration<double, std::nano>(total).count() /
               static_cast<double>(batches * kBatch);
    };
    state.counters["stat_ns"] = perCall(statTime);
    state.counters["read_ns"] = perCall(readTime);
    state.counters["ratio"] = perCall(readTime) / perCall(statTime);
}
BENCHMARK(BM_CachedReadOverStat);

void BM_ReadAllKeysOneByOne(benchmark::State& state) {
    const int keys = static_cast<int>(state.range(0));
    const std::string name = "all" + std::to_string(keys) + ".ini";
    MakeIniFile(name, keys);
    std::vector<std::string> names;
    for (int i = 0; i < keys; ++i)
        names.push_back("key" + std::to_string(i));
    for (auto _ : state) {
        for (const std::string& key : names)
            benchmark::DoNotOptimize(plat::ProfileString(name, "s", key));
    }
    state.SetItemsProcessed(state.iterations() * keys);
    state.SetComplexityN(keys);
}
BENCHMARK(BM_ReadAllKeysOneByOne)->Arg(1000)->Arg(10000)->Complexity(benchmark::oN);

// Each write is one rewrite (and one parse) of its own file; other cached files are not parsed again.
void BM_WriteNewKeysOneByOne(benchmark::State& state) {
    constexpr int kKeys = 1000;
    MakeIniFile("bystander.ini", 1000);
    plat::profile::Counters& counters = plat::profile::ProfileCounters();
    std::uint64_t rewrites = 0;
    std::uint64_t parses = 0;
    std::uint64_t bystanderParses = 0;
    for (auto _ : state) {
        state.PauseTiming();
        std::string host = *plat::ToHostPath(plat::ProfileFilePath("written.ini"));
        std::remove(host.c_str());
        state.ResumeTiming();
        std::uint64_t rewritesBefore = counters.rewrites;
        std::uint64_t parsesBefore = counters.parses;
        for (int i = 0; i < kKeys; ++i)
            plat::WriteProfileString("written.ini", "s", "key" + std::to_string(i), std::to_string(i));
        rewrites += counters.rewrites - rewritesBefore;
        parses += counters.parses - parsesBefore;
        std::uint64_t beforeBystander = counters.parses;
        benchmark::DoNotOptimize(plat::ProfileString("bystander.ini", "s", "key1"));
        bystanderParses += counters.parses - beforeBystander;
    }
    const auto writes = static_cast<double>(state.iterations() * kKeys);
    state.counters["rewrites_per_write"] = static_cast<double>(rewrites) / writes;
    state.counters["parses_per_write"] = static_cast<double>(parses) / writes;
    state.counters["bystander_parses"] = static_cast<double>(bystanderParses);
    state.SetItemsProcessed(state.iterations() * kKeys);
}
BENCHMARK(BM_WriteNewKeysOneByOne)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();

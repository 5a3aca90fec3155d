// Registry speed: saving and restoring a tree of 1,000 keys and 50,000 values, and enumerating the
// subkeys of one key (which must grow linearly with their number).
#include "platform/paths.h"
#include "platform/privileges.h"
#include "platform/registry.h"
#include "platform/registry_hive.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

namespace fs = std::filesystem;

// A fresh machine prefix for the whole run, removed at exit, with both hive privileges enabled.
class BenchMachine {
  public:
    BenchMachine() {
        std::string pattern = (fs::temp_directory_path() / "tavo-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data())) std::abort();
        host_ = pattern;
        plat::SetPrefixFolder(host_);
        plat::TokenHandle token = 0;
        plat::OpenProcessToken(plat::kTokenAdjustPrivileges, &token);
        plat::AdjustTokenPrivileges(token, false,
                                    {{plat::kSeBackupPrivilege, plat::kSePrivilegeEnabled},
                                     {plat::kSeRestorePrivilege, plat::kSePrivilegeEnabled}});
        plat::CloseTokenHandle(token);
    }
    ~BenchMachine() {
        std::error_code ec;
        fs::remove_all(host_, ec);
    }
    BenchMachine(const BenchMachine&) = delete;
    BenchMachine& operator=(const BenchMachine&) = delete;
    std::string HostOf(const std::string& name) const { return host_ + "/drive_c/" + name; }

  private:
    std::string host_;
};

const BenchMachine& Machine() {
    static BenchMachine machine;
    return machine;
}

plat::HKey Key(const char* path) {
    plat::HKey key = 0;
    plat::RegCreateKeyEx(plat::kHkeyLocalMachine, path, plat::kKeyAllAccess, &key, nullptr);
    return key;
}

// A hive file of `keys` keys (20 below each of 50 keys) with `values` values each, laid down over a
// key by a restore.
plat::HKey LoadTree(const char* path, int keys, int values) {
    plat::reg::TreeKey top;
    for (int k = 0; k < keys; ++k) {
        if (k % 20 == 0) top.subkeys.push_back({"Group" + std::to_string(k / 20), {}, {}});
        plat::reg::TreeKey& key = top.subkeys.back().subkeys.emplace_back();
        key.name = "Key" + std::to_string(k);
        for (int v = 0; v < values; ++v)
            key.values.push_back(
                {"Value" + std::to_string(v), plat::kRegSz, "C:\\DVR\\Data\\" + std::to_string(v)});
    }
    std::ofstream(Machine().HostOf("load.hiv"), std::ios::binary) << plat::reg::EncodeHive(top);
    const plat::HKey key = Key(path);
    plat::RegRestoreKey(key, "C:\\load.hiv", plat::kRegForceRestore);
    return key;
}

void BM_SaveHive(benchmark::State& state) {
    const plat::HKey key = LoadTree("SOFTWARE\\Bench\\Save", 1000, 50);
    for (auto _ : state) {
        fs::remove(Machine().HostOf("save.hiv"));
        if (plat::RegSaveKey(key, "C:\\save.hiv") != 0) state.SkipWithError("save failed");
    }
    plat::RegCloseKey(key);
}
BENCHMARK(BM_SaveHive)->Unit(benchmark::kMillisecond);

void BM_RestoreHive(benchmark::State& state) {
    const plat::HKey key = LoadTree("SOFTWARE\\Bench\\Restore", 1000, 50);
    for (auto _ : state)
        if (plat::RegRestoreKey(key, "C:\\load.hiv", plat::kRegForceRestore) != 0)
            state.SkipWithError("restore failed");
    plat::RegCloseKey(key);
}
BENCHMARK(BM_RestoreHive)->Unit(benchmark::kMillisecond);

void BM_EnumerateSubkeys(benchmark::State& state) {
    const auto count = static_cast<int>(state.range(0));
    const std::string path = "SOFTWARE\\Bench\\Wide" + std::to_string(count);
    plat::reg::TreeKey top;
    for (int k = 0; k < count; ++k)
        top.subkeys.push_back({"Sub" + std::to_string(k), {}, {}});
    std::ofstream(Machine().HostOf("wide.hiv"), std::ios::binary) << plat::reg::EncodeHive(top);
    const plat::HKey key = Key(path.c_str());
    plat::RegRestoreKey(key, "C:\\wide.hiv", plat::kRegForceRestore);
    for (auto _ : state) {
        char name[256];
        std::uint32_t listed = 0;
        for (std::uint32_t i = 0;; ++i) {
            std::uint32_t size = sizeof name;
            if (plat::RegEnumKeyEx(key, i, name, &size) != 0) break;
            ++listed;
        }
        benchmark::DoNotOptimize(listed);
    }
    state.SetComplexityN(count);
    plat::RegCloseKey(key);
}
BENCHMARK(BM_EnumerateSubkeys)->Arg(1000)->Arg(10000)->Complexity()->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();

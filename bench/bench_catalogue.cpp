// Start-up loading of the catalogue: five products of n items each, nested three deep (every
// top-level item has four sub-items with five sub-items each), with an export file entry for every
// item and a few DVR relationship groups. Loading must grow linearly with the number of items: the
// time per item stays the same from 5 x 500 to 5 x 5,000 items and beyond. "Warm" reads from the
// profile cache, as every product after the first does at start-up; "Cold" parses the files anew.
#include "catalogue/catalogue_loader.h"
#include "catalogue/selection_tree.h"
#include "engine/path_roots.h"
#include "engine/product_code.h"
#include "engine/utilities.h"
#include "platform/paths.h"

#include <benchmark/benchmark.h>

#include <array>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <thread>

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

    const std::string& host() const { return host_; }

  private:
    std::string host_;
};

const BenchPrefix& Prefix() {
    static BenchPrefix prefix;
    return prefix;
}

constexpr std::array<const char*, 5> kKeys{"DVR", "NDR", "WDS", "PWT", "RLS"};

void WriteFile(const std::string& windowsPath, const std::string& bytes) {
    const std::optional<std::string> host = plat::ToHostPath(windowsPath);
    if (!host) std::abort();
    fs::create_directories(fs::path(*host).parent_path());
    std::ofstream(*host, std::ios::binary | std::ios::trunc) << bytes;
}

// One item section and its export entry; its sub-items follow it in the file.
void AddItem(std::string& catalogue, std::string& exportSection, const std::string& section, int subNum,
             int relationship) {
    catalogue += "[" + section + "]\r\nFile=Src\\" + section + ".ini\r\nText_Menu=Item " + section +
                 "\r\nSubNum=" + std::to_string(subNum) + "\r\nText_Description=Settings of " + section +
                 "\r\nRelationShip=" + std::to_string(relationship) +
                 "\r\nDefault_Value=_SELECT_CHECK_\r\nSUB_ID_KEY=ID_" + section + "\r\n";
    exportSection += "ID_" + section + "=2\r\n";
}

// The program folder of a catalogue with itemsPerProduct items (a multiple of 25) per product.
const std::string& ProgramFolderFor(int itemsPerProduct) {
    static std::map<int, std::string> made;
    if (auto found = made.find(itemsPerProduct); found != made.end()) return found->second;
    Prefix();
    const std::string folder = "C:\\Tool" + std::to_string(itemsPerProduct) + "\\";
    const int top = itemsPerProduct / 25;
    std::string catalogue = "[General]\r\n";
    for (const char* key : kKeys)
        catalogue += std::string(key) + "_TotalItemNum=" + std::to_string(top) + "\r\n";
    std::string exportFile;
    for (const char* key : kKeys) {
        std::string exportSection = std::string("[") + key + "]\r\n";
        for (int t = 1; t <= top; ++t) {
            const std::string topSection = std::string(key) + "_" + std::to_string(t);
            const int leader = t <= 9 ? t : 0; // the first nine lead a group, their first sub-items follow
            AddItem(catalogue, exportSection, topSection, 4, leader);
            for (int s = 1; s <= 4; ++s) {
                const std::string subSection = topSection + "_" + std::to_string(s);
                AddItem(catalogue, exportSection, subSection, 5, s == 1 ? leader * 10 : 0);
                for (int g = 1; g <= 5; ++g)
                    AddItem(catalogue, exportSection, subSection + "_" + std::to_string(g), 0, 0);
            }
        }
        exportFile += exportSection;
    }
    WriteFile(folder + "Tavo.ini", "[TreeCtrl]\r\nFileOfTreeContent=\\Src\\Items.ini\r\n");
    WriteFile(folder + "Src\\Items.ini", catalogue);
    WriteFile(folder + "Src\\Tavo.ini", exportFile);
    // The profile cache trusts a file on its identity alone once the clock has moved past its change.
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    return made.emplace(itemsPerProduct, folder).first->second;
}

void LoadAll() {
    std::array<tavo::SelectionTree, 5> trees{
        tavo::SelectionTree(tavo::kProductDvr), tavo::SelectionTree(tavo::kProductNodera),
        tavo::SelectionTree(tavo::kProductWatchdeck), tavo::SelectionTree(tavo::kProductPulsewatch),
        tavo::SelectionTree(tavo::kProductRelay)};
    const std::array<tavo::SelectionTree*, 5> order{&trees[0], &trees[1], &trees[2], &trees[3], &trees[4]};
    tavo::LoadCatalogues(order);
    benchmark::DoNotOptimize(trees[4].Count());
}

void UseCatalogue(benchmark::State& state) {
    const int itemsPerProduct = static_cast<int>(state.range(0));
    const std::string& folder = ProgramFolderFor(itemsPerProduct);
    tavo::Roots().programFolder = folder;
    tavo::SetSettingsIniPath(folder + "Tavo.ini");
    state.SetComplexityN(5 * state.range(0));
}

void Report(benchmark::State& state) {
    state.SetItemsProcessed(state.iterations() * 5 * state.range(0));
}

void BM_LoadCataloguesWarm(benchmark::State& state) {
    UseCatalogue(state);
    LoadAll(); // parses the files once
    for (auto _ : state)
        LoadAll();
    Report(state);
}

void BM_LoadCataloguesCold(benchmark::State& state) {
    UseCatalogue(state);
    for (auto _ : state) {
        state.PauseTiming();
        plat::SetPrefixFolder(Prefix().host()); // the same machine; every cache starts again
        state.ResumeTiming();
        LoadAll();
    }
    Report(state);
}

} // namespace

BENCHMARK(BM_LoadCataloguesWarm)->Arg(500)->Arg(5000)->Arg(25000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);
BENCHMARK(BM_LoadCataloguesCold)->Arg(500)->Arg(5000)->Arg(25000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

BENCHMARK_MAIN();

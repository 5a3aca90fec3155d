// Start-up loading of the catalogue (catalogue_fixture.h describes the catalogues). Loading must
// grow linearly with the number of items: the time per item stays the same from 5 x 500 to
// 5 x 5,000 items and beyond. "Warm" reads from the
// profile cache, as every product after the first does at start-up; "Cold" parses the files anew.
#include "bench/catalogue_fixture.h"
#include "catalogue/catalogue_loader.h"
#include "catalogue/selection_tree.h"
#include "engine/path_roots.h"
#include "engine/product_code.h"
#include "engine/utilities.h"
#include "platform/paths.h"

#include <benchmark/benchmark.h>

#include <array>
#include <string>

namespace {

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
    const std::string& folder = tavo::bench::ProgramFolderFor(itemsPerProduct);
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
        plat::SetPrefixFolder(tavo::bench::PrefixHost()); // the same machine; every cache starts again
        state.ResumeTiming();
        LoadAll();
    }
    Report(state);
}

} // namespace

BENCHMARK(BM_LoadCataloguesWarm)
    ->Arg(500)
    ->Arg(5000)
    ->Arg(25000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);
BENCHMARK(BM_LoadCataloguesCold)
    ->Arg(500)
    ->Arg(5000)
    ->Arg(25000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

BENCHMARK_MAIN();

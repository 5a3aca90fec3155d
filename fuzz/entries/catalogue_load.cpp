// The catalogue loader: any catalogue text loads into the selection trees of every product within
// the loader's bounds, and pressing each item's check picture leaves every picture a valid one.
#include "catalogue/catalogue_loader.h"
#include "catalogue/selection_tree.h"
#include "engine/path_roots.h"
#include "engine/product_code.h"
#include "engine/utilities.h"
#include "fuzz/entries/fuzz_check.h"
#include "fuzz/entries/fuzz_entries.h"
#include "fuzz/entries/sandbox.h"
#include "platform/paths.h"

#include <array>
#include <string>

namespace tavo::fuzz {

namespace {

// Small bounds keep each run short; the loader's own defaults are tested by the unit tests.
constexpr LoadLimits kLimits{2000, 32};
constexpr int kMaxPresses = 200;

} // namespace

int FuzzCatalogue(const std::uint8_t* data, std::size_t size) {
    const std::string prefix = FreshFolder("catalogue");
    WriteHostFile(prefix + "/drive_c/Tool/Tavo.ini", "[TreeCtrl]\r\nFileOfTreeContent=\\Src\\Items.ini\r\n");
    WriteHostFile(prefix + "/drive_c/Tool/Src/Items.ini",
                  std::string_view(reinterpret_cast<const char*>(data), size));
    // The demo package's export file: the codes of its items and section fallbacks.
    static const std::string exportFile = ReadHostFile(DemoFolder() + "/package/Src/Tavo.ini");
    WriteHostFile(prefix + "/drive_c/Tool/Src/Tavo.ini", exportFile);
    UseMachine(prefix);
    Roots() = PathRoots{};
    Roots().programFolder = "C:\\Tool\\";
    SetSettingsIniPath("C:\\Tool\\Tavo.ini");

    std::array<SelectionTree, 5> trees{SelectionTree(kProductDvr), SelectionTree(kProductNodera),
                                       SelectionTree(kProductWatchdeck), SelectionTree(kProductPulsewatch),
                                       SelectionTree(kProductRelay)};
    const std::array<SelectionTree*, 5> order{&trees[0], &trees[1], &trees[2], &trees[3], &trees[4]};
    LoadCatalogues(order, kLimits);

    for (SelectionTree& tree : trees) {
        Check(tree.Count() <= kLimits.maxItems, "a tree holds more items than its bound");
        Check(tree.Initialised() && tree.SelectionCounter() == tree.Count(),
              "a loaded tree's counter is off");
        for (ItemHandle item = 0; item < tree.Count() && item < kMaxPresses; ++item)
            tree.Click(item, HitPart::Image, item);
        for (ItemHandle item = 0; item < tree.Count(); ++item)
            Check(tree.Image(item) >= 0 && tree.Image(item) <= 3,
                  "an item shows no check picture of the four");
    }
    return 0;
}

} // namespace tavo::fuzz

#include "catalogue/catalogue_loader.h"

#include "catalogue/catalogue_item.h"
#include "catalogue/catalogue_paths.h"
#include "catalogue/product.h"
#include "catalogue/selection_code.h"
#include "catalogue/selection_tree.h"
#include "engine/path_roots.h"
#include "engine/utilities.h"
#include "platform/ascii_case.h"
#include "platform/profile.h"
#include "platform/system.h"

#include <cstdint>
#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

namespace tavo {

namespace {

// One level of the walk: the items of one prefix still to load. The walk keeps its own stack, so
// nesting costs heap, bounded by the depth limit, and never the call stack.
struct Level {
    std::string prefix;
    std::int64_t count;
    std::int64_t next; // 64 bits: a count of 2^31 - 1 must not overflow the step past it
    ItemHandle parent;
};

ItemHandle InsertCatalogueItem(SelectionTree& tree, ItemHandle parent, CatalogueItem& item,
                               std::string_view productKey) {
    const int code =
        static_cast<int>(plat::ProfileInt(ExportFilePath(), productKey, item.subIdKey, item.fallbackCode));
    ItemEntry entry;
    entry.productKey = std::string(productKey);
    entry.subIdKey = std::move(item.subIdKey);
    entry.label = std::move(item.label);
    entry.description = std::move(item.description);
    entry.actionFile = Roots().programFolder + item.file;
    entry.initialImage = ImageForSelectionCode(code);
    const ItemHandle handle = tree.InsertItem(parent, std::move(entry));
    // The list follows the section fallback code, not the code that set the image.
    if (item.fallbackCode == kCodeDisabledChecked) tree.DisabledChecks().Add(handle);
    if (tree.HasRelationships() && item.relationship != 0)
        tree.Groups().Add(handle, item.relationship, item.fallbackCode);
    return handle;
}


// The catalogue's section names, upper-cased (names compare without regard to case).
std::unordered_set<std::string> CatalogueSections() {
    std::unordered_set<std::string> names;
    for (std::string& name : plat::ProfileSectionNames(CatalogueIniPath()))
        names.insert(plat::UpperAscii(name));
    return names;
}

} // namespace

int LoadCatalogueItems(SelectionTree& tree, std::string_view prefix, int count, ItemHandle parent,
                       const LoadLimits& limits) {
    const std::string_view productKey = CatalogueProductKey(tree.Product());
    const int before = tree.Count();
    bool depthTraced = false;
    const std::unordered_set<std::string> sections = CatalogueSections();
    std::vector<Level> levels;
    if (count > 0 && limits.maxDepth > 0) levels.push_back({std::string(prefix), count, 1, parent});
    while (!levels.empty()) {
        if (levels.back().next > levels.back().count) {
            levels.pop_back();
            continue;
        }
        if (tree.Count() >= limits.maxItems) {
            plat::DebugTrace("Catalogue: " + std::string(productKey) + " stops at " +
                             std::to_string(limits.maxItems) + " items");
            break;
        }
        const int number = static_cast<int>(levels.back().next++);
        const std::string& levelPrefix = levels.back().prefix;
        CatalogueItem item = sections.contains(plat::UpperAscii(ItemSectionName(levelPrefix, number)))
                                 ? ReadCatalogueItem(levelPrefix, number)
                                 : MissingCatalogueItem(levelPrefix, number);
        const ItemHandle handle = InsertCatalogueItem(tree, levels.back().parent, item, productKey);
        if (item.subNum <= 0) continue;
        if (levels.size() >= static_cast<std::size_t>(limits.maxDepth)) {
            if (!depthTraced)
                plat::DebugTrace("Catalogue: items " + std::to_string(limits.maxDepth) +
                                 " levels deep keep no sub-items, from " + item.section + " on");
            depthTraced = true;
            continue;
        }
        levels.push_back({std::move(item.section), item.subNum, 1, handle});
    }
    return tree.Count() - before;
}

void LoadProductCatalogue(SelectionTree& tree, const LoadLimits& limits) {
    const int count = LoadCatalogueHeader(tree.Product());
    tree.Clear();
    LoadCatalogueItems(tree, CatalogueProductKey(tree.Product()), count, kNoItem, limits);
    tree.InitCounters();
}

void LoadCatalogues(std::span<SelectionTree* const> trees, const LoadLimits& limits) {
    for (SelectionTree* tree : trees)
        LoadProductCatalogue(*tree, limits);
    // Only now: a group's leader may load after its members.
    for (SelectionTree* tree : trees)
        tree->ApplyRelationshipGroups();
}

} // namespace tavo

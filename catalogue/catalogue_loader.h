#pragma once
// Loading the catalogue into the selection trees at start-up.
#include "catalogue/item_handle.h"

#include <span>
#include <string_view>

namespace tavo {

class SelectionTree;

// Bounds no real catalogue reaches. A hostile catalogue can ask for 2^31 items per level and nest
// without end; loading stops at these (with a debug trace) instead of running out of time or memory.
struct LoadLimits {
    int maxItems = 100000; // items in one tree
    int maxDepth = 64;     // levels below the parent of the load (top-level items are level 1)
};

// Loads items 1 to count of a prefix under parent and, before going on to the next number, each
// item's sub-items (section "%s_%d" as prefix, "SubNum" as count), so the loaded item table is in
// depth-first pre-order. Each item's code is the export file's entry under the tree's product key
// and the item's "SUB_ID_KEY", with the section fallback code as default; items with fallback code
// 8 join the disabled-check list; in the DVR's tree, items with a relationship code join a group.
// Returns the number of items loaded.
int LoadCatalogueItems(SelectionTree& tree, std::string_view prefix, int count, ItemHandle parent,
                       const LoadLimits& limits = {});

// The start-up load of one product: LoadCatalogueHeader, a cleared tree, its items under the root,
// and InitCounters.
void LoadProductCatalogue(SelectionTree& tree, const LoadLimits& limits = {});

// The start-up load of every product, in the order given (the window passes DVR, Nodera,
// Watchdeck, Pulsewatch, Relay), and then the start-up application of the relationship groups.
void LoadCatalogues(std::span<SelectionTree* const> trees, const LoadLimits& limits = {});

} // namespace tavo

#include "cli/tree_selection.h"

#include "catalogue/selection_code.h"
#include "catalogue/selection_tree.h"
#include "cli/exit_status.h"

namespace tavo::cli {

namespace {

std::vector<int> Images(const SelectionTree& tree) {
    std::vector<int> images;
    images.reserve(static_cast<std::size_t>(tree.Count()));
    for (ItemHandle item = 0; item < tree.Count(); ++item)
        images.push_back(tree.Image(item));
    return images;
}

ItemHandle FindKey(const SelectionTree& tree, const std::string& key) {
    for (ItemHandle item = 0; item < tree.Count(); ++item)
        if (tree.Entry(item).subIdKey == key) return item;
    return kNoItem;
}

void ClickImage(SelectionTree& tree, ItemHandle item) {
    tree.Click(item, HitPart::Image, kNoItem);
}

} // namespace

std::optional<SelectionRefusal> ApplySelection(SelectionTree& tree, const std::vector<std::string>& select,
                                               bool all) {
    for (const std::string& key : select) {
        const ItemHandle item = FindKey(tree, key);
        if (item == kNoItem) return SelectionRefusal{kExitBadCommand, "no item has the key " + key};
        const std::vector<int> before = Images(tree);
        ClickImage(tree, item);
        if (Images(tree) == before)
            return SelectionRefusal{kExitNotRun, key + " cannot be changed: the package holds nothing for it"};
    }
    if (all) {
        for (ItemHandle item = 0; item < tree.Count(); ++item)
            if (tree.Image(item) == kImageUnchecked) ClickImage(tree, item);
    }
    return std::nullopt;
}

} // namespace tavo::cli

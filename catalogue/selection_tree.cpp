#include "catalogue/selection_tree.h"

#include "catalogue/product.h"
#include "catalogue/selection_code.h"
#include "engine/product_code.h"

#include <utility>

namespace tavo {

SelectionTree::SelectionTree(int productCode, SelectionTreeHost* host)
    : product_(CatalogueProduct(productCode)), host_(host) {}

bool SelectionTree::HasRelationships() const {
    return product_ == kProductDvr;
}

void SelectionTree::Clear() {
    items_.clear();
    topLevel_.clear();
    disabledChecks_.Clear();
    groups_.Clear();
    selectionCounter_ = 0;
    initialised_ = false;
}

ItemHandle SelectionTree::InsertItem(ItemHandle parent, ItemEntry entry) {
    if (parent != kNoItem && !Contains(parent)) return kNoItem;
    const ItemHandle item = Count();
    TreeItem node;
    node.parent = parent;
    node.image = entry.initialImage >= kImageUnchecked && entry.initialImage <= kImageGreyedChecked
                     ? entry.initialImage
                     : kImageGreyed;
    entry.initialImage = node.image;
    if (entry.description.empty()) entry.description = entry.label;
    node.entry = std::move(entry);
    items_.push_back(std::move(node));
    if (parent == kNoItem) {
        topLevel_.push_back(item);
    } else {
        Node(parent).children.push_back(item);
        Node(parent).expanded = true;
    }
    return item;
}

const std::vector<ItemHandle>& SelectionTree::Children(ItemHandle parent) const {
    return parent == kNoItem ? topLevel_ : Node(parent).children;
}

void SelectionTree::SetExpanded(ItemHandle item, bool expanded) {
    if (Contains(item)) Node(item).expanded = expanded;
}

void SelectionTree::SetImage(ItemHandle item, int image) {
    TreeItem& node = Node(item);
    if (node.image == image) return;
    node.image = image;
    if (host_) host_->ImageChanged(item);
}

} // namespace tavo

#pragma once
// Builds a selection tree from an outline, one item a line, two spaces of indent per level:
//   "name image [d] [r<relationship code>] [f<section fallback code>]"
// d puts the item in the disabled-check list; r files it in a relationship group with the fallback
// code of f (default 1). Items are named by their labels.
#include "catalogue/selection_tree.h"

#include <map>
#include <string>
#include <string_view>

namespace tavo::test {

class TreeOutline {
  public:
    // Inserts the outline's items into the tree and applies the relationship groups.
    TreeOutline(SelectionTree& tree, std::string_view outline);

    // The item with this label; kNoItem for an empty name.
    ItemHandle operator[](std::string_view name) const;
    // "name image" of every item in load order, separated by spaces: "A1 B0 C3".
    std::string Images() const;

  private:
    const SelectionTree& tree_;
    std::map<std::string, ItemHandle, std::less<>> items_;
};

} // namespace tavo::test

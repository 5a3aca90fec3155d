#pragma once
// The disabled-check list of one product: the items loaded with section fallback code 8, each with
// a toggle that decides whether the next click on it selects or clears its descendants.
#include "catalogue/item_handle.h"

#include <vector>

namespace tavo {

class DisabledCheckList {
  public:
    void Clear() { entries_.clear(); }
    // Appends an item with toggle 0.
    void Add(ItemHandle item) { entries_.push_back({item, 0}); }
    // -1 when the item is not in the list; otherwise flips its toggle between 0 and 1 and returns
    // the new value.
    int Toggle(ItemHandle item);

  private:
    struct Entry {
        ItemHandle item;
        int toggle;
    };
    std::vector<Entry> entries_;
};

} // namespace tavo

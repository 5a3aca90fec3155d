#pragma once
// What a selection tree asks of the window that shows it. The window implements these; the tree
// calls them from its click and key handling.
#include "catalogue/item_handle.h"

#include <string_view>

namespace tavo {

class SelectionTreeHost {
  public:
    virtual ~SelectionTreeHost() = default;

    // Enables or disables the Next button and repaints it.
    virtual void EnableNext(bool enable) = 0;
    // Shows an item's description text in the description pane.
    virtual void ShowDescription(std::string_view text) = 0;
    // The tree's default processing of a press on an item's row: the item becomes the caret item.
    virtual void SelectItem(ItemHandle item) = 0;
    // The tree's default processing of a press on an expand button: the item was expanded or
    // collapsed.
    virtual void ExpandItem(ItemHandle item, bool expanded) = 0;
    // An item's check image changed after it was inserted; its row needs repainting.
    virtual void ImageChanged(ItemHandle item) = 0;
};

} // namespace tavo

#pragma once
// How a selection tree's items are named: an item's handle is its position in the tree's loaded
// item table (load order, 0 up), stable for the life of the tree, so a view can map it to a row.

namespace tavo {

using ItemHandle = int;
// No item; as a parent, the tree's root.
inline constexpr ItemHandle kNoItem = -1;

} // namespace tavo

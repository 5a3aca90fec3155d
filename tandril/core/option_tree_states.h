#pragma once
// What the option-tree exports answer without a window: the states the current dialog shows and
// the states stored for a tree.
#include <string_view>

namespace tandril {

// The state the current dialog's tree shows for the item of this id (1, 2, 4 or 8); -1 when no
// dialog is current or no item has the id.
int GetItemCurrentState(int id);

// The state stored for the item of this id in the state file of tree `name`, its default when none
// is; -1 when no item of the tree has the id. Makes the spare tree current when none is, and
// answers from the spare (loaded for `name`) when the current dialog holds another tree.
int GetItemStateFromIni(std::string_view name, int id);

} // namespace tandril

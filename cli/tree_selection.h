#pragma once
// The selection of a product command, made on a loaded tree with the tree's own click rules: the
// run then takes what the tree shows, as the window's Next does.
#include <optional>
#include <string>
#include <vector>

namespace tavo {
class SelectionTree;
}

namespace tavo::cli {

struct SelectionRefusal {
    int status; // an ExitStatus
    std::string reason;
};

// Each key of `select`, in order, is a click on the image of the first item whose "SUB_ID_KEY" it
// is: it toggles that item as a click does, with the parent, child and relationship rules. `all`
// selects every item a click can select: each item still shown empty, in load order. Neither: the
// tree stays as it loaded. Refused: a key no item has (a bad command), or a click that changes
// nothing (the item is greyed: the package holds nothing for it).
std::optional<SelectionRefusal> ApplySelection(SelectionTree& tree, const std::vector<std::string>& select,
                                               bool all);

} // namespace tavo::cli

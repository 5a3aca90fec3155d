#include "tandril/core/option_tree_states.h"

#include "tandril/core/library_state.h"

#include <string>

namespace tandril {

namespace {

bool Holds(const OptionTree& tree, std::string_view name) {
    return tree.name() == name && !tree.items().empty();
}

} // namespace

int GetItemCurrentState(int id) {
    const std::shared_ptr<OptionTree>& tree = Library().currentOptionTree;
    return tree ? tree->CurrentState(id) : -1;
}

int GetItemStateFromIni(std::string_view name, int id) {
    LibraryState& library = Library();
    library.treeName = std::string(name);
    if (!library.currentOptionTree) library.currentOptionTree = library.spareOptionTree;
    // The items of another tree would answer with their own keys; a dialog's shown tree is never
    // reloaded under its window, so the spare takes the tree asked for.
    const OptionTree* tree = library.currentOptionTree.get();
    if (!Holds(*tree, name)) {
        if (!Holds(*library.spareOptionTree, name)) library.spareOptionTree->Load(name, false);
        tree = library.spareOptionTree.get();
    }
    return tree->StoredState(id);
}

} // namespace tandril

#pragma once
// `tavoctl list`: a product's items as a tree, one line each, indented by depth:
//   [x] Label (SUB_ID_KEY) Src\Action.ini
// The mark is the item's check image: "[ ]" not selected, "[x]" selected, "[-]" greyed (the
// package holds nothing for it), "[+]" greyed and selected. The action file is shown relative to
// the program folder when it lies in it.
#include <cstdio>
#include <string_view>

namespace tavo {
class SelectionTree;
}

namespace tavo::cli {

void PrintTree(const SelectionTree& tree, std::string_view title, std::string_view programFolder, std::FILE* out);

} // namespace tavo::cli

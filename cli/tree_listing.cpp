#include "cli/tree_listing.h"

#include "catalogue/selection_tree.h"

#include <cctype>
#include <string>
#include <utility>
#include <vector>

namespace tavo::cli {

namespace {

const char* Mark(int image) {
    switch (image) {
    case 0: return "[ ]";
    case 1: return "[x]";
    case 2: return "[-]";
    default: return "[+]";
    }
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(text[i])) != std::tolower(static_cast<unsigned char>(prefix[i])))
            return false;
    return true;
}

} // namespace

void PrintTree(const SelectionTree& tree, std::string_view title, std::string_view programFolder, std::FILE* out) {
    std::fprintf(out, "%.*s\n", static_cast<int>(title.size()), title.data());
    // Depth-first with an explicit stack: a deep catalogue cannot exhaust the call stack.
    std::vector<std::pair<ItemHandle, int>> pending;
    const std::vector<ItemHandle>& top = tree.Children(kNoItem);
    for (auto it = top.rbegin(); it != top.rend(); ++it)
        pending.emplace_back(*it, 1);
    while (!pending.empty()) {
        const auto [item, depth] = pending.back();
        pending.pop_back();
        const ItemEntry& entry = tree.Entry(item);
        std::string_view file = entry.actionFile;
        if (!programFolder.empty() && StartsWithNoCase(file, programFolder)) file.remove_prefix(programFolder.size());
        std::fprintf(out, "%*s%s %s (%s) %.*s\n", 2 * depth, "", Mark(tree.Image(item)), entry.label.c_str(),
                     entry.subIdKey.c_str(), static_cast<int>(file.size()), file.data());
        const std::vector<ItemHandle>& children = tree.Children(item);
        for (auto it = children.rbegin(); it != children.rend(); ++it)
            pending.emplace_back(*it, depth + 1);
    }
    std::fflush(out);
}

} // namespace tavo::cli

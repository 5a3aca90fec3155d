#include "tree_outline.h"

#include <sstream>
#include <stdexcept>
#include <vector>

namespace tavo::test {

TreeOutline::TreeOutline(SelectionTree& tree, std::string_view outline) : tree_(tree) {
    std::vector<ItemHandle> parents; // parents[level] is the last item seen at that level
    std::istringstream lines{std::string(outline)};
    std::string line;
    while (std::getline(lines, line)) {
        const std::size_t indent = line.find_first_not_of(' ');
        if (indent == std::string::npos) continue;
        const std::size_t level = indent / 2;
        if (level > parents.size()) throw std::invalid_argument("outline skips a level: " + line);
        std::istringstream fields(line);
        std::string name;
        ItemEntry entry;
        fields >> name >> entry.initialImage;
        entry.label = name;
        const ItemHandle item = tree.InsertItem(level == 0 ? kNoItem : parents[level - 1], entry);
        int relationship = 0;
        int fallback = 1;
        for (std::string flag; fields >> flag;) {
            if (flag == "d") {
                tree.DisabledChecks().Add(item);
            } else if (flag[0] == 'r') {
                relationship = std::stoi(flag.substr(1));
            } else if (flag[0] == 'f') {
                fallback = std::stoi(flag.substr(1));
            } else {
                throw std::invalid_argument("unknown outline flag: " + flag);
            }
        }
        if (relationship != 0) tree.Groups().Add(item, relationship, fallback);
        parents.resize(level);
        parents.push_back(item);
        items_[name] = item;
    }
    tree.ApplyRelationshipGroups();
}

ItemHandle TreeOutline::operator[](std::string_view name) const {
    if (name.empty()) return kNoItem;
    const auto found = items_.find(name);
    if (found == items_.end()) throw std::invalid_argument("no item " + std::string(name));
    return found->second;
}

std::string TreeOutline::Images() const {
    std::string text;
    for (ItemHandle item = 0; item < tree_.Count(); ++item) {
        if (!text.empty()) text += ' ';
        text += tree_.Entry(item).label + std::to_string(tree_.Image(item));
    }
    return text;
}

} // namespace tavo::test

// The working states of an option tree: clicks, the check and uncheck walks through children and
// parents, the relationship groups and the default button.
#include "tandril/core/option_tree.h"

#include <algorithm>

namespace tandril {

int StateOfImage(int image) {
    return 1 << std::clamp(image, 0, 3);
}

int ImageOfState(int state) {
    switch (state) {
    case kUnchecked:
        return kImageUnchecked;
    case kChecked:
        return kImageChecked;
    case kDisabledUnchecked:
        return kImageDisabledUnchecked;
    case kDisabledChecked:
        return kImageDisabledChecked;
    default:
        return -1;
    }
}

int OptionTree::Find(int id) const {
    const auto found =
        std::find_if(items_.begin(), items_.end(), [id](const OptionItem& item) { return item.id == id; });
    return found == items_.end() ? -1 : static_cast<int>(found - items_.begin());
}

int OptionTree::CurrentState(int id) const {
    const int index = Find(id);
    return index < 0 ? -1 : StateOfImage(items_[static_cast<std::size_t>(index)].image);
}

void OptionTree::ApplyGroups() {
    for (const std::vector<GroupEntry>& group : groups_) {
        // Members of a group without a leader item keep their loaded states.
        if (group.size() < 2 || group[0].item < 0) continue;
        const int leader = group[0].state;
        if (leader != kUnchecked && leader != kDisabledUnchecked && leader != kDisabledChecked) continue;
        const int image = leader == kDisabledChecked ? kImageDisabledChecked : kImageDisabledUnchecked;
        for (std::size_t m = 1; m < group.size(); ++m)
            items_[static_cast<std::size_t>(group[m].item)].image = image;
    }
}

void OptionTree::Click(int item) {
    OptionItem& clicked = items_[static_cast<std::size_t>(item)];
    switch (clicked.image) {
    case kImageUnchecked:
        Check(item);
        GroupRule(item, true);
        break;
    case kImageChecked:
        Uncheck(item);
        GroupRule(item, false);
        break;
    case kImageDisabledChecked: {
        const auto entry = std::find_if(disabledChecked_.begin(), disabledChecked_.end(),
                                        [item](const DisabledChecked& e) { return e.item == item; });
        if (entry == disabledChecked_.end()) break;
        entry->on = !entry->on;
        if (entry->on)
            CheckChildren(item);
        else
            UncheckChildren(item);
        break;
    }
    default:
        break;
    }
    modified_ = true;
}

void OptionTree::Defaults() {
    for (OptionItem& item : items_)
        item.image = ImageOfState(item.defaultState);
    modified_ = true;
}

void OptionTree::ClearGroups() {
    for (std::vector<GroupEntry>& group : groups_)
        group.clear();
}

void OptionTree::Check(int item) {
    items_[static_cast<std::size_t>(item)].image = kImageChecked;
    CheckDown(item);
    for (int up = items_[static_cast<std::size_t>(item)].parent;
         up >= 0 && items_[static_cast<std::size_t>(up)].image == kImageUnchecked;
         up = items_[static_cast<std::size_t>(up)].parent)
        items_[static_cast<std::size_t>(up)].image = kImageChecked;
}

void OptionTree::Uncheck(int item) {
    items_[static_cast<std::size_t>(item)].image = kImageUnchecked;
    UncheckDown(item);
    for (int up = items_[static_cast<std::size_t>(item)].parent; up >= 0;
         up = items_[static_cast<std::size_t>(up)].parent) {
        const std::vector<int>& children = items_[static_cast<std::size_t>(up)].children;
        if (std::any_of(children.begin(), children.end(), [this](int child) {
                const int image = items_[static_cast<std::size_t>(child)].image;
                return image == kImageChecked || image == kImageDisabledChecked;
            }))
            break;
        items_[static_cast<std::size_t>(up)].image = kImageUnchecked;
    }
}

// Every step below only turns unchecked into checked (or checked into unchecked), so the walks end
// even when groups and children lead into each other.
void OptionTree::CheckDown(int item) {
    for (const int child : items_[static_cast<std::size_t>(item)].children) {
        if (items_[static_cast<std::size_t>(child)].image != kImageUnchecked) continue;
        items_[static_cast<std::size_t>(child)].image = kImageChecked;
        GroupRule(child, true);
        CheckDown(child);
    }
}

void OptionTree::UncheckDown(int item) {
    for (const int child : items_[static_cast<std::size_t>(item)].children) {
        if (items_[static_cast<std::size_t>(child)].image != kImageChecked) continue;
        items_[static_cast<std::size_t>(child)].image = kImageUnchecked;
        GroupRule(child, false);
        UncheckDown(child);
    }
}

void OptionTree::CheckChildren(int item) {
    for (const int child : items_[static_cast<std::size_t>(item)].children) {
        if (items_[static_cast<std::size_t>(child)].image == kImageUnchecked) {
            items_[static_cast<std::size_t>(child)].image = kImageChecked;
            GroupRule(child, true);
        }
        if (!items_[static_cast<std::size_t>(child)].children.empty()) CheckChildren(child);
    }
}

void OptionTree::UncheckChildren(int item) {
    for (const int child : items_[static_cast<std::size_t>(item)].children) {
        const int image = items_[static_cast<std::size_t>(child)].image;
        if (image == kImageChecked) {
            items_[static_cast<std::size_t>(child)].image = kImageUnchecked;
            GroupRule(child, false);
            UncheckChildren(child);
        } else if (image == kImageDisabledChecked) {
            UncheckChildren(child);
        }
    }
}

void OptionTree::GroupRule(int item, bool checked) {
    for (const std::vector<GroupEntry>& group : groups_) {
        if (group.empty() || group[0].item != item) continue;
        for (std::size_t m = 1; m < group.size(); ++m) {
            const int member = group[m].item;
            if (!checked)
                items_[static_cast<std::size_t>(member)].image = kImageDisabledUnchecked;
            else if (group[m].defaultState == kUnchecked || group[m].defaultState == kChecked)
                Check(member);
            else
                items_[static_cast<std::size_t>(member)].image = kImageDisabledChecked;
        }
    }
}

} // namespace tandril

// The check-mark rules of the selection tree: SetCheck, ApplyCode and the relationship groups.
// Descents use an explicit work list, so a deep tree cannot exhaust the stack.
#include "catalogue/selection_code.h"
#include "catalogue/selection_tree.h"

#include <optional>

namespace tavo {

void SelectionTree::SetCheck(ItemHandle item, int mode) {
    if (!Contains(item)) return;
    switch (mode) {
    case kModeSelect:
        SetImage(item, kImageChecked);
        SpreadDown(item, kImageUnchecked, kImageChecked, false);
        // Every unselected ancestor up to the first one that is anything else.
        for (ItemHandle up = Parent(item); up != kNoItem && Image(up) == kImageUnchecked; up = Parent(up))
            SetImage(up, kImageChecked);
        break;
    case kModeClear:
        SetImage(item, kImageUnchecked);
        SpreadDown(item, kImageChecked, kImageUnchecked, false);
        // An ancestor is cleared, whatever its image, once none of its children is selected.
        for (ItemHandle up = Parent(item); up != kNoItem && !HasMarkedChild(up); up = Parent(up))
            SetImage(up, kImageUnchecked);
        break;
    case kModeSelectDescendants:
        SpreadDown(item, kImageUnchecked, kImageChecked, true);
        break;
    case kModeClearDescendants:
        SpreadDown(item, kImageChecked, kImageUnchecked, true);
        break;
    default:
        break;
    }
}

void SelectionTree::SpreadDown(ItemHandle item, int from, int to, bool throughGreyedChecked) {
    std::vector<ItemHandle> pending{item};
    while (!pending.empty()) {
        const ItemHandle current = pending.back();
        pending.pop_back();
        for (const ItemHandle child : Node(current).children) {
            const int image = Image(child);
            if (image == from) {
                SetImage(child, to);
                pending.push_back(child);
            } else if (throughGreyedChecked && image == kImageGreyedChecked) {
                pending.push_back(child);
            }
        }
    }
}

bool SelectionTree::HasMarkedChild(ItemHandle item) const {
    for (const ItemHandle child : Node(item).children) {
        const int image = Image(child);
        if (image == kImageChecked || image == kImageGreyedChecked) return true;
    }
    return false;
}

void SelectionTree::ApplyCode(ItemHandle item, int code) {
    if (!Contains(item)) return;
    switch (code) {
    case kCodeUnchecked:
        SetCheck(item, kModeClear);
        break;
    case kCodeChecked:
        SetCheck(item, kModeSelect);
        break;
    case kCodeDisabledUnchecked:
    case kCodeGroupCleared:
        SetImage(item, kImageGreyed);
        break;
    case kCodeGroupSelected:
        SetImage(item, kImageChecked);
        break;
    case kCodeDisabledChecked:
        SetImage(item, kImageGreyedChecked);
        break;
    default:
        break;
    }
}

void SelectionTree::PropagateRelationship(ItemHandle item, int state) {
    if (!HasRelationships()) return;
    const int group = groups_.GroupLedBy(item);
    if (group < 0) return;
    int code = 0;
    if (state == kLeaderSelected) {
        code = kCodeGroupSelected;
    } else if (state == kLeaderCleared) {
        code = kCodeGroupCleared;
    } else {
        return;
    }
    const auto& entries = groups_.Group(group);
    for (std::size_t slot = 1; slot < entries.size(); ++slot)
        ApplyCode(entries[slot].item, code);
}

void SelectionTree::ApplyRelationshipGroups() {
    if (!HasRelationships()) return;
    for (int group = 0; group < kRelationshipGroupCount; ++group) {
        const auto& entries = groups_.Group(group);
        if (entries.empty()) continue;
        const std::optional<int> code = MemberStartCode(entries.front());
        if (!code) continue;
        for (std::size_t slot = 1; slot < entries.size(); ++slot)
            ApplyCode(entries[slot].item, *code);
    }
}

} // namespace tavo

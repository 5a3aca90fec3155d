// The selection tree's answer to the operator: the selection counter, mouse presses and keys.
#include "catalogue/selection_code.h"
#include "catalogue/selection_tree.h"

namespace tavo {

void SelectionTree::InitCounters() {
    selectionCounter_ = Count();
    initialised_ = true;
}

void SelectionTree::ShowDescription(ItemHandle item) {
    if (Contains(item) && host_) host_->ShowDescription(Entry(item).description);
}

void SelectionTree::Click(ItemHandle hit, HitPart part, ItemHandle caret) {
    if (!initialised_) InitCounters();
    if (!Contains(hit)) return;
    if (part == HitPart::ExpandButton) {
        // Only the tree's own processing: no description, no toggle.
        TreeItem& node = Node(hit);
        if (node.children.empty()) return;
        node.expanded = !node.expanded;
        if (host_) host_->ExpandItem(hit, node.expanded);
        return;
    }
    if (part == HitPart::Image) {
        ToggleMark(hit, true);
    } else if (part == HitPart::Label && hit == caret) {
        // A second press on the label of the selected item toggles it like its image would.
        ToggleMark(hit, false);
    }
    ShowDescription(hit);
    if (host_) host_->SelectItem(hit);
}

void SelectionTree::ToggleMark(ItemHandle item, bool counting) {
    switch (Image(item)) {
    case kImageUnchecked:
        SetCheck(item, kModeSelect);
        if (counting) {
            ++selectionCounter_;
            if (host_) host_->EnableNext(true);
        }
        PropagateRelationship(item, kLeaderSelected);
        break;
    case kImageChecked:
        SetCheck(item, kModeClear);
        if (counting) {
            --selectionCounter_;
            if (selectionCounter_ == 0 && host_) host_->EnableNext(false);
        }
        PropagateRelationship(item, kLeaderCleared);
        break;
    case kImageGreyedChecked: {
        const int toggle = ToggleDisabledCheck(item);
        if (toggle == 1) {
            SetCheck(item, kModeSelectDescendants);
        } else if (toggle == 0) {
            SetCheck(item, kModeClearDescendants);
        }
        break;
    }
    default:
        break;
    }
}

void SelectionTree::KeyPressed(ItemHandle caret) {
    ShowDescription(caret);
}

} // namespace tavo

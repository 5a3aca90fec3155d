#include "catalogue/relationship_groups.h"

#include "catalogue/selection_code.h"

namespace tavo {

void RelationshipGroups::Clear() {
    for (auto& group : groups_)
        group.clear();
}

int RelationshipGroups::Add(ItemHandle item, int relationshipCode, int fallbackCode) {
    if (relationshipCode >= 1 && relationshipCode <= 9) {
        const int index = relationshipCode - 1;
        auto& group = groups_[static_cast<unsigned>(index)];
        if (group.empty()) {
            group.push_back({item, fallbackCode});
        } else {
            group.front() = {item, fallbackCode};
        }
        return index;
    }
    if (relationshipCode >= 10 && relationshipCode <= 99) {
        const int index = relationshipCode / 10 - 1;
        auto& group = groups_[static_cast<unsigned>(index)];
        if (group.empty()) group.push_back({}); // slot 0 stays free for the leader
        group.push_back({item, fallbackCode});
        return index;
    }
    return -1;
}

int RelationshipGroups::GroupLedBy(ItemHandle item) const {
    if (item == kNoItem) return -1; // a placeholder leads nothing
    for (int index = 0; index < kRelationshipGroupCount; ++index) {
        const auto& group = groups_[static_cast<unsigned>(index)];
        if (!group.empty() && group.front().item == item) return index;
    }
    return -1;
}

std::optional<int> MemberStartCode(const GroupEntry& leader) {
    if (leader.item == kNoItem) return std::nullopt;
    switch (leader.fallbackCode) {
    case kCodeUnchecked:
    case kCodeDisabledUnchecked:
        return kCodeDisabledUnchecked;
    case kCodeChecked:
    case kCodeDisabledChecked:
        return kCodeDisabledChecked;
    default:
        return std::nullopt;
    }
}

} // namespace tavo

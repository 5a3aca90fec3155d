#pragma once
// The DVR's nine relationship groups: a leader item whose mark enables or disables its members.
// Each group is an ordered list; slot 0 is the leader, slots 1 onward are the members in load
// order. Every entry keeps the section fallback code its item was loaded with.
#include "catalogue/item_handle.h"

#include <array>
#include <optional>
#include <vector>

namespace tavo {

inline constexpr int kRelationshipGroupCount = 9;

struct GroupEntry {
    ItemHandle item = kNoItem; // kNoItem: slot 0 kept for a leader that has not loaded
    int fallbackCode = 0;
};

class RelationshipGroups {
  public:
    void Clear();
    // Files an item by its "RelationShip" code: 1 to 9 makes it the leader of group code - 1 (a
    // later leader replaces an earlier one), 10 to 99 appends it as a member of group
    // code / 10 - 1. Every other code joins no group. Returns the group, or -1.
    int Add(ItemHandle item, int relationshipCode, int fallbackCode);
    const std::vector<GroupEntry>& Group(int group) const { return groups_[static_cast<unsigned>(group)]; }
    // The first group, in group order, that the item leads; -1 when it leads none.
    int GroupLedBy(ItemHandle item) const;

  private:
    std::array<std::vector<GroupEntry>, kRelationshipGroupCount> groups_;
};

// The code every member of a group starts with, from its leader's section fallback code: 1 and 4
// give 4 (greyed empty), 2 and 8 give 8 (greyed check mark). Any other code, and a leader that
// never loaded, give none: the members keep the image they loaded with.
std::optional<int> MemberStartCode(const GroupEntry& leader);

} // namespace tavo

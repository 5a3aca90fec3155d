#pragma once
// The model of one product's selection tree: the catalogue items with their check images, the
// loaded item table, the selection counter and the rules a click applies. It knows nothing of a
// toolkit; a view draws it (children in order, images, labels, expanded state), hit-tests presses
// itself and hands them to Click, and implements SelectionTreeHost.
#include "catalogue/disabled_checks.h"
#include "catalogue/item_handle.h"
#include "catalogue/relationship_groups.h"
#include "catalogue/selection_tree_host.h"

#include <string>
#include <vector>

namespace tavo {

// One entry of the loaded item table.
struct ItemEntry {
    std::string productKey;  // the section of the export file that holds the item's code
    std::string subIdKey;    // the key of the item's code there ("SUB_ID_KEY")
    std::string label;       // "Text_Menu"
    std::string description; // "Text_Description", or the label when that is empty
    std::string actionFile;  // program folder + "File"
    int initialImage = 0;    // the check image the item loaded with
};

enum CheckMode : int {
    kModeClear = 1,
    kModeSelect = 2,
    kModeClearDescendants = 9,
    kModeSelectDescendants = 10,
};

// Where a press landed on an item's row, as the view's hit test tells it.
enum class HitPart { Image, Label, ExpandButton, Row };

// The relationship states PropagateRelationship takes: the leader was cleared or selected.
enum RelationshipState : int { kLeaderCleared = 1, kLeaderSelected = 2 };

class SelectionTree {
  public:
    // productCode: 1, 2, 4, 8 or 16 (any other code is the DVR); only the DVR's tree propagates
    // relationship groups. The host may be null (no one to tell).
    explicit SelectionTree(int productCode, SelectionTreeHost* host = nullptr);

    int Product() const { return product_; }
    bool HasRelationships() const;

    // --- Structure and the loaded item table ---

    // Empties the tree, its lists and groups, and its counter; the tree is no longer initialised.
    void Clear();
    // Appends an item as the last child of parent (kNoItem: a top-level item) with image
    // entry.initialImage (0 to 3; any other value is stored as 2), expands the parent and appends
    // the entry to the loaded item table. Returns the new item, or kNoItem for a parent that is not
    // an item of this tree.
    ItemHandle InsertItem(ItemHandle parent, ItemEntry entry);

    bool Contains(ItemHandle item) const { return item >= 0 && item < Count(); }
    int Count() const { return static_cast<int>(items_.size()); }
    // The following take an item of this tree; Children(kNoItem) lists the top-level items.
    const std::vector<ItemHandle>& Children(ItemHandle parent) const;
    ItemHandle Parent(ItemHandle item) const { return Node(item).parent; }
    int Image(ItemHandle item) const { return Node(item).image; }
    bool Expanded(ItemHandle item) const { return Node(item).expanded; }
    const ItemEntry& Entry(ItemHandle item) const { return Node(item).entry; }
    // The view expanding or collapsing an item by itself (keyboard); the host is not told.
    void SetExpanded(ItemHandle item, bool expanded);

    DisabledCheckList& DisabledChecks() { return disabledChecks_; }
    RelationshipGroups& Groups() { return groups_; }
    const RelationshipGroups& Groups() const { return groups_; }

    // --- Selection ---

    // The counter starts at the number of loaded items; only image clicks move it.
    void InitCounters();
    bool Initialised() const { return initialised_; }
    int SelectionCounter() const { return selectionCounter_; }

    // Modes 1 (clear), 2 (select), 9 (clear the descendants), 10 (select the descendants); other
    // modes do nothing.
    void SetCheck(ItemHandle item, int mode);
    // 1 and 2 apply SetCheck modes 1 and 2; 4 and 5 set image 2, 6 image 1, 8 image 3 on the item
    // alone; other codes do nothing.
    void ApplyCode(ItemHandle item, int code);
    // See DisabledCheckList::Toggle.
    int ToggleDisabledCheck(ItemHandle item) { return disabledChecks_.Toggle(item); }
    // DVR: the members of the first group the item leads become clickable and selected
    // (kLeaderSelected) or greyed and empty (kLeaderCleared); their children are not touched.
    void PropagateRelationship(ItemHandle item, int state);
    // DVR, once at start-up after loading: every group's members get the start code of its leader.
    void ApplyRelationshipGroups();
    // Hands the item's description to the host; nothing for an item not in the table.
    void ShowDescription(ItemHandle item);

    // --- Input, after the view's own hit test ---

    // A left-button press or double-click (a double-click is two calls). hit: the item under the
    // press, or kNoItem; part: where on its row; caret: the view's selected item before the press.
    void Click(ItemHandle hit, HitPart part, ItemHandle caret);
    // A key press, given the caret item as it was before the key is processed.
    void KeyPressed(ItemHandle caret);

  private:
    struct TreeItem {
        ItemHandle parent = kNoItem;
        std::vector<ItemHandle> children;
        int image = 0;
        bool expanded = false;
        ItemEntry entry;
    };

    const TreeItem& Node(ItemHandle item) const { return items_[static_cast<unsigned>(item)]; }
    TreeItem& Node(ItemHandle item) { return items_[static_cast<unsigned>(item)]; }
    void SetImage(ItemHandle item, int image);
    // Every child below item with image `from` gets image `to` and is descended into; with
    // throughGreyedChecked, children with image 3 are descended into as well, keeping their image.
    void SpreadDown(ItemHandle item, int from, int to, bool throughGreyedChecked);
    bool HasMarkedChild(ItemHandle item) const;
    // What a press on the image (counting) or a second press on the label (not counting) does.
    void ToggleMark(ItemHandle item, bool counting);

    int product_;
    SelectionTreeHost* host_;
    std::vector<TreeItem> items_;
    std::vector<ItemHandle> topLevel_;
    DisabledCheckList disabledChecks_;
    RelationshipGroups groups_;
    int selectionCounter_ = 0;
    bool initialised_ = false;
};

} // namespace tavo

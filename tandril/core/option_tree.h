#pragma once
// An option tree of the library, without its window: the items of one tree of "MenuSelect.ini"
// with their working states (the images 0 to 3 the tree shows), the nine relationship groups, the
// items loaded disabled-checked with their on/off flags, and what the clicks, the default button
// and OK do to them.
#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace tandril {

// The states stored in the state file and returned by the exports; image = the tree's picture.
enum OptionState : int { kUnchecked = 1, kChecked = 2, kDisabledUnchecked = 4, kDisabledChecked = 8 };
enum OptionImage : int {
    kImageUnchecked = 0,
    kImageChecked = 1,
    kImageDisabledUnchecked = 2,
    kImageDisabledChecked = 3
};

// 0..3 -> 1, 2, 4, 8.
int StateOfImage(int image);
// 1, 2, 4, 8 -> 0..3; -1 for any other value.
int ImageOfState(int state);
// A "Default_Value" word; any word but the four gives 1.
int StateOfWord(std::string_view word);

struct OptionItem {
    std::string text;
    std::string description; // the text when the definition has none
    std::string key;         // the item's key in the state file
    int id = 0;
    int defaultState = kUnchecked;
    int image = kImageUnchecked;
    int parent = -1; // index of the parent item, -1 at the top level
    std::vector<int> children;
};

class OptionTree {
  public:
    static constexpr int kGroupCount = 9;

    // Reads tree `name` and its stored states. `visible` is the load of a dialog, which also keeps
    // the items loaded disabled-checked for their on/off flags. Replaces whatever was loaded.
    void Load(std::string_view name, bool visible);

    const std::string& name() const { return name_; }
    const std::vector<OptionItem>& items() const { return items_; }
    bool modified() const { return modified_; }

    // The index of the first item with this id in load order, -1 for none.
    int Find(int id) const;
    // The state the item of this id shows now; -1 when no item has the id.
    int CurrentState(int id) const;
    // The state recorded in the state file for the item of this id (its default when missing);
    // -1 when no item has the id.
    int StoredState(int id) const;

    // Opening the dialog: the members of each led group follow their leader's loaded state.
    void ApplyGroups();
    // A click on an item's icon or on the label of the selected item.
    void Click(int item);
    // The default button: every item back to its default state.
    void Defaults();
    // OK: writes every item's state when anything was clicked or defaulted. False when a write
    // failed.
    bool Commit();
    // The window is gone: the groups are emptied.
    void ClearGroups();

  private:
    struct GroupEntry {
        int state = 0;
        int defaultState = 0;
        int item = -1; // -1: a leader entry with no item
    };
    struct DisabledChecked {
        int item;
        bool on;
    };

    void LoadLevel(const std::string& prefix, int count, int parent, bool visible);
    void AddItem(OptionItem item, int relationship, bool visible);
    int ReadStoredState(const std::string& key, int defaultState) const;
    void Check(int item);
    void Uncheck(int item);
    void CheckDown(int item);
    void UncheckDown(int item);
    void CheckChildren(int item);
    void UncheckChildren(int item);
    void GroupRule(int item, bool checked);

    std::string name_;
    std::string stateFile_;
    std::string stateSection_;
    std::vector<OptionItem> items_;
    std::array<std::vector<GroupEntry>, kGroupCount> groups_;
    std::vector<DisabledChecked> disabledChecked_;
    bool modified_ = false;
};

} // namespace tandril

// Reading an option tree: its definition from the library's text file and the states stored in
// its state file in the Windows folder.
#include "platform/profile.h"
#include "platform/system.h"
#include "tandril/core/library_state.h"
#include "tandril/core/menu_select.h"
#include "tandril/core/option_tree.h"

#include <array>
#include <utility>

namespace tandril {

namespace {

// The library's own texts of the extra options of tree "KW_2_3_3" (string table entries 200 on).
constexpr int kFirstExtraOption = 200;
constexpr std::array<const char*, 6> kExtraOptionNames = {"Crowd Detection Setting",
                                                          "Advanced Unattended Object Detection Setting",
                                                          "Advanced Scene Change Detection Setting",
                                                          "Advanced Missing Object Detection Setting",
                                                          "Digital Object Tracking Setting",
                                                          "Face Count Setting"};

int MenuInt(const std::string& section, std::string_view key) {
    std::string unused;
    int value = 0;
    ReadMenuSelectValue(section, key, kMenuSelectInteger, unused, value, 0);
    return value;
}

void StoreExtraOptionNames() {
    OptionNameTable& table = Library().optionNames;
    table.numbers.assign(kOptionNameSlots, -1);
    table.texts.assign(kOptionNameSlots, std::string());
    table.descriptions.assign(kOptionNameSlots, std::string());
    for (std::size_t k = 0; k < kExtraOptionNames.size(); ++k) {
        table.numbers[k] = static_cast<int>(k);
        table.texts[k] = kExtraOptionNames[k];
        table.descriptions[k] = kExtraOptionNames[k];
    }
}

} // namespace

int StateOfWord(std::string_view word) {
    if (word == "_SELECT_CHECK_") return kChecked;
    if (word == "_SELECT_DISABLE_UNCHECK_") return kDisabledUnchecked;
    if (word == "_SELECT_DISABLE_CHECK_") return kDisabledChecked;
    return kUnchecked;
}

void OptionTree::Load(std::string_view name, bool visible) {
    name_ = std::string(name);
    const int total = MenuInt("General", "TotalItemNum");
    stateFile_ = Library().windowsFolder + "\\" + MenuSelectText("General", name_ + "_ExportFile");
    stateSection_ = MenuSelectText("General", name_ + "_ID_KEY");
    items_.clear();
    ClearGroups();
    disabledChecked_.clear();
    modified_ = false;
    LoadLevel(name_, total, -1, visible);
}

int OptionTree::ReadStoredState(const std::string& key, int defaultState) const {
    // A value that is no state would give the tree a picture it does not have: it counts as missing.
    const int value = static_cast<int>(plat::ProfileInt(stateFile_, stateSection_, key, defaultState));
    return ImageOfState(value) < 0 ? defaultState : value;
}

void OptionTree::LoadLevel(const std::string& prefix, int count, int parent, bool visible) {
    for (int i = 1; i <= count; ++i) {
        const std::string section = prefix + "_" + std::to_string(i);
        OptionItem item;
        item.text = MenuSelectText(section, "Text_Tree");
        const int subCount = MenuInt(section, "SubNum");
        item.description = MenuSelectText(section, "Text_Tree_Description");
        if (item.description.empty()) item.description = item.text;
        const int relationship = MenuInt(section, "RelationShip");
        item.defaultState = StateOfWord(MenuSelectText(section, "Default_Value"));
        item.id = MenuInt(section, "Filter_Value");
        item.key = MenuSelectText(section, "SUB_ID_KEY");
        item.parent = parent;
        if (item.id == 130) item.defaultState = kDisabledChecked;
        if (item.id == 140 || item.id == 141)
            item.defaultState = ReadStoredState("KEY_3RD_IO_APPLICATION_SETTING", kChecked);
        const int lastDefault = item.defaultState;
        const int index = static_cast<int>(items_.size());
        AddItem(std::move(item), relationship, visible);
        if (subCount > 0) LoadLevel(section, subCount, index, visible);

        if (prefix == "KW_2_3_3" && i == count) {
            StoreExtraOptionNames();
            const OptionNameTable& table = Library().optionNames;
            for (int k = 0; k < kOptionNameSlots; ++k) {
                if (table.numbers[k] < 0) continue;
                OptionItem extra;
                extra.text = table.texts[k];
                extra.description = table.descriptions[k];
                extra.key = "KEY_" + std::to_string(kFirstExtraOption + k);
                extra.id = kFirstExtraOption + k;
                extra.defaultState = lastDefault;
                extra.parent = parent;
                AddItem(std::move(extra), 0, visible);
            }
        }
    }
}

void OptionTree::AddItem(OptionItem item, int relationship, bool visible) {
    int state = ReadStoredState(item.key, item.defaultState);
    if (item.key == "KEY_3RD_LIVE_OBJECT_INDEX" && state == kDisabledUnchecked &&
        plat::ProfileInt(stateFile_, stateSection_, "KEY_3RD_OBJECT_INDEX_MONITOR_SETUP", 1) == 2) {
        plat::WriteProfileString(stateFile_, stateSection_, item.key, "8");
        state = kDisabledChecked;
    }
    // A disabled default is not the operator's to change.
    if (item.defaultState == kDisabledChecked || item.defaultState == kDisabledUnchecked)
        state = item.defaultState;
    item.image = ImageOfState(state);

    const int index = static_cast<int>(items_.size());
    if (visible && state == kDisabledChecked) disabledChecked_.push_back({index, false});
    if (item.parent >= 0) items_[static_cast<std::size_t>(item.parent)].children.push_back(index);
    const GroupEntry entry{state, item.defaultState, index};
    items_.push_back(std::move(item));

    // 1 to 9 leads that group, 10 to 99 is a member of group tens; other codes name no group.
    if (relationship >= 1 && relationship <= kGroupCount) {
        std::vector<GroupEntry>& group = groups_[static_cast<std::size_t>(relationship - 1)];
        if (group.empty())
            group.push_back(entry);
        else
            group[0] = entry;
    } else if (relationship >= 10 && relationship <= 99) {
        std::vector<GroupEntry>& group = groups_[static_cast<std::size_t>(relationship / 10 - 1)];
        if (group.empty()) group.push_back({});
        group.push_back(entry);
    }
}

int OptionTree::StoredState(int id) const {
    const int index = Find(id);
    if (index < 0) return -1;
    const OptionItem& item = items_[static_cast<std::size_t>(index)];
    const int state = ReadStoredState(item.key, item.defaultState);
    if (id == 93 && state == kDisabledUnchecked &&
        plat::ProfileInt(stateFile_, stateSection_, "KEY_3RD_OBJECT_INDEX_MONITOR_SETUP", 1) == 2) {
        plat::WriteProfileString(stateFile_, stateSection_, item.key, "8");
        return kDisabledChecked;
    }
    return state;
}

bool OptionTree::Commit() {
    if (!modified_) return true;
    bool written = true;
    for (const OptionItem& item : items_) {
        // An item without a key has no place in the state file.
        if (item.key.empty()) continue;
        written = plat::WriteProfileString(stateFile_, stateSection_, item.key,
                                           std::to_string(StateOfImage(item.image))) &&
                  written;
    }
    if (!written) plat::DebugTrace("Tandril: option states not all written to " + stateFile_ + "\n");
    return written;
}

} // namespace tandril

#include "tandril/core/user_define_list.h"

#include "tandril/core/launcher_button.h"

#include <utility>

namespace tandril {

UserDefineList::UserDefineList()
    : entries_(LoadUserDefines()), openingCount_(static_cast<int>(entries_.size())) {}

void UserDefineList::Select(int row) {
    selection_ = row >= 0 && row < static_cast<int>(entries_.size()) ? row : -1;
}

bool UserDefineList::Add(UserDefineEntry entry) {
    if (!CanAdd()) return false;
    entries_.push_back(std::move(entry));
    return true;
}

bool UserDefineList::Modify(UserDefineEntry entry) {
    if (selection_ < 0) return false;
    entries_[static_cast<std::size_t>(selection_)] = std::move(entry);
    return true;
}

bool UserDefineList::Remove() {
    if (selection_ < 0) return false;
    entries_.erase(entries_.begin() + selection_);
    if (selection_ >= static_cast<int>(entries_.size())) selection_ = -1;
    return true;
}

bool UserDefineList::Commit(plat::Operator* parent) const {
    const bool saved = SaveUserDefines(entries_);
    WriteIniSection_UserDefine_KwTav(openingCount_, static_cast<int>(entries_.size()), parent);
    return saved;
}

} // namespace tandril

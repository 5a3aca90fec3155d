#pragma once
// What the list dialog of user-defined applications does, without its window: the entries being
// edited, the selected row and which buttons are enabled. Nothing is written before Commit.
#include "tandril/core/user_define_file.h"

#include <vector>

namespace plat {
class Operator;
}

namespace tandril {

class UserDefineList {
  public:
    // Opens on the stored list.
    UserDefineList();

    const std::vector<UserDefineEntry>& entries() const { return entries_; }
    int openingCount() const { return openingCount_; }
    // The selected row, -1 for none.
    int selection() const { return selection_; }
    bool CanAdd() const { return static_cast<int>(entries_.size()) < kMaxUserDefines; }
    bool CanModify() const { return selection_ >= 0; }
    bool CanRemove() const { return selection_ >= 0; }

    // A click: on a row selects it; anywhere else (-1, or past the rows) selects nothing.
    void Select(int row);
    // Appends an entry; false when the list is full.
    bool Add(UserDefineEntry entry);
    // Replaces the selected entry; false without a selection.
    bool Modify(UserDefineEntry entry);
    // Removes the selected entry. The row that takes its place stays selected; removing the last row
    // leaves no selection. False without a selection.
    bool Remove();

    // OK: writes the list and brings the launcher button into line with the change of count,
    // `parent` owning any prompt. False when a write of the list failed.
    bool Commit(plat::Operator* parent) const;

  private:
    std::vector<UserDefineEntry> entries_;
    int openingCount_ = 0;
    int selection_ = -1;
};

} // namespace tandril

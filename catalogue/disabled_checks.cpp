#include "catalogue/disabled_checks.h"

namespace tavo {

int DisabledCheckList::Toggle(ItemHandle item) {
    for (Entry& entry : entries_) {
        if (entry.item != item) continue;
        entry.toggle = entry.toggle == 0 ? 1 : 0;
        return entry.toggle;
    }
    return -1;
}

} // namespace tavo

#include "app/product_pages.h"

#include <algorithm>

namespace tavo::app {

int ProductIndex(int productCode) {
    switch (productCode) {
    case 1:
        return 0;
    case 2:
        return 1;
    case 4:
        return 2;
    case 8:
        return 3;
    case 16:
        return 4;
    default:
        return -1;
    }
}

void ProductPages::ShowDvrPage(int command) {
    ShowPage(0, command);
}

void ProductPages::ShowProductPage(int command, int productCode) {
    if (productCode == kAllServers) {
        if (command == kShowPage) return;
        for (int index = 1; index < 5; ++index) {
            if (flags_[index] != command) view_.ShowTree(index, command != kHidePage);
            flags_[index] = 0;
        }
        view_.ShowBackAndNext(false);
        view_.ShowItemButtons(true);
        return;
    }
    const int index = ProductIndex(productCode);
    if (index > 0) ShowPage(index, command);
}

void ProductPages::ShowPage(int index, int command) {
    if (flags_[index] == command) return;
    flags_[index] = command;
    if (command != kHidePage) {
        view_.ShowItemButtons(false);
        view_.ShowTree(index, true);
        view_.EnableNext(view_.SelectionCounter(index) != 0);
        view_.ShowBackAndNext(true);
    } else {
        view_.ShowTree(index, false);
        view_.ShowBackAndNext(false);
        view_.ShowItemButtons(true);
    }
}

int ProductPages::PageFlag(int productCode) const {
    const int index = ProductIndex(productCode);
    return index < 0 ? 0 : flags_[index];
}

bool ProductPages::ItemPageShown() const {
    return std::all_of(flags_.begin(), flags_.end(), [](int flag) { return flag == 0; });
}

} // namespace tavo::app

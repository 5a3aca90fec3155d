#include "app/item_texts.h"

#include <algorithm>

namespace tavo::app {

void ItemTexts::AddItemText(const std::string& title, const std::string& introduction, const Rect& button,
                            int slot) {
    titles_.push_back(title);
    introductions_.push_back(introduction);
    if (slot < 0 || slot >= kSlots) return;
    Rect& titleRect = titleRects_[static_cast<unsigned>(slot)];
    titleRect = {button.right + 5, button.top, clientRight_ - 5, button.top + 16};
    introductionRects_[static_cast<unsigned>(slot)] = {titleRect.left, titleRect.bottom + 10,
                                                       clientRight_ - 5, titleRect.bottom + 20};
}

int ItemTexts::DrawableCount() const {
    return std::min(static_cast<int>(titles_.size()), kSlots);
}

void ItemTexts::Clear() {
    titles_.clear();
    introductions_.clear();
    titleRects_ = {};
    introductionRects_ = {};
}

} // namespace tavo::app

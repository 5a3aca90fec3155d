#include "tandril/core/button_row.h"

#include <algorithm>
#include <optional>

namespace tandril {

namespace {

bool TakesPart(const RowButton& button) {
    return button.flag != kButtonLeftAlone;
}

bool Shown(const RowButton& button) {
    return button.visible || button.flag == kButtonAsShown;
}

int Width(const SkinRect& rect) {
    return rect.right - rect.left;
}

int Height(const SkinRect& rect) {
    return rect.bottom - rect.top;
}

std::vector<ButtonMove> CloseUp(const std::vector<RowButton>& row) {
    const auto taking = std::count_if(row.begin(), row.end(), TakesPart);
    const auto shown = std::count_if(
        row.begin(), row.end(), [](const RowButton& button) { return TakesPart(button) && Shown(button); });
    if (taking == shown) return {};
    const SkinRect anchor = std::find_if(row.begin(), row.end(), TakesPart)->rect;
    std::vector<ButtonMove> moves;
    int left = anchor.left;
    for (std::size_t i = 0; i < row.size(); ++i) {
        if (!TakesPart(row[i]) || !Shown(row[i])) continue;
        moves.push_back({i, left, anchor.top, Width(anchor), Height(anchor)});
        left += Width(anchor);
    }
    return moves;
}

// Modes 1 and 2: every shown button after the anchor, in walking order, onto the anchor.
template <typename Order> std::vector<ButtonMove> Stack(const std::vector<RowButton>& row, Order order) {
    std::vector<ButtonMove> moves;
    std::optional<SkinRect> anchor;
    for (const std::size_t i : order) {
        const RowButton& button = row[i];
        if (!TakesPart(button)) continue;
        if (!anchor) {
            anchor = button.rect;
        } else if (Shown(button)) {
            moves.push_back({i, anchor->left, anchor->top, Width(button.rect), Height(button.rect)});
        }
    }
    return moves;
}

std::vector<ButtonMove> FromPoint(const std::vector<RowButton>& row, int x, int y) {
    std::vector<ButtonMove> moves;
    bool first = true;
    int left = x;
    for (std::size_t i = 0; i < row.size(); ++i) {
        const RowButton& button = row[i];
        if (!TakesPart(button)) continue;
        const bool leads = first;
        first = false;
        if (!Shown(button)) continue;
        // The row's first button is moved only when it is not where it belongs already.
        if (!leads || button.rect.left != left || button.rect.top != y)
            moves.push_back({i, left, y, Width(button.rect), Height(button.rect)});
        left += Width(button.rect);
    }
    return moves;
}

} // namespace

std::vector<ButtonMove> SortButton(const std::vector<RowButton>& row, int mode, int x, int y) {
    if (row.empty()) return {};
    std::vector<std::size_t> forward(row.size());
    for (std::size_t i = 0; i < row.size(); ++i)
        forward[i] = i;
    switch (mode) {
    case kRowCloseUp:
        return CloseUp(row);
    case kRowStackFirst:
        return Stack(row, forward);
    case kRowStackLast:
        return Stack(row, std::vector<std::size_t>(forward.rbegin(), forward.rend()));
    case kRowFromPoint:
        return FromPoint(row, x, y);
    default:
        return {};
    }
}

} // namespace tandril

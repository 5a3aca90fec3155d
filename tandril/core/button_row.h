#pragma once
// The close-up of a row of skinned buttons when some of them are hidden: which buttons move where.
// The window handling lies with the caller; this only plans the moves.
#include "tandril/core/skin_positions.h"

#include <cstddef>
#include <vector>

namespace tandril {

// Per-button flags.
enum ButtonRowFlag : int {
    kButtonLeftAlone = 1, // not part of the row
    kButtonAsShown = -1,  // takes its place in the row even while hidden
};

// Arrangement modes.
enum ButtonRowMode : int {
    kRowCloseUp = 0,    // side by side from the first, all at the first's size
    kRowStackFirst = 1, // every shown button on the first
    kRowStackLast = 2,  // every shown button on the last
    kRowFromPoint = 3,  // side by side from a given point, each at its own size
};

struct RowButton {
    int flag = 0;
    bool visible = false;
    SkinRect rect; // where the button stands now
};

struct ButtonMove {
    std::size_t button = 0; // index into the row
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const ButtonMove&) const = default;
};

// The moves, in the order they are made, that arrange `row` by `mode`; (x, y) is the point of
// kRowFromPoint. No moves for an unknown mode or an empty row.
std::vector<ButtonMove> SortButton(const std::vector<RowButton>& row, int mode, int x, int y);

} // namespace tandril

#pragma once
// The rows a selection tree's view shows and where on a row a point falls. A row, from its
// leading edge: one indent per level above the item, the expand button's cell (an indent wide),
// the 16-pixel check image, a gap and the label; the rest of the row is the row itself. Top-level
// items have an expand button cell too, so their buttons line up with everyone else's.
#include "catalogue/selection_tree.h"

#include <vector>

namespace tavo::app {

struct TreeRow {
    ItemHandle item;
    int depth; // 0 for a top-level item
};

// The items in display order: depth-first, children only below an expanded item.
std::vector<TreeRow> VisibleRows(const SelectionTree& tree);

struct TreeRowMetrics {
    static constexpr int kIndent = 19;
    static constexpr int kImageSize = 16;
    static constexpr int kLabelGap = 3;
    static constexpr int kLabelPadding = 2; // each side of the label text

    int rowHeight = 18;

    int ButtonLeft(int depth) const { return depth * kIndent; }
    int ImageLeft(int depth) const { return (depth + 1) * kIndent; }
    int LabelLeft(int depth) const { return ImageLeft(depth) + kImageSize + kLabelGap; }
    int LabelWidth(int textWidth) const { return textWidth + 2 * kLabelPadding; }
};

// The part of a row at x (from the leading edge): the expand button only for an item with
// children, the image, the label of the given text width, else the row.
HitPart HitTestRow(const TreeRowMetrics& metrics, int depth, bool hasChildren, int labelTextWidth, int x);

// The icon resource that draws a check image: 131 to 134, with the mirrored check marks 143 and
// 142 for images 1 and 3 in a right-to-left window.
int CheckIconResource(int image, bool rightToLeft);

} // namespace tavo::app

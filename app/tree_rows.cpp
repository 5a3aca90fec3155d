#include "app/tree_rows.h"

#include "catalogue/selection_code.h"

namespace tavo::app {

namespace {

void AppendRows(const SelectionTree& tree, ItemHandle parent, int depth, std::vector<TreeRow>& rows) {
    for (const ItemHandle child : tree.Children(parent)) {
        rows.push_back({child, depth});
        if (tree.Expanded(child)) AppendRows(tree, child, depth + 1, rows);
    }
}

} // namespace

std::vector<TreeRow> VisibleRows(const SelectionTree& tree) {
    std::vector<TreeRow> rows;
    AppendRows(tree, kNoItem, 0, rows);
    return rows;
}

HitPart HitTestRow(const TreeRowMetrics& metrics, int depth, bool hasChildren, int labelTextWidth, int x) {
    if (hasChildren && x >= metrics.ButtonLeft(depth) && x < metrics.ImageLeft(depth))
        return HitPart::ExpandButton;
    if (x >= metrics.ImageLeft(depth) && x < metrics.ImageLeft(depth) + TreeRowMetrics::kImageSize)
        return HitPart::Image;
    const int labelLeft = metrics.LabelLeft(depth);
    if (x >= labelLeft && x < labelLeft + metrics.LabelWidth(labelTextWidth)) return HitPart::Label;
    return HitPart::Row;
}

int CheckIconResource(int image, bool rightToLeft) {
    switch (image) {
    case kImageUnchecked:
        return 131;
    case kImageChecked:
        return rightToLeft ? 143 : 132;
    case kImageGreyed:
        return 133;
    default:
        return rightToLeft ? 142 : 134;
    }
}

} // namespace tavo::app

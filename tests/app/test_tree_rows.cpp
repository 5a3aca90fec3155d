// The rows of a selection tree's view and where on a row a press lands.
#include "app/tree_rows.h"

#include <gtest/gtest.h>

namespace {

using namespace tavo;
using app::TreeRowMetrics;

ItemHandle Add(SelectionTree& tree, ItemHandle parent, const char* label) {
    ItemEntry entry;
    entry.label = label;
    return tree.InsertItem(parent, entry);
}

TEST(TreeRows, ChildrenShowOnlyBelowAnExpandedItem) {
    SelectionTree tree(1);
    const ItemHandle a = Add(tree, kNoItem, "A");
    const ItemHandle a1 = Add(tree, a, "A1");
    Add(tree, a1, "A1x");
    const ItemHandle b = Add(tree, kNoItem, "B");
    std::vector<app::TreeRow> rows = app::VisibleRows(tree);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[2].depth, 2);
    EXPECT_EQ(rows[3].item, b);
    tree.SetExpanded(a1, false);
    rows = app::VisibleRows(tree);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[2].item, b);
    tree.SetExpanded(a, false);
    EXPECT_EQ(app::VisibleRows(tree).size(), 2u);
}

TEST(TreeRows, HitTestTellsButtonImageLabelAndRow) {
    const TreeRowMetrics metrics;
    // Depth 1: button cell 19-37, image 38-53, gap, label from 57 for 40 + 4 pixels.
    struct Case {
        int x;
        bool hasChildren;
        HitPart part;
    };
    for (const Case& c :
         {Case{5, true, HitPart::Row}, Case{19, true, HitPart::ExpandButton},
          Case{37, true, HitPart::ExpandButton}, Case{25, false, HitPart::Row},
          Case{38, true, HitPart::Image}, Case{53, false, HitPart::Image}, Case{55, false, HitPart::Row},
          Case{57, false, HitPart::Label}, Case{100, false, HitPart::Label}, Case{101, false, HitPart::Row}})
        EXPECT_EQ(app::HitTestRow(metrics, 1, c.hasChildren, 40, c.x), c.part) << c.x;
}

TEST(TreeRows, CheckIconsMirrorTheMarkInRightToLeftWindows) {
    EXPECT_EQ(app::CheckIconResource(0, false), 131);
    EXPECT_EQ(app::CheckIconResource(1, false), 132);
    EXPECT_EQ(app::CheckIconResource(2, false), 133);
    EXPECT_EQ(app::CheckIconResource(3, false), 134);
    EXPECT_EQ(app::CheckIconResource(0, true), 131);
    EXPECT_EQ(app::CheckIconResource(1, true), 143);
    EXPECT_EQ(app::CheckIconResource(2, true), 133);
    EXPECT_EQ(app::CheckIconResource(3, true), 142);
}

} // namespace

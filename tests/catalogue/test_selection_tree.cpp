#include "catalogue/selection_code.h"
#include "catalogue/selection_tree.h"
#include "engine/product_code.h"
#include "tree_outline.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

using tavo::HitPart;
using tavo::ItemHandle;
using tavo::SelectionTree;
using tavo::test::TreeOutline;

// Records what the tree asks of its window, naming items by their labels.
class Recorder : public tavo::SelectionTreeHost {
  public:
    void EnableNext(bool enable) override { Add("next:" + std::to_string(enable ? 1 : 0)); }
    void ShowDescription(std::string_view text) override { Add("desc:" + std::string(text)); }
    void SelectItem(ItemHandle item) override { Add("select:" + Name(item)); }
    void ExpandItem(ItemHandle item, bool expanded) override {
        Add("expand:" + Name(item) + ":" + std::to_string(expanded ? 1 : 0));
    }
    void ImageChanged(ItemHandle item) override { changed.insert(item); }

    const SelectionTree* tree = nullptr;
    std::string events;
    std::set<ItemHandle> changed;

  private:
    std::string Name(ItemHandle item) const { return tree->Entry(item).label; }
    void Add(const std::string& event) { events += (events.empty() ? "" : " ") + event; }
};

tavo::ItemEntry Item(std::string label, std::string description = {}, int image = 0) {
    tavo::ItemEntry entry;
    entry.label = std::move(label);
    entry.description = std::move(description);
    entry.initialImage = image;
    return entry;
}

std::vector<int> ImagesOf(const SelectionTree& tree) {
    std::vector<int> images;
    for (ItemHandle item = 0; item < tree.Count(); ++item)
        images.push_back(tree.Image(item));
    return images;
}

// --- Clicks ---

struct Step {
    const char* hit; // "" for a press on no item
    HitPart part;
    const char* caret; // "" for no caret item
    const char* images;
    int counter;
    const char* events;
};

struct ClickCase {
    const char* name;
    int product;
    const char* outline;
    const char* initial; // images before the first press
    std::vector<Step> steps;
};

void PrintTo(const ClickCase& c, std::ostream* out) {
    *out << c.name;
}

class Clicks : public ::testing::TestWithParam<ClickCase> {};

TEST_P(Clicks, GiveTheExpectedImagesCounterAndCalls) {
    const ClickCase& c = GetParam();
    Recorder host;
    SelectionTree tree(c.product, &host);
    host.tree = &tree;
    const TreeOutline items(tree, c.outline);
    EXPECT_EQ(items.Images(), c.initial);
    EXPECT_FALSE(tree.Initialised());
    for (std::size_t i = 0; i < c.steps.size(); ++i) {
        const Step& step = c.steps[i];
        SCOPED_TRACE("step " + std::to_string(i + 1));
        host.events.clear();
        host.changed.clear();
        const std::vector<int> before = ImagesOf(tree);
        tree.Click(items[step.hit], step.part, items[step.caret]);
        EXPECT_EQ(items.Images(), step.images);
        EXPECT_EQ(tree.SelectionCounter(), step.counter);
        EXPECT_EQ(host.events, step.events);
        // The window hears of exactly the rows whose image changed.
        const std::vector<int> after = ImagesOf(tree);
        std::set<ItemHandle> differing;
        for (ItemHandle item = 0; item < tree.Count(); ++item)
            if (before[static_cast<unsigned>(item)] != after[static_cast<unsigned>(item)]) differing.insert(item);
        EXPECT_EQ(host.changed, differing);
    }
}

constexpr int kDvr = tavo::kProductDvr;
constexpr int kNodera = tavo::kProductNodera;
constexpr HitPart kImage = HitPart::Image;
constexpr HitPart kLabel = HitPart::Label;

const ClickCase kClickCases[] = {
    {"SelectingAnItemSelectsUnselectedChildrenAndAncestorsUpToTheFirstMarkedOne", kDvr, R"(
T 0
  G 2
    P 0
      Q 0
        C 0
          K 0
            KK 0
          X 2
            XX 0
          Y 1
            YY 0
)",
     "T0 G2 P0 Q0 C0 K0 KK0 X2 XX0 Y1 YY0",
     {{"C", kImage, "", "T0 G2 P1 Q1 C1 K1 KK1 X2 XX0 Y1 YY0", 12, "next:1 desc:C select:C"}}},

    {"ClearingTheLastSelectedChildClearsItsAncestors", kDvr, R"(
A 1
  B 1
    C 1
    D 0
  E 0
F 1
)",
     "A1 B1 C1 D0 E0 F1",
     {{"C", kImage, "", "A0 B0 C0 D0 E0 F1", 5, "desc:C select:C"}}},

    {"ASelectedOrGreyedSelectedSiblingKeepsTheParentSelected", kDvr, R"(
A 1
  B 1
  S 3
  T 1
P 1
  Q 1
  R 1
)",
     "A1 B1 S3 T1 P1 Q1 R1",
     {{"B", kImage, "", "A1 B0 S3 T1 P1 Q1 R1", 6, "desc:B select:B"},
      {"T", kImage, "B", "A1 B0 S3 T0 P1 Q1 R1", 5, "desc:T select:T"},
      {"Q", kImage, "T", "A1 B0 S3 T0 P1 Q0 R1", 4, "desc:Q select:Q"}}},

    // The upward walk clears a parent with no selected child whatever its own image, so a greyed
    // parent becomes an ordinary unselected one.
    {"ClearingTheLastSelectedChildClearsAGreyedParentToo", kDvr, R"(
G 2
  C 1
H 3
  D 1
)",
     "G2 C1 H3 D1",
     {{"C", kImage, "", "G0 C0 H3 D1", 3, "desc:C select:C"},
      {"D", kImage, "C", "G0 C0 H0 D0", 2, "desc:D select:D"},
      {"G", kImage, "D", "G1 C1 H0 D0", 3, "next:1 desc:G select:G"}}},

    {"ClearingAnItemClearsItsSelectedDescendantsButNotGreyedOnes", kDvr, R"(
A 1
  B 1
    C 1
  G 2
    H 1
  S 3
    T 1
  Z 0
    ZZ 1
)",
     "A1 B1 C1 G2 H1 S3 T1 Z0 ZZ1",
     {{"A", kImage, "", "A0 B0 C0 G2 H1 S3 T1 Z0 ZZ1", 8, "desc:A select:A"}}},

    {"AGreyedSelectedItemInTheListSelectsThenClearsItsDescendants", kDvr, R"(
D 3 d
  A 0
    A1 0
    A2 2
  B 1
  C 2
    C1 0
  S 3
    S1 0
    S2 1
)",
     "D3 A0 A10 A22 B1 C2 C10 S3 S10 S21",
     {{"D", kImage, "", "D3 A1 A11 A22 B1 C2 C10 S3 S11 S21", 10, "desc:D select:D"},
      {"D", kImage, "D", "D3 A0 A10 A22 B0 C2 C10 S3 S10 S20", 10, "desc:D select:D"},
      {"D", kLabel, "D", "D3 A1 A11 A22 B1 C2 C10 S3 S11 S21", 10, "desc:D select:D"}}},

    {"GreyedItemsOutsideTheListIgnoreClicks", kDvr, R"(
D 3
  A 0
G 2
  B 0
)",
     "D3 A0 G2 B0",
     {{"D", kImage, "", "D3 A0 G2 B0", 4, "desc:D select:D"},
      {"D", kLabel, "D", "D3 A0 G2 B0", 4, "desc:D select:D"},
      {"G", kImage, "D", "D3 A0 G2 B0", 4, "desc:G select:G"},
      {"G", kLabel, "G", "D3 A0 G2 B0", 4, "desc:G select:G"}}},

    {"ClearingEverySelectedItemDisablesNextAndSelectingOneEnablesIt", kDvr, R"(
A 1
B 1
C 1
D 1
E 1
)",
     "A1 B1 C1 D1 E1",
     {{"A", kImage, "", "A0 B1 C1 D1 E1", 4, "desc:A select:A"},
      {"B", kImage, "A", "A0 B0 C1 D1 E1", 3, "desc:B select:B"},
      {"C", kImage, "B", "A0 B0 C0 D1 E1", 2, "desc:C select:C"},
      {"D", kImage, "C", "A0 B0 C0 D0 E1", 1, "desc:D select:D"},
      {"E", kImage, "D", "A0 B0 C0 D0 E0", 0, "next:0 desc:E select:E"},
      {"C", kImage, "E", "A0 B0 C1 D0 E0", 1, "next:1 desc:C select:C"}}},

    {"ALabelPressTogglesOnlyTheCaretItemAndNeverCounts", kDvr, R"(
A 1
B 0
)",
     "A1 B0",
     {{"B", kLabel, "A", "A1 B0", 2, "desc:B select:B"},
      {"B", kLabel, "B", "A1 B1", 2, "desc:B select:B"},
      {"A", kLabel, "B", "A1 B1", 2, "desc:A select:A"},
      {"A", kLabel, "A", "A0 B1", 2, "desc:A select:A"},
      {"B", kLabel, "B", "A0 B0", 2, "desc:B select:B"}}},

    {"PressesBesideTheMarksOnlyDescribeOrExpand", kDvr, R"(
A 1
  B 1
)",
     "A1 B1",
     {{"", kImage, "A", "A1 B1", 2, ""},
      {"A", HitPart::Row, "A", "A1 B1", 2, "desc:A select:A"},
      {"A", HitPart::ExpandButton, "A", "A1 B1", 2, "expand:A:0"},
      {"A", HitPart::ExpandButton, "A", "A1 B1", 2, "expand:A:1"},
      {"B", HitPart::ExpandButton, "A", "A1 B1", 2, ""}}},

    {"ADvrLeaderEnablesAndDisablesItsMembers", kDvr, R"(
L 1 r1 f2
  LC 1
M 0 r10
  MC 0
N 2 r15
O 1
)",
     "L1 LC1 M3 MC0 N3 O1",
     {{"L", kImage, "", "L0 LC0 M2 MC0 N2 O1", 5, "desc:L select:L"},
      {"L", kImage, "L", "L1 LC1 M1 MC0 N1 O1", 6, "next:1 desc:L select:L"},
      {"L", kLabel, "L", "L0 LC0 M2 MC0 N2 O1", 6, "desc:L select:L"},
      {"M", kLabel, "L", "L0 LC0 M2 MC0 N2 O1", 6, "desc:M select:M"},
      {"M", kImage, "M", "L0 LC0 M2 MC0 N2 O1", 6, "desc:M select:M"},
      {"L", kImage, "M", "L1 LC1 M1 MC0 N1 O1", 7, "next:1 desc:L select:L"},
      {"M", kImage, "L", "L1 LC1 M0 MC0 N1 O1", 6, "desc:M select:M"}}},

    {"MembersStartFromTheirLeadersFallbackCode", kDvr, R"(
A 2 r1 f1
B 1 r10
C 2 r2 f4
D 0 r20
E 3 r3 f8
F 0 r30
G 1 r4 f3
H 0 r40
I 1 r50
J 1 r6 f2
K 0 r60
  KC 0
P 0 r70
Q 1 r7 f2
)",
     "A2 B2 C2 D2 E3 F3 G1 H0 I1 J1 K3 KC0 P3 Q1",
     {{"I", kImage, "", "A2 B2 C2 D2 E3 F3 G1 H0 I0 J1 K3 KC0 P3 Q1", 13, "desc:I select:I"}}},

    {"ASiblingProductsTreeHasNoRelationships", kNodera, R"(
L 1 r1 f2
M 1 r10
)",
     "L1 M1",
     {{"L", kImage, "", "L0 M1", 1, "desc:L select:L"}}},
};

std::string CaseName(const ::testing::TestParamInfo<ClickCase>& param) {
    return param.param.name;
}

INSTANTIATE_TEST_SUITE_P(SelectionTree, Clicks, ::testing::ValuesIn(kClickCases), CaseName);

// --- Direct operations ---

TEST(SelectionTree, ApplyCodeSetsTheItemAloneExceptForCodesOneAndTwo) {
    struct Case {
        int code;
        const char* images;
    };
    const Case cases[] = {
        {1, "P0 A0 B0"}, {2, "P1 A1 B1"}, {4, "P1 A2 B0"}, {5, "P1 A2 B0"}, {6, "P1 A1 B0"},
        {8, "P1 A3 B0"}, {0, "P1 A0 B0"}, {3, "P1 A0 B0"}, {7, "P1 A0 B0"}, {16, "P1 A0 B0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("code " + std::to_string(c.code));
        SelectionTree tree(tavo::kProductDvr);
        const TreeOutline items(tree, "P 1\n  A 0\n    B 0\n");
        tree.ApplyCode(items["A"], c.code);
        EXPECT_EQ(items.Images(), c.images);
    }
}

TEST(SelectionTree, SetCheckIgnoresOtherModesAndForeignItems) {
    SelectionTree tree(tavo::kProductDvr);
    const TreeOutline items(tree, "P 1\n  A 0\n");
    for (int mode : {0, 3, 5, 8, 11})
        tree.SetCheck(items["A"], mode);
    tree.SetCheck(7, tavo::kModeSelect);
    tree.SetCheck(tavo::kNoItem, tavo::kModeSelect);
    EXPECT_EQ(items.Images(), "P1 A0");
}

TEST(SelectionTree, AKeyShowsTheDescriptionOfTheCaretItemBeforeTheKey) {
    Recorder host;
    SelectionTree tree(tavo::kProductDvr, &host);
    host.tree = &tree;
    tree.InsertItem(tavo::kNoItem, Item("Cameras", "Camera settings"));
    tree.InsertItem(tavo::kNoItem, Item("Disks"));
    tree.KeyPressed(0);
    tree.KeyPressed(1);
    tree.KeyPressed(tavo::kNoItem);
    EXPECT_EQ(host.events, "desc:Camera settings desc:Disks");
}

TEST(SelectionTree, InsertedItemsExpandTheirParentAndKeepAValidImage) {
    SelectionTree tree(tavo::kProductDvr);
    const ItemHandle top = tree.InsertItem(tavo::kNoItem, Item("Top", "", 7));
    EXPECT_FALSE(tree.Expanded(top));
    const ItemHandle child = tree.InsertItem(top, Item("Child", "", 3));
    EXPECT_TRUE(tree.Expanded(top));
    EXPECT_EQ(tree.Image(top), tavo::kImageGreyed);
    EXPECT_EQ(tree.Entry(top).initialImage, tavo::kImageGreyed);
    EXPECT_EQ(tree.Image(child), tavo::kImageGreyedChecked);
    EXPECT_EQ(tree.InsertItem(5, Item("Orphan")), tavo::kNoItem);
    EXPECT_EQ(tree.Count(), 2);
    EXPECT_EQ(tree.Children(tavo::kNoItem), std::vector<ItemHandle>{top});
    EXPECT_EQ(tree.Children(top), std::vector<ItemHandle>{child});
    EXPECT_EQ(tree.Parent(child), top);
}

} // namespace

// The option tree without its window: loading the definition and the stored states, and what the
// clicks, the default button and OK do, as tables of clicks with the states that follow.
#include "platform/profile.h"
#include "tandril/core/library_state.h"
#include "tandril/core/option_tree.h"
#include "tandril/core/option_tree_states.h"
#include "tandril_fixture.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace tavo::test {
namespace {

constexpr const char* kStateFile = "C:\\WINDOWS\\Opt.ini";

// T_1 Parent (1) > T_1_1 A (11) > T_1_1_1 A1 (111); T_1_2 B (12); T_2 leader of group 1 (2);
// T_3 member (3), T_4 disabled member (4) of group 1; T_5 id 130 (130) > T_5_1 (51); T_6 with a
// relationship of 100 (6); T_7 id 140 (140).
constexpr const char* kDefinition =
    "[General]\r\nTotalItemNum=7\r\nT_ExportFile=Opt.ini\r\nT_ID_KEY=Tree\r\n"
    "[T_1]\r\nText_Tree=Parent\r\nSubNum=2\r\nFilter_Value=1\r\nSUB_ID_KEY=K1\r\n"
    "[T_1_1]\r\nText_Tree=A\r\nText_Tree_Description=About "
    "A\r\nSubNum=1\r\nFilter_Value=11\r\nSUB_ID_KEY=K11\r\n"
    "[T_1_1_1]\r\nText_Tree=A1\r\nFilter_Value=111\r\nSUB_ID_KEY=K111\r\n"
    "[T_1_2]\r\nText_Tree=B\r\nFilter_Value=12\r\nSUB_ID_KEY=K12\r\n"
    "[T_2]\r\nText_Tree=Leader\r\nRelationShip=1\r\nDefault_Value=_SELECT_CHECK_\r\nFilter_Value=2\r\n"
    "SUB_ID_KEY=K2\r\n"
    "[T_3]\r\nText_Tree=Member\r\nRelationShip=10\r\nFilter_Value=3\r\nSUB_ID_KEY=K3\r\n"
    "[T_4]\r\nText_Tree=Fixed member\r\nRelationShip=15\r\nDefault_Value=_SELECT_DISABLE_UNCHECK_\r\n"
    "Filter_Value=4\r\nSUB_ID_KEY=K4\r\n"
    "[T_5]\r\nText_Tree=Always\r\nSubNum=1\r\nFilter_Value=130\r\nSUB_ID_KEY=K5\r\n"
    "[T_5_1]\r\nText_Tree=Under always\r\nFilter_Value=51\r\nSUB_ID_KEY=K51\r\n"
    "[T_6]\r\nText_Tree=No group\r\nRelationShip=100\r\nFilter_Value=6\r\nSUB_ID_KEY=K6\r\n"
    "[T_7]\r\nText_Tree=Io\r\nFilter_Value=140\r\nSUB_ID_KEY=K7\r\n";

class OptionTrees : public TandrilTest {
  protected:
    OptionTrees() { prefix.WriteHost(kTextFile, kDefinition); }

    void Store(const std::string& key, const std::string& value) const {
        plat::WriteProfileString(kStateFile, "Tree", key, value);
    }
    tandril::OptionTree Opened() const {
        tandril::OptionTree tree;
        tree.Load("T", true);
        tree.ApplyGroups();
        return tree;
    }
    static void ClickId(tandril::OptionTree& tree, int id) { tree.Click(tree.Find(id)); }
};

TEST_F(OptionTrees, LoadsTextsDescriptionsAndStoredStatesWithTheDefaultAdjustments) {
    Store("K12", "2");
    Store("K5", "1");    // id 130 is disabled-checked whatever is stored
    Store("K4", "2");    // a disabled default wins over the stored value
    Store("K111", "77"); // no state: the default
    Store("KEY_3RD_IO_APPLICATION_SETTING", "4");
    const tandril::OptionTree tree = Opened();
    ASSERT_EQ(tree.items().size(), 11u);
    EXPECT_EQ(tree.items()[1].description, "About A");
    EXPECT_EQ(tree.items()[2].description, "A1");
    EXPECT_EQ(tree.items()[0].children, (std::vector<int>{1, 3}));
    const std::vector<std::pair<int, int>> expected = {{1, 1}, {12, 2}, {111, 1}, {130, 8}, {4, 4},
                                                       {2, 2}, {3, 1},  {140, 4}, {999, -1}};
    for (const auto& [id, state] : expected)
        EXPECT_EQ(tree.CurrentState(id), state) << "id " << id;
}

TEST_F(OptionTrees, ClicksWalkChildrenParentsAndGroups) {
    struct Case {
        const char* name;
        std::vector<int> clicks; // ids
        std::vector<std::pair<int, int>> states;
    };
    const std::vector<Case> cases = {
        {"checking a parent checks its unchecked descendants", {1}, {{1, 2}, {11, 2}, {111, 2}, {12, 2}}},
        {"checking a grandchild checks its unchecked ancestors", {111}, {{111, 2}, {11, 2}, {1, 2}, {12, 1}}},
        {"unchecking the only checked child unchecks the ancestors", {111, 111}, {{111, 1}, {11, 1}, {1, 1}}},
        {"a checked sibling keeps the parent checked", {1, 111}, {{111, 1}, {11, 1}, {1, 2}, {12, 2}}},
        {"unchecking the leader disables its members", {2}, {{2, 1}, {3, 4}, {4, 4}}},
        {"checking the leader again checks or fixes its members by default",
         {2, 2},
         {{2, 2}, {3, 2}, {4, 8}}},
        {"a disabled item does not change", {4}, {{4, 4}}},
        {"a loaded disabled-checked item turns its children on and off", {130}, {{130, 8}, {51, 2}}},
        {"... and off again", {130, 130}, {{130, 8}, {51, 1}}},
        {"a relationship of 100 names no group", {6, 2}, {{6, 2}, {3, 4}}},
    };
    for (const Case& c : cases) {
        tandril::OptionTree tree = Opened();
        for (const int id : c.clicks)
            ClickId(tree, id);
        EXPECT_TRUE(tree.modified()) << c.name;
        for (const auto& [id, state] : c.states)
            EXPECT_EQ(tree.CurrentState(id), state) << c.name << ": id " << id;
    }
}

TEST_F(OptionTrees, GroupsFollowTheirLeaderWhenOpened) {
    Store("K2", "1");
    EXPECT_EQ(Opened().CurrentState(3), 4);
    Store("K2", "8");
    EXPECT_EQ(Opened().CurrentState(3), 8);
    Store("K2", "2");
    Store("K3", "2");
    EXPECT_EQ(Opened().CurrentState(3), 2);
}

TEST_F(OptionTrees, OkWritesEveryStateOnlyAfterAChange) {
    tandril::OptionTree untouched = Opened();
    EXPECT_TRUE(untouched.Commit());
    EXPECT_EQ(prefix.ReadHost(kStateFile), "");

    tandril::OptionTree tree = Opened();
    ClickId(tree, 12);
    ASSERT_TRUE(tree.Commit());
    EXPECT_EQ(plat::ProfileString(kStateFile, "Tree", "K12"), "2");
    EXPECT_EQ(plat::ProfileString(kStateFile, "Tree", "K1"), "2");
    EXPECT_EQ(plat::ProfileString(kStateFile, "Tree", "K5"), "8");
    EXPECT_EQ(plat::ProfileString(kStateFile, "Tree", "K111"), "1");

    tandril::OptionTree defaults = Opened();
    ClickId(defaults, 2);
    defaults.Defaults();
    EXPECT_EQ(defaults.CurrentState(12), 1);
    EXPECT_EQ(defaults.CurrentState(3), 1);
    EXPECT_EQ(defaults.CurrentState(2), 2);
    EXPECT_TRUE(defaults.modified());
}

TEST_F(OptionTrees, StoredStateFollowsTheStateFileAndTheObjectIndexRules) {
    tandril::OptionTree tree;
    tree.Load("T", false);
    EXPECT_EQ(tree.StoredState(130), 8);
    EXPECT_EQ(tree.StoredState(2), 2);
    Store("K12", "4");
    EXPECT_EQ(tree.StoredState(12), 4);
    EXPECT_EQ(tree.StoredState(5000), -1);

    prefix.WriteHost(kTextFile, std::string(kDefinition) +
                                    "[T_8]\r\nFilter_Value=93\r\nSUB_ID_KEY=KEY_3RD_LIVE_OBJECT_INDEX\r\n");
    plat::WriteProfileString(tandril::Library().textFilePath, "General", "TotalItemNum", "8");
    Store("KEY_3RD_LIVE_OBJECT_INDEX", "4");
    tree.Load("T", false);
    EXPECT_EQ(tree.CurrentState(93), 4); // the monitor setup is not 2
    Store("KEY_3RD_OBJECT_INDEX_MONITOR_SETUP", "2");
    EXPECT_EQ(tree.StoredState(93), 8);
    EXPECT_EQ(plat::ProfileString(kStateFile, "Tree", "KEY_3RD_LIVE_OBJECT_INDEX"), "8");
    Store("KEY_3RD_LIVE_OBJECT_INDEX", "4");
    tree.Load("T", false);
    EXPECT_EQ(tree.CurrentState(93), 8);
}

TEST_F(OptionTrees, TreeKw233EndsWithTheSixExtraOptions) {
    prefix.WriteHost(kTextFile,
                     "[General]\r\nTotalItemNum=2\r\nKW_2_3_3_ExportFile=Kw.ini\r\nKW_2_3_3_ID_KEY=S\r\n"
                     "[KW_2_3_3_1]\r\nText_Tree=One\r\nSubNum=1\r\nFilter_Value=1\r\nSUB_ID_KEY=A\r\n"
                     "[KW_2_3_3_1_1]\r\nText_Tree=Inner\r\nFilter_Value=9\r\nSUB_ID_KEY=I\r\n"
                     "[KW_2_3_3_2]\r\nText_Tree=Two\r\nDefault_Value=_SELECT_CHECK_\r\n"
                     "Filter_Value=2\r\nSUB_ID_KEY=B\r\n");
    plat::WriteProfileString("Kw.ini", "S", "KEY_203", "1");
    tandril::OptionTree tree;
    tree.Load("KW_2_3_3", true);
    ASSERT_EQ(tree.items().size(), 9u);
    for (int k = 0; k < 6; ++k) {
        const tandril::OptionItem& extra = tree.items()[3 + static_cast<std::size_t>(k)];
        EXPECT_EQ(extra.id, 200 + k);
        EXPECT_EQ(extra.key, "KEY_" + std::to_string(200 + k));
        EXPECT_EQ(extra.parent, -1);
        EXPECT_EQ(extra.defaultState, 2);
    }
    EXPECT_EQ(tree.items()[3].text, "Crowd Detection Setting");
    EXPECT_EQ(tree.items()[8].description, "Face Count Setting");
    EXPECT_EQ(tree.CurrentState(203), 1);
    EXPECT_EQ(tree.CurrentState(204), 2);
}

TEST_F(OptionTrees, StateExportsAnswerFromTheCurrentTreeOrTheSpare) {
    EXPECT_EQ(tandril::GetItemCurrentState(12), -1); // no dialog is current
    Store("K12", "4");
    EXPECT_EQ(tandril::GetItemStateFromIni("T", 12), 4);
    EXPECT_EQ(tandril::GetItemStateFromIni("T", 999), -1);
    EXPECT_EQ(tandril::Library().treeName, "T");
    // The spare became current, with the states it loaded.
    EXPECT_EQ(tandril::Library().currentOptionTree, tandril::Library().spareOptionTree);
    EXPECT_EQ(tandril::GetItemCurrentState(12), 4);
    Store("K12", "2");
    EXPECT_EQ(tandril::GetItemStateFromIni("T", 12), 2);

    // Another tree is loaded for its own keys, and the first one again after it.
    plat::WriteProfileString(kTextFile, "General", "U_ExportFile", "U.ini");
    plat::WriteProfileString(kTextFile, "General", "U_ID_KEY", "U");
    plat::WriteProfileString(kTextFile, "U_1", "Filter_Value", "12");
    plat::WriteProfileString(kTextFile, "U_1", "SUB_ID_KEY", "OTHER");
    plat::WriteProfileString("U.ini", "U", "OTHER", "8");
    EXPECT_EQ(tandril::GetItemStateFromIni("U", 12), 8);
    EXPECT_EQ(tandril::GetItemStateFromIni("T", 12), 2);

    // A dialog's tree of another name stays current and is not reloaded.
    auto shown = std::make_shared<tandril::OptionTree>();
    shown->Load("U", true);
    tandril::Library().currentOptionTree = shown;
    EXPECT_EQ(tandril::GetItemStateFromIni("T", 12), 2);
    EXPECT_EQ(shown->name(), "U");
    EXPECT_EQ(tandril::GetItemCurrentState(12), 8);
}

TEST_F(OptionTrees, AMissingTextFileGivesAnEmptyTree) {
    prefix.WriteHost(kTextFile, "");
    tandril::OptionTree tree;
    tree.Load("T", true);
    EXPECT_TRUE(tree.items().empty());
    EXPECT_EQ(tree.CurrentState(1), -1);
}

} // namespace
} // namespace tavo::test

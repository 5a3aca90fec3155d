#include "catalogue/catalogue_item.h"
#include "catalogue/catalogue_loader.h"
#include "catalogue/catalogue_paths.h"
#include "catalogue/selection_code.h"
#include "catalogue/selection_tree.h"
#include "engine/path_roots.h"
#include "engine/product_code.h"
#include "engine/utilities.h"
#include "support/temp_prefix.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using tavo::ItemHandle;
using tavo::SelectionTree;

// A program folder C:\Tool\ whose settings INI points at the catalogue "\Src\Items.ini"; the
// export file is at its default place, C:\Tool\Src\Tavo.ini.
class CatalogueLoading : public ::testing::Test {
  protected:
    CatalogueLoading() {
        tavo::Roots().programFolder = "C:\\Tool\\";
        tavo::SetSettingsIniPath("C:\\Tool\\Tavo.ini");
        PointAt("\\Src\\Items.ini");
    }

    void PointAt(const std::string& fileOfTreeContent) const {
        prefix.WriteHost("C:\\Tool\\Tavo.ini", "[TreeCtrl]\r\nFileOfTreeContent=" + fileOfTreeContent + "\r\n");
    }
    void Catalogue(const std::string& text) const { prefix.WriteHost("C:\\Tool\\Src\\Items.ini", text); }
    void Export(const std::string& text) const { prefix.WriteHost("C:\\Tool\\Src\\Tavo.ini", text); }

    static std::vector<std::string> Labels(const SelectionTree& tree) {
        std::vector<std::string> labels;
        for (ItemHandle item = 0; item < tree.Count(); ++item)
            labels.push_back(tree.Entry(item).label);
        return labels;
    }

    tavo::test::TempPrefix prefix;
};

TEST_F(CatalogueLoading, FindsTheCatalogueAsNamedOrUnderTheProgramFolder) {
    prefix.WriteHost("C:\\Other\\Items.ini", "[General]\r\n");
    std::filesystem::create_directories(prefix.HostOf("C:\\Other\\Folder.ini"));
    struct Case {
        const char* value;
        const char* catalogue;
    };
    const Case cases[] = {
        {"\\Src\\Items.ini", "C:\\Tool\\Src\\Items.ini"},
        {"C:\\Other\\Items.ini", "C:\\Other\\Items.ini"},
        {"C:\\Other\\Missing.ini", "C:\\ToolC:\\Other\\Missing.ini"},
        {"C:\\Other\\Folder.ini", "C:\\ToolC:\\Other\\Folder.ini"},
        {"", "C:\\Tool"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        PointAt(c.value);
        tavo::LoadCatalogueHeader(tavo::kProductDvr);
        EXPECT_EQ(tavo::CatalogueIniPath(), c.catalogue);
    }
}

TEST_F(CatalogueLoading, ExportFileIsUnderTheProgramFolderWithADefaultName) {
    struct Case {
        const char* value;
        const char* exportFile;
    };
    const Case cases[] = {
        {"", "C:\\Tool\\Src\\Tavo.ini"},
        {"Data\\Saved.ini", "C:\\Tool\\Data\\Saved.ini"}, // not there: no existence test
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        Catalogue(std::string("[General]\r\nExportFile=") + c.value + "\r\n");
        tavo::LoadCatalogueHeader(tavo::kProductNodera);
        EXPECT_EQ(tavo::ExportFilePath(), c.exportFile);
    }
}

TEST_F(CatalogueLoading, HeaderReadsEachProductsItemCount) {
    Catalogue("[General]\r\nDVR_TotalItemNum=3\r\nNDR_TotalItemNum=1\r\nPWT_TotalItemNum=-2\r\n"
              "RLS_TotalItemNum=junk\r\n[PWT_1]\r\nText_Menu=Never\r\n");
    const std::pair<int, int> cases[] = {{1, 3}, {2, 1}, {4, 0}, {8, -2}, {16, 0}, {3, 3}, {0, 3}};
    for (const auto& [product, count] : cases)
        EXPECT_EQ(tavo::LoadCatalogueHeader(product), count) << "product " << product;
    SelectionTree pulsewatch(tavo::kProductPulsewatch);
    tavo::LoadProductCatalogue(pulsewatch);
    EXPECT_EQ(pulsewatch.Count(), 0);
}

TEST_F(CatalogueLoading, ReadsEveryItemKeyAndTheSectionFallbackCode) {
    Catalogue("[DVR_4]\r\nFile=Src\\Cameras.ini\r\nText_Menu=Cameras\r\nSubNum=2\r\n"
              "Text_Description=Camera settings\r\nRelationShip=23\r\nDefault_Value=_SELECT_DISABLE_CHECK_\r\n"
              "SUB_ID_KEY=CAM\r\n");
    Export("[DVR_4]\r\nSUB_ID_KEY=4\r\n");
    tavo::LoadCatalogueHeader(tavo::kProductDvr);

    const tavo::CatalogueItem item = tavo::ReadCatalogueItem("DVR", 4);
    EXPECT_EQ(item.section, "DVR_4");
    EXPECT_EQ(item.file, "Src\\Cameras.ini");
    EXPECT_EQ(item.label, "Cameras");
    EXPECT_EQ(item.subNum, 2);
    EXPECT_EQ(item.description, "Camera settings");
    EXPECT_EQ(item.relationship, 23);
    EXPECT_EQ(item.defaultValue, "_SELECT_DISABLE_CHECK_");
    EXPECT_EQ(item.defaultCode, tavo::kCodeDisabledChecked);
    EXPECT_EQ(item.subIdKey, "CAM");
    EXPECT_EQ(item.fallbackCode, 4); // the keyword is not the fallback

    const tavo::CatalogueItem missing = tavo::ReadCatalogueItem("DVR_4", 9);
    EXPECT_EQ(missing.section, "DVR_4_9");
    EXPECT_EQ(missing.label, "");
    EXPECT_EQ(missing.file, "");
    EXPECT_EQ(missing.subNum, 0);
    EXPECT_EQ(missing.defaultCode, 0);
    EXPECT_EQ(missing.fallbackCode, tavo::kCodeUnchecked);
}

TEST_F(CatalogueLoading, LoadsItemsInDepthFirstPreOrder) {
    Catalogue("[General]\r\nDVR_TotalItemNum=2\r\n"
              "[DVR_1]\r\nText_Menu=One\r\nSubNum=2\r\nFile=Src\\One.ini\r\nText_Description=First\r\n"
              "SUB_ID_KEY=ONE\r\n"
              "[DVR_1_1]\r\nText_Menu=One.One\r\n"
              "[DVR_2]\r\nText_Menu=Two\r\nSubNum=-1\r\n[DVR_2_1]\r\nText_Menu=Never\r\n");
    SelectionTree tree(tavo::kProductDvr);
    tavo::LoadProductCatalogue(tree);

    // DVR_1_2 has no section and still makes an item, with empty texts.
    EXPECT_EQ(Labels(tree), (std::vector<std::string>{"One", "One.One", "", "Two"}));
    EXPECT_EQ(tree.Children(tavo::kNoItem), (std::vector<ItemHandle>{0, 3}));
    EXPECT_EQ(tree.Children(0), (std::vector<ItemHandle>{1, 2}));
    EXPECT_TRUE(tree.Expanded(0));
    EXPECT_EQ(tree.Entry(0).productKey, "DVR");
    EXPECT_EQ(tree.Entry(0).subIdKey, "ONE");
    EXPECT_EQ(tree.Entry(0).description, "First");
    EXPECT_EQ(tree.Entry(1).description, "One.One");
    EXPECT_EQ(tree.Entry(0).actionFile, "C:\\Tool\\Src\\One.ini");
    EXPECT_EQ(tree.Entry(2).actionFile, "C:\\Tool\\");
    EXPECT_TRUE(tree.Initialised());
    EXPECT_EQ(tree.SelectionCounter(), 4);
}

TEST_F(CatalogueLoading, EachItemsCodeGivesItsImageAndTheFallbackCodeItsList) {
    struct Case {
        const char* productEntry; // in the export file's product section; "" for none
        const char* fallback;     // key SUB_ID_KEY of the item's own section; "" for none
        int image;
        int toggle; // ToggleDisabledCheck: -1 outside the disabled-check list
    };
    const Case cases[] = {
        {"", "", tavo::kImageGreyed, -1},       // code 1 by default
        {"2", "", tavo::kImageChecked, -1},
        {"4", "", tavo::kImageGreyed, -1},
        {"8", "", tavo::kImageGreyedChecked, -1}, // greyed selected, yet deaf to clicks
        {"", "2", tavo::kImageChecked, -1},
        {"1", "2", tavo::kImageGreyed, -1},       // the product section wins
        {"2", "8", tavo::kImageChecked, 1},       // the list follows the fallback code
        {"", "8", tavo::kImageGreyedChecked, 1},
        {"3", "", tavo::kImageGreyed, -1},        // codes without a meaning cannot be selected
        {"16", "", tavo::kImageGreyed, -1},
    };
    std::string catalogue = "[General]\r\nDVR_TotalItemNum=" + std::to_string(std::size(cases)) + "\r\n";
    std::string productSection = "[DVR]\r\n";
    std::string fallbacks;
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const std::string n = std::to_string(i + 1);
        catalogue += "[DVR_" + n + "]\r\nSUB_ID_KEY=K" + n + "\r\nDefault_Value=_SELECT_CHECK_\r\n";
        if (*cases[i].productEntry) productSection += "K" + n + "=" + cases[i].productEntry + "\r\n";
        if (*cases[i].fallback) fallbacks += "[DVR_" + n + "]\r\nSUB_ID_KEY=" + cases[i].fallback + "\r\n";
    }
    Catalogue(catalogue);
    Export(productSection + fallbacks);
    SelectionTree tree(tavo::kProductDvr);
    tavo::LoadProductCatalogue(tree);
    ASSERT_EQ(tree.Count(), static_cast<int>(std::size(cases)));
    for (ItemHandle item = 0; item < tree.Count(); ++item) {
        const Case& c = cases[item];
        SCOPED_TRACE(std::string("entry '") + c.productEntry + "', fallback '" + c.fallback + "'");
        EXPECT_EQ(tree.Image(item), c.image);
        EXPECT_EQ(tree.Entry(item).initialImage, c.image);
        EXPECT_EQ(tree.ToggleDisabledCheck(item), c.toggle);
    }
}

TEST_F(CatalogueLoading, RelationshipGroupsAreTheDvrsAlone) {
    Catalogue("[General]\r\nDVR_TotalItemNum=5\r\nNDR_TotalItemNum=2\r\n"
              "[DVR_1]\r\nRelationShip=23\r\nSUB_ID_KEY=MEMBER\r\n"
              "[DVR_2]\r\nRelationShip=2\r\nSUB_ID_KEY=LEADER\r\n"
              "[DVR_3]\r\nRelationShip=-1\r\nSUB_ID_KEY=LOW\r\n"
              "[DVR_4]\r\nRelationShip=100\r\nSUB_ID_KEY=HIGH\r\n"
              "[DVR_5]\r\nRelationShip=29\r\nSUB_ID_KEY=UNITS\r\n"
              "[NDR_1]\r\nRelationShip=1\r\nSUB_ID_KEY=LEADER\r\n"
              "[NDR_2]\r\nRelationShip=10\r\nSUB_ID_KEY=MEMBER\r\n");
    Export("[DVR]\r\nMEMBER=2\r\nLEADER=2\r\nLOW=2\r\nHIGH=2\r\nUNITS=2\r\n"
           "[NDR]\r\nMEMBER=2\r\nLEADER=2\r\n"
           "[DVR_2]\r\nSUB_ID_KEY=2\r\n[NDR_1]\r\nSUB_ID_KEY=2\r\n");
    std::array<SelectionTree, 5> trees{SelectionTree(tavo::kProductDvr), SelectionTree(tavo::kProductNodera),
                                       SelectionTree(tavo::kProductWatchdeck),
                                       SelectionTree(tavo::kProductPulsewatch),
                                       SelectionTree(tavo::kProductRelay)};
    const std::array<SelectionTree*, 5> order{&trees[0], &trees[1], &trees[2], &trees[3], &trees[4]};
    tavo::LoadCatalogues(order);
    SelectionTree& dvr = trees[0];
    SelectionTree& nodera = trees[1];

    // The member came first and kept slot 0 free; the leader took it.
    const auto& group = dvr.Groups().Group(1);
    ASSERT_EQ(group.size(), 3u);
    EXPECT_EQ(group[0].item, 1);
    EXPECT_EQ(group[0].fallbackCode, 2);
    EXPECT_EQ(group[1].item, 0);
    EXPECT_EQ(group[2].item, 4);
    for (int other = 0; other < tavo::kRelationshipGroupCount; ++other) {
        if (other != 1) {
            EXPECT_TRUE(dvr.Groups().Group(other).empty()) << "DVR group " << other;
        }
        EXPECT_TRUE(nodera.Groups().Group(other).empty()) << "Nodera group " << other;
    }
    // Members start greyed with a check mark: the leader's fallback code is 2.
    EXPECT_EQ(dvr.Image(0), tavo::kImageGreyedChecked);
    EXPECT_EQ(dvr.Image(4), tavo::kImageGreyedChecked);
    EXPECT_EQ(dvr.Image(2), tavo::kImageChecked);
    EXPECT_EQ(dvr.Image(3), tavo::kImageChecked);

    dvr.Click(1, tavo::HitPart::Image, tavo::kNoItem);
    EXPECT_EQ(dvr.Image(0), tavo::kImageGreyed);
    EXPECT_EQ(dvr.Image(4), tavo::kImageGreyed);
    nodera.Click(0, tavo::HitPart::Image, tavo::kNoItem);
    EXPECT_EQ(nodera.Image(0), tavo::kImageUnchecked);
    EXPECT_EQ(nodera.Image(1), tavo::kImageChecked);
}

TEST_F(CatalogueLoading, HugeCountsStopAtTheItemLimit) {
    Catalogue("[General]\r\nDVR_TotalItemNum=2147483647\r\n[DVR_1]\r\nSubNum=2147483647\r\n");
    SelectionTree tree(tavo::kProductDvr);
    tavo::LoadLimits limits;
    limits.maxItems = 50;
    tavo::LoadProductCatalogue(tree, limits);
    EXPECT_EQ(tree.Count(), 50);
    EXPECT_EQ(tree.Children(tavo::kNoItem).size(), 1u);
    EXPECT_EQ(tree.Children(0).size(), 49u);
    EXPECT_EQ(tree.SelectionCounter(), 50);
}

TEST_F(CatalogueLoading, DeepNestingStopsAtTheDepthLimit) {
    std::string catalogue = "[General]\r\nDVR_TotalItemNum=1\r\n";
    std::string section = "DVR_1";
    for (int level = 1; level <= 70; ++level, section += "_1")
        catalogue += "[" + section + "]\r\nText_Menu=L" + std::to_string(level) + "\r\nSubNum=1\r\nSUB_ID_KEY=K\r\n";
    Catalogue(catalogue);
    Export("[DVR]\r\nK=2\r\n");
    SelectionTree tree(tavo::kProductDvr);
    tavo::LoadProductCatalogue(tree);
    ASSERT_EQ(tree.Count(), 64);
    EXPECT_EQ(tree.Entry(63).label, "L64");
    EXPECT_TRUE(tree.Children(63).empty());
    // Every check rule walks a tree this deep without recursion.
    tree.Click(63, tavo::HitPart::Image, tavo::kNoItem);
    EXPECT_EQ(tree.Image(0), tavo::kImageUnchecked);
    tree.Click(0, tavo::HitPart::Image, tavo::kNoItem);
    EXPECT_EQ(tree.Image(63), tavo::kImageChecked);
}

} // namespace

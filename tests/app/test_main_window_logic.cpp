#include "app/item_texts.h"
#include "app/page_description.h"
#include "app/product_menus.h"
#include "app/product_pages.h"
#include "engine/utilities.h"
#include "support/kernel_peer.h"
#include "support/scripted_operator.h"
#include "support/temp_prefix.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace {

using namespace tavo::app;

// Records what the pages logic and the menus ask of the window, one line per call.
class RecordingView : public PageView, public MenuTarget {
  public:
    void ShowItemButtons(bool show) override { calls.push_back(show ? "items" : "no items"); }
    void ShowTree(int index, bool show) override {
        calls.push_back((show ? "tree " : "no tree ") + std::to_string(index));
    }
    void ShowBackAndNext(bool show) override { calls.push_back(show ? "back+next" : "no back+next"); }
    void EnableNext(bool enable) override { calls.push_back(enable ? "next on" : "next off"); }
    int SelectionCounter(int index) const override { return counters[static_cast<unsigned>(index)]; }

    void ShowDvrPage(int command) override { calls.push_back("ShowDvrPage " + std::to_string(command)); }
    void ShowProductPage(int command, int code) override {
        calls.push_back("ShowProductPage " + std::to_string(command) + " " + std::to_string(code));
    }
    void RestoreDvrDefaults() override { calls.push_back("RestoreDvrDefaults"); }
    void ShowDvrPackupPage() override { calls.push_back("ShowDvrPackupPage"); }

    std::vector<std::string> Take() { return std::exchange(calls, {}); }

    std::vector<std::string> calls;
    std::array<int, 5> counters{3, 0, 1, 1, 1};
};

using Lines = std::vector<std::string>;

TEST(ProductPages, ShowingAndHidingSwapsTheItemPageForAProductPage) {
    RecordingView view;
    ProductPages pages(view);
    EXPECT_TRUE(pages.ItemPageShown());

    pages.ShowDvrPage(kShowPage);
    EXPECT_EQ(view.Take(), (Lines{"no items", "tree 0", "next on", "back+next"}));
    EXPECT_EQ(pages.PageFlag(1), kShowPage);
    EXPECT_FALSE(pages.ItemPageShown());

    // The request equals the flag: nothing happens.
    pages.ShowDvrPage(kShowPage);
    EXPECT_TRUE(view.Take().empty());

    pages.ShowDvrPage(kHidePage);
    EXPECT_EQ(view.Take(), (Lines{"no tree 0", "no back+next", "items"}));
    pages.ShowDvrPage(kHidePage);
    EXPECT_TRUE(view.Take().empty());

    // Nodera's tree has nothing selected: Next comes up disabled.
    pages.ShowProductPage(kShowPage, 2);
    EXPECT_EQ(view.Take(), (Lines{"no items", "tree 1", "next off", "back+next"}));
    EXPECT_EQ(pages.PageFlag(2), kShowPage);
}

TEST(ProductPages, AllServersClosesEveryServerPageAtOnce) {
    RecordingView view;
    ProductPages pages(view);
    pages.ShowProductPage(kShowPage, 8);
    view.Take();

    pages.ShowProductPage(kShowPage, kAllServers);
    EXPECT_TRUE(view.Take().empty()) << "all servers cannot be shown at once";

    pages.ShowProductPage(kHidePage, kAllServers);
    EXPECT_EQ(view.Take(), (Lines{"no tree 3", "no back+next", "items"}));
    EXPECT_TRUE(pages.ItemPageShown());

    // Codes that are no single server do nothing.
    for (int code : {0, 1, 3, 32, -1})
        pages.ShowProductPage(kShowPage, code);
    EXPECT_TRUE(view.Take().empty());
}

TEST(ItemTexts, RectanglesSitBesideTheButtonWithinTheClientArea) {
    ItemTexts texts(592);
    texts.AddItemText("DVR", "Restore the DVR", {10, 40, 74, 104}, 0);
    EXPECT_EQ(texts.TitleRect(0), (Rect{79, 40, 587, 56}));
    EXPECT_EQ(texts.IntroductionRect(0), (Rect{79, 66, 587, 76}));

    // A fifth item keeps its texts but has no slot to be drawn from.
    for (int slot = 1; slot < 5; ++slot)
        texts.AddItemText("T", "I", {0, 0, 10, 10}, slot);
    EXPECT_EQ(texts.Titles().size(), 5u);
    EXPECT_EQ(texts.DrawableCount(), ItemTexts::kSlots);
}

TEST(PageDescription, PointsAreTwoDecimalNumbersAroundTheFirstComma) {
    struct Case {
        const char* text;
        Point point;
    };
    const Case cases[] = {
        {"104,1", {104, 1}}, {" 12 , 7", {12, 7}}, {"-3,-4", {-3, -4}}, {"5", {5, 0}},
        {"", {0, 0}},        {"x,9", {0, 9}},      {"1,2,3", {1, 2}},   {"7px,8px", {7, 8}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParsePoint(c.text), c.point) << c.text;
}

TEST(PageDescription, ReadsPositionsAndTextsOfTheSection) {
    tavo::test::TempPrefix prefix;
    prefix.WriteHost("C:\\Tavo\\Tavo.ini",
                     "[General]\r\nDescription_Title_Pt=104,1\r\n"
                     "Text_Description_Title=Welcome\r\nText_Description_Content=Pick one\r\n");
    tavo::SetSettingsIniPath("C:\\Tavo\\Tavo.ini");
    PageDescriptions descriptions;
    ReadDescription("General", descriptions);
    EXPECT_EQ(descriptions.titlePositions, (std::vector<Point>{{104, 1}}));
    EXPECT_EQ(descriptions.contentPositions, (std::vector<Point>{{0, 0}}));
    EXPECT_EQ(descriptions.titles, (Lines{"Welcome"}));
    EXPECT_EQ(descriptions.contents, (Lines{"Pick one"}));
}

class ProductMenusTest : public ::testing::Test {
  protected:
    ProductMenusTest() {
        prefix.WriteHost("C:\\Tavo\\Tavo.ini",
                         "[MSG_BOX]\r\nText_String_EXECUTE_WARNING_WDS=Watchdeck runs\r\n");
        tavo::SetSettingsIniPath("C:\\Tavo\\Tavo.ini");
    }

    tavo::test::TempPrefix prefix;
    tavo::test::ScriptedOperator op;
};

TEST_F(ProductMenusTest, TheDvrAndPackupMenusLeadToTheDvrPageOrTheDefaults) {
    RecordingView view;
    tavo::ProductProbes probes;
    ProductMenus menus(op, view, probes);

    op.AnswerMenu(0).AnswerMenu(1).AnswerMenu(-1);
    menus.OpenItemMenu(1);
    menus.OpenItemMenu(1);
    menus.OpenItemMenu(1);
    EXPECT_EQ(view.Take(), (Lines{"ShowDvrPage 5", "RestoreDvrDefaults"}));
    EXPECT_EQ(op.CallsStartingWith("menu"), (Lines(3, "menu Restore Backup Settings | Restore Defaults")));

    op.AnswerMenu(0).AnswerMenu(1);
    menus.ShowPackupMenu();
    menus.ShowPackupMenu();
    EXPECT_EQ(view.Take(), (Lines{"ShowDvrPackupPage", "RestoreDvrDefaults"}));
    EXPECT_EQ(op.CallsStartingWith("menu").back(), "menu Backup Current System | Restore Defaults");
    op.ClearCalls();

    // Items other than the first two open nothing.
    for (int item : {0, 3, 4, -1})
        menus.OpenItemMenu(item);
    EXPECT_TRUE(op.CallsStartingWith("menu").empty());
}

TEST_F(ProductMenusTest, AServerIsChosenUnlessItsProgramRuns) {
    RecordingView view;
    tavo::ProductProbes probes;
    ProductMenus menus(op, view, probes);
    tavo::test::KernelPeer watchdeck(KERNEL_PEER, prefix.host(),
                                     {"hold-mutex", std::string(tavo::ProductProbes::ProbeName(4))});
    ASSERT_EQ(watchdeck.Line(), "ready");

    op.AnswerMenu(1).AnswerMenu(3);
    menus.OpenItemMenu(2);
    EXPECT_TRUE(view.Take().empty()) << "the item page stays";
    EXPECT_EQ(menus.CurrentProduct(), 1);
    ASSERT_EQ(op.messages().size(), 1u);
    EXPECT_EQ(op.messages()[0].text, "Watchdeck runs");
    EXPECT_EQ(op.messages()[0].icon, plat::MessageIcon::Exclamation);

    menus.OpenItemMenu(2);
    EXPECT_EQ(view.Take(), (Lines{"ShowProductPage 5 16"}));
    EXPECT_EQ(menus.CurrentProduct(), 16);
    EXPECT_EQ(op.CallsStartingWith("menu")[0],
              "menu Nodera Server | Watchdeck Server | PWT Server | Relay Server");

    // Once the program has ended, its server can be chosen; the window keeps its probe from then on.
    watchdeck.Kill();
    op.AnswerMenu(1);
    menus.OpenItemMenu(2);
    EXPECT_EQ(view.Take(), (Lines{"ShowProductPage 5 4"}));
    tavo::test::KernelPeer late(KERNEL_PEER, prefix.host(),
                                {"try-mutex", std::string(tavo::ProductProbes::ProbeName(4))});
    EXPECT_EQ(late.Line(), std::to_string(plat::kWaitTimeout));
}

TEST_F(ProductMenusTest, TheDvrMenuMakesTheDvrCurrentAgain) {
    RecordingView view;
    tavo::ProductProbes probes;
    ProductMenus menus(op, view, probes);
    op.AnswerMenu(0).AnswerMenu(-1);
    menus.OpenItemMenu(2);
    EXPECT_EQ(menus.CurrentProduct(), 2);
    menus.OpenItemMenu(1);
    EXPECT_EQ(menus.CurrentProduct(), 1) << "even when the menu is closed without a choice";
}

} // namespace

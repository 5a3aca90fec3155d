// The looks and places of the skinned views as the settings INI gives them.
#include "app/button_look.h"
#include "app/item_button_look.h"

#include "demo/bmp_writer.h"
#include "engine/utilities.h"
#include "support/temp_prefix.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace tavo::app;

class ViewLooks : public ::testing::Test {
  protected:
    ViewLooks() { tavo::SetSettingsIniPath("C:\\Tavo\\Tavo.ini"); }

    void Settings(std::string_view text) const { prefix.WriteHost("C:\\Tavo\\Tavo.ini", text); }
    // A one-colour picture.
    void Picture(std::string_view path, int width, int height, tavo::demo::Rgb colour) const {
        prefix.WriteHost(path, tavo::demo::EncodeBmp24(width, height, [=](int, int) { return colour; }));
    }
    static std::uint8_t Red(const PackedDib& dib) { return dib.Row(0)[2]; }

    tavo::test::TempPrefix prefix;
};

TEST_F(ViewLooks, PlacesFromTheirSectionsAndZeroWhenMissing) {
    Settings("[Introduction]\r\nOriginalX=10\r\nOriginalY=20\r\nWidth=100\r\nHeight=50\r\n"
             "[Next]\r\nOriginalX=7\r\nOriginalY=8\r\nText=Next >\r\n");
    EXPECT_EQ(ReadIntroductionRect(), (Rect{10, 20, 110, 70}));
    const ButtonPlacement next = ReadButtonPlacement("Next");
    EXPECT_EQ(next.rect, (Rect{7, 8, 7, 8}));
    EXPECT_EQ(next.text, "Next >");
    const ButtonPlacement back = ReadButtonPlacement("Back");
    EXPECT_EQ(back.rect, Rect{});
    EXPECT_EQ(back.text, "");
}

TEST_F(ViewLooks, StateFilesReplaceTheLastTenCharacters) {
    EXPECT_EQ(ButtonStateFile("C:\\Tavo\\Skin\\ExitNormal.bmp", "Focus.bmp"),
              "C:\\Tavo\\Skin\\ExitFocus.bmp");
    EXPECT_EQ(ButtonStateFile("C:\\Tavo\\NextButton.bmp", "Disable.bmp"), "C:\\Tavo\\NextDisable.bmp");
    EXPECT_EQ(ButtonStateFile("Up.bmp", "Down.bmp"), "Down.bmp");
}

TEST_F(ViewLooks, BitmapLookLoadsTheStateFilesAndFallsBackToTheNormalPicture) {
    Settings("[Exit]\r\nText_Introduction=Leave\r\nBimapStyle=1\r\nBimapFile=Skin\\ExitNormal.bmp\r\n"
             "BimapMaskColor=255,0,255\r\n");
    Picture("C:\\Tavo\\Skin\\ExitNormal.bmp", 30, 12, 0x100000);
    Picture("C:\\Tavo\\Skin\\ExitFocus.bmp", 30, 12, 0x200000);
    Picture("C:\\Tavo\\Skin\\ExitDown.bmp", 30, 12, 0x300000);
    const ButtonLook look = ReadButtonLook("Exit", "C:\\Tavo\\");
    EXPECT_EQ(look.introduction, "Leave");
    ASSERT_TRUE(look.images);
    EXPECT_EQ((*look.images)[kImageNormal].Width(), 30);
    // Normal, focus, down, and the missing disabled picture replaced by the normal one.
    EXPECT_EQ(Red((*look.images)[kImageNormal]), 0x10);
    EXPECT_EQ(Red((*look.images)[kImageFocus]), 0x20);
    EXPECT_EQ(Red((*look.images)[kImageDown]), 0x30);
    EXPECT_EQ(Red((*look.images)[kImageDisabled]), 0x10);
    EXPECT_EQ(look.maskColour, std::optional<Colour>(0xFF00FF));
}

TEST_F(ViewLooks, TextLookForStyleZeroOrAMissingBitmapAndNoMaskWhenEmpty) {
    Settings("[Back]\r\nBimapStyle=0\r\nBimapFile=Back.bmp\r\n"
             "[Next]\r\nBimapStyle=1\r\nBimapFile=Missing.bmp\r\nBimapMaskColor=1,2,3\r\n"
             "[Exit]\r\nBimapStyle=1\r\nBimapFile=ExitNormal.bmp\r\n");
    Picture("C:\\Tavo\\Back.bmp", 4, 4, 0);
    Picture("C:\\Tavo\\ExitNormal.bmp", 4, 4, 0);
    EXPECT_FALSE(ReadButtonLook("Back", "C:\\Tavo\\").images);
    EXPECT_FALSE(ReadButtonLook("Next", "C:\\Tavo\\").images);
    const ButtonLook exit = ReadButtonLook("Exit", "C:\\Tavo\\");
    EXPECT_TRUE(exit.images);
    EXPECT_FALSE(exit.maskColour);
}

TEST_F(ViewLooks, ItemLayoutFromItsNumberedSection) {
    Settings("[Restore_Item2]\r\nText=Servers\r\nText_Introduction=Intro\r\nText_Tip=null\r\n"
             "OriginalX=5\r\nOriginalY=6\r\nWidth=64\r\nHeight=32\r\nBimapFile=Skin\\SrvUp.bmp\r\n");
    const ItemButtonLayout layout = ReadItemButtonLayout(2);
    EXPECT_EQ(layout.text, "Servers");
    EXPECT_EQ(layout.rect, (Rect{5, 6, 69, 38}));
    EXPECT_EQ(layout.bitmapFile, "Skin\\SrvUp.bmp");
    // "null" is no tooltip, yet a press shows it: the tip text is not empty.
    EXPECT_FALSE(TooltipWanted(layout.tip));
    EXPECT_EQ(PressIntroduction(layout), "null");
    EXPECT_EQ(ReadItemButtonLayout(3).rect, Rect{});
}

TEST_F(ViewLooks, TooltipAndPressTextRules) {
    for (const char* none : {"NULL", "null", "NuLl"})
        EXPECT_FALSE(TooltipWanted(none)) << none;
    for (const char* tip : {"", "NUL", "NULLS", "N ULL", "nul\x0C"})
        EXPECT_TRUE(TooltipWanted(tip)) << tip;
    ItemButtonLayout layout;
    layout.introduction = "intro";
    EXPECT_EQ(PressIntroduction(layout), "intro");
}

TEST_F(ViewLooks, ItemStateFilesComeFromTheFirstUpDot) {
    EXPECT_EQ(ItemStateFiles("Skin\\DvrUp.bmp"),
              (std::array<std::string, 5>{"Skin\\DvrUp.bmp", "Skin\\DvrDown.bmp", "Skin\\DvrDisable.bmp",
                                          "Skin\\DvrFocus.bmp", "Skin\\DvrPlay.bmp"}));
    EXPECT_EQ(ItemStateFiles("A\\SetUp.x\\BUp.bmp")[kItemDown], "A\\SetDown.bmp");
    EXPECT_EQ(ItemStateFiles("Skin\\Dvr.bmp"), (std::array<std::string, 5>{"Skin\\Dvr.bmp"}));
}

TEST_F(ViewLooks, ItemFilesResolveAgainstTheProgramFolderUnlessAbsolute) {
    EXPECT_EQ(ResolveProgramFile("Skin\\A.bmp", "C:\\Tavo\\"), "C:\\Tavo\\Skin\\A.bmp");
    EXPECT_EQ(ResolveProgramFile("\\Skin\\A.bmp", "C:\\Tavo\\"), "C:\\Tavo\\Skin\\A.bmp");
    EXPECT_EQ(ResolveProgramFile("D:\\Art\\A.bmp", "C:\\Tavo\\"), "D:\\Art\\A.bmp");
    EXPECT_EQ(ResolveProgramFile("\\\\host\\share\\A.bmp", "C:\\Tavo\\"), "\\\\host\\share\\A.bmp");
}

TEST_F(ViewLooks, ItemPicturesAreCroppedAndMissingStatesStayEmpty) {
    Picture("C:\\Tavo\\Skin\\DvrUp.bmp", 80, 80, 0x110000);
    Picture("C:\\Tavo\\Skin\\DvrFocus.bmp", 80, 80, 0x220000);
    Picture("C:\\Tavo\\Skin\\DvrPlay.bmp", 80, 80, 0x330000);
    prefix.WriteHost("C:\\Tavo\\Skin\\DvrDown.bmp", "not a bitmap");
    ItemButtonLayout layout;
    layout.rect = {10, 10, 74, 42};
    layout.bitmapFile = "Skin\\DvrUp.bmp";
    const ItemPictures pictures = LoadItemPictures(layout, "C:\\Tavo\\");
    ASSERT_TRUE(pictures[kItemNormal] && pictures[kItemFocus] && pictures[kItemPlay]);
    EXPECT_FALSE(pictures[kItemDown]);
    EXPECT_FALSE(pictures[kItemDisabled]);
    EXPECT_EQ(pictures[kItemNormal]->Width(), 64);
    EXPECT_EQ(pictures[kItemNormal]->Height(), 32);
    EXPECT_EQ(Red(*pictures[kItemFocus]), 0x22);

    layout.bitmapFile = "Skin\\DvrUp_.bmp"; // no "Up." in the name: only the normal picture
    Picture("C:\\Tavo\\Skin\\DvrUp_.bmp", 64, 32, 0);
    const ItemPictures single = LoadItemPictures(layout, "C:\\Tavo\\");
    EXPECT_TRUE(single[kItemNormal]);
    EXPECT_FALSE(single[kItemFocus] || single[kItemDown] || single[kItemPlay]);
}

} // namespace

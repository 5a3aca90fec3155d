#pragma once
// One item button of the item page, as section "Restore_Item<n>" of the settings INI describes it:
// Text, Text_Introduction, Text_Tip, OriginalX, OriginalY, Width, Height, BimapFile. The button's
// five pictures are BimapFile and, when that name contains "Up.", the same name with "Down.bmp",
// "Disable.bmp", "Play.bmp" and "Focus.bmp" in place of "Up." and what follows it.
#include "app/button_look.h"
#include "app/dib_file.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace tavo::app {

struct ItemButtonLayout {
    std::string text;         // the item's title, drawn beside the button
    std::string introduction; // the item's one-line introduction
    std::string tip;          // the tooltip; "NULL" in any case for none
    Rect rect;                // (x, y, x + Width, y + Height)
    std::string bitmapFile;
};
ItemButtonLayout ReadItemButtonLayout(int itemNumber);

// Picture states, as the button draws them.
enum ItemState : int { kItemNormal = 0, kItemDown = 1, kItemDisabled = 2, kItemFocus = 3, kItemPlay = 4 };

// The five file names in state order; the four beyond the normal one are empty for a name
// without "Up.".
std::array<std::string, 5> ItemStateFiles(std::string_view bitmapFile);

// A file name as an item names it: a drive path ("C:\...") or a network path ("\\host\...") as it
// stands, anything else inside the program folder.
std::string ResolveProgramFile(std::string_view name, std::string_view programFolder);

// The five pictures, each cropped to the button's size; a state whose file is missing or not a
// 24-bit bitmap has none and draws nothing.
using ItemPictures = std::array<std::optional<PackedDib>, 5>;
ItemPictures LoadItemPictures(const ItemButtonLayout& layout, std::string_view programFolder);

// No tooltip for the tip text "NULL", compared without regard to case.
bool TooltipWanted(std::string_view tip);
// What a press shows in the introduction view: the tip text, or the introduction when the tip is
// empty.
const std::string& PressIntroduction(const ItemButtonLayout& layout);

} // namespace tavo::app

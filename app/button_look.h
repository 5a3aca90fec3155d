#pragma once
// The settings INI sections that place and dress the Exit, Back and Next buttons and the
// introduction view:
//   [Exit] / [Back] / [Next]: OriginalX, OriginalY, Text, Text_Introduction, BimapStyle, BimapFile,
//                             BimapMaskColor
//   [Introduction]:           OriginalX, OriginalY, Width, Height
// A missing key reads as 0 or the empty text.
#include "app/button_state.h"
#include "app/colour_text.h"
#include "app/dib_file.h"
#include "app/item_texts.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace tavo::app {

// Rectangles are in the main window's client coordinates.

// The introduction view's rectangle: (x, y, x + Width, y + Height).
Rect ReadIntroductionRect();

// Where a button goes and its caption. Its size comes from its bitmap or its text, so the
// rectangle starts empty at (x, y).
struct ButtonPlacement {
    Rect rect;
    std::string text;
};
ButtonPlacement ReadButtonPlacement(std::string_view section);

// The state files of a button's bitmap: the normal file's name with its last 10 characters (a
// six-letter word and ".bmp") replaced by "Focus.bmp", "Down.bmp" and "Disable.bmp". A name of
// 10 characters or fewer is replaced whole.
std::string ButtonStateFile(std::string_view normalFile, std::string_view suffix);

// How a button looks.
struct ButtonLook {
    std::string introduction; // Text_Introduction
    // The images normal, focus, down, disabled (see ButtonImage), all present, for a bitmap
    // button; none for a text button (BimapStyle 0, or a normal bitmap that does not load).
    std::optional<std::array<PackedDib, 4>> images;
    // Pixels of this colour are see-through; none when BimapMaskColor is empty.
    std::optional<Colour> maskColour;
};

// Reads a button's look from its section. The bitmap is BimapFile in the program folder; a state
// file that does not load is replaced by the normal bitmap.
ButtonLook ReadButtonLook(std::string_view section, std::string_view programFolder);

} // namespace tavo::app

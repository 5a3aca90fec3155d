#pragma once
// Positions that the suite's skin files give its main windows: the live-view and animation areas and
// the small icons of panels 1 and 3.
#include <string_view>

namespace tandril {

struct SkinRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const SkinRect&) const = default;
};

struct SkinPoint {
    int x = 0;
    int y = 0;
    bool operator==(const SkinPoint&) const = default;
};

// Panel kinds of GetIconDst.
enum IconPanel : int { kIconPanel1 = 0, kIconPanel3 = 2 };

// "LivePos" and "AnimationPos" of section "Main": "x,y,w,h" as the rectangle from (x, y) to
// (x + w, y + h); a value of fewer than four fields is the empty rectangle.
SkinRect GetLive(std::string_view skinIni);
SkinRect GetAnimation(std::string_view skinIni);

// The icon position of entry `index` on a panel: fields 8 and 9 of the entry, each one that is
// empty (or missing) replaced by the panel's default for the skin's resolution. An index without a
// default (panel 1 outside 0 to 3, panel 3 below 0) defaults to (0, 0); a panel kind other than
// kIconPanel1 and kIconPanel3 is (0, 0).
SkinPoint GetIconDst(std::string_view skinIni, int panelKind, int index);

} // namespace tandril

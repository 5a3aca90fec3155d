#pragma once
// A row of the calling program's buttons arranged as the skin asks (see tandril/core/button_row.h).
#include <vector>

class QWidget;

namespace tandril::gui {

// Moves the buttons of the row; `flags` holds one flag per button. Positions are the buttons'
// geometries in their parent windows, and (x, y) of the from-point mode is a point of that parent,
// so a row closes up in place wherever its window stands on the screen. A button counts as visible
// while it is not hidden itself, so that a row can be arranged before its window is first shown.
// A null button is left alone.
void SortButton(const std::vector<QWidget*>& buttons, const std::vector<int>& flags, int mode, int x, int y);

} // namespace tandril::gui

#pragma once
// The 16 x 16 check images of the selection trees, drawn here rather than loaded: icons 131 (empty
// white box), 132 (white box with a check mark), 133 (empty grey box), 134 (grey box with a check
// mark), and 143 and 142, the check-marked boxes with the mark mirrored for right-to-left windows.
#include <QPixmap>

namespace tavo::app {

// A null pixmap for any other number.
QPixmap CheckIcon(int resource);

} // namespace tavo::app

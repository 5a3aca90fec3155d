#pragma once
// The two 16 x 16 state images of the custom logo list, drawn here rather than loaded: 1 a white
// box with an ellipsis, 2 a blue box with an ellipsis.
#include <QPixmap>

namespace tavo::app {

// A null pixmap for any other number.
QPixmap LogoStateIcon(int image);

} // namespace tavo::app

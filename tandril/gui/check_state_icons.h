#pragma once
// The four check-state pictures of the option trees, 16 by 16: unchecked, checked, disabled
// unchecked, disabled checked (the tree's images 0 to 3).
#include <QIcon>

namespace tandril::gui {

const QIcon& CheckStateIcon(int image);

} // namespace tandril::gui

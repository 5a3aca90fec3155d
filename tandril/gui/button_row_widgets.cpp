#include "tandril/gui/button_row_widgets.h"

#include "tandril/core/button_row.h"

#include <QWidget>

#include <algorithm>

namespace tandril::gui {

void SortButton(const std::vector<QWidget*>& buttons, const std::vector<int>& flags, int mode, int x, int y) {
    std::vector<RowButton> row;
    const std::size_t count = std::min(buttons.size(), flags.size());
    for (std::size_t i = 0; i < count; ++i) {
        const QWidget* button = buttons[i];
        if (!button) {
            row.push_back({kButtonLeftAlone, false, {}});
            continue;
        }
        const QRect place = button->geometry();
        row.push_back(
            {flags[i],
             !button->isHidden(),
             {place.left(), place.top(), place.left() + place.width(), place.top() + place.height()}});
    }
    // A moved widget is repainted by the toolkit where it stood and where it stands now.
    for (const ButtonMove& move : tandril::SortButton(row, mode, x, y))
        buttons[move.button]->setGeometry(move.left, move.top, move.width, move.height);
}

} // namespace tandril::gui

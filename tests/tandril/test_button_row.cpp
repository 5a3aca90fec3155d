// The moves that arrange a row of skinned buttons, per mode, with hidden and left-alone buttons.
#include "tandril/core/button_row.h"

#include <gtest/gtest.h>

#include <vector>

namespace tavo::test {
namespace {

using tandril::ButtonMove;
using tandril::RowButton;

// A button of `width` x 20 at (left, 10).
RowButton At(int left, int width, bool visible = true, int flag = 0) {
    return {flag, visible, {left, 10, left + width, 30}};
}

TEST(ButtonRow, EachModeMovesTheShownButtons) {
    const struct {
        const char* name;
        std::vector<RowButton> row;
        int mode;
        std::vector<ButtonMove> moves;
    } cases[] = {
        {"close-up, all shown", {At(0, 50), At(50, 50), At(100, 60)}, 0, {}},
        {"close-up, second hidden",
         {At(0, 50), At(50, 50, false), At(100, 60)},
         0,
         {{0, 0, 10, 50, 20}, {2, 50, 10, 50, 20}}},
        {"close-up, hidden anchor and a placed-as-shown button",
         {At(5, 40, false), At(50, 50, false, -1), At(100, 60)},
         0,
         {{1, 5, 10, 40, 20}, {2, 45, 10, 40, 20}}},
        {"close-up skips a button left alone",
         {At(0, 50, false, 1), At(60, 30), At(90, 30, false), At(120, 30)},
         0,
         {{1, 60, 10, 30, 20}, {3, 90, 10, 30, 20}}},
        {"close-up, only left-alone buttons", {At(0, 50, false, 1)}, 0, {}},
        {"stack on the first",
         {At(0, 50, false, 1), At(60, 30, false), At(90, 40), At(130, 30, false)},
         1,
         {{2, 60, 10, 40, 20}}},
        {"stack on the last",
         {At(0, 50), At(60, 30, false), At(90, 40), At(130, 30, false)},
         2,
         {{2, 130, 10, 40, 20}, {0, 130, 10, 50, 20}}},
        {"row from a point, hidden first",
         {At(0, 50, false), At(60, 30), At(90, 40)},
         3,
         {{1, 200, 300, 30, 20}, {2, 230, 300, 40, 20}}},
        {"row from a point, first already there",
         {{0, true, {200, 300, 250, 320}}, At(0, 30)},
         3,
         {{1, 250, 300, 30, 20}}},
        {"row from a point skips left-alone and hidden",
         {At(0, 20, true, 1), At(10, 50), At(70, 30, false), At(99, 40)},
         3,
         {{1, 200, 300, 50, 20}, {3, 250, 300, 40, 20}}},
        {"unknown mode", {At(0, 50), At(50, 50, false), At(100, 60)}, 4, {}},
        {"empty row", {}, 0, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(tandril::SortButton(c.row, c.mode, 200, 300), c.moves) << c.name;
}

} // namespace
} // namespace tavo::test

// A row of real buttons arranged in a window that stands away from the screen's origin.
#include "tandril/gui/button_row_widgets.h"

#include <QPushButton>
#include <QWidget>

#include <gtest/gtest.h>

#include <vector>

namespace tavo::test {
namespace {

class ButtonRowWidgets : public ::testing::Test {
  protected:
    ButtonRowWidgets() {
        window.setGeometry(300, 200, 400, 100);
        for (int i = 0; i < 3; ++i) {
            auto* button = new QPushButton(&window);
            button->setGeometry(10 + 60 * i, 5, 60 + 10 * i, 20);
            buttons.push_back(button);
        }
    }

    QWidget window;
    std::vector<QWidget*> buttons;
};

TEST_F(ButtonRowWidgets, CloseUpStaysInTheParentsCoordinates) {
    window.show();
    buttons[1]->hide();
    tandril::gui::SortButton(buttons, {0, 0, 0}, 0, 0, 0);
    EXPECT_EQ(buttons[0]->geometry(), QRect(10, 5, 60, 20));
    EXPECT_EQ(buttons[2]->geometry(), QRect(70, 5, 60, 20));
    EXPECT_EQ(buttons[1]->geometry(), QRect(70, 5, 70, 20));
}

TEST_F(ButtonRowWidgets, RowIsArrangedBeforeItsWindowIsShown) {
    buttons[0]->hide();
    tandril::gui::SortButton(buttons, {0, 0, 0}, 3, 100, 40);
    EXPECT_EQ(buttons[1]->geometry(), QRect(100, 40, 70, 20));
    EXPECT_EQ(buttons[2]->geometry(), QRect(170, 40, 80, 20));
    EXPECT_EQ(buttons[0]->geometry(), QRect(10, 5, 60, 20));
}

TEST_F(ButtonRowWidgets, NullButtonIsLeftAlone) {
    buttons[1] = nullptr;
    tandril::gui::SortButton(buttons, {0, 0, 0}, 1, 0, 0);
    EXPECT_EQ(buttons[2]->geometry(), QRect(10, 5, 80, 20));
}

} // namespace
} // namespace tavo::test

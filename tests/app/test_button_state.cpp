// How the skinned buttons and the item buttons follow the mouse.
#include "app/button_state.h"
#include "app/item_button_look.h"
#include "app/item_button_state.h"

#include <gtest/gtest.h>

namespace {

using namespace tavo::app;

TEST(ButtonState, HoverTakesTheMouseAndLeavingGivesItBack) {
    ButtonState state;
    ButtonReaction in = state.MouseMove(true);
    EXPECT_TRUE(in.capture && in.changed);
    EXPECT_EQ(state.Image(false), kImageFocus);
    // Moving inside again changes nothing.
    in = state.MouseMove(true);
    EXPECT_FALSE(in.capture || in.changed);
    const ButtonReaction out = state.MouseMove(false);
    EXPECT_TRUE(out.release && out.changed);
    EXPECT_FALSE(state.Tracking() || state.Hover());
    EXPECT_EQ(state.Image(false), kImageNormal);
}

TEST(ButtonState, APressKeepsTheMouseWhenThePointerLeaves) {
    ButtonState state;
    state.MouseMove(true);
    EXPECT_FALSE(state.ButtonDown().capture); // already held
    EXPECT_EQ(state.Image(false), kImageDown);
    EXPECT_EQ(state.TextColour(false, false), ButtonTextColour::Down);
    const ButtonReaction out = state.MouseMove(false);
    EXPECT_FALSE(out.release);
    EXPECT_TRUE(out.changed && state.Tracking() && state.Pressed());
    EXPECT_EQ(state.Image(false), kImageNormal);
    EXPECT_EQ(state.TextColour(false, false), ButtonTextColour::Down);
    EXPECT_TRUE(state.ButtonUp().release);
    EXPECT_FALSE(state.Tracking() || state.Pressed());
}

TEST(ButtonState, APressWithoutHoverTakesTheMouse) {
    ButtonState state;
    EXPECT_TRUE(state.ButtonDown().capture);
    EXPECT_TRUE(state.Tracking() && state.Pressed());
}

TEST(ButtonState, ResetGivesBackAHeldMouseAndClearsEverything) {
    ButtonState state;
    EXPECT_FALSE(state.Reset().release);
    state.MouseMove(true);
    state.ButtonDown();
    EXPECT_TRUE(state.Reset().release);
    EXPECT_FALSE(state.Tracking() || state.Hover() || state.Pressed());
}

TEST(ButtonState, DisabledLooks) {
    ButtonState state;
    state.MouseMove(true);
    EXPECT_EQ(state.Image(true), kImageDisabled);
    // Only the Next button greys its text.
    EXPECT_EQ(state.TextColour(true, true), ButtonTextColour::Disabled);
    EXPECT_EQ(state.TextColour(false, true), ButtonTextColour::Focus);
    EXPECT_EQ(state.TextColour(true, false), ButtonTextColour::Focus);
}

TEST(ItemButtonState, HoverAndPressPictures) {
    ItemButtonState state;
    EXPECT_EQ(state.DrawState(false, false, false), kItemNormal);
    EXPECT_TRUE(state.MouseMove(true, false).capture);
    EXPECT_EQ(state.DrawState(false, true, false), kItemFocus);
    EXPECT_FALSE(state.ButtonDown(3).openMenu);
    EXPECT_EQ(state.DrawState(false, true, false), kItemDown);
    EXPECT_EQ(state.DrawState(true, true, false), kItemDisabled);
    EXPECT_TRUE(state.ButtonUp().release);
    EXPECT_EQ(state.DrawState(false, true, false), kItemFocus);
    EXPECT_TRUE(state.MouseMove(false, true).release);
    EXPECT_EQ(state.DrawState(false, false, false), kItemNormal);
}

TEST(ItemButtonState, TheFirstTwoItemsOpenTheirMenuOnThePress) {
    for (const int item : {1, 2}) {
        ItemButtonState state;
        state.MouseMove(true, false);
        const ItemButtonState::Press press = state.ButtonDown(item);
        EXPECT_TRUE(press.openMenu && press.release) << item;
        EXPECT_FALSE(state.Pressed()) << item;
        EXPECT_EQ(state.Hover(), item == 2) << item;
    }
}

TEST(ItemButtonState, AnotherWindowsCaptureEndsHoverAndPress) {
    ItemButtonState state;
    state.MouseMove(true, false);
    state.ButtonDown(4);
    EXPECT_EQ(state.DrawState(false, false, true), kItemNormal);
    EXPECT_FALSE(state.Hover() || state.Pressed());
}

} // namespace

#include "app/item_button_state.h"

#include "app/item_button_look.h"

namespace tavo::app {

ButtonReaction ItemButtonState::MouseMove(bool inside, bool captured) {
    ButtonReaction reaction;
    reaction.changed = hover_ != inside;
    hover_ = inside;
    if (inside && !captured) reaction.capture = true;
    if (!inside && captured) reaction.release = true;
    return reaction;
}

ItemButtonState::Press ItemButtonState::ButtonDown(int itemNumber) {
    pressed_ = true;
    Press press;
    if (itemNumber == 1 || itemNumber == 2) {
        press.release = true;
        press.openMenu = true;
        if (itemNumber == 1) hover_ = false;
        pressed_ = false;
    }
    return press;
}

ButtonReaction ItemButtonState::ButtonUp() {
    ButtonReaction reaction;
    reaction.changed = pressed_;
    reaction.release = true;
    pressed_ = false;
    return reaction;
}

int ItemButtonState::DrawState(bool disabled, bool captureMine, bool captureElsewhere) {
    if (disabled) return kItemDisabled;
    if (!hover_ && !pressed_) return kItemNormal;
    if (captureElsewhere) {
        hover_ = pressed_ = false;
        return kItemNormal;
    }
    if (!captureMine) return kItemNormal;
    return hover_ && pressed_ ? kItemDown : kItemFocus;
}

} // namespace tavo::app

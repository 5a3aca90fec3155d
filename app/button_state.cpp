#include "app/button_state.h"

namespace tavo::app {

ButtonReaction ButtonState::MouseMove(bool inside) {
    ButtonReaction reaction;
    if (inside) {
        if (!tracking_) {
            tracking_ = true;
            reaction.capture = true;
            reaction.changed = true;
        }
        if (!hover_) reaction.changed = true;
        hover_ = true;
    } else if (pressed_) {
        // The capture stays, so the release still comes here.
        hover_ = false;
        reaction.changed = true;
    } else {
        hover_ = false;
        if (tracking_) {
            tracking_ = false;
            reaction.release = true;
            reaction.changed = true;
        }
    }
    return reaction;
}

ButtonReaction ButtonState::ButtonDown() {
    ButtonReaction reaction;
    if (!tracking_) {
        tracking_ = true;
        reaction.capture = true;
    }
    pressed_ = true;
    reaction.changed = true;
    return reaction;
}

ButtonReaction ButtonState::ButtonUp() {
    ButtonReaction reaction;
    if (tracking_) {
        tracking_ = false;
        pressed_ = false;
        reaction.release = true;
    }
    return reaction;
}

ButtonReaction ButtonState::Reset() {
    ButtonReaction reaction;
    reaction.release = tracking_;
    tracking_ = hover_ = pressed_ = false;
    return reaction;
}

int ButtonState::Image(bool disabledOrHidden) const {
    if (disabledOrHidden) return kImageDisabled;
    if (hover_) return pressed_ ? kImageDown : kImageFocus;
    return kImageNormal;
}

ButtonTextColour ButtonState::TextColour(bool greyWhenDisabled, bool disabledOrHidden) const {
    if (greyWhenDisabled && disabledOrHidden) return ButtonTextColour::Disabled;
    if (pressed_) return ButtonTextColour::Down;
    if (hover_) return ButtonTextColour::Focus;
    return ButtonTextColour::Normal;
}

} // namespace tavo::app

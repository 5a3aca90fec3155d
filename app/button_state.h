#pragma once
// How a skinned button (Exit, Back, Next) follows the mouse: it captures the mouse while the
// pointer is over it, keeps the capture while pressed even when the pointer leaves, and lets it go
// on release. The window turns the answers into capture calls and repaints.
namespace tavo::app {

// What the window does after an event.
struct ButtonReaction {
    bool capture = false; // take the mouse
    bool release = false; // give the mouse back
    bool changed = false; // the look changed: reset the caption, show the introduction, repaint
};

// Images of a bitmap button, in the order they are added to its image list.
enum ButtonImage : int { kImageNormal = 0, kImageFocus = 1, kImageDown = 2, kImageDisabled = 3 };

enum class ButtonTextColour { Normal, Focus, Down, Disabled };

class ButtonState {
  public:
    bool Tracking() const { return tracking_; }
    bool Hover() const { return hover_; }
    bool Pressed() const { return pressed_; }

    ButtonReaction MouseMove(bool inside);
    ButtonReaction ButtonDown();
    ButtonReaction ButtonUp();
    // Shown or hidden: any capture is given back and the flags are cleared.
    ButtonReaction Reset();

    // The image to draw: the disabled one for a disabled or hidden button, the down image while
    // pressed over it, the focus image while the pointer is over it, else the normal one.
    int Image(bool disabledOrHidden) const;
    // The text colour; greyWhenDisabled for a button that greys its text while disabled or hidden.
    ButtonTextColour TextColour(bool greyWhenDisabled, bool disabledOrHidden) const;

  private:
    bool tracking_ = false;
    bool hover_ = false;
    bool pressed_ = false;
};

} // namespace tavo::app

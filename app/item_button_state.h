#pragma once
// How an item button of the item page follows the mouse. While the pointer is over it the button
// holds the capture and shows its focus picture (the down picture while pressed); over another
// window it shows the normal picture and lets the capture go. Items 1 and 2 act on the press: they
// give the capture back and open their menu while the button is still down.
#include "app/button_state.h"

namespace tavo::app {

class ItemButtonState {
  public:
    bool Hover() const { return hover_; }
    bool Pressed() const { return pressed_; }

    // captured: this button holds the capture now.
    ButtonReaction MouseMove(bool inside, bool captured);

    struct Press {
        bool release = false;  // give the capture back before the menu opens
        bool openMenu = false; // open the item's menu
    };
    Press ButtonDown(int itemNumber);
    // The release ends the press and gives the capture back.
    ButtonReaction ButtonUp();

    // The picture to draw (see ItemState) with the capture as it stands: held by this button
    // (captureMine) or by another window (captureElsewhere, such as an open menu), which ends the
    // hover and the press.
    int DrawState(bool disabled, bool captureMine, bool captureElsewhere);

  private:
    bool hover_ = false;
    bool pressed_ = false;
};

} // namespace tavo::app

#pragma once
// A window on the offscreen screen to hold skinned views, on a fresh machine whose program folder
// "C:\Tavo\" holds a settings INI and pictures. Mouse input goes through the window system, so the
// mouse capture routes it as it would for an operator.
#include "support/temp_prefix.h"

#include <QWidget>

#include <string_view>

namespace tavo::test {

class ViewsWindow {
  public:
    // The settings INI "C:\Tavo\Tavo.ini" with `settings` as its text.
    explicit ViewsWindow(std::string_view settings = {});
    ~ViewsWindow();

    // A one-colour picture (0xRRGGBB) in the program folder.
    void Picture(std::string_view name, int width, int height, unsigned colour) const;
    // The demo package's settings INI and drawn pictures, as the program folder.
    void InstallDemoPackage() const;
    // Shows the window and waits until it is on the screen.
    bool Show();

    QWidget& window() { return window_; }

    TempPrefix prefix;

  private:
    QWidget window_;
};

} // namespace tavo::test

#pragma once
// The toolkit's application object. A program of the suite that loads the library need not have
// one; the library then makes its own before its first window.
namespace tandril::gui {

// True when windows can be shown: an application object for widgets exists, or one was made now.
// False when the program runs a non-widget application object of its own.
bool EnsureGuiApplication();

} // namespace tandril::gui

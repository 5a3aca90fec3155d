#pragma once
// "WHnd.INI" in the temporary folder: section "Tavo", key "HWND" holds the running copy's main
// window number as a signed decimal, or "0" while no window is up. The main window writes it, a
// second start reads it, and the first copy deletes the file when it ends.
#include <string>

namespace tavo::app {

// The file's path, filled on first use. Empty until then.
const std::string& WindowHandleFilePath();
// Fills the path when it is still empty and returns it.
const std::string& UseWindowHandleFilePath();

// Writes the number (0: no window).
void WriteWindowHandle(long long windowNumber);
// The number written there; 0 when the file or key is missing.
long long ReadWindowHandle();

} // namespace tavo::app

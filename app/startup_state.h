#pragma once
// What start-up learns once and the rest of the program reads: where the program's files are and
// the look-and-feel settings of the settings INI. One instance per process.
#include "app/colour_text.h"

#include <string>

namespace tavo::app {

struct StartupState {
    std::string programFolder;   // the module's folder, ending with '\'
    std::string autoRunPath;     // programFolder + "AutoRun.inf"
    std::string settingsIniPath; // programFolder without its '\' + "IniFile" of AutoRun.inf
    int rightToLeft = 0;         // "STYLE_RTL": windows are laid out right to left
    std::string title;           // "Text_Title": caption of the main window
    int totalRestoreItems = 0;   // "Restore_TotalItemNum": number of item buttons
    Colour colorNormal = 0;
    Colour colorFocus = 0;
    Colour colorDown = 0;
    Colour colorIntroduction = 0;
};

StartupState& Startup();

} // namespace tavo::app

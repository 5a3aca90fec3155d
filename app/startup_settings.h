#pragma once
// The start-up steps that find the program's files and read the settings INI.
#include "app/startup_state.h"

#include <string_view>

namespace tavo::app {

// Fills the program folder (the module path up to and including its last '\'), the AutoRun path
// and the settings INI path, and points ReadSettingValue at the settings INI.
void LocateProgramFiles(StartupState& state, std::string_view modulePath);

// The settings INI's status can be read. A folder passes, as a file-status read of one does.
bool SettingsIniExists(const StartupState& state);

// A find-first on the program folder with "*.*" succeeds.
bool ProgramFolderListable(const StartupState& state);

// "STYLE_RTL" of section "General"; read before the password library is asked.
void ReadRightToLeft(StartupState& state);

// "Text_Title", "Restore_TotalItemNum" and the four colours, in that order.
void ReadLookSettings(StartupState& state);

} // namespace tavo::app

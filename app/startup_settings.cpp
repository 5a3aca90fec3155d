#include "app/startup_settings.h"

#include "engine/utilities.h"
#include "platform/files.h"
#include "platform/profile.h"

#include <string>

namespace tavo::app {

namespace {

constexpr std::string_view kGeneral = "General";

int ReadInteger(std::string_view key, int defaultValue) {
    std::string unusedText;
    int value = 0;
    ReadSettingValue(kGeneral, key, kValueInteger, unusedText, value, defaultValue);
    return value;
}

std::string ReadText(std::string_view key) {
    std::string text;
    int unusedValue = 0;
    ReadSettingValue(kGeneral, key, kValueString, text, unusedValue, 0);
    return text;
}

} // namespace

void LocateProgramFiles(StartupState& state, std::string_view modulePath) {
    const std::size_t lastSeparator = modulePath.rfind('\\');
    state.programFolder = lastSeparator == std::string_view::npos
                              ? std::string()
                              : std::string(modulePath.substr(0, lastSeparator + 1));
    state.autoRunPath = state.programFolder + "AutoRun.inf";
    // "IniFile" is written with a leading '\': it follows the folder name without its separator.
    std::string_view folderName = state.programFolder;
    if (!folderName.empty()) folderName.remove_suffix(1);
    state.settingsIniPath =
        std::string(folderName) + plat::ProfileString(state.autoRunPath, "autorun", "IniFile");
    SetSettingsIniPath(state.settingsIniPath);
}

bool SettingsIniExists(const StartupState& state) {
    return plat::FileAttributes(state.settingsIniPath) != plat::kInvalidAttributes;
}

bool ProgramFolderListable(const StartupState& state) {
    return plat::ListFiles(state.programFolder + "*.*").has_value();
}

void ReadRightToLeft(StartupState& state) {
    state.rightToLeft = ReadInteger("STYLE_RTL", 0);
}

void ReadLookSettings(StartupState& state) {
    state.title = ReadText("Text_Title");
    state.totalRestoreItems = ReadInteger("Restore_TotalItemNum", 0);
    // One reader for the four keys: a component a key leaves empty carries over from the one before.
    ColourReader colours;
    state.colorNormal = colours.Read(ReadText("ColorNormal"));
    state.colorFocus = colours.Read(ReadText("ColorFocus"));
    state.colorDown = colours.Read(ReadText("ColorDown"));
    state.colorIntroduction = colours.Read(ReadText("ColorIntroduction"));
}

} // namespace tavo::app

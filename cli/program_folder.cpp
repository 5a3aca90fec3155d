#include "cli/program_folder.h"

#include "cli/path_argument.h"
#include "engine/path_roots.h"
#include "engine/utilities.h"
#include "platform/paths.h"
#include "platform/profile.h"

namespace tavo::cli {

std::optional<std::string> UseProgramFolder(const std::string& windowsFolder) {
    if (!windowsFolder.empty()) plat::SetModuleFolder(windowsFolder);
    const std::string module = plat::ModuleFileName();
    // A host folder whose name Windows cannot hold has no Windows form, and no folder to work in.
    if (module.find('\\') == std::string::npos) return std::nullopt;
    const std::string folder = WithTrailingBackslash(module.substr(0, module.rfind('\\') + 1));
    Roots().programFolder = folder;
    const std::string iniFile = plat::ProfileString(folder + "AutoRun.inf", "autorun", "IniFile");
    SetSettingsIniPath(folder.substr(0, folder.size() - 1) + iniFile);
    return folder;
}

} // namespace tavo::cli

#include "engine/drivers.h"

#include "engine/folder_state.h"
#include "engine/path_roots.h"
#include "engine/product_code.h"
#include "engine/utilities.h"
#include "platform/folder_browser.h"
#include "platform/operator.h"
#include "platform/paths.h"
#include "platform/profile.h"

#include <string>

namespace tavo {

namespace {

// The text key of the folder prompt of each product, in the "MSG_BOX" section of the settings INI.
std::string_view PromptKey(int productCode) {
    switch (productCode) {
    case kProductNodera: return "Text_String_PATH_SELECT_NDR";
    case kProductWatchdeck: return "Text_String_PATH_SELECT_WDS";
    case kProductPulsewatch: return "Text_String_PATH_SELECT_PWT";
    case kProductRelay: return "Text_String_PATH_SELECT_RLS";
    default: return "Text_String_KW_PATH_SELECT";
    }
}

// Asks the operator for a product's install folder; false when the prompt was cancelled.
bool PromptInstallFolder(int productCode, std::string& folder) {
    plat::FolderBrowser browser;
    int unused = 0;
    ReadSettingValue("MSG_BOX", PromptKey(productCode), kValueString, browser.caption, unused, 0);
    plat::Operator* owner = plat::MainOperator();
    if (!browser.Browse(owner)) return false;
    folder = browser.chosenFolder;
    if (folder.back() != '\\') folder += '\\';
    if (owner) owner->ShowWaitCursor(1000);
    return true;
}

// The folder of an "InstallPath" value. A path without a separator names no folder.
std::string FolderOfInstallPath(const std::string& installPath) {
    const std::size_t cut = installPath.find_last_of("\\/");
    return cut == std::string::npos ? std::string() : installPath.substr(0, cut) + '\\';
}

// The DVR's install folder: the folder of "InstallPath" in the DVR's own INI, or a prompt when the
// INI names none.
bool FillDvrFolder(std::string& folder) {
    const std::string installPath = plat::ProfileString("OrvMulti.ini", "General", "InstallPath", "");
    if (installPath.empty()) {
        if (!PromptInstallFolder(kProductDvr, folder)) return false;
        Roots().dvrInstallPath = folder;
        return true;
    }
    Roots().dvrInstallPath = installPath;
    // No prompt follows a value that names no folder.
    folder = FolderOfInstallPath(installPath);
    return true;
}

} // namespace

const std::string& ReloadDvrInstallFolder() {
    const std::string installPath = plat::ProfileString("OrvMulti.ini", "General", "InstallPath", "");
    // The value a restore writes back follows the folder, as at the first preparation.
    if (!installPath.empty()) Roots().dvrInstallPath = installPath;
    return InstallFolder(kProductDvr) = FolderOfInstallPath(installPath);
}

int PreparePaths(int productCode) {
    PathRoots& roots = Roots();
    if (roots.windowsFolder.empty()) roots.windowsFolder = plat::WindowsFolder() + '\\';
    if (roots.tempFolder.empty()) roots.tempFolder = plat::TempFolder();
    // Stored on every preparation: the commands clear the counters before each run.
    SpaceCounters()[3] = GetFreeSpace(roots.tempFolder.substr(0, 3));

    switch (productCode) {
    case kProductDvr: {
        std::string& folder = InstallFolder(kProductDvr);
        if (folder.empty() && !FillDvrFolder(folder)) return 0;
        roots.activeProductFolder = folder;
        break;
    }
    case kProductNodera:
    case kProductWatchdeck:
    case kProductPulsewatch:
    case kProductRelay: {
        std::string& folder = InstallFolder(productCode);
        if (folder.empty() && !PromptInstallFolder(productCode, folder)) return 0;
        roots.activeProductFolder = folder;
        break;
    }
    default: break;
    }

    if (roots.packageFolder.empty()) roots.packageFolder = roots.programFolder;
    if (roots.registryFolder.empty()) {
        if (roots.packageFolder.empty()) {
            roots.packageFolder = roots.tempFolder + "Tavo\\";
            if (!MakeFolder(roots.packageFolder)) return 0;
        }
        roots.registryFolder = roots.packageFolder + "Reg\\";
        if (!MakeFolder(roots.registryFolder)) roots.registryFolder.clear();
    }
    return 1;
}

} // namespace tavo

#include "engine/drivers.h"

#include "engine/action_file.h"
#include "engine/file_actions.h"
#include "engine/folder_state.h"
#include "engine/ini_ref_actions.h"
#include "engine/launcher_handoff.h"
#include "engine/multi_instance_merge.h"
#include "engine/path_roots.h"
#include "engine/registry_section_actions.h"
#include "engine/registry_tree_actions.h"
#include "engine/run_log.h"
#include "platform/error.h"
#include "platform/files.h"

#include <climits>
#include <cstdint>
#include <initializer_list>
#include <string>

namespace tavo {

namespace {

using ActionProcedure = void (*)(std::string_view actionFile, std::string_view packageFolder);

void RunAll(std::initializer_list<ActionProcedure> procedures, std::string_view actionFile,
            std::string_view packageFolder) {
    for (ActionProcedure procedure : procedures)
        procedure(actionFile, packageFolder);
}

std::int64_t SumCounts(std::string_view actionFile, std::initializer_list<std::string_view> countKeys) {
    std::int64_t sum = 0;
    for (std::string_view key : countKeys)
        sum += ActionCount(actionFile, key);
    return sum;
}

// An action file that is not there (or a folder in its place, as for a catalogue item without a
// "File") has no entries: its kinds would each read nothing, one key at a time.
bool IsActionFile(std::string_view actionFile) {
    const std::uint32_t attributes = plat::FileAttributes(actionFile);
    return attributes != plat::kInvalidAttributes && (attributes & plat::kAttrDirectory) == 0;
}

// IsActionFile, recording a run's skip of a missing one.
bool HasActionFile(std::string_view actionFile) {
    if (IsActionFile(actionFile)) return true;
    CurrentRunLog().Record(RunEvent::Skipped, actionFile, "no such action file");
    return false;
}

} // namespace

int CountActions(std::string_view actionFile) {
    if (!IsActionFile(actionFile)) return 0;
    const PathRoots& roots = Roots();
    // The packed-up-only "_PNR" kinds are not counted; the two "SECTION" kinds are, though no
    // driver runs them: the bar need not end exactly at its range.
    std::int64_t count = SumCounts(actionFile, {"INI_EXE_PATH_ALL", "ALL_FILE_IN_EXE_PATH"});
    if (!roots.windowsFolder.empty())
        count += SumCounts(actionFile,
                           {"INI_WINDOW_PATH_ALL", "INI_WINDOW_PATH_SECTION", "FILE_WINDOW_PATH_IN_INI"});
    if (!roots.activeProductFolder.empty())
        count += SumCounts(actionFile, {"INI_KW_PATH_ALL", "INI_KW_PATH_SECTION", "FILE_KW_PATH_IN_INI",
                                        "ALL_FILE_IN_KW_PATH"});
    count += SumCounts(actionFile, {"FILE_FULLPATH_IN_INI"});
    if (!roots.registryFolder.empty()) count += SumCounts(actionFile, {"REGISTER_TREE_ALL"});
    count += SumCounts(actionFile, {"REGISTER_TREE_SECTION"});
    return count > INT_MAX ? INT_MAX : static_cast<int>(count);
}

int RunPackupRestore(std::string_view actionFile, std::string_view /*exportFile*/, int direction,
                     int productCode) {
    PathRoots& roots = Roots();
    roots.activeProductFolder = InstallFolder(productCode);
    const std::string package = roots.packageFolder;

    if (direction == 0) {
        if (HasActionFile(actionFile)) {
            const RestoreRunScope restoring;
            RunAll({RestoreIniWindowPathAll, RestoreFileWindowPathInIni, RestoreIniKwPathAll,
                    RestoreFileKwPathInIni, RestoreAllFileInKwPath, RestoreFileFullpathInIni},
                   actionFile, package);
            if (!roots.registryFolder.empty()) RunAll({RestoreRegisterTreeAll}, actionFile, package);
            RunAll({RestoreRegisterTreeSection}, actionFile, package);
        }
        HandOffAfterRestore(actionFile);
        return 1;
    }

    if (!MakeFolder(package)) {
        CurrentRunLog().Record(RunEvent::Failed, package,
                               "cannot create the package folder, error " +
                                   std::to_string(plat::LastError()));
        return 0;
    }
    if (!HasActionFile(actionFile)) return 1;
    RunAll({PackupIniExePathAll, PackupAllFileInExePath}, actionFile, package);
    if (!roots.windowsFolder.empty())
        RunAll({PackupIniWindowPathAll, PackupIniWindowPathAllPnr, PackupFileWindowPathInIni}, actionFile,
               package);
    if (!roots.activeProductFolder.empty())
        RunAll({PackupIniKwPathAll, PackupFileKwPathInIni, PackupAllFileInKwPath, PackupAllFileInKwPathPnr},
               actionFile, package);
    RunAll({PackupFileFullpathInIni}, actionFile, package);
    if (!roots.registryFolder.empty()) RunAll({PackupRegisterTreeAll}, actionFile, package);
    RunAll({PackupRegisterTreeSection}, actionFile, package);
    return 1;
}

int RunDefaults(std::string_view actionFile) {
    HandOffBeforeDefaults(actionFile);
    if (!HasActionFile(actionFile)) return 1;
    // Nothing is gated here: the roots are the ones prepared for the product before.
    RunAll({DefaultsRegisterTreeAll, DefaultsRegisterTreeSection, DefaultsIniWindowPathAll,
            DefaultsFileWindowPathInIni, DefaultsIniKwPathAll, DefaultsFileKwPathInIni,
            DefaultsAllFileInKwPath},
           actionFile, "");
    return 1;
}

} // namespace tavo

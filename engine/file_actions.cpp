#include "engine/file_actions.h"

#include "engine/action_file.h"
#include "engine/copy.h"
#include "engine/kind_root.h"
#include "engine/module_registration.h"
#include "engine/package_path.h"
#include "engine/recorded_delete.h"
#include "engine/run_log.h"
#include "engine/utilities.h"
#include "platform/ascii_case.h"

#include <string>

namespace tavo {

namespace {

enum class Direction { Packup, Restore, Defaults };

struct FileKind {
    std::string_view section; // also the count key in "GENERAL"
    std::string_view prefix;  // of the entry keys
    KindRoot root;
    bool folders;                  // values name folders whose whole trees move
    bool keepsUserDefine = false;  // a reset leaves the user-define INI in place
    bool registersModules = false; // a restored module INI is made to name this machine
};

constexpr FileKind kIniExePathAll{"INI_EXE_PATH_ALL", "IEPA_", KindRoot::Program, false};
constexpr FileKind kAllFileInExePath{"ALL_FILE_IN_EXE_PATH", "AFIEP_", KindRoot::Program, true};
constexpr FileKind kIniWindowPathAll{"INI_WINDOW_PATH_ALL", "IWPA_", KindRoot::Windows, false, true, true};
constexpr FileKind kIniWindowPathAllPnr{"INI_WINDOW_PATH_ALL_PNR", "IWPA_PNR_", KindRoot::Windows, false};
constexpr FileKind kIniKwPathAll{"INI_KW_PATH_ALL", "IGPA_", KindRoot::ActiveProduct, false};
constexpr FileKind kAllFileInKwPath{"ALL_FILE_IN_KW_PATH", "AFIGP_", KindRoot::ActiveProduct, true};
constexpr FileKind kAllFileInKwPathPnr{"ALL_FILE_IN_KW_PATH_PNR", "AFIGP_PNR_", KindRoot::ActiveProduct,
                                       true};

int DeleteForDefaults(std::string_view path) {
    return DeleteRecorded(path, "reset to defaults");
}

void ResetEntry(const FileKind& kind, const std::string& live, std::string_view value) {
    if (kind.folders) {
        if (!DeleteFolderFiles(live, DeleteForDefaults))
            CurrentRunLog().Record(RunEvent::Skipped, live, "no such folder");
        return;
    }
    // The launcher button has been told to go already; its INI stays for the library to read.
    if (kind.keepsUserDefine && plat::EqualNoCaseAscii(value, "OrvUserDefine.ini")) {
        CurrentRunLog().Record(RunEvent::Skipped, live, "the user-define INI stays");
        return;
    }
    DeleteForDefaults(live);
}

void RunKind(const FileKind& kind, Direction direction, std::string_view actionFile,
             std::string_view packageFolder) {
    RunLog& log = CurrentRunLog();
    ForEachEntry(actionFile, kind.section, [&](int number) {
        const std::string key = EntryKey(kind.prefix, number);
        const std::string value = ActionString(actionFile, kind.section, key);
        // An empty value would name the root folder itself, which no step may copy or delete.
        if (value.empty()) {
            log.Record(RunEvent::Skipped, std::string(kind.section) + ' ' + key, "empty entry");
            return;
        }
        // On an empty root the value would name a file of whatever folder is current.
        const std::string& root = RootFolder(kind.root);
        if (root.empty()) {
            log.Record(RunEvent::Skipped, value, "its root folder is not known");
            return;
        }
        const std::string live = root + value;
        if (direction == Direction::Defaults) {
            ResetEntry(kind, live, value);
            return;
        }
        const std::optional<std::string> package = PackagePath(packageFolder, value);
        if (!package) {
            log.Record(RunEvent::Skipped, live, "no place in the package folder");
            return;
        }
        if (kind.folders) {
            if (direction == Direction::Packup)
                CopyFolderTree(*package, live);
            else
                CopyFolderTree(live, *package);
        } else {
            if (direction == Direction::Packup) {
                CopyOneFile(live, *package, 0, 1);
            } else {
                if (kind.registersModules && IsModuleFile(*package))
                    RestoreModuleFile(*package, live);
                else
                    CopyOneFile(*package, live, 0, 1);
            }
        }
    });
}

} // namespace

void PackupIniExePathAll(std::string_view actionFile, std::string_view packageFolder) {
    RunKind(kIniExePathAll, Direction::Packup, actionFile, packageFolder);
}
void PackupAllFileInExePath(std::string_view actionFile, std::string_view packageFolder) {
    RunKind(kAllFileInExePath, Direction::Packup, actionFile, packageFolder);
}

void PackupIniWindowPathAll(std::string_view actionFile, std::string_view packageFolder) {
    RunKind(kIniWindowPathAll, Direction::Packup, actionFile, packageFolder);
}
void RestoreIniWindowPathAll(std::string_view actionFile, std::string_view packageFolder) {
    RunKind(kIniWindowPathAll, Direction::Restore, actionFile, packageFolder);
}
void DefaultsIniWindowPathAll(std::string_view actionFile, std::string_view packageFolder) {
    RunKind(kIniWindowPathAll, Direction::Defaults, actionFile, packageFolder);
}
void PackupIniWindowPathAllPnr(std::string_view actionFile, std::string_view packageFolder) {
    RunKind(kIniWindowPathAllPnr, Direction::Packup, actionFile, packageFolder);
}

void PackupIniKwPathAll(std::string_view actionFile, std::string_view packageFolder) {
    RunKind(kIniKwPathAll, Direction::Packup, actionFile, packageFolder);
}
void RestoreIniKwPathAll(std::string_view actionFile, std::string_view packageFolder) {
    RunKind(kIniKwPathAll, Direction::Restore, actionFile, packageFolder);
}
void DefaultsIniKwPathAll(std::string_view actionFile, std::string_view packageFolder) {
    RunKind(kIniKwPathAll, Direction::Defaults, actionFile, packageFolder);
}

void PackupAllFileInKwPath(std::string_view actionFile, std::string_view packageFolder) {
    RunKind(kAllFileInKwPath, Direction::Packup, actionFile, packageFolder);
}
void RestoreAllFileInKwPath(std::string_view actionFile, std::string_view packageFolder) {
    RunKind(kAllFileInKwPath, Direction::Restore, actionFile, packageFolder);
}
void DefaultsAllFileInKwPath(std::string_view actionFile, std::string_view packageFolder) {
    RunKind(kAllFileInKwPath, Direction::Defaults, actionFile, packageFolder);
}
void PackupAllFileInKwPathPnr(std::string_view actionFile, std::string_view packageFolder) {
    RunKind(kAllFileInKwPathPnr, Direction::Packup, actionFile, packageFolder);
}

} // namespace tavo

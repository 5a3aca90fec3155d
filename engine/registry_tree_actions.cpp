#include "engine/registry_tree_actions.h"

#include "engine/action_file.h"
#include "engine/key_list.h"
#include "engine/package_archive.h"
#include "engine/package_path.h"
#include "engine/path_roots.h"
#include "engine/privilege.h"
#include "engine/registry_root.h"
#include "engine/run_log.h"
#include "engine/utilities.h"
#include "platform/error.h"
#include "platform/files.h"

#include <optional>
#include <string>

namespace tavo {

namespace {

constexpr std::string_view kSection = "REGISTER_TREE_ALL";
constexpr std::string_view kBackup = "SeBackupPrivilege";
constexpr std::string_view kRestore = "SeRestorePrivilege";
// The name a hive is saved under before it replaces the hive of that name.
constexpr std::string_view kFreshHive = ".new";
// KEY_READ, KEY_SET_VALUE and KEY_CREATE_SUB_KEY.
constexpr std::uint32_t kRestoreAccess = 0x2001F;

enum class Direction { Packup, Restore, Defaults };

void Failed(plat::HKey root, std::string_view subKey, std::string_view what) {
    CurrentRunLog().Record(RunEvent::Failed, KeyPathText(root, subKey), what);
}

void RunKind(Direction direction, std::string_view actionFile) {
    RunLog& log = CurrentRunLog();
    ForEachEntry(actionFile, kSection, [&](int number) {
        // A restore entry without a root works on HKEY_CLASSES_ROOT.
        const int code = ActionInt(actionFile, kSection, EntryKey("RTA_", number, "_MAIN_KEY"),
                                   direction == Direction::Restore ? 1 : 0);
        const std::string subKey = ActionString(actionFile, kSection, EntryKey("RTA_", number, "_SUB_KEY"));
        const std::string entry = std::string(kSection) + ' ' + EntryKey("RTA_", number);
        const std::optional<plat::HKey> root = RootKeyOfCode(code);
        if (!root) {
            log.Record(RunEvent::Skipped, entry, "no root key for code " + std::to_string(code));
            return;
        }
        // A path without a name is the root itself, whose whole content no entry may replace or delete.
        if (subKey.find_first_not_of('\\') == std::string::npos) {
            log.Record(RunEvent::Skipped, entry, "empty key path");
            return;
        }
        if (direction == Direction::Defaults) {
            DeleteKeyTree(*root, subKey);
            return;
        }
        const std::string file = ActionString(actionFile, kSection, EntryKey("RTA_", number, "_FILE"));
        const std::optional<std::string> hive =
            file.empty() ? std::nullopt : PackagePath(Roots().registryFolder, file);
        if (!hive) {
            log.Record(RunEvent::Skipped, entry,
                       file.empty() ? "no hive file named" : "no place in the registry folder");
            return;
        }
        if (direction == Direction::Packup)
            SaveHive(*root, subKey, *hive);
        else
            RestoreHive(*root, subKey, *hive);
    });
}

} // namespace

int SaveHive(plat::HKey root, std::string_view subKey, std::string_view hivePath) {
    const ProcessToken token;
    const std::string hive(hivePath), path(subKey);
    // A program file is never deleted, nor saved over: the registry's answer for a file that is
    // there.
    if (IsProgramFile(hive)) {
        Failed(root, subKey, "RegSaveKey FAILED, error " + std::to_string(plat::kErrorAlreadyExists));
        return 0;
    }
    // The registry saves to new files only. The tree goes to a new file beside the old hive and
    // replaces it once it is whole, so a save that fails (a full disk) keeps the older packup's
    // hive; one that a kill left behind goes first.
    const std::string fresh = hive + std::string(kFreshHive);
    DeleteUnlessProgram(fresh);
    if (!SetPrivilege(token.get(), kBackup, true)) {
        DeleteUnlessProgram(hive);
        Failed(root, subKey, "SeBackupPrivilege cannot be enabled");
        return 0;
    }
    plat::HKey key = 0;
    if (plat::RegOpenKeyEx(root, path.c_str(), plat::kKeyAllAccess, &key) != 0) {
        SetPrivilege(token.get(), kBackup, false);
        // A tree that is not there leaves no hive.
        DeleteUnlessProgram(hive);
        Failed(root, subKey, "RegOpenKeyEx FAILED");
        return 0;
    }
    const long saved = plat::RegSaveKey(key, fresh.c_str());
    plat::RegCloseKey(key);
    SetPrivilege(token.get(), kBackup, false);
    if (saved != 0) {
        Failed(root, subKey,
               "RegSaveKey FAILED, error " + std::to_string(saved) + "; " + hive + " kept as it was");
        return 0;
    }
    if (!plat::MoveFileReplacing(fresh, hive)) {
        const std::uint32_t error = plat::LastError();
        DeleteUnlessProgram(fresh);
        Failed(root, subKey, "the saved tree cannot replace " + hive + ", error " + std::to_string(error));
        return 0;
    }
    std::uint32_t attributes = 0;
    std::uint64_t size = 0;
    if (!plat::FileAttributesEx(hive, &attributes, &size)) {
        Failed(root, subKey, "the hive file is not there after the save");
        return 0;
    }
    // With no archive open the package folder alone is the package and the hive is in it already.
    if (PackageArchiveIsOpen() && !AddArchiveFile(hive, "Reg\\" + hive.substr(hive.rfind('\\') + 1))) {
        Failed(root, subKey, "the hive's name does not fit the archive's index");
        return 0;
    }
    CurrentRunLog().Record(RunEvent::Copied, hive, KeyPathText(root, subKey));
    return 1;
}

int RestoreHive(plat::HKey root, std::string_view subKey, std::string_view hivePath) {
    const ProcessToken token;
    const std::string hive(hivePath), path(subKey);
    if (!SetPrivilege(token.get(), kBackup, true)) {
        Failed(root, subKey, "SeBackupPrivilege cannot be enabled");
        return 0;
    }
    plat::HKey key = 0;
    if (plat::RegCreateKeyEx(root, path.c_str(), kRestoreAccess, &key, nullptr) != 0) {
        SetPrivilege(token.get(), kBackup, false);
        Failed(root, subKey, "RegCreateKeyEx FAILED");
        return 0;
    }
    int result = 0;
    if (!SetPrivilege(token.get(), kRestore, true)) {
        Failed(root, subKey, "SeRestorePrivilege cannot be enabled");
    } else if (const long error = plat::RegRestoreKey(key, hive.c_str(), plat::kRegForceRestore);
               error != 0) {
        Failed(root, subKey, "Error #" + std::to_string(error));
    } else {
        CurrentRunLog().Record(RunEvent::Copied, KeyPathText(root, subKey), hive);
        result = 1;
    }
    SetPrivilege(token.get(), kRestore, false);
    plat::RegCloseKey(key);
    SetPrivilege(token.get(), kBackup, false);
    return result;
}

int DeleteKeyTree(plat::HKey root, std::string_view subKey) {
    std::vector<std::string>& list = KeyList();
    list.assign(1, std::string(subKey));
    CollectSubkeys(root, subKey);
    const ProcessToken token;
    if (!SetPrivilege(token.get(), kBackup, true)) {
        Failed(root, subKey, "SeBackupPrivilege cannot be enabled");
        return 0;
    }
    RunLog& log = CurrentRunLog();
    // From the last to the first: every key goes after all keys below it.
    for (auto it = list.rbegin(); it != list.rend(); ++it) {
        const std::size_t split = it->rfind('\\');
        const std::string parent = split == std::string::npos ? std::string() : it->substr(0, split);
        const std::string leaf = split == std::string::npos ? *it : it->substr(split + 1);
        plat::HKey key = 0;
        const long opened = plat::RegOpenKeyEx(root, parent.c_str(), plat::kKeyAllAccess, &key);
        if (opened == plat::kErrorFileNotFound) {
            // A key that is not there is already as a reset leaves it.
            log.Record(RunEvent::Skipped, KeyPathText(root, *it), "no such key");
            continue;
        }
        if (opened != 0) {
            log.Record(RunEvent::Failed, KeyPathText(root, parent), "RegOpenKeyEx FAILED");
            continue;
        }
        const long deleted = plat::RegDeleteKey(key, leaf.c_str());
        plat::RegCloseKey(key);
        if (deleted == 0)
            log.Record(RunEvent::Deleted, KeyPathText(root, *it), "reset to defaults");
        else if (deleted == plat::kErrorFileNotFound)
            log.Record(RunEvent::Skipped, KeyPathText(root, *it), "no such key");
        else
            log.Record(RunEvent::Failed, KeyPathText(root, *it),
                       "RegDeleteKey error " + std::to_string(deleted));
    }
    SetPrivilege(token.get(), kBackup, false);
    return 1;
}

void PackupRegisterTreeAll(std::string_view actionFile, std::string_view /*packageFolder*/) {
    RunKind(Direction::Packup, actionFile);
}
void RestoreRegisterTreeAll(std::string_view actionFile, std::string_view /*packageFolder*/) {
    RunKind(Direction::Restore, actionFile);
}
void DefaultsRegisterTreeAll(std::string_view actionFile, std::string_view /*packageFolder*/) {
    RunKind(Direction::Defaults, actionFile);
}

} // namespace tavo

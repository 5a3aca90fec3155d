#include "engine/registry_section_actions.h"

#include "engine/action_file.h"
#include "engine/copy.h"
#include "engine/folder_state.h"
#include "engine/package_path.h"
#include "engine/path_roots.h"
#include "engine/recorded_delete.h"
#include "engine/registry_content.h"
#include "engine/registry_root.h"
#include "engine/run_log.h"
#include "engine/utilities.h"
#include "platform/ascii_case.h"
#include "platform/error.h"
#include "platform/profile.h"

#include <optional>

namespace tavo {

namespace {

constexpr std::string_view kSection = "REGISTER_TREE_SECTION";
// The value's data is read into a buffer of this size; a larger value cannot be read and its
// entry is skipped (nothing is ever acted on cut short).
constexpr std::uint32_t kValueBuffer = 260;

enum ActionBits { kValueBit = 1, kFileBit = 2, kFolderBit = 4 };

using Worker = int (*)(std::string_view, int, std::string_view, std::string_view, plat::HKey,
                       const std::string&, const std::string&, std::uint32_t&, std::string&);

std::string Key(int number, std::string_view suffix) {
    return EntryKey("RTS_", number, suffix);
}

std::string ValuePath(plat::HKey root, const std::string& subKey, const std::string& valueName) {
    return KeyPathText(root, subKey) + "\\" + valueName;
}

// Reads a value whole into the value buffer: false (recorded) when the key or value is missing,
// the value is too large, or the key cannot be opened with `access`.
bool ReadValue(plat::HKey key, const std::string& path, const std::string& valueName, std::uint32_t& type,
               std::string& data) {
    std::uint8_t buffer[kValueBuffer];
    std::uint32_t size = kValueBuffer;
    const long read = plat::RegQueryValueEx(key, valueName.c_str(), &type, buffer, &size);
    if (read != 0) {
        CurrentRunLog().Record(RunEvent::Skipped, path,
                               read == plat::kErrorMoreData ? "the value is too long for its entry"
                                                            : "no such value");
        return false;
    }
    data.assign(reinterpret_cast<const char*>(buffer), size);
    return true;
}

bool OpenKey(plat::HKey root, const std::string& subKey, std::uint32_t access, plat::HKey* key) {
    if (plat::RegOpenKeyEx(root, subKey.c_str(), access, key) == 0) return true;
    CurrentRunLog().Record(RunEvent::Skipped, KeyPathText(root, subKey), "no such key");
    return false;
}

// The part after the last '\' (all of it without one).
std::string_view LastName(std::string_view path) {
    const std::size_t split = path.rfind('\\');
    return split == std::string_view::npos ? path : path.substr(split + 1);
}

// Bits 2 and 4 name files by a path: a value's bytes in hex form are none.
bool NamesAPath(std::uint32_t type, const std::string& content, const std::string& path) {
    if (!content.empty() && (IsTextType(type) || content.rfind("hex:", 0) != 0)) return true;
    CurrentRunLog().Record(RunEvent::Skipped, path, "the value names no file or folder");
    return false;
}

void RunKind(std::string_view actionFile, std::string_view packageFolder, Worker worker, bool defaults) {
    ForEachEntry(actionFile, kSection, [&](int number) {
        if (defaults && ActionInt(actionFile, kSection, Key(number, "_DELETE"), 0) == 0) return;
        const int code = ActionInt(actionFile, kSection, Key(number, "_MAIN_KEY"), 0);
        const std::string subKey = ActionString(actionFile, kSection, Key(number, "_SUB_KEY"));
        const std::string valueName = ActionString(actionFile, kSection, Key(number, "_SECTION_KEY"));
        const std::optional<plat::HKey> root = RootKeyOfCode(code);
        if (!root) {
            CurrentRunLog().Record(RunEvent::Skipped, std::string(kSection) + ' ' + Key(number, ""),
                                   "no root key for code " + std::to_string(code));
            return;
        }
        std::uint32_t type = 0;
        std::string content;
        worker(kSection, number, actionFile, packageFolder, *root, subKey, valueName, type, content);
    });
}

} // namespace

int PackupSectionValue(std::string_view section, int number, std::string_view actionFile,
                       std::string_view packageFolder, plat::HKey root, const std::string& subKey,
                       const std::string& valueName, std::uint32_t& type, std::string& content) {
    const std::string path = ValuePath(root, subKey, valueName);
    plat::HKey key = 0;
    if (!OpenKey(root, subKey, plat::kKeyQueryValue, &key)) return 0;
    std::string data;
    const bool read = ReadValue(key, path, valueName, type, data);
    plat::RegCloseKey(key);
    if (!read) return 0;
    if (data.empty()) {
        CurrentRunLog().Record(RunEvent::Skipped, path, "empty value");
        return 0;
    }
    content = ContentOfData(type, data);
    RunLog& log = CurrentRunLog();
    const int action = ActionInt(actionFile, section, Key(number, "_ACTION"), kValueBit);
    if (action & kValueBit) {
        const std::string stored =
            IsTextType(type) ? WithProductToken(content, Roots().activeProductFolder) : content;
        // Type and content in one write: a content read with another value's type would be garbled.
        if (plat::WriteProfileValues(
                actionFile, section,
                {{Key(number, "_SECTION_TYPE"), std::to_string(type)}, {Key(number, "_CONTENT"), stored}}))
            log.Record(RunEvent::Copied, path, "into the action file");
        else
            log.Record(RunEvent::Failed, path,
                       "cannot be written into the action file " + std::string(actionFile) + ", error " +
                           std::to_string(plat::LastError()));
    }
    if ((action & (kFileBit | kFolderBit)) && !NamesAPath(type, content, path)) return 1;
    if (action & kFileBit) {
        if (const std::optional<std::string> package = PackagePath(packageFolder, LastName(content)))
            CopyOneFile(content, *package, 0, 1);
        else
            log.Record(RunEvent::Skipped, content, "no place in the package folder");
    }
    if (action & kFolderBit) {
        const std::string live = content + ActionString(actionFile, section, Key(number, "_DIRECTORY"));
        const std::size_t split = content.rfind('\\');
        std::string name = live.substr(split == std::string::npos ? 0 : split + 1);
        if (!name.empty()) name.pop_back();
        if (const std::optional<std::string> package = PackagePath(packageFolder, name + "\\"))
            CopyFolderTree(*package, live);
        else
            log.Record(RunEvent::Skipped, live, "no place in the package folder");
    }
    return 1;
}

int RestoreSectionValue(std::string_view section, int number, std::string_view actionFile,
                        std::string_view packageFolder, plat::HKey root, const std::string& subKey,
                        const std::string& valueName, std::uint32_t& type, std::string& content) {
    const std::string path = ValuePath(root, subKey, valueName);
    RunLog& log = CurrentRunLog();
    const int action = ActionInt(actionFile, section, Key(number, "_ACTION"), kValueBit);
    type = plat::kRegSz;
    if (action & kValueBit) {
        type = static_cast<std::uint32_t>(ActionInt(actionFile, section, Key(number, "_SECTION_TYPE"), 3));
        content = ActionString(actionFile, section, Key(number, "_CONTENT"));
        if (IsTextType(type)) content = WithoutProductToken(content, Roots().activeProductFolder);
        if (content.empty()) {
            // The package holds no content: the live value goes.
            plat::HKey key = 0;
            if (plat::RegOpenKeyEx(root, subKey.c_str(), plat::kKeySetValue, &key) == 0) {
                if (plat::RegDeleteValue(key, valueName.c_str()) == 0)
                    log.Record(RunEvent::Deleted, path, "no content");
                plat::RegCloseKey(key);
            }
            return 0;
        }
        const std::optional<std::string> data = DataOfContent(type, content);
        plat::HKey key = 0;
        if (!data) {
            log.Record(RunEvent::Failed, path, "the content is not a well-made hex: form");
        } else if (plat::RegCreateKeyEx(root, subKey.c_str(), plat::kKeySetValue, &key, nullptr) != 0) {
            log.Record(RunEvent::Failed, path, "RegCreateKeyEx FAILED");
        } else {
            // The bytes without a terminator, as the value was packed; the registry adds the NUL of
            // a string itself.
            const long set = plat::RegSetValueEx(key, valueName.c_str(), type,
                                                 reinterpret_cast<const std::uint8_t*>(data->c_str()),
                                                 static_cast<std::uint32_t>(data->size()));
            plat::RegCloseKey(key);
            if (set == 0)
                log.Record(RunEvent::Copied, path, "from the action file");
            else
                log.Record(RunEvent::Failed, path, "RegSetValueEx error " + std::to_string(set));
        }
    }
    if ((action & (kFileBit | kFolderBit)) && !NamesAPath(type, content, path)) return 1;
    if (action & kFileBit) {
        const std::size_t split = content.rfind('\\');
        const std::string folder = split == std::string::npos ? std::string() : content.substr(0, split);
        if (!IsFolder(folder) && !EnsureDirectory(folder)) {
            log.Record(RunEvent::Failed, folder, "the folder of the value's file cannot be made");
            return 0;
        }
        if (const std::optional<std::string> package = PackagePath(packageFolder, LastName(content)))
            CopyOneFile(*package, content, 0, 1);
        else
            log.Record(RunEvent::Skipped, content, "no place in the package folder");
    }
    if (action & kFolderBit) {
        const std::string live = content + ActionString(actionFile, section, Key(number, "_DIRECTORY"));
        std::string_view trimmed(live);
        if (!trimmed.empty() && trimmed.back() == '\\') trimmed.remove_suffix(1);
        const std::string name(LastName(trimmed));
        if (const std::optional<std::string> package = PackagePath(packageFolder, name + "\\"))
            CopyFolderTree(live, *package);
        else
            log.Record(RunEvent::Skipped, live, "no place in the package folder");
    }
    return 1;
}

int DefaultsSectionValue(std::string_view section, int number, std::string_view actionFile,
                         std::string_view /*packageFolder*/, plat::HKey root, const std::string& subKey,
                         const std::string& valueName, std::uint32_t& type, std::string& content) {
    const std::string path = ValuePath(root, subKey, valueName);
    RunLog& log = CurrentRunLog();
    plat::HKey key = 0;
    if (!OpenKey(root, subKey, plat::kKeyAllAccess, &key)) return 0;
    std::string data;
    if (!ReadValue(key, path, valueName, type, data)) {
        plat::RegCloseKey(key);
        return 0;
    }
    // The shell's value, its file and its folder are never reset.
    if (plat::EqualNoCaseAscii(valueName, "explorer.exe")) {
        plat::RegCloseKey(key);
        log.Record(RunEvent::Kept, path, "the shell's value stays");
        return 0;
    }
    const long deleted = plat::RegDeleteValue(key, valueName.c_str());
    plat::RegCloseKey(key);
    if (deleted != 0) {
        log.Record(RunEvent::Failed, path, "RegDeleteValue error " + std::to_string(deleted));
        return 0;
    }
    log.Record(RunEvent::Deleted, path, "reset to defaults");
    content = ContentOfData(type, data);
    const int action = ActionInt(actionFile, section, Key(number, "_ACTION"), kValueBit);
    if ((action & (kFileBit | kFolderBit)) && NamesAPath(type, content, path)) {
        if (action & kFileBit) DeleteRecorded(content, "reset to defaults");
        if (action & kFolderBit) {
            const std::string folder = content + ActionString(actionFile, section, Key(number, "_DIRECTORY"));
            if (!DeleteFolderFiles(
                    folder, [](std::string_view file) { return DeleteRecorded(file, "reset to defaults"); }))
                log.Record(RunEvent::Skipped, folder, "no such folder");
        }
    }
    return data.empty() ? 0 : 1;
}

void PackupRegisterTreeSection(std::string_view actionFile, std::string_view packageFolder) {
    RunKind(actionFile, packageFolder, PackupSectionValue, false);
}
void RestoreRegisterTreeSection(std::string_view actionFile, std::string_view packageFolder) {
    RunKind(actionFile, packageFolder, RestoreSectionValue, false);
}
void DefaultsRegisterTreeSection(std::string_view actionFile, std::string_view packageFolder) {
    RunKind(actionFile, packageFolder, DefaultsSectionValue, true);
}

} // namespace tavo

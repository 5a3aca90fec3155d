#include "engine/utilities.h"

#include "platform/ascii_case.h"
#include "platform/error.h"
#include "platform/files.h"
#include "platform/profile.h"

#include <string>
#include <utility>

namespace tavo {

namespace {

bool IsFolder(std::string_view path) {
    const std::uint32_t attributes = plat::FileAttributes(path);
    return attributes != plat::kInvalidAttributes && (attributes & plat::kAttrDirectory) != 0;
}

bool EndsWithSeparator(std::string_view path) {
    return !path.empty() && (path.back() == '\\' || path.back() == '/');
}

void ReadValue(const std::string& file, std::string_view section, std::string_view key, int kind,
               std::string& outText, int& outInt, int defaultInt) {
    if (kind == kValueInteger) {
        outInt = static_cast<int>(plat::ProfileInt(file, section, key, defaultInt));
    } else if (kind == kValueString) {
        // The whole value: a value cut short is never acted on.
        outText = plat::ProfileString(file, section, key, "");
    }
}

std::string& SettingsIni() {
    static std::string path;
    return path;
}

std::string& CatalogueIni() {
    static std::string path;
    return path;
}

} // namespace

int EnsureDirectory(std::string_view folder) {
    // An existing folder is there. So, to the shell, is a plain file of that name: it answers
    // "already exists" (183) for one, where this host's chain creation reports it in the way (5).
    const std::string_view name =
        folder.size() > 3 && EndsWithSeparator(folder) ? folder.substr(0, folder.size() - 1) : folder;
    if (plat::FileAttributes(name) != plat::kInvalidAttributes) return 1;
    const std::uint32_t result = plat::CreateFolderChain(folder);
    return (result == plat::kErrorSuccess || result == plat::kErrorFileExists ||
            result == plat::kErrorAlreadyExists)
               ? 1
               : 0;
}

int EnsurePathFolders(std::string_view folder) {
    // Only whether the folder opens for listing: reading its names would make every copy into a
    // large folder read the whole folder again.
    if (plat::CanListFolder(folder)) return 1;
    if (EnsureDirectory(folder)) return 1;
    // Make the parent folder (with its closing '\') the same way, then this one inside it.
    const std::string_view inner = EndsWithSeparator(folder) ? folder.substr(0, folder.size() - 1) : folder;
    const std::size_t split = inner.find_last_of("\\/");
    if (split == std::string_view::npos) return 0;
    const std::string_view parent = folder.substr(0, split + 1);
    const std::string_view child = folder.substr(split + 1);
    if (!EnsurePathFolders(parent)) return 0;
    return EnsureDirectory(std::string(parent) + std::string(child));
}

bool IsProgramFile(std::string_view path) {
    return plat::EndsWithNoCaseAscii(path, ".exe");
}

int DeleteUnlessProgram(std::string_view path) {
    // The one way the engine deletes files: no reset, failed copy or clean-up removes a program.
    if (IsProgramFile(path)) return 1;
    return plat::RemoveFile(path) ? 0 : -1;
}

int DeleteFolderFiles(std::string_view folder, FileDeleter deleteFile) {
    if (!IsFolder(folder)) return 0;
    // A folder named without its closing '\' is still walked as the folder, never as the name
    // prefix of its neighbours.
    const std::string base = EndsWithSeparator(folder) ? std::string(folder) : std::string(folder) + '\\';
    const auto entries = plat::ListFiles(base + "*.*");
    if (!entries) return 0;
    for (const plat::FoundFile& entry : *entries) {
        if (entry.name == "." || entry.name == "..") continue;
        // A link is removed as an entry of this tree; whatever it points to belongs to another.
        const bool walk = (entry.attributes & plat::kAttrDirectory) != 0 &&
                          (entry.attributes & plat::kAttrReparsePoint) == 0;
        if (walk) {
            DeleteFolderFiles(base + entry.name + '\\', deleteFile);
        } else {
            deleteFile(base + entry.name);
        }
    }
    return 1;
}

void SetSettingsIniPath(std::string path) {
    SettingsIni() = std::move(path);
}
const std::string& SettingsIniPath() {
    return SettingsIni();
}
void SetCatalogueIniPath(std::string path) {
    CatalogueIni() = std::move(path);
}
const std::string& CatalogueIniPath() {
    return CatalogueIni();
}

void ReadSettingValue(std::string_view section, std::string_view key, int kind, std::string& outText,
                      int& outInt, int defaultInt) {
    ReadValue(SettingsIni(), section, key, kind, outText, outInt, defaultInt);
}

void ReadCatalogueValue(std::string_view section, std::string_view key, int kind, std::string& outText,
                        int& outInt, int defaultInt) {
    ReadValue(CatalogueIni(), section, key, kind, outText, outInt, defaultInt);
}

} // namespace tavo

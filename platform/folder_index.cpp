#include "platform/folder_index.h"

#include "platform/ascii_case.h"
#include "platform/paths.h"

#include <dirent.h>
#include <sys/stat.h>

#include <cerrno>
#include <string_view>
#include <unordered_map>

namespace plat::host {

namespace {

// The names of one folder by their upper-cased spelling, valid while the folder's identity and
// change time are the ones seen when it was read. A change made by another process within one tick
// of the file system's clock can go unseen until the folder changes again; changes made by this
// process are noted directly.
struct FolderNames {
    dev_t device = 0;
    ino_t inode = 0;
    struct timespec changed {};
    std::unordered_map<std::string, std::string> byUpper;
};

constexpr std::size_t kMaxFolders = 256;

std::unordered_map<std::string, FolderNames>& Folders() {
    static std::unordered_map<std::string, FolderNames> folders;
    return folders;
}

bool Same(const FolderNames& names, const struct stat& st) {
    return names.device == st.st_dev && names.inode == st.st_ino && names.changed.tv_sec == st.st_mtim.tv_sec &&
           names.changed.tv_nsec == st.st_mtim.tv_nsec;
}

void Remember(FolderNames& names, const struct stat& st) {
    names.device = st.st_dev;
    names.inode = st.st_ino;
    names.changed = st.st_mtim;
}

void AddName(FolderNames& names, std::string_view name) {
    if (!IsValidWindowsName(name)) return;
    auto [it, added] = names.byUpper.try_emplace(UpperAscii(name), name);
    if (!added && name < it->second) it->second = std::string(name);
}

const FolderNames* ReadFolder(const std::string& folder, const struct stat& st) {
    DIR* dir = opendir(folder.empty() ? "/" : folder.c_str());
    if (!dir) return nullptr;
    auto& folders = Folders();
    if (folders.size() >= kMaxFolders) folders.clear();
    FolderNames& names = folders[folder];
    names.byUpper.clear();
    Remember(names, st);
    while (dirent* entry = readdir(dir)) AddName(names, entry->d_name);
    closedir(dir);
    return &names;
}

struct KnownFolders {
    unsigned generation = 0;
    std::unordered_map<std::string, std::string> hostByWindows;
};

KnownFolders& Known() {
    static KnownFolders known;
    if (known.generation != PrefixGeneration()) {
        known.hostByWindows.clear();
        known.generation = PrefixGeneration();
    }
    return known;
}

constexpr std::size_t kMaxKnownFolders = 4096;

std::pair<std::string, std::string> Split(const std::string& hostPath) {
    std::size_t slash = hostPath.rfind('/');
    if (slash == std::string::npos) return {};
    return {hostPath.substr(0, slash), hostPath.substr(slash + 1)};
}

} // namespace

std::optional<std::string> FindEntryNoCase(const std::string& folder, const std::string& name,
                                           const struct stat* folderStat, EntryStatus* status) {
    std::string exact = folder + "/" + name;
    struct stat st {};
    if (lstat(exact.c_str(), &st) == 0) {
        if (status) *status = {true, true, st};
        return name;
    }
    const bool absent = errno == ENOENT;
    if (folderStat) {
        st = *folderStat;
    } else if (stat(folder.empty() ? "/" : folder.c_str(), &st) != 0) {
        return std::nullopt;
    }
    if (!S_ISDIR(st.st_mode)) return std::nullopt;

    auto& folders = Folders();
    auto it = folders.find(folder);
    const FolderNames* names = it != folders.end() && Same(it->second, st) ? &it->second : ReadFolder(folder, st);
    if (!names) return std::nullopt;
    auto found = names->byUpper.find(UpperAscii(name));
    if (found == names->byUpper.end()) {
        if (status && absent) *status = {true, false, {}};
        return std::nullopt;
    }
    return found->second;
}

void NoteEntryAdded(const std::string& hostPath) {
    auto [folder, name] = Split(hostPath);
    auto& folders = Folders();
    auto it = folders.find(folder);
    if (it == folders.end()) return;
    struct stat st {};
    if (stat(folder.empty() ? "/" : folder.c_str(), &st) != 0) {
        folders.erase(it);
        return;
    }
    AddName(it->second, name);
    Remember(it->second, st);
}

void NoteEntryRemoved(const std::string& hostPath) {
    // Another spelling of the name may now be the one to find: read the folder again when asked.
    Folders().erase(Split(hostPath).first);
}

std::optional<std::string> KnownFolder(const std::string& windowsFolder, struct stat* folderStat) {
    auto& folders = Known().hostByWindows;
    auto it = folders.find(windowsFolder);
    if (it == folders.end()) return std::nullopt;
    struct stat own {};
    struct stat& st = folderStat ? *folderStat : own;
    if (stat(it->second.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
        folders.erase(it);
        return std::nullopt;
    }
    return it->second;
}

void NoteKnownFolder(const std::string& windowsFolder, const std::string& hostFolder) {
    auto& folders = Known().hostByWindows;
    if (folders.size() >= kMaxKnownFolders) folders.clear();
    folders[windowsFolder] = hostFolder;
}

} // namespace plat::host

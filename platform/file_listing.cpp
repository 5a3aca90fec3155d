#include "platform/files.h"

#include "platform/ascii_case.h"
#include "platform/error.h"
#include "platform/file_lookup.h"
#include "platform/file_pattern.h"
#include "platform/host_io.h"
#include "platform/paths.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <utility>

namespace plat {

namespace {

// NTFS keeps a folder's names sorted by their upper-cased form; equal forms (possible only on the
// host) fall back to the bytes so the order stays stable.
bool ListedBefore(const std::pair<std::string, FoundFile>& a, const std::pair<std::string, FoundFile>& b) {
    if (a.first != b.first) return a.first < b.first;
    return a.second.name < b.second.name;
}

std::string UpperName(std::string_view name) {
    std::string upper(name);
    for (char& c : upper)
        c = UpperAscii(c);
    return upper;
}

class OpenFolder {
  public:
    explicit OpenFolder(const std::string& hostPath) : dir_(::opendir(hostPath.c_str())) {}
    ~OpenFolder() {
        if (dir_) ::closedir(dir_);
    }
    OpenFolder(const OpenFolder&) = delete;
    OpenFolder& operator=(const OpenFolder&) = delete;
    DIR* get() const { return dir_; }

  private:
    DIR* dir_;
};

} // namespace

std::optional<std::vector<FoundFile>> ListFiles(std::string_view pattern) {
    if (pattern.empty()) {
        SetLastError(kErrorPathNotFound);
        return std::nullopt;
    }
    // The mask keeps its own periods ("*." means names without an extension): only the folder part
    // is made full.
    std::size_t cut = pattern.find_last_of("\\/");
    std::string mask(cut == std::string_view::npos ? pattern : pattern.substr(cut + 1));
    std::string folder = cut == std::string_view::npos ? FullWindowsPath(".")
                                                       : FullWindowsPath(pattern.substr(0, cut + 1));
    if (folder.back() != '\\') folder += '\\';

    auto entry = host::NameEntry(folder);
    if (!entry) return std::nullopt;
    OpenFolder dir(entry->hostPath);
    if (!dir.get()) {
        SetLastError(errno == ENOENT ? kErrorPathNotFound : ErrorFromErrno(errno));
        return std::nullopt;
    }
    if (mask.empty()) {
        SetLastError(kErrorFileNotFound);
        return std::nullopt;
    }

    const int fd = ::dirfd(dir.get());
    const FilePattern match(mask);
    std::vector<FoundFile> found;
    auto addFolderEntry = [&](const char* name) {
        struct stat st {};
        if (!match.Matches(name) || ::fstatat(fd, name, &st, 0) != 0) return;
        FoundFile file{name, 0, 0};
        file.attributes = host::EntryAttributes(fd, name, st, &file.size);
        found.push_back(std::move(file));
    };
    // A drive root has no "." and ".." entries on Windows.
    if (folder.size() > 3) {
        addFolderEntry(".");
        addFolderEntry("..");
    }

    std::vector<std::pair<std::string, FoundFile>> names;
    while (dirent* item = ::readdir(dir.get())) {
        std::string_view name = item->d_name;
        if (!IsValidWindowsName(name) || host::IsTemporaryName(name) || !match.Matches(name)) continue;
        struct stat st {};
        if (::fstatat(fd, item->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0) continue; // removed meanwhile
        FoundFile file{std::string(name), 0, 0};
        file.attributes = host::EntryAttributes(fd, item->d_name, st, &file.size);
        names.emplace_back(UpperName(name), std::move(file));
    }
    std::sort(names.begin(), names.end(), ListedBefore);
    found.reserve(found.size() + names.size());
    for (auto& [key, file] : names)
        found.push_back(std::move(file));

    if (found.empty()) {
        SetLastError(kErrorFileNotFound);
        return std::nullopt;
    }
    return found;
}

bool CanListFolder(std::string_view folder) {
    std::string full = FullWindowsPath(folder);
    if (full.empty() || full.back() != '\\') full += '\\';
    auto entry = host::NameEntry(full);
    if (!entry) return false;
    OpenFolder dir(entry->hostPath);
    if (!dir.get()) {
        SetLastError(errno == ENOENT ? kErrorPathNotFound : ErrorFromErrno(errno));
        return false;
    }
    return true;
}

} // namespace plat

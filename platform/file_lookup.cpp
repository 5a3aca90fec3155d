#include "platform/file_lookup.h"

#include "platform/error.h"
#include "platform/files.h"
#include "platform/paths.h"

#include <fcntl.h>

#include <cerrno>

namespace plat::host {

std::optional<NamedEntry> NameEntry(std::string_view windowsPath) {
    if (windowsPath.empty()) {
        SetLastError(kErrorPathNotFound);
        return std::nullopt;
    }
    std::string full = FullWindowsPath(windowsPath);
    NamedEntry entry;
    if (full.size() > 3 && full.back() == '\\') {
        full.pop_back();
        entry.folderOnly = true;
    }
    auto host = ResolveHostPath(full, &entry.status);
    if (!host) return std::nullopt;
    entry.hostPath = std::move(*host);
    while (entry.hostPath.size() > 1 && entry.hostPath.back() == '/')
        entry.hostPath.pop_back();
    return entry;
}

int LinkStat(const NamedEntry& entry, struct stat& st) {
    if (!entry.status.known) return ::lstat(entry.hostPath.c_str(), &st);
    if (!entry.status.exists) {
        errno = ENOENT;
        return -1;
    }
    st = entry.status.linkStat;
    return 0;
}

std::string HostFolderOf(const std::string& hostPath) {
    std::size_t slash = hostPath.rfind('/');
    return slash == 0 || slash == std::string::npos ? std::string("/") : hostPath.substr(0, slash);
}

std::uint32_t MissingEntryError(const std::string& hostPath, int err) {
    if (err != ENOENT) return ErrorFromErrno(err);
    struct stat folder {};
    bool folderExists = ::stat(HostFolderOf(hostPath).c_str(), &folder) == 0 && S_ISDIR(folder.st_mode);
    return folderExists ? kErrorFileNotFound : kErrorPathNotFound;
}

bool IsReadOnlyMode(mode_t mode) {
    return (mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

std::uint32_t EntryAttributes(int folderFd, const char* name, const struct stat& linkStat,
                              std::uint64_t* size) {
    struct stat target = linkStat;
    std::uint32_t attributes = 0;
    if (S_ISLNK(linkStat.st_mode)) {
        attributes |= kAttrReparsePoint;
        if (::fstatat(folderFd, name, &target, 0) != 0) {
            // Dangling: a plain file that holds nothing.
            if (size) *size = 0;
            return attributes | kAttrArchive;
        }
    }
    if (S_ISDIR(target.st_mode)) {
        attributes |= kAttrDirectory;
        if (size) *size = 0;
    } else {
        // Every host file counts as written since the last backup, as a new file on Windows does.
        attributes |= kAttrArchive;
        if (size) *size = static_cast<std::uint64_t>(target.st_size);
    }
    if (IsReadOnlyMode(target.st_mode)) attributes |= kAttrReadOnly;
    return attributes;
}

} // namespace plat::host

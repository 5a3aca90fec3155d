#include "platform/files.h"

#include "platform/error.h"
#include "platform/file_lookup.h"
#include "platform/folder_index.h"
#include "platform/host_io.h"
#include "platform/io_faults.h"
#include "platform/paths.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>

namespace plat {

namespace {

bool Fail(std::uint32_t code) {
    SetLastError(code);
    return false;
}

bool IsHostFolder(const std::string& hostPath) {
    struct stat st {};
    return ::stat(hostPath.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool IsRelativePath(std::string_view path) {
    bool drive = path.size() >= 3 && path[1] == ':' && (path[2] == '\\' || path[2] == '/') &&
                 ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
    bool rooted = !path.empty() && (path[0] == '\\' || path[0] == '/');
    return !drive && !rooted;
}

// Creates the missing folders of a host path below its drive folder `driveRoot`: 0, 183 when
// nothing was missing, 5 when a file stands in the way, else the host's refusal.
std::uint32_t MakeHostChain(const std::string& driveRoot, const std::string& hostPath) {
    bool created = false;
    std::size_t pos = driveRoot.size();
    while (pos < hostPath.size()) {
        std::size_t end = hostPath.find('/', pos + 1);
        if (end == std::string::npos) end = hostPath.size();
        std::string level = hostPath.substr(0, end);
        pos = end;
        struct stat st {};
        if (::stat(level.c_str(), &st) == 0) {
            if (!S_ISDIR(st.st_mode)) return kErrorAccessDenied;
            continue;
        }
        if (errno == ENOTDIR) return kErrorAccessDenied;
        if (!io::Proceed(io::Step::MakeFolder) || ::mkdir(level.c_str(), 0777) != 0) {
            int err = errno;
            if (err == EEXIST && IsHostFolder(level)) continue; // made by another process meanwhile
            return err == EEXIST ? kErrorAccessDenied : ErrorFromErrno(err);
        }
        host::NoteEntryAdded(level);
        created = true;
    }
    return created ? kErrorSuccess : kErrorAlreadyExists;
}

} // namespace

std::uint32_t FileAttributes(std::string_view path) {
    std::uint32_t attributes = kInvalidAttributes;
    return FileAttributesEx(path, &attributes, nullptr) ? attributes : kInvalidAttributes;
}

bool FileAttributesEx(std::string_view path, std::uint32_t* attributes, std::uint64_t* size) {
    auto entry = host::NameEntry(path);
    if (!entry) return false;
    struct stat st {};
    if (host::LinkStat(*entry, st) != 0) return Fail(host::MissingEntryError(entry->hostPath, errno));
    std::uint64_t bytes = 0;
    const std::uint32_t found = host::EntryAttributes(AT_FDCWD, entry->hostPath.c_str(), st, &bytes);
    if (entry->folderOnly && !(found & kAttrDirectory)) return Fail(kErrorInvalidName);
    if (attributes) *attributes = found;
    if (size) *size = bytes;
    return true;
}

bool SetFileAttributesTo(std::string_view path, std::uint32_t attributes) {
    auto entry = host::NameEntry(path);
    if (!entry) return false;
    struct stat st {};
    if (::stat(entry->hostPath.c_str(), &st) != 0)
        return Fail(host::MissingEntryError(entry->hostPath, errno));
    if (S_ISDIR(st.st_mode)) return true; // a read-only folder still takes new files on Windows
    if (entry->folderOnly) return Fail(kErrorInvalidName);
    mode_t mode = st.st_mode & 07777;
    mode_t wanted = mode;
    if (attributes & kAttrReadOnly) {
        wanted = mode & ~static_cast<mode_t>(S_IWUSR | S_IWGRP | S_IWOTH);
    } else if (host::IsReadOnlyMode(mode)) {
        wanted = mode | S_IWUSR;
    }
    if (wanted != mode &&
        (!io::Proceed(io::Step::Attributes) || ::chmod(entry->hostPath.c_str(), wanted) != 0))
        return Fail(ErrorFromErrno(errno));
    return true;
}

bool RemoveFile(std::string_view path) {
    auto entry = host::NameEntry(path);
    if (!entry) return false;
    struct stat st {};
    if (host::LinkStat(*entry, st) != 0)
        return Fail(host::MissingEntryError(entry->hostPath, errno));
    if (S_ISDIR(st.st_mode)) return Fail(kErrorAccessDenied);
    if (entry->folderOnly)
        return Fail(IsHostFolder(entry->hostPath) ? kErrorAccessDenied : kErrorInvalidName);
    // A link carries no attributes of its own: it goes whatever its target is.
    if (!S_ISLNK(st.st_mode) && host::IsReadOnlyMode(st.st_mode)) return Fail(kErrorAccessDenied);
    if (!io::Proceed(io::Step::Delete) || ::unlink(entry->hostPath.c_str()) != 0)
        return Fail(ErrorFromErrno(errno));
    host::NoteEntryRemoved(entry->hostPath);
    return true;
}

bool MoveFileReplacing(std::string_view source, std::string_view destination) {
    auto from = host::NameEntry(source);
    if (!from) return false;
    struct stat st {};
    if (host::LinkStat(*from, st) != 0)
        return Fail(host::MissingEntryError(from->hostPath, errno));
    if (S_ISDIR(st.st_mode)) return Fail(kErrorAccessDenied);
    if (from->folderOnly) return Fail(kErrorInvalidName);
    auto to = host::NameEntry(destination);
    if (!to) return false;
    if (host::LinkStat(*to, st) == 0) {
        if (S_ISDIR(st.st_mode) || (!S_ISLNK(st.st_mode) && host::IsReadOnlyMode(st.st_mode)))
            return Fail(kErrorAccessDenied);
        if (to->folderOnly) return Fail(kErrorInvalidName);
    } else if (errno != ENOENT) {
        return Fail(ErrorFromErrno(errno));
    }
    if (!io::Proceed(io::Step::Rename) || ::rename(from->hostPath.c_str(), to->hostPath.c_str()) != 0)
        return Fail(ErrorFromErrno(errno));
    host::NoteEntryRemoved(from->hostPath);
    host::NoteEntryAdded(to->hostPath);
    return true;
}

std::uint32_t CreateFolderChain(std::string_view path) {
    std::uint32_t result = kErrorSuccess;
    if (IsRelativePath(path)) {
        result = kErrorBadPathname;
    } else if (auto host = ToHostPath(path)) {
        std::string full = FullWindowsPath(path);
        auto driveRoot = ToHostPath(full.substr(0, 3));
        std::string root = driveRoot && *driveRoot != "/" ? *driveRoot : std::string();
        std::string target = *host;
        while (target.size() > 1 && target.back() == '/')
            target.pop_back();
        result = MakeHostChain(root, target);
    } else {
        // An unknown drive, a network path or a name Windows cannot hold.
        result = kErrorPathNotFound;
    }
    SetLastError(result);
    return result;
}

bool DiskFreeSpace(std::string_view path, std::uint64_t* availableToCaller, std::uint64_t* total,
                   std::uint64_t* totalFree) {
    auto entry = host::NameEntry(path);
    if (!entry) return Fail(kErrorPathNotFound);
    struct statvfs fs {};
    if (!IsHostFolder(entry->hostPath) || ::statvfs(entry->hostPath.c_str(), &fs) != 0)
        return Fail(kErrorPathNotFound);
    auto bytes = [&](fsblkcnt_t blocks) { return static_cast<std::uint64_t>(blocks) * fs.f_frsize; };
    if (availableToCaller) *availableToCaller = bytes(fs.f_bavail);
    if (total) *total = bytes(fs.f_blocks);
    if (totalFree) *totalFree = bytes(fs.f_bfree);
    return true;
}

std::optional<std::string> ReadFileBytes(std::string_view path) {
    return ReadFileStart(path, SIZE_MAX);
}

std::optional<std::string> ReadFileStart(std::string_view path, std::size_t count) {
    auto entry = host::NameEntry(path);
    if (!entry) return std::nullopt;
    if (entry->folderOnly) {
        SetLastError(IsHostFolder(entry->hostPath) ? kErrorAccessDenied : kErrorInvalidName);
        return std::nullopt;
    }
    auto bytes = host::ReadAll(entry->hostPath, count);
    if (!bytes && LastError() == kErrorFileNotFound)
        SetLastError(host::MissingEntryError(entry->hostPath, ENOENT));
    return bytes;
}

bool WriteFileAtomic(std::string_view path, std::string_view bytes) {
    auto entry = host::NameEntry(path);
    if (!entry) return false;
    if (entry->folderOnly)
        return Fail(IsHostFolder(entry->hostPath) ? kErrorAccessDenied : kErrorInvalidName);
    unsigned mode = 0644;
    struct stat st {};
    if (::stat(entry->hostPath.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode) || host::IsReadOnlyMode(st.st_mode)) return Fail(kErrorAccessDenied);
        mode = st.st_mode & 0777;
    } else if (std::uint32_t missing = host::MissingEntryError(entry->hostPath, errno);
               missing != kErrorFileNotFound) {
        return Fail(missing); // only a missing file may be written; a missing folder is not made
    }
    return host::WriteAtomic(entry->hostPath, bytes, mode);
}

} // namespace plat

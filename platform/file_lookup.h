#pragma once
// How the file functions find the host entry a Windows path names, and how they report it. Only the
// platform layer's own sources include this header: it speaks of host paths.
#include "platform/folder_index.h"

#include <sys/stat.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace plat::host {

struct NamedEntry {
    std::string hostPath;    // no trailing '/' (but "/" for the host root)
    bool folderOnly = false; // the Windows path ended in '\': only a folder answers to it
    EntryStatus status;      // what the look-up saw of the entry
};

// ToHostPath, with what the look-up saw of the last entry in `last` when given.
std::optional<std::string> ResolveHostPath(std::string_view windowsPath, EntryStatus* last);

// Makes the Windows path full and maps it to the host; nullopt with the last error set (3 for an
// empty path or an unknown drive, 123 for a name Windows cannot hold).
std::optional<NamedEntry> NameEntry(std::string_view windowsPath);

// lstat of the entry, answered from what its look-up saw where it can: 0, or -1 with errno set.
int LinkStat(const NamedEntry& entry, struct stat& st);

// The Win32 code for a failed look-up of hostPath: a missing last component is 2 when its folder
// exists, else 3 (a folder on the way is missing or is a file).
std::uint32_t MissingEntryError(const std::string& hostPath, int err);

// True when a host entry carries no write permission bit: the read-only attribute.
bool IsReadOnlyMode(mode_t mode);

// The attributes Windows reports for the host entry `name` of the folder open as folderFd (or
// AT_FDCWD and a path), from its lstat result; `size` gets its size. A symbolic link gets the
// reparse-point bit and its target's folder and read-only bits (a dangling link is a plain file).
std::uint32_t EntryAttributes(int folderFd, const char* name, const struct stat& linkStat,
                              std::uint64_t* size = nullptr);

// The folder part of a host path ("/" for an entry of the root).
std::string HostFolderOf(const std::string& hostPath);

} // namespace plat::host

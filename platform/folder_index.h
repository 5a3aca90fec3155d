#pragma once
// Case-insensitive lookup of names in host folders, with a per-process index of each folder's
// names so that a miss does not read the whole folder every time (a copy into a folder of 10,000
// files would otherwise be quadratic). Only the platform layer's own sources include this header.
#include <sys/stat.h>

#include <optional>
#include <string>

namespace plat::host {

// What a look-up saw of the entry it named, so that the caller need not ask the host again.
struct EntryStatus {
    bool known = false;  // `exists` and `linkStat` hold the entry's lstat result
    bool exists = false; // false: no name of the folder answers to it
    struct stat linkStat {};
};

// The entry of `folder` whose name equals `name` without regard to ASCII case: the exact spelling
// when it exists, else the first in byte order among the names Windows could hold. `folderStat` is
// the folder's stat result when the caller has just taken it; `status`, when given, gets what the
// look-up saw of the entry.
std::optional<std::string> FindEntryNoCase(const std::string& folder, const std::string& name,
                                           const struct stat* folderStat = nullptr,
                                           EntryStatus* status = nullptr);

// Tell the index about an entry this process created or removed, so the folder's index stays valid
// although the folder's change time moved. Without a note the index is simply read again.
void NoteEntryAdded(const std::string& hostPath);
void NoteEntryRemoved(const std::string& hostPath);

// The host folder that a full Windows folder path (no closing '\') resolved to, while that host
// path is still a folder of the same machine prefix; so that the copies of a tree walk do not
// resolve every parent from the drive's root again. A folder of another spelling that another
// process creates beside the one found is seen only once the found one is gone.
// `folderStat`, when given, gets the stat result that showed the host folder is still there.
std::optional<std::string> KnownFolder(const std::string& windowsFolder, struct stat* folderStat = nullptr);
void NoteKnownFolder(const std::string& windowsFolder, const std::string& hostFolder);

} // namespace plat::host

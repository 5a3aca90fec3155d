#pragma once
// Case-insensitive lookup of names in host folders, with a per-process index of each folder's
// names so that a miss does not read the whole folder every time (a copy into a folder of 10,000
// files would otherwise be quadratic). Only the platform layer's own sources include this header.
#include <optional>
#include <string>

namespace plat::host {

// The entry of `folder` whose name equals `name` without regard to ASCII case: the exact spelling
// when it exists, else the first in byte order among the names Windows could hold.
std::optional<std::string> FindEntryNoCase(const std::string& folder, const std::string& name);

// Tell the index about an entry this process created or removed, so the folder's index stays valid
// although the folder's change time moved. Without a note the index is simply read again.
void NoteEntryAdded(const std::string& hostPath);
void NoteEntryRemoved(const std::string& hostPath);

// The host folder that a full Windows folder path (no closing '\') resolved to, while that host
// path is still a folder of the same machine prefix; so that the copies of a tree walk do not
// resolve every parent from the drive's root again. A folder of another spelling that another
// process creates beside the one found is seen only once the found one is gone.
std::optional<std::string> KnownFolder(const std::string& windowsFolder);
void NoteKnownFolder(const std::string& windowsFolder, const std::string& hostFolder);

} // namespace plat::host

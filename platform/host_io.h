#pragma once
// POSIX helpers shared by the platform layer's own sources. Nothing above the platform layer
// includes this header: it speaks of host paths.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace plat::host {

// Reads a whole host file, or its first `limit` bytes; nullopt with the last error set.
std::optional<std::string> ReadAll(const std::string& hostPath, std::size_t limit = SIZE_MAX);

// Replaces a host file with `bytes`: a temporary file in the same folder, written and flushed to
// disk, then renamed over the target, so a reader or a crash sees the old or the new file, never a
// torn one. The new file gets `mode` (permission bits). Sets the last error on failure
// (disk full, access denied, missing folder) and leaves the target untouched.
bool WriteAtomic(const std::string& hostPath, std::string_view bytes, unsigned mode = 0644);
// The same for a file that must not exist: fails with 183 (nothing touched) when it does, also
// when it appears while the data is written.
bool WriteNewAtomic(const std::string& hostPath, std::string_view bytes, unsigned mode = 0644);

// Creates a new temporary file in a host folder (mode 0600) and returns its descriptor, with its
// path in `hostPath`; -1 with errno set on failure. Listings never show these names, so one that a
// crash left behind stays out of sight.
int OpenTemporaryIn(const std::string& folder, std::string& hostPath);
bool IsTemporaryName(std::string_view name);

// A cross-process lock on a host file's name (not its inode, which a rename replaces). Held from
// construction to destruction; the lock files live in the prefix's "locks" folder. A process that
// dies releases its locks.
class PathLock {
  public:
    explicit PathLock(const std::string& hostPath);
    ~PathLock();
    PathLock(const PathLock&) = delete;
    PathLock& operator=(const PathLock&) = delete;

  private:
    int fd_ = -1;
};

} // namespace plat::host

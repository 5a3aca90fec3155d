#pragma once
// The per-process cache of parsed profile files, keyed by the normalised Windows path. An entry
// holds the host path it resolved to, the identity of the file it parsed (device, inode, size,
// modification and change times in nanoseconds) and the document, so a read of an unchanged file
// costs one stat.
//
// Timestamps have the resolution of the kernel's clock tick, so a file changed twice within one
// tick, to the same size, keeps its times; a replaced file can even get the old inode number back.
// An entry is trusted on its identity alone only once the clock has moved past the file's last
// change ("settled"): any later change then carries a later time. Until then each use compares the
// file's bytes with the cached ones. On a file system that stores whole seconds only, the margin is
// two seconds. What remains: a clock set back, or a file system whose timestamps are coarser than a
// tick but finer than a second.
#include "platform/profile_document.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

namespace plat::profile {

enum class FileStatus {
    Present,       // a regular file, parsed
    Missing,       // no file, but its folder exists (last error 2)
    MissingFolder, // the folder does not exist (last error 3)
    Folder,        // a folder or another non-file in its place (last error 5)
    Failed         // the host refused (last error from errno)
};

struct LoadedFile {
    FileStatus status = FileStatus::Failed;
    std::shared_ptr<const Document> doc; // the parsed file when Present
    unsigned mode = 0;                   // permission bits when Present
};

// The parsed file at a normalised Windows path. Sets the last error.
LoadedFile Load(const std::string& windowsPath);
// The same for a writer that resolved the host path itself and holds its lock.
LoadedFile LoadAt(const std::string& windowsPath, const std::string& hostPath);
// Replaces the file atomically with `bytes` and caches their parse. Sets the last error.
bool Replace(const std::string& windowsPath, const std::string& hostPath, std::string bytes, unsigned mode);

// What this process has done, for the benchmarks: files parsed and files rewritten.
struct Counters {
    std::atomic<std::uint64_t> parses{0};
    std::atomic<std::uint64_t> rewrites{0};
};
Counters& ProfileCounters();

} // namespace plat::profile

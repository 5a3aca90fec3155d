#include "engine/utilities.h"

#include "platform/files.h"

#include <limits>

namespace tavo {

std::uint64_t GetFreeSpace(std::string_view root) {
    // Systems with a version code below 6 only had the classic query (sectors x bytes x clusters).
    // This backend reports NT 6.1 (code 13), so the extended query is the only one it needs.
    std::uint64_t available = 0;
    std::uint64_t total = 0;
    std::uint64_t totalFree = 0;
    if (!plat::DiskFreeSpace(root, &available, &total, &totalFree)) available = 0;

    // A drive with room whose root is read-only reports every bit set.
    if (available > 0) {
        const std::uint32_t attributes = plat::FileAttributes(root);
        if (attributes != plat::kInvalidAttributes && (attributes & plat::kAttrReadOnly) != 0)
            return std::numeric_limits<std::uint64_t>::max();
    }
    return available;
}

} // namespace tavo

#include "engine/path_roots.h"

#include "engine/product_code.h"

namespace tavo {

PathRoots& Roots() {
    static PathRoots roots;
    return roots;
}

std::string& InstallFolder(int productCode) {
    std::array<std::string, 5>& folders = Roots().installFolders;
    switch (productCode) {
    case kProductNodera: return folders[1];
    case kProductWatchdeck: return folders[2];
    case kProductPulsewatch: return folders[3];
    case kProductRelay: return folders[4];
    default: return folders[0];
    }
}

std::array<std::uint64_t, 4>& SpaceCounters() {
    static std::array<std::uint64_t, 4> counters{};
    return counters;
}

} // namespace tavo

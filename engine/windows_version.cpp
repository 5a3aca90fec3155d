#include "engine/windows_version.h"

#include "engine/utilities.h"

namespace tavo {

namespace {
enum : std::uint32_t { kPlatformWin32s = 0, kPlatformWindows9x = 1, kPlatformNt = 2 };
}

int WindowsVersionCodeFor(const plat::OsVersion& version) {
    switch (version.platformId) {
    case kPlatformWin32s:
        return 1;
    case kPlatformWindows9x:
        if (version.major != 4) return 0;
        if (version.minor == 0) return 5;
        if (version.minor == 10) return 6;
        if (version.minor == 90) return 7;
        return 0;
    case kPlatformNt:
        if (version.major <= 4) return 10;
        if (version.major == 5) return version.minor == 0 ? 11 : 12;
        // Every NT system after XP (Vista, 7 and later, and what this backend reports, 6.1) shares
        // one code: nothing here tells them apart, and all of them have the extended free-space
        // query (code 6 or higher).
        return 13;
    default:
        return 0;
    }
}

int WindowsVersionCode() {
    const std::optional<plat::OsVersion> version = plat::QueryOsVersion();
    return version ? WindowsVersionCodeFor(*version) : 0;
}

} // namespace tavo

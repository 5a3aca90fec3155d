#pragma once
// The process token and its privileges. The machine has one account; which privileges it holds is
// configured for the prefix in "<prefix>/account.ini", section [Privileges], one key per privilege
// name with 1 (held) or 0 (not held); a privilege not listed is held. The file is read each time
// the process opens its token. A held privilege starts disabled and must be enabled before use.
#include <cstdint>
#include <vector>

namespace plat {

using TokenHandle = std::uintptr_t; // 0 is no token

enum : std::uint32_t {
    kTokenQuery = 0x0008,
    kTokenAdjustPrivileges = 0x0020,
    kSePrivilegeEnabled = 0x00000002,
};

struct Luid {
    std::uint32_t lowPart = 0;
    std::int32_t highPart = 0;
    bool operator==(const Luid&) const = default;
};

inline constexpr Luid kSeBackupPrivilege{17, 0};
inline constexpr Luid kSeRestorePrivilege{18, 0};

struct LuidAndAttributes {
    Luid luid;
    std::uint32_t attributes = 0;
};

// OpenProcessToken of the current process: false with 87 for a null token.
bool OpenProcessToken(std::uint32_t access, TokenHandle* token);
// CloseHandle of a token: false with 6 when it is not open.
bool CloseTokenHandle(TokenHandle token);

// LookupPrivilegeValue on the local system (systemName null or empty): names without regard to
// case. "SeBackupPrivilege" and "SeRestorePrivilege" are the privileges this machine knows; any
// other gives false with 1313. There is no other system to ask: a system name gives false with 87.
bool LookupPrivilegeValue(const char* systemName, const char* name, Luid* luid);

// AdjustTokenPrivileges: enables (attribute kSePrivilegeEnabled) or disables (0) each privilege.
// As on Windows a privilege the account does not hold is not enabled, and the call still returns
// true with the last error 1300; on full success the last error is 0. Needs a token opened with
// kTokenAdjustPrivileges (5); an unknown token gives 6, an unknown privilege 1313.
bool AdjustTokenPrivileges(TokenHandle token, bool disableAll,
                           const std::vector<LuidAndAttributes>& newState);

// Whether the process token has the privilege enabled now.
bool PrivilegeEnabled(Luid privilege);

} // namespace plat

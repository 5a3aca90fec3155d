#include "platform/privileges.h"

#include "platform/ascii_case.h"
#include "platform/error.h"
#include "platform/paths.h"
#include "platform/profile.h"

#include <array>
#include <map>
#include <mutex>
#include <string_view>

namespace plat {

namespace {

struct Known {
    std::string_view name;
    Luid luid;
};
constexpr std::array<Known, 2> kKnown{
    {{"SeBackupPrivilege", kSeBackupPrivilege}, {"SeRestorePrivilege", kSeRestorePrivilege}}};

// The process token: what the account holds and what is enabled, for the machine of the prefix.
struct Token {
    std::mutex mutex;
    unsigned generation = 0;
    std::array<bool, kKnown.size()> held{};
    std::array<bool, kKnown.size()> enabled{};
    std::map<TokenHandle, std::uint32_t> handles; // handle -> access
    TokenHandle next = 0x7000;
};

Token& ProcessToken() {
    static Token token;
    return token;
}

// Another machine starts with a fresh token: nothing enabled.
void FollowPrefix(Token& token) {
    if (token.generation == PrefixGeneration()) return;
    token.generation = PrefixGeneration();
    token.held.fill(false);
    token.enabled.fill(false);
}

int IndexOf(Luid luid) {
    for (std::size_t i = 0; i < kKnown.size(); ++i)
        if (kKnown[i].luid == luid) return static_cast<int>(i);
    return -1;
}


bool Fail(std::uint32_t code) {
    SetLastError(code);
    return false;
}

} // namespace

bool OpenProcessToken(std::uint32_t access, TokenHandle* token) {
    if (!token) return Fail(kErrorInvalidParameter);
    Token& state = ProcessToken();
    std::lock_guard lock(state.mutex);
    FollowPrefix(state);
    const std::string account = ToWindowsPath(PrefixFolder() + "/account.ini");
    for (std::size_t i = 0; i < kKnown.size(); ++i) {
        state.held[i] = account.empty() || ProfileInt(account, "Privileges", kKnown[i].name, 1) != 0;
        state.enabled[i] = state.enabled[i] && state.held[i];
    }
    *token = state.next;
    state.next += 4;
    state.handles[*token] = access;
    SetLastError(kErrorSuccess);
    return true;
}

bool CloseTokenHandle(TokenHandle token) {
    Token& state = ProcessToken();
    std::lock_guard lock(state.mutex);
    if (state.handles.erase(token) == 0) return Fail(kErrorInvalidHandle);
    return true;
}

bool LookupPrivilegeValue(const char* systemName, const char* name, Luid* luid) {
    if (!name || !luid) return Fail(kErrorInvalidParameter);
    if (systemName && *systemName) return Fail(kErrorInvalidParameter);
    for (const Known& known : kKnown) {
        if (EqualNoCaseAscii(known.name, name)) {
            *luid = known.luid;
            SetLastError(kErrorSuccess);
            return true;
        }
    }
    return Fail(kErrorNoSuchPrivilege);
}

bool AdjustTokenPrivileges(TokenHandle token, bool disableAll,
                           const std::vector<LuidAndAttributes>& newState) {
    Token& state = ProcessToken();
    std::lock_guard lock(state.mutex);
    FollowPrefix(state);
    const auto handle = state.handles.find(token);
    if (handle == state.handles.end()) return Fail(kErrorInvalidHandle);
    if (!(handle->second & kTokenAdjustPrivileges)) return Fail(kErrorAccessDenied);
    if (disableAll) {
        state.enabled.fill(false);
        SetLastError(kErrorSuccess);
        return true;
    }
    for (const LuidAndAttributes& entry : newState)
        if (IndexOf(entry.luid) < 0) return Fail(kErrorNoSuchPrivilege);
    bool allAssigned = true;
    for (const LuidAndAttributes& entry : newState) {
        const auto i = static_cast<std::size_t>(IndexOf(entry.luid));
        const bool enable = (entry.attributes & kSePrivilegeEnabled) != 0;
        if (!state.held[i]) {
            allAssigned = false;
            continue;
        }
        state.enabled[i] = enable;
    }
    SetLastError(allAssigned ? kErrorSuccess : kErrorNotAllAssigned);
    return true;
}

bool PrivilegeEnabled(Luid privilege) {
    Token& state = ProcessToken();
    std::lock_guard lock(state.mutex);
    FollowPrefix(state);
    const int i = IndexOf(privilege);
    return i >= 0 && state.enabled[static_cast<std::size_t>(i)];
}

} // namespace plat

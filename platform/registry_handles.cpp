#include "platform/registry_handles.h"

#include "platform/error.h"
#include "platform/paths.h"

#include <algorithm>
#include <map>
#include <string_view>

namespace plat::reg {

namespace {

constexpr std::uint32_t kGenericRead = 0x80000000u;
constexpr std::uint32_t kGenericWrite = 0x40000000u;
constexpr std::uint32_t kGenericAll = 0x10000000u;
constexpr std::uint32_t kEveryRight = 0xFFFFFFFFu;

struct OpenedKey {
    KeyId id;
    std::uint32_t access;
};

// Handles belong to the machine they were opened on: another prefix starts with none.
std::map<HKey, OpenedKey>& Table() {
    static std::map<HKey, OpenedKey> table;
    static unsigned generation = 0;
    if (generation != PrefixGeneration()) {
        table.clear();
        generation = PrefixGeneration();
    }
    return table;
}

std::uint32_t Granted(std::uint32_t access) {
    if (access & (kMaximumAllowed | kGenericAll)) return kEveryRight;
    if (access & kGenericRead) access |= kKeyRead;
    if (access & kGenericWrite) access |= kKeyWrite;
    return access;
}

struct Place {
    KeyId top;
    std::vector<std::string_view> path;
};

Place PlaceOf(HKey key) {
    switch (key) {
    case kHkeyClassesRoot:
        return {kMachineTop, {"SOFTWARE", "Classes"}};
    case kHkeyCurrentUser:
        return {kUsersTop, {".DEFAULT"}};
    case kHkeyCurrentConfig:
        return {kMachineTop, {"SYSTEM", "CurrentControlSet", "Hardware Profiles", "Current"}};
    case kHkeyUsers:
        return {kUsersTop, {}};
    default:
        return {kMachineTop, {}};
    }
}

} // namespace

std::mutex& RegistryMutex() {
    static std::mutex mutex;
    return mutex;
}

bool IsPredefined(HKey key) {
    return key >= kHkeyClassesRoot && key <= kHkeyDynData;
}

long Resolve(Store& store, HKey key, KeyId* id, std::uint32_t* access) {
    if (key == kHkeyPerformanceData || key == kHkeyDynData) return kErrorInvalidHandle;
    if (IsPredefined(key)) {
        const Place place = PlaceOf(key);
        *access = kEveryRight;
        long code = store.Find(place.top, place.path, id);
        if (code != kErrorFileNotFound) return code;
        bool created = false;
        return store.Transaction(true, [&] { return store.Make(place.top, place.path, id, &created); });
    }
    const auto& table = Table();
    const auto found = table.find(key);
    if (found == table.end()) return kErrorInvalidHandle;
    *id = found->second.id;
    *access = found->second.access;
    return kErrorSuccess;
}

long KeyOfHandle(HKey key, std::uint32_t needed, Store** store, KeyId* id) {
    if (key == 0) return kErrorInvalidHandle;
    *store = Store::Current();
    if (!*store) return kErrorRegistryIoFailed;
    std::uint32_t access = 0;
    if (long code = Resolve(**store, key, id, &access)) return code;
    return (access & needed) == needed ? kErrorSuccess : kErrorAccessDenied;
}

HKey AddHandle(KeyId id, std::uint32_t access) {
    static HKey next = 0x100;
    next += 4;
    Table()[next] = {id, Granted(access)};
    return next;
}

bool RemoveHandle(HKey key) {
    return Table().erase(key) > 0;
}

bool AnyOpenAmong(const std::vector<KeyId>& keys) {
    std::vector<KeyId> sorted = keys;
    std::sort(sorted.begin(), sorted.end());
    for (const auto& [handle, opened] : Table())
        if (std::binary_search(sorted.begin(), sorted.end(), opened.id)) return true;
    return false;
}

} // namespace plat::reg

#include "platform/registry.h"

#include "platform/error.h"
#include "platform/registry_handles.h"
#include "platform/registry_store.h"

#include <cstring>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace plat {

using reg::KeyId;
using reg::Store;

namespace {

// The subkey path as components. Runs of '\' inside and at the end are one separator; a leading
// one is refused (HKEY_CLASSES_ROOT takes one, as NT does).
long SplitSubkey(HKey root, const char* subKey, std::vector<std::string_view>* parts) {
    parts->clear();
    if (!subKey) return kErrorSuccess;
    std::string_view path(subKey);
    if (!path.empty() && path[0] == '\\') {
        if (root != kHkeyClassesRoot || (path.size() > 1 && path[1] == '\\')) return kErrorBadPathname;
        path.remove_prefix(1);
    }
    while (!path.empty()) {
        const std::size_t end = std::min(path.find('\\'), path.size());
        if (end > reg::kMaxKeyNameLength) return kErrorInvalidParameter;
        if (end > 0) parts->push_back(path.substr(0, end));
        path.remove_prefix(std::min(end + 1, path.size()));
    }
    return kErrorSuccess;
}

bool IsStringType(std::uint32_t type) {
    return type == kRegSz || type == kRegExpandSz || type == kRegMultiSz;
}

// The store and the key of a handle.
struct Opened {
    Store* store = nullptr;
    KeyId id = 0;
};

long Open(HKey key, std::uint32_t needed, Opened* opened) {
    return reg::KeyOfHandle(key, needed, &opened->store, &opened->id);
}

// The key of a handle and the subkey path below it, as components.
long OpenPath(HKey key, const char* subKey, Opened* opened, std::vector<std::string_view>* parts) {
    if (long code = Open(key, 0, opened)) return code;
    return SplitSubkey(key, subKey, parts);
}

long CopyName(const std::string& name, char* buffer, std::uint32_t* size) {
    if (!buffer || !size) return kErrorInvalidParameter;
    if (name.size() + 1 > *size) return kErrorMoreData;
    std::memcpy(buffer, name.c_str(), name.size() + 1);
    *size = static_cast<std::uint32_t>(name.size());
    return kErrorSuccess;
}

long CopyData(const reg::StoredValue& value, std::uint32_t* type, std::uint8_t* data, std::uint32_t* size) {
    if (type) *type = value.type;
    const auto stored = static_cast<std::uint32_t>(value.data.size());
    if (!data) {
        if (size) *size = stored;
        return kErrorSuccess;
    }
    if (!size) return kErrorInvalidParameter;
    if (*size < stored) {
        *size = stored;
        return kErrorMoreData;
    }
    std::memcpy(data, value.data.data(), stored);
    // A string stored without its NUL reads back with one where the buffer has room for it.
    if (IsStringType(value.type) && stored < *size && (stored == 0 || value.data.back() != '\0'))
        data[stored] = 0;
    *size = stored;
    return kErrorSuccess;
}

// Listings of keys being enumerated, so that a walk by index reads each key once while the store
// stays unchanged.
struct Listing {
    std::vector<std::string> subkeys;
    std::vector<std::int64_t> values;
    bool hasSubkeys = false;
    bool hasValues = false;
};

Listing& ListingOf(Store& store, KeyId key) {
    static std::map<KeyId, Listing> listings;
    static std::uint64_t version = 0;
    static std::uint64_t serial = 0;
    const std::uint64_t now = store.Version();
    constexpr std::size_t kKept = 64;
    if (now != version || serial != store.Serial() || listings.size() > kKept) {
        listings.clear();
        version = now;
        serial = store.Serial();
    }
    return listings[key];
}

} // namespace

long RegOpenKeyEx(HKey key, const char* subKey, std::uint32_t access, HKey* result) {
    if (!result) return kErrorInvalidParameter;
    *result = 0;
    std::lock_guard lock(reg::RegistryMutex());
    Opened opened;
    std::vector<std::string_view> parts;
    if (long code = OpenPath(key, subKey, &opened, &parts)) return code;
    if (parts.empty() && reg::IsPredefined(key)) {
        *result = key;
        return kErrorSuccess;
    }
    KeyId found = 0;
    if (long code = opened.store->Find(opened.id, parts, &found)) return code;
    *result = reg::AddHandle(found, access);
    return kErrorSuccess;
}

long RegCreateKeyEx(HKey key, const char* subKey, std::uint32_t access, HKey* result,
                    std::uint32_t* disposition) {
    if (!result) return kErrorInvalidParameter;
    *result = 0;
    std::lock_guard lock(reg::RegistryMutex());
    // Creation is checked against the key itself, not against the access of the handle.
    Opened opened;
    std::vector<std::string_view> parts;
    if (long code = OpenPath(key, subKey, &opened, &parts)) return code;
    KeyId found = 0;
    bool created = false;
    const long code = opened.store->Transaction(
        true, [&] { return opened.store->Make(opened.id, parts, &found, &created); });
    if (code) return code;
    if (disposition) *disposition = created ? kRegCreatedNewKey : kRegOpenedExistingKey;
    *result = reg::AddHandle(found, access);
    return kErrorSuccess;
}

long RegCloseKey(HKey key) {
    if (reg::IsPredefined(key)) return kErrorSuccess;
    std::lock_guard lock(reg::RegistryMutex());
    return reg::RemoveHandle(key) ? kErrorSuccess : kErrorInvalidHandle;
}

long RegQueryValueEx(HKey key, const char* name, std::uint32_t* type, std::uint8_t* data,
                     std::uint32_t* size) {
    std::lock_guard lock(reg::RegistryMutex());
    Opened opened;
    if (long code = Open(key, kKeyQueryValue, &opened)) return code;
    reg::StoredValue value;
    const long code = opened.store->Transaction(false, [&] {
        if (long alive = opened.store->Alive(opened.id)) return alive;
        return opened.store->GetValue(opened.id, name ? name : "", &value);
    });
    if (code == kErrorFileNotFound && !data && size) *size = 0;
    if (code) return code;
    return CopyData(value, type, data, size);
}

long RegSetValueEx(HKey key, const char* name, std::uint32_t type, const std::uint8_t* data,
                   std::uint32_t size) {
    if (!data && size > 0) return kErrorNoAccess;
    const std::string_view valueName = name ? name : "";
    if (valueName.size() > reg::kMaxValueNameLength) return kErrorInvalidParameter;
    std::string bytes(reinterpret_cast<const char*>(data), data ? size : 0);
    // Windows reads one byte past a string that does not end in NUL, and keeps a NUL found there.
    if (IsStringType(type) && size > 0 && data[size - 1] != 0 && data[size] == 0) bytes += '\0';
    std::lock_guard lock(reg::RegistryMutex());
    Opened opened;
    if (long code = Open(key, kKeySetValue, &opened)) return code;
    return opened.store->Transaction(true, [&] {
        if (long alive = opened.store->Alive(opened.id)) return alive;
        reg::StoredValue old;
        const long found = opened.store->GetValue(opened.id, valueName, &old);
        if (found == kErrorSuccess && old.type == type && old.data == bytes) return found;
        return opened.store->SetValue(opened.id, valueName, type, bytes);
    });
}

long RegDeleteValue(HKey key, const char* name) {
    std::lock_guard lock(reg::RegistryMutex());
    Opened opened;
    if (long code = Open(key, kKeySetValue, &opened)) return code;
    return opened.store->Transaction(true, [&] {
        if (long alive = opened.store->Alive(opened.id)) return alive;
        return opened.store->DeleteValue(opened.id, name ? name : "");
    });
}

long RegDeleteKey(HKey key, const char* subKey) {
    if (!subKey) return kErrorInvalidParameter;
    std::lock_guard lock(reg::RegistryMutex());
    Opened opened;
    std::vector<std::string_view> parts;
    if (long code = OpenPath(key, subKey, &opened, &parts)) return code;
    if (parts.empty() && reg::IsPredefined(key)) return kErrorAccessDenied;
    return opened.store->Transaction(true, [&] {
        KeyId found = 0, parent = 0;
        std::string name;
        if (long code = opened.store->Find(opened.id, parts, &found)) return code;
        if (long code = opened.store->Describe(found, &parent, &name)) return code;
        // The tops and the hives below them are the machine's.
        if (parent == 0 || parent == reg::kMachineTop || parent == reg::kUsersTop)
            return long{kErrorAccessDenied};
        return opened.store->DeleteKey(found);
    });
}

long RegEnumKeyEx(HKey key, std::uint32_t index, char* name, std::uint32_t* nameSize) {
    std::lock_guard lock(reg::RegistryMutex());
    Opened opened;
    if (long code = Open(key, kKeyEnumerateSubKeys, &opened)) return code;
    Listing& listing = ListingOf(*opened.store, opened.id);
    if (!listing.hasSubkeys) {
        const long code = opened.store->Transaction(false, [&] {
            if (long alive = opened.store->Alive(opened.id)) return alive;
            return opened.store->SubkeyNames(opened.id, &listing.subkeys);
        });
        if (code) return code;
        listing.hasSubkeys = true;
    } else if (long alive = opened.store->Alive(opened.id)) {
        return alive;
    }
    if (index >= listing.subkeys.size()) return kErrorNoMoreItems;
    return CopyName(listing.subkeys[index], name, nameSize);
}

long RegEnumValue(HKey key, std::uint32_t index, char* name, std::uint32_t* nameSize, std::uint32_t* type,
                  std::uint8_t* data, std::uint32_t* dataSize) {
    std::lock_guard lock(reg::RegistryMutex());
    Opened opened;
    if (long code = Open(key, kKeyQueryValue, &opened)) return code;
    Listing& listing = ListingOf(*opened.store, opened.id);
    reg::StoredValue value;
    const long code = opened.store->Transaction(false, [&] {
        if (long alive = opened.store->Alive(opened.id)) return alive;
        if (!listing.hasValues) {
            if (long listed = opened.store->ValueIds(opened.id, &listing.values)) return listed;
            listing.hasValues = true;
        }
        if (index >= listing.values.size()) return long{kErrorNoMoreItems};
        return opened.store->ValueById(listing.values[index], &value);
    });
    if (code) return code;
    if (long copied = CopyName(value.name, name, nameSize)) return copied;
    return CopyData(value, type, data, dataSize);
}

long RegQueryInfoKey(HKey key, RegKeyInfo* info) {
    if (!info) return kErrorInvalidParameter;
    std::lock_guard lock(reg::RegistryMutex());
    Opened opened;
    if (long code = Open(key, kKeyQueryValue, &opened)) return code;
    reg::KeyCounts counts;
    const long code = opened.store->Transaction(false, [&] {
        if (long alive = opened.store->Alive(opened.id)) return alive;
        return opened.store->Counts(opened.id, &counts);
    });
    if (code) return code;
    *info = {counts.subKeys, counts.maxSubKeyLength, counts.values, counts.maxValueNameLength,
             counts.maxValueLength};
    return kErrorSuccess;
}

} // namespace plat

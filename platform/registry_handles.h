#pragma once
// This process's open registry keys: the handle table, and where the predefined keys are in the
// store. Internal to the platform layer; callers hold RegistryMutex() throughout.
#include "platform/registry.h"
#include "platform/registry_store.h"

#include <mutex>
#include <vector>

namespace plat::reg {

// Serialises this process's use of the store and of its handles.
std::mutex& RegistryMutex();

bool IsPredefined(HKey key);

// The key a handle names, with the access it was opened with: 6 for a handle that is not open and
// for the two predefined keys that hold no keys. A predefined key whose place was deleted is made
// again.
long Resolve(Store& store, HKey key, KeyId* id, std::uint32_t* access);

// The store and the key of a handle that may do `needed`: as Resolve, and 6 for no handle, 1016
// without a store, 5 when the handle was opened without that access.
long KeyOfHandle(HKey key, std::uint32_t needed, Store** store, KeyId* id);

HKey AddHandle(KeyId id, std::uint32_t access);
// False for a handle that is not open.
bool RemoveHandle(HKey key);
// Whether a handle of this process is open on one of the keys.
bool AnyOpenAmong(const std::vector<KeyId>& keys);

} // namespace plat::reg

// RegSaveKey and RegRestoreKey: a key tree to a hive file and back.
#include "platform/error.h"
#include "platform/host_io.h"
#include "platform/paths.h"
#include "platform/privileges.h"
#include "platform/registry.h"
#include "platform/registry_handles.h"
#include "platform/registry_hive.h"
#include "platform/registry_store.h"

#include <sys/stat.h>

#include <cerrno>

namespace plat {

namespace {

long HostPathOf(const char* file, std::string* hostPath) {
    if (!file || !*file) return kErrorInvalidParameter;
    std::optional<std::string> host = ToHostPath(FullWindowsPath(file));
    if (!host) return static_cast<long>(LastError());
    *hostPath = std::move(*host);
    return kErrorSuccess;
}

} // namespace

long RegSaveKey(HKey key, const char* file) {
    std::lock_guard lock(reg::RegistryMutex());
    reg::Store* store = nullptr;
    reg::KeyId id = 0;
    if (long code = reg::KeyOfHandle(key, 0, &store, &id)) return code;
    if (!PrivilegeEnabled(kSeBackupPrivilege)) return kErrorPrivilegeNotHeld;
    std::string hostPath;
    if (long code = HostPathOf(file, &hostPath)) return code;
    struct stat st {};
    if (::lstat(hostPath.c_str(), &st) == 0) return kErrorAlreadyExists;

    reg::TreeKey tree;
    const long code = store->Transaction(false, [&] {
        reg::KeyId parent = 0;
        if (long described = store->Describe(id, &parent, &tree.name)) return described;
        return store->ReadTree(id, &tree);
    });
    if (code) return code;
    if (!host::WriteNewAtomic(hostPath, reg::EncodeHive(tree))) {
        // The file is being made: what is missing can only be its folder.
        const std::uint32_t error = LastError();
        return error == kErrorFileNotFound ? long{kErrorPathNotFound} : static_cast<long>(error);
    }
    return kErrorSuccess;
}

long RegRestoreKey(HKey key, const char* file, std::uint32_t flags) {
    if (flags & ~std::uint32_t{kRegForceRestore}) return kErrorInvalidParameter;
    std::lock_guard lock(reg::RegistryMutex());
    reg::Store* store = nullptr;
    reg::KeyId id = 0;
    if (long code = reg::KeyOfHandle(key, 0, &store, &id)) return code;
    // The tops hold the machine's hives, which a restore of a key cannot replace.
    if (id == reg::kMachineTop || id == reg::kUsersTop) return kErrorAccessDenied;
    if (!PrivilegeEnabled(kSeRestorePrivilege) || !PrivilegeEnabled(kSeBackupPrivilege))
        return kErrorPrivilegeNotHeld;
    std::string hostPath;
    if (long code = HostPathOf(file, &hostPath)) return code;
    const std::optional<std::string> bytes = host::ReadAll(hostPath);
    if (!bytes) return static_cast<long>(LastError());
    const std::optional<reg::TreeKey> tree = reg::DecodeHive(*bytes);
    if (!tree) return kErrorBadDb;

    return store->Transaction(true, [&] {
        if (long alive = store->Alive(id)) return alive;
        if (!(flags & kRegForceRestore)) {
            std::vector<reg::KeyId> below;
            if (long listed = store->Descendants(id, &below)) return listed;
            if (reg::AnyOpenAmong(below)) return long{kErrorAccessDenied};
        }
        return store->ReplaceTree(id, *tree);
    });
}

} // namespace plat

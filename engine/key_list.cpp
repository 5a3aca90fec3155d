#include "engine/key_list.h"

#include "platform/system.h"

namespace tavo {

namespace {

// The longest key name and its NUL: a name is never cut, so no key below is left out of the list.
constexpr std::uint32_t kKeyNameBuffer = 256;

std::string Below(std::string_view path, std::string_view name) {
    std::string child(path);
    if (!child.empty()) child += '\\';
    child += name;
    return child;
}

} // namespace

std::vector<std::string>& KeyList() {
    static std::vector<std::string> list;
    return list;
}

void CollectSubkeys(plat::HKey root, std::string_view path) {
    const std::string keyPath(path);
    plat::HKey key = 0;
    if (plat::RegOpenKeyEx(root, keyPath.c_str(), plat::kKeyAllAccess, &key) != 0) return;
    plat::RegKeyInfo info;
    if (plat::RegQueryInfoKey(key, &info) != 0) {
        plat::RegCloseKey(key);
        return;
    }
    for (std::uint32_t i = 0; i < info.subKeys; ++i) {
        char name[kKeyNameBuffer];
        std::uint32_t size = kKeyNameBuffer;
        if (plat::RegEnumKeyEx(key, i, name, &size) != 0) break;
        const std::string child = Below(path, std::string_view(name, size));
        KeyList().push_back(child);
        // Closed while the subtree is walked, as the walk opens keys of its own.
        plat::RegCloseKey(key);
        CollectSubkeys(root, child);
        if (plat::RegOpenKeyEx(root, keyPath.c_str(), plat::kKeyAllAccess, &key) != 0) {
            plat::DebugTrace("ERROR\n");
            return;
        }
    }
    plat::RegCloseKey(key);
}

} // namespace tavo

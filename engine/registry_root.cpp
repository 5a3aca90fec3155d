#include "engine/registry_root.h"

#include <array>
#include <cctype>

namespace tavo {

namespace {

struct Root {
    plat::HKey key;
    const char* name;
};

constexpr std::array<Root, 7> kRoots{{
    {plat::kHkeyClassesRoot, "HKEY_CLASSES_ROOT"},
    {plat::kHkeyCurrentConfig, "HKEY_CURRENT_CONFIG"},
    {plat::kHkeyCurrentUser, "HKEY_CURRENT_USER"},
    {plat::kHkeyLocalMachine, "HKEY_LOCAL_MACHINE"},
    {plat::kHkeyUsers, "HKEY_USERS"},
    {plat::kHkeyPerformanceData, "HKEY_PERFORMANCE_DATA"},
    {plat::kHkeyDynData, "HKEY_DYN_DATA"},
}};

} // namespace

std::optional<plat::HKey> RootKeyOfCode(int code) {
    if (code < 1 || code > static_cast<int>(kRoots.size())) return std::nullopt;
    return kRoots[static_cast<std::size_t>(code - 1)].key;
}

std::optional<plat::HKey> RootKeyOfName(std::string_view name) {
    for (const Root& known : kRoots) {
        const std::string_view candidate = known.name;
        if (candidate.size() != name.size()) continue;
        bool same = true;
        for (std::size_t i = 0; i < name.size() && same; ++i)
            same = std::toupper(static_cast<unsigned char>(name[i])) == candidate[i];
        if (same) return known.key;
    }
    return std::nullopt;
}

std::string KeyPathText(plat::HKey root, std::string_view subKey) {
    std::string text = "HKEY_?";
    for (const Root& known : kRoots)
        if (known.key == root) text = known.name;
    if (!subKey.empty()) text.append("\\").append(subKey);
    return text;
}

} // namespace tavo

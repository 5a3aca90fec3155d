#pragma once
// The root key codes of the registry kinds' action files, the same in every direction, and the
// names under which the run log shows keys.
#include "platform/registry.h"

#include <optional>
#include <string>
#include <string_view>

namespace tavo {

// 1 HKEY_CLASSES_ROOT, 2 HKEY_CURRENT_CONFIG, 3 HKEY_CURRENT_USER, 4 HKEY_LOCAL_MACHINE, 5 HKEY_USERS,
// 6 HKEY_PERFORMANCE_DATA, 7 HKEY_DYN_DATA; no root for any other code.
std::optional<plat::HKey> RootKeyOfCode(int code);

// The root key of its full name ("HKEY_LOCAL_MACHINE", any case); nullopt for any other text.
std::optional<plat::HKey> RootKeyOfName(std::string_view name);

// "HKEY_LOCAL_MACHINE\SOFTWARE\Vendor" for the run log and the debug trace.
std::string KeyPathText(plat::HKey root, std::string_view subKey);

} // namespace tavo

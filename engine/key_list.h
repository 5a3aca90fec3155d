#pragma once
// The process-wide key list and CollectSubkeys, which fills it with the keys below a key.
#include "platform/registry.h"

#include <string>
#include <string_view>
#include <vector>

namespace tavo {

std::vector<std::string>& KeyList();

// Appends the full paths of all keys below root\path to the key list, each parent before its
// children, in the order the registry enumerates them.
void CollectSubkeys(plat::HKey root, std::string_view path);

} // namespace tavo

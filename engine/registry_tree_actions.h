#pragma once
// The registry-tree kind "REGISTER_TREE_ALL": a whole key saved to a hive file in the registry
// folder, restored over the key from there, or deleted for a reset to defaults.
#include "platform/registry.h"

#include <string_view>

namespace tavo {

void PackupRegisterTreeAll(std::string_view actionFile, std::string_view packageFolder);
void RestoreRegisterTreeAll(std::string_view actionFile, std::string_view packageFolder);
void DefaultsRegisterTreeAll(std::string_view actionFile, std::string_view packageFolder);

// Saves root\subKey with its whole tree to a new hive file (an old one is deleted first): 1, or 0
// when the backup privilege cannot be enabled, the key cannot be opened or saved, or the file is
// not there afterwards.
int SaveHive(plat::HKey root, std::string_view subKey, std::string_view hivePath);

// Replaces the whole content of root\subKey (made when missing) with the hive file's tree: 1, or 0
// when a privilege cannot be enabled, the key cannot be made or the restore fails.
int RestoreHive(plat::HKey root, std::string_view subKey, std::string_view hivePath);

// Deletes root\subKey with every key below it, the deepest first: 1, or 0 when the backup
// privilege cannot be enabled. A key that is not there deletes nothing.
int DeleteKeyTree(plat::HKey root, std::string_view subKey);

} // namespace tavo

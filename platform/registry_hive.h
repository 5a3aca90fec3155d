#pragma once
// The hive file format of this registry (docs/registry.md): a key tree with a versioned header and a
// checksum over the whole file. Internal to the platform layer.
#include "platform/registry_tree.h"

#include <optional>
#include <string>
#include <string_view>

namespace plat::reg {

inline constexpr std::uint32_t kHiveVersion = 1;

std::string EncodeHive(const TreeKey& top);

// The tree of a whole, undamaged hive file of this format; nullopt for anything else (another
// format or version, a cut or changed file, names or lengths that cannot be).
std::optional<TreeKey> DecodeHive(std::string_view file);

} // namespace plat::reg

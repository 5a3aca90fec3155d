#pragma once
// A key tree held in memory, as a hive file carries it, and the rules for names that the store and
// the hive reader share. Internal to the platform layer.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace plat::reg {

using KeyId = std::int64_t;

inline constexpr std::size_t kMaxKeyNameLength = 255;
inline constexpr std::size_t kMaxValueNameLength = 16383;
inline constexpr std::size_t kMaxTreeDepth = 512;

struct TreeValue {
    std::string name;
    std::uint32_t type = 0;
    std::string data;
};

struct TreeKey {
    std::string name;
    std::vector<TreeValue> values; // in creation order
    std::vector<TreeKey> subkeys;  // in enumeration order
};

// The upper-cased name (ASCII letters only) under which names match and subkeys sort.
std::string Folded(std::string_view name);

// A name one key path component may have: 1 to 255 characters, no '\' and no NUL.
bool IsKeyName(std::string_view name);

} // namespace plat::reg

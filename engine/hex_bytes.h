#pragma once
// Bytes as the registry editor writes them: two lower-case hex digits each, separated by commas
// ("05,00,00,00"). Shared by the action files' value contents and the registry text files.
#include <optional>
#include <string>
#include <string_view>

namespace tavo {

std::string HexBytes(std::string_view data);

// The bytes of a list in that form (either case, no spaces); nullopt when it is not well made.
std::optional<std::string> BytesOfHex(std::string_view hex);

} // namespace tavo

#pragma once
// How "REGISTER_TREE_SECTION" keeps a registry value's data as text in the action file
// ("RTS_%d_CONTENT"), with the product-folder token "DVR\".
//
// A string value (REG_SZ, REG_EXPAND_SZ) is kept as its text up to the first NUL. Any other type is
// kept as "hex:" and its bytes in the registry editor's form ("hex:05,00,00,00"): as text up to
// the first zero byte a REG_DWORD of 0 would pack as nothing and 0x100 as one byte.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tavo {

bool IsTextType(std::uint32_t type);

std::string ContentOfData(std::uint32_t type, std::string_view data);

// The bytes to store for a content read back: the content's own bytes, or for another type than a
// string type the decoded "hex:" form; nullopt for a "hex:" form that is not well made.
std::optional<std::string> DataOfContent(std::uint32_t type, std::string_view content);

// The content as packed: a text that starts with the active product folder (exactly, case and all)
// gets "DVR\" in its place, so that it restores into another install folder.
std::string WithProductToken(std::string_view content, std::string_view productFolder);
// The content as restored: "DVR\" at its start becomes the active product folder.
std::string WithoutProductToken(std::string_view content, std::string_view productFolder);

} // namespace tavo

#include "engine/registry_content.h"

#include "engine/hex_bytes.h"
#include "platform/registry.h"

namespace tavo {

namespace {

constexpr std::string_view kHex = "hex:";
constexpr std::string_view kToken = "DVR\\";

} // namespace

bool IsTextType(std::uint32_t type) {
    return type == plat::kRegSz || type == plat::kRegExpandSz;
}

std::string ContentOfData(std::uint32_t type, std::string_view data) {
    if (IsTextType(type)) return std::string(data.substr(0, data.find('\0')));
    return std::string(kHex) + HexBytes(data);
}

std::optional<std::string> DataOfContent(std::uint32_t type, std::string_view content) {
    // Packages made before the hex form keep restoring as they did.
    if (IsTextType(type) || content.substr(0, kHex.size()) != kHex) return std::string(content);
    return BytesOfHex(content.substr(kHex.size()));
}

std::string WithProductToken(std::string_view content, std::string_view productFolder) {
    // An unknown product folder is no prefix: every content would gain a token that a restore
    // into a known folder would turn into a wrong path.
    if (productFolder.empty() || content.substr(0, productFolder.size()) != productFolder)
        return std::string(content);
    return std::string(kToken) + std::string(content.substr(productFolder.size()));
}

std::string WithoutProductToken(std::string_view content, std::string_view productFolder) {
    if (content.substr(0, kToken.size()) != kToken) return std::string(content);
    return std::string(productFolder) + std::string(content.substr(kToken.size()));
}

} // namespace tavo

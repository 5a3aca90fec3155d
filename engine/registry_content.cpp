#include "engine/registry_content.h"

#include "platform/registry.h"

namespace tavo {

namespace {

constexpr std::string_view kHex = "hex:";
constexpr std::string_view kToken = "DVR\\";

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

} // namespace

bool IsTextType(std::uint32_t type) {
    return type == plat::kRegSz || type == plat::kRegExpandSz;
}

std::string ContentOfData(std::uint32_t type, std::string_view data) {
    if (IsTextType(type)) return std::string(data.substr(0, data.find('\0')));
    std::string content(kHex);
    constexpr char kDigits[] = "0123456789abcdef";
    for (std::size_t i = 0; i < data.size(); ++i) {
        if (i > 0) content += ',';
        const auto byte = static_cast<unsigned char>(data[i]);
        content += kDigits[byte >> 4];
        content += kDigits[byte & 0xF];
    }
    return content;
}

std::optional<std::string> DataOfContent(std::uint32_t type, std::string_view content) {
    // Packages made before the hex form keep restoring as they did.
    if (IsTextType(type) || content.substr(0, kHex.size()) != kHex) return std::string(content);
    std::string_view hex = content.substr(kHex.size());
    std::string data;
    while (!hex.empty()) {
        if (hex.size() < 2 || HexDigit(hex[0]) < 0 || HexDigit(hex[1]) < 0) return std::nullopt;
        data += static_cast<char>(HexDigit(hex[0]) * 16 + HexDigit(hex[1]));
        hex.remove_prefix(2);
        if (hex.empty()) break;
        if (hex[0] != ',' || hex.size() == 1) return std::nullopt;
        hex.remove_prefix(1);
    }
    return data;
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

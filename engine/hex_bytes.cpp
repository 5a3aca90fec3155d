#include "engine/hex_bytes.h"

namespace tavo {

namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

} // namespace

std::string HexBytes(std::string_view data) {
    constexpr char kDigits[] = "0123456789abcdef";
    std::string hex;
    hex.reserve(data.size() * 3);
    for (std::size_t i = 0; i < data.size(); ++i) {
        if (i > 0) hex += ',';
        const auto byte = static_cast<unsigned char>(data[i]);
        hex += kDigits[byte >> 4];
        hex += kDigits[byte & 0xF];
    }
    return hex;
}

std::optional<std::string> BytesOfHex(std::string_view hex) {
    std::string data;
    data.reserve(hex.size() / 3 + 1);
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

} // namespace tavo

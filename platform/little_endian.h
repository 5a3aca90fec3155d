#pragma once
// Little-endian integers in byte strings, as Windows file formats store them. The caller makes sure
// the bytes are there.
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace plat {

inline std::uint32_t ReadLe32(std::string_view bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i)
        value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
    return value;
}

inline std::uint16_t ReadLe16(std::string_view bytes, std::size_t at) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                      static_cast<unsigned char>(bytes[at + 1]) << 8);
}

} // namespace plat

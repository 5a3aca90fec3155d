#include "catalogue/logo_file_check.h"

#include "platform/files.h"

#include <cstdint>
#include <optional>
#include <string>

namespace tavo {

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;

std::uint32_t Read32(std::string_view bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i)
        value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
    return value;
}

std::uint16_t Read16(std::string_view bytes, std::size_t at) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                      static_cast<unsigned char>(bytes[at + 1]) << 8);
}

} // namespace

LogoFileCheck CheckLogoFile(std::string_view path, const LogoRowFormat& row) {
    const std::optional<std::string> headers = plat::ReadFileStart(path, kFileHeaderSize + kInfoHeaderSize);
    if (!headers) return LogoFileCheck::Unreadable;
    const std::string_view bytes = *headers;
    if (bytes.size() < kFileHeaderSize + kInfoHeaderSize || bytes.substr(0, 2) != "BM" ||
        Read32(bytes, kFileHeaderSize) < kInfoHeaderSize)
        return LogoFileCheck::Refused;
    const auto width = static_cast<std::int32_t>(Read32(bytes, kFileHeaderSize + 4));
    const auto height = static_cast<std::int32_t>(Read32(bytes, kFileHeaderSize + 8));
    const int bitCount = Read16(bytes, kFileHeaderSize + 14);
    if (bitCount != row.bitCount || width != row.width || height != row.height) return LogoFileCheck::Refused;

    // The rows are padded to 4 bytes; a file cut short would show the DVR a torn picture.
    const std::uint64_t stride =
        (static_cast<std::uint64_t>(row.width) * static_cast<unsigned>(row.bitCount) + 31) / 32 * 4;
    std::uint64_t size = 0;
    if (!plat::FileAttributesEx(path, nullptr, &size)) return LogoFileCheck::Unreadable;
    if (size < kFileHeaderSize + kInfoHeaderSize + stride * static_cast<std::uint64_t>(row.height))
        return LogoFileCheck::Refused;
    return LogoFileCheck::Accepted;
}

} // namespace tavo

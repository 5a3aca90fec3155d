#include "catalogue/logo_file_check.h"

#include "platform/files.h"
#include "platform/little_endian.h"

#include <cstdint>
#include <optional>
#include <string>

namespace tavo {

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;

} // namespace

LogoFileCheck CheckLogoFile(std::string_view path, const LogoRowFormat& row) {
    const std::optional<std::string> headers = plat::ReadFileStart(path, kFileHeaderSize + kInfoHeaderSize);
    if (!headers) return LogoFileCheck::Unreadable;
    const std::string_view bytes = *headers;
    if (bytes.size() < kFileHeaderSize + kInfoHeaderSize || bytes.substr(0, 2) != "BM" ||
        plat::ReadLe32(bytes, kFileHeaderSize) < kInfoHeaderSize)
        return LogoFileCheck::Refused;
    const auto width = static_cast<std::int32_t>(plat::ReadLe32(bytes, kFileHeaderSize + 4));
    const auto height = static_cast<std::int32_t>(plat::ReadLe32(bytes, kFileHeaderSize + 8));
    const int bitCount = plat::ReadLe16(bytes, kFileHeaderSize + 14);
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

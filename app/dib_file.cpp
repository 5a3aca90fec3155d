#include "app/dib_file.h"

#include "platform/files.h"
#include "platform/little_endian.h"

#include <algorithm>
#include <cstring>

namespace tavo::app {

namespace {

constexpr std::size_t kFileHeaderSize = 14;

void Write32(std::uint8_t* at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        at[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

// Far beyond any skin picture; keeps a damaged header from asking for gigabytes.
constexpr std::int64_t kMaxSide = 16384;

} // namespace

PackedDib::PackedDib(int width, int height) : width_(std::max(width, 0)), height_(std::max(height, 0)) {
    const auto imageSize = static_cast<std::uint32_t>(Stride()) * static_cast<std::uint32_t>(height_);
    bytes_.assign(kHeaderSize + imageSize, 0);
    std::uint8_t* header = bytes_.data();
    Write32(header, kHeaderSize);
    Write32(header + 4, static_cast<std::uint32_t>(width_));
    Write32(header + 8, static_cast<std::uint32_t>(height_));
    header[12] = 1;  // planes
    header[14] = 24; // bits per pixel
    Write32(header + 20, imageSize);
}

const std::uint8_t* PackedDib::Row(int row) const {
    return bytes_.data() + kHeaderSize + static_cast<std::size_t>(row) * static_cast<std::size_t>(Stride());
}

std::uint8_t* PackedDib::Row(int row) {
    return bytes_.data() + kHeaderSize + static_cast<std::size_t>(row) * static_cast<std::size_t>(Stride());
}

std::optional<PackedDib> ParseBmpFile(std::string_view bytes) {
    if (bytes.size() < kFileHeaderSize + PackedDib::kHeaderSize || bytes.substr(0, 2) != "BM") return {};
    const std::uint32_t pixelOffset = plat::ReadLe32(bytes, 10);
    const std::uint32_t headerSize = plat::ReadLe32(bytes, kFileHeaderSize);
    const auto width = static_cast<std::int32_t>(plat::ReadLe32(bytes, kFileHeaderSize + 4));
    const auto height = static_cast<std::int32_t>(plat::ReadLe32(bytes, kFileHeaderSize + 8));
    const std::uint16_t bitCount = plat::ReadLe16(bytes, kFileHeaderSize + 14);
    const std::uint32_t compression = plat::ReadLe32(bytes, kFileHeaderSize + 16);
    if (headerSize < PackedDib::kHeaderSize || bitCount != 24 || compression != 0) return {};
    const std::int64_t rows = height < 0 ? -static_cast<std::int64_t>(height) : height;
    if (width <= 0 || rows == 0 || width > kMaxSide || rows > kMaxSide) return {};

    PackedDib dib(width, static_cast<int>(rows));
    const auto stride = static_cast<std::size_t>(dib.Stride());
    if (pixelOffset < kFileHeaderSize + headerSize || pixelOffset > bytes.size() ||
        (bytes.size() - pixelOffset) / stride < static_cast<std::size_t>(rows))
        return {};
    for (int row = 0; row < dib.Height(); ++row) {
        const int fileRow = height < 0 ? dib.Height() - 1 - row : row;
        std::memcpy(dib.Row(row), bytes.data() + pixelOffset + static_cast<std::size_t>(fileRow) * stride,
                    stride);
    }
    return dib;
}

std::optional<PackedDib> LoadBmpFile(std::string_view path) {
    const std::optional<std::string> bytes = plat::ReadFileBytes(path);
    if (!bytes) return {};
    return ParseBmpFile(*bytes);
}

PackedDib CropDib(const PackedDib& source, int width, int height) {
    PackedDib cropped(width, height);
    const int rows = std::min(cropped.Height(), source.Height());
    const auto rowBytes = static_cast<std::size_t>(std::min(cropped.Width(), source.Width()) * 3);
    for (int row = 0; row < rows; ++row)
        std::memcpy(cropped.Row(row), source.Row(row), rowBytes);
    return cropped;
}

} // namespace tavo::app

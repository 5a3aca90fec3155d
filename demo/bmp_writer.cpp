#include "demo/bmp_writer.h"

namespace tavo::demo {

namespace {

void Put32(std::string& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<char>(value >> (8 * i) & 0xFFu));
}

void Put16(std::string& out, std::uint16_t value) {
    out.push_back(static_cast<char>(value & 0xFFu));
    out.push_back(static_cast<char>(value >> 8));
}

// The two headers of a file whose pixels start after a palette of `paletteBytes`.
std::string Headers(int width, int height, int bitCount, std::uint32_t paletteBytes, std::uint32_t stride) {
    const std::uint32_t imageSize = stride * static_cast<std::uint32_t>(height);
    const std::uint32_t pixelOffset = 54 + paletteBytes;
    std::string out = "BM";
    Put32(out, pixelOffset + imageSize);
    Put32(out, 0);
    Put32(out, pixelOffset);
    Put32(out, 40);
    Put32(out, static_cast<std::uint32_t>(width));
    Put32(out, static_cast<std::uint32_t>(height));
    Put16(out, 1);
    Put16(out, static_cast<std::uint16_t>(bitCount));
    Put32(out, 0);
    Put32(out, imageSize);
    Put32(out, 2835); // 72 dots per inch
    Put32(out, 2835);
    Put32(out, 0);
    Put32(out, 0);
    return out;
}

} // namespace

std::string EncodeBmp24(int width, int height, const std::function<Rgb(int x, int y)>& pixel) {
    const auto stride = static_cast<std::uint32_t>((width * 3 + 3) / 4 * 4);
    std::string out = Headers(width, height, 24, 0, stride);
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) {
            const Rgb colour = pixel(x, y);
            out.push_back(static_cast<char>(colour & 0xFFu));
            out.push_back(static_cast<char>(colour >> 8 & 0xFFu));
            out.push_back(static_cast<char>(colour >> 16 & 0xFFu));
        }
        out.append(stride - static_cast<std::uint32_t>(width) * 3, '\0');
    }
    return out;
}

std::string EncodeBmp8(int width, int height, const std::function<std::uint8_t(int x, int y)>& index) {
    const auto stride = static_cast<std::uint32_t>((width + 3) / 4 * 4);
    std::string out = Headers(width, height, 8, 256 * 4, stride);
    for (int level = 0; level < 256; ++level)
        Put32(out, static_cast<std::uint32_t>(level) * 0x010101u);
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x)
            out.push_back(static_cast<char>(index(x, y)));
        out.append(stride - static_cast<std::uint32_t>(width), '\0');
    }
    return out;
}

} // namespace tavo::demo

#pragma once
// Writes uncompressed BMP files: a 14-byte file header, a 40-byte information header (and for
// 8-bit files a 256-entry palette) and the pixel rows bottom row first, padded to 4 bytes. For the
// demo package's pictures and for tests that need bitmap files.
#include <cstdint>
#include <functional>
#include <string>

namespace tavo::demo {

// A colour as 0xRRGGBB.
using Rgb = std::uint32_t;

// pixel(x, y) with y from the top of the picture.
std::string EncodeBmp24(int width, int height, const std::function<Rgb(int x, int y)>& pixel);

// An 8-bit file with a grey palette: index(x, y) is the grey level of the pixel.
std::string EncodeBmp8(int width, int height, const std::function<std::uint8_t(int x, int y)>& index);

} // namespace tavo::demo

#pragma once
// Bitmap files for the skinned buttons: 24-bit uncompressed BMP files held as packed
// device-independent bitmaps, a 40-byte information header followed directly by the pixel rows
// (bottom row first, 3 bytes per pixel in blue-green-red order, rows padded to 4 bytes).
// Other bitmap formats are not read.
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace tavo::app {

class PackedDib {
  public:
    static constexpr int kHeaderSize = 40;

    // A zero-filled bitmap of that size; sizes below 0 count as 0.
    PackedDib(int width, int height);

    int Width() const { return width_; }
    int Height() const { return height_; }
    // Bytes of one row, padded to 4.
    int Stride() const { return RowBytes(width_); }
    // The whole block: header, then rows.
    const std::vector<std::uint8_t>& Bytes() const { return bytes_; }
    // Row `row` counted from the bottom of the picture.
    const std::uint8_t* Row(int row) const;
    std::uint8_t* Row(int row);

    static int RowBytes(int width) { return (width * 3 + 3) / 4 * 4; }

  private:
    int width_;
    int height_;
    std::vector<std::uint8_t> bytes_;
};

// Reads a BMP file's bytes: the 14-byte file header is dropped and the rest kept as a packed
// bitmap. Pixel rows are taken from where the file header says they start, so files with a longer
// information header read as well; top-down files come out bottom row first like the others.
// nullopt for anything but a complete 24-bit uncompressed bitmap.
std::optional<PackedDib> ParseBmpFile(std::string_view bytes);

// Reads a BMP file given by its Windows path.
std::optional<PackedDib> LoadBmpFile(std::string_view path);

// The bottom `height` rows and the left `width` pixels of each. Where the source is smaller the
// rest stays black, rather than reading past the picture.
PackedDib CropDib(const PackedDib& source, int width, int height);

} // namespace tavo::app

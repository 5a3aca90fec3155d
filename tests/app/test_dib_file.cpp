// Reading 24-bit bitmap files and cropping them to a button.
#include "app/dib_file.h"
#include "demo/bmp_writer.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using tavo::app::CropDib;
using tavo::app::PackedDib;
using tavo::app::ParseBmpFile;

// Blue-green-red bytes of the pixel at (x, y), y counted from the top of the picture.
std::string PixelAt(const PackedDib& dib, int x, int y) {
    const std::uint8_t* row = dib.Row(dib.Height() - 1 - y);
    return {reinterpret_cast<const char*>(row + x * 3), 3};
}

// A picture whose pixels name their place: red = x, green = y.
std::string Numbered(int width, int height) {
    return tavo::demo::EncodeBmp24(
        width, height, [](int x, int y) { return static_cast<tavo::demo::Rgb>(x << 16 | y << 8 | 0x7F); });
}

std::string Bgr(int x, int y) {
    return {static_cast<char>(0x7F), static_cast<char>(y), static_cast<char>(x)};
}

TEST(DibFile, ReadsA24BitFileAndDropsItsFileHeader) {
    const std::optional<PackedDib> dib = ParseBmpFile(Numbered(5, 3));
    ASSERT_TRUE(dib);
    EXPECT_EQ(dib->Width(), 5);
    EXPECT_EQ(dib->Height(), 3);
    EXPECT_EQ(dib->Stride(), 16); // 15 bytes padded to 4
    // The block is the 40-byte header followed directly by the rows.
    EXPECT_EQ(dib->Bytes().size(), 40u + 16u * 3u);
    EXPECT_EQ(dib->Bytes()[0], 40);
    EXPECT_EQ(dib->Bytes()[14], 24);
    EXPECT_EQ(PixelAt(*dib, 0, 0), Bgr(0, 0));
    EXPECT_EQ(PixelAt(*dib, 4, 2), Bgr(4, 2));
}

TEST(DibFile, TopDownFilesAndLongerHeadersReadTheSamePicture) {
    const std::string plain = Numbered(4, 3);
    // Rows stored top row first, marked by a negative height.
    std::string topDown = plain;
    const int height = -3;
    for (int i = 0; i < 4; ++i)
        topDown[22 + i] = static_cast<char>(static_cast<unsigned>(height) >> (8 * i));
    const std::size_t stride = 12;
    for (std::size_t row = 0; row < 3; ++row)
        topDown.replace(54 + row * stride, stride, plain.substr(54 + (2 - row) * stride, stride));
    // An information header of 124 bytes, as some painting programs write.
    std::string longHeader = plain.substr(0, 54) + std::string(84, '\0') + plain.substr(54);
    longHeader[10] = static_cast<char>(54 + 84);
    longHeader[14] = static_cast<char>(124);

    for (const std::string& file : {topDown, longHeader}) {
        const std::optional<PackedDib> dib = ParseBmpFile(file);
        ASSERT_TRUE(dib);
        EXPECT_EQ(dib->Bytes(), ParseBmpFile(plain)->Bytes());
    }
}

TEST(DibFile, RefusesWhatIsNotACompleteUncompressed24BitBitmap) {
    const std::string good = Numbered(4, 4);
    std::string eightBit = good;
    eightBit[28] = 8;
    std::string compressed = good;
    compressed[30] = 1;
    std::string hugeWidth = good;
    hugeWidth[21] = 0x7F;
    for (const std::string& file : {std::string(), std::string("BM"), good.substr(0, good.size() - 1),
                                    "XY" + good.substr(2), eightBit, compressed, hugeWidth})
        EXPECT_FALSE(ParseBmpFile(file)) << file.size();
}

TEST(DibFile, CropKeepsTheBottomRowsAndTheLeftPixels) {
    const PackedDib source = *ParseBmpFile(Numbered(6, 5));
    const PackedDib cropped = CropDib(source, 3, 2);
    EXPECT_EQ(cropped.Width(), 3);
    EXPECT_EQ(cropped.Height(), 2);
    EXPECT_EQ(cropped.Bytes()[20], 24); // image size: 2 rows of 9 bytes, each padded to 12
    // The bottom two rows of the picture (y 3 and 4), pixels x 0 to 2.
    EXPECT_EQ(PixelAt(cropped, 0, 0), Bgr(0, 3));
    EXPECT_EQ(PixelAt(cropped, 2, 1), Bgr(2, 4));
}

TEST(DibFile, CropLargerThanThePictureLeavesTheRestBlack) {
    const PackedDib cropped = CropDib(*ParseBmpFile(Numbered(2, 2)), 4, 3);
    EXPECT_EQ(PixelAt(cropped, 1, 2), Bgr(1, 1));
    EXPECT_EQ(PixelAt(cropped, 3, 2), std::string(3, '\0'));
    EXPECT_EQ(PixelAt(cropped, 0, 0), std::string(3, '\0'));
}

} // namespace

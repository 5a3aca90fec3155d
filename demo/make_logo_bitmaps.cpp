// Draws the demo package's custom logo pictures into "Logos" of the package folder given as the
// only argument: one bitmap of the right format for each of the DVR's four pictures, and two that
// the custom logo dialog refuses (an 8-bit splash picture and a no-video picture of the wrong size).
#include "demo/bmp_writer.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace fs = std::filesystem;
using tavo::demo::Rgb;

namespace {

bool WriteFile(const fs::path& file, const std::string& bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << bytes;
    out.close();
    if (!out) std::fprintf(stderr, "cannot write %s\n", file.c_str());
    return static_cast<bool>(out);
}

std::uint32_t Channel(std::uint32_t from, std::uint32_t to, int at, int span) {
    return from +
           (to - from) * static_cast<std::uint32_t>(at) / static_cast<std::uint32_t>(span > 1 ? span - 1 : 1);
}

// A vertical shade from `top` to `bottom` inside a 4-pixel frame, crossed by a diagonal band.
std::string Picture(int width, int height, Rgb top, Rgb bottom, Rgb frame) {
    return tavo::demo::EncodeBmp24(width, height, [=](int x, int y) -> Rgb {
        if (x < 4 || y < 4 || x >= width - 4 || y >= height - 4) return frame;
        if ((x + y) % 97 < 6) return 0xFFFFFF;
        Rgb colour = 0;
        for (int shift = 0; shift <= 16; shift += 8)
            colour |= Channel(top >> shift & 0xFFu, bottom >> shift & 0xFFu, y, height) << shift;
        return colour;
    });
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <package folder>\n", argv[0]);
        return 2;
    }
    const fs::path logos = fs::path(argv[1]) / "Logos";
    std::error_code error;
    fs::create_directories(logos, error);
    if (error) {
        std::fprintf(stderr, "cannot create %s: %s\n", logos.c_str(), error.message().c_str());
        return 1;
    }
    bool written = true;
    written &= WriteFile(logos / "Splash.bmp", Picture(316, 272, 0x1F4E96, 0x5B8FD6, 0x102A55));
    written &= WriteFile(logos / "NoVideo.bmp", Picture(720, 576, 0x2E3440, 0x4C566A, 0x88C0D0));
    written &= WriteFile(logos / "VideoLost.bmp", Picture(720, 576, 0x5E1F1F, 0xBF616A, 0xEBCB8B));
    written &= WriteFile(logos / "About.bmp", Picture(549, 109, 0xE5E9F0, 0x81A1C1, 0x2B5C9E));
    // The two the dialog refuses.
    written &= WriteFile(logos / "Splash8bit.bmp", tavo::demo::EncodeBmp8(316, 272, [](int x, int y) {
                             return static_cast<std::uint8_t>((x + y) % 256);
                         }));
    written &= WriteFile(logos / "NoVideo640.bmp", Picture(640, 480, 0x2E3440, 0x4C566A, 0x88C0D0));
    return written ? 0 : 1;
}

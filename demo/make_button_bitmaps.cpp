// Draws the demo package's button pictures and writes them as 24-bit BMP files into the package
// folder given as the only argument: the Exit, Back and Next buttons with their Focus, Down and
// Disable companions, and the two item buttons with their Up, Down, Disable, Play and Focus
// pictures. Everything is drawn here, so a fresh machine needs nothing else.
#include "demo/bmp_writer.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

namespace fs = std::filesystem;
using tavo::demo::Rgb;

namespace {

// Corners outside a button's rounded shape; the settings INI names this colour as the mask.
constexpr Rgb kMask = 0xFF00FF;

class Canvas {
  public:
    Canvas(int width, int height, Rgb fill)
        : width_(width), height_(height), pixels_(static_cast<std::size_t>(width * height), fill) {}

    int Width() const { return width_; }
    int Height() const { return height_; }
    Rgb At(int x, int y) const { return pixels_[Index(x, y)]; }
    void Set(int x, int y, Rgb colour) {
        if (x >= 0 && y >= 0 && x < width_ && y < height_) pixels_[Index(x, y)] = colour;
    }
    void FillRect(int left, int top, int width, int height, Rgb colour) {
        for (int y = top; y < top + height; ++y)
            for (int x = left; x < left + width; ++x)
                Set(x, y, colour);
    }
    bool Write(const fs::path& file) const {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out << tavo::demo::EncodeBmp24(width_, height_, [this](int x, int y) { return At(x, y); });
        out.close();
        if (!out) std::fprintf(stderr, "cannot write %s\n", file.c_str());
        return static_cast<bool>(out);
    }

  private:
    std::size_t Index(int x, int y) const { return static_cast<std::size_t>(y * width_ + x); }

    int width_;
    int height_;
    std::vector<Rgb> pixels_;
};

Rgb Mix(Rgb a, Rgb b, double t) {
    Rgb out = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const double from = a >> shift & 0xFFu;
        const double to = b >> shift & 0xFFu;
        out |= static_cast<Rgb>(std::lround(from + (to - from) * t)) << shift;
    }
    return out;
}

Rgb Grey(Rgb colour) {
    const double r = colour >> 16 & 0xFFu, g = colour >> 8 & 0xFFu, b = colour & 0xFFu;
    const auto level = static_cast<Rgb>(std::lround(0.3 * r + 0.59 * g + 0.11 * b));
    return level << 16 | level << 8 | level;
}

bool InsideRounded(int x, int y, int width, int height, int radius) {
    const int cx = std::clamp(x, radius, width - 1 - radius);
    const int cy = std::clamp(y, radius, height - 1 - radius);
    const int dx = x - cx, dy = y - cy;
    return dx * dx + dy * dy <= radius * radius;
}

// A 5 x 7 font for the captions, one text row per pixel row, '#' for ink.
struct Glyph {
    char letter;
    std::array<std::string_view, 7> rows;
};
constexpr std::array<Glyph, 9> kFont{{
    {'A', {" ### ", "#   #", "#   #", "#####", "#   #", "#   #", "#   #"}},
    {'B', {"#### ", "#   #", "#   #", "#### ", "#   #", "#   #", "#### "}},
    {'C', {" ####", "#    ", "#    ", "#    ", "#    ", "#    ", " ####"}},
    {'E', {"#####", "#    ", "#    ", "#### ", "#    ", "#    ", "#####"}},
    {'I', {" ### ", "  #  ", "  #  ", "  #  ", "  #  ", "  #  ", " ### "}},
    {'K', {"#   #", "#  # ", "# #  ", "##   ", "# #  ", "#  # ", "#   #"}},
    {'N', {"#   #", "##  #", "# # #", "#  ##", "#   #", "#   #", "#   #"}},
    {'T', {"#####", "  #  ", "  #  ", "  #  ", "  #  ", "  #  ", "  #  "}},
    {'X', {"#   #", "#   #", " # # ", "  #  ", " # # ", "#   #", "#   #"}},
}};

void DrawCaption(Canvas& canvas, std::string_view text, int left, int top, int scale, Rgb colour) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto glyph =
            std::find_if(kFont.begin(), kFont.end(), [&](const Glyph& g) { return g.letter == text[i]; });
        if (glyph == kFont.end()) continue;
        const int x0 = left + static_cast<int>(i) * 6 * scale;
        for (int row = 0; row < 7; ++row)
            for (int column = 0; column < 5; ++column)
                if (glyph->rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] == '#')
                    canvas.FillRect(x0 + column * scale, top + row * scale, scale, scale, colour);
    }
}

enum class Look { Normal, Focus, Down, Disabled, Play };

// A navigation button: a rounded plate with a vertical shade and its caption.
Canvas NavigationButton(std::string_view caption, Look look) {
    constexpr int kWidth = 72, kHeight = 26, kRadius = 6;
    Rgb top = 0x5B8FD6, bottom = 0x1F4E96, ink = 0xFFFFFF;
    if (look == Look::Focus) top = 0x8DB8F0, bottom = 0x3A6DBA;
    if (look == Look::Down) std::swap(top, bottom);
    Canvas canvas(kWidth, kHeight, kMask);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            if (!InsideRounded(x, y, kWidth, kHeight, kRadius)) continue;
            const bool edge = !InsideRounded(x - 1, y - 1, kWidth - 2, kHeight - 2, kRadius - 1);
            canvas.Set(x, y, edge ? 0x102A55 : Mix(top, bottom, y / double(kHeight - 1)));
        }
    }
    const int shift = look == Look::Down ? 1 : 0;
    const int captionWidth = static_cast<int>(caption.size()) * 12 - 2;
    DrawCaption(canvas, caption, (kWidth - captionWidth) / 2 + shift, 6 + shift, 2, ink);
    if (look == Look::Disabled) {
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x)
                if (canvas.At(x, y) != kMask) canvas.Set(x, y, Mix(Grey(canvas.At(x, y)), 0xC0C0C0, 0.5));
    }
    return canvas;
}

// The picture on an item button: a recorder with a camera lens (DVR) or a rack of servers.
void DrawDvr(Canvas& canvas, int shift) {
    canvas.FillRect(10 + shift, 20 + shift, 44, 26, 0x2E3440);
    canvas.FillRect(12 + shift, 22 + shift, 40, 22, 0x4C566A);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            const int dx = x - (32 + shift), dy = y - (33 + shift);
            const int d2 = dx * dx + dy * dy;
            if (d2 <= 81) canvas.Set(x, y, d2 <= 16 ? 0x88C0D0 : 0x1B1F27);
        }
    canvas.FillRect(44 + shift, 25 + shift, 5, 3, 0xBF616A);
    canvas.FillRect(18 + shift, 46 + shift, 28, 4, 0x2E3440);
}

void DrawServers(Canvas& canvas, int shift) {
    for (int rack = 0; rack < 3; ++rack) {
        const int top = 14 + rack * 13 + shift;
        canvas.FillRect(14 + shift, top, 36, 11, 0x2E3440);
        canvas.FillRect(16 + shift, top + 2, 32, 7, 0x4C566A);
        canvas.FillRect(40 + shift, top + 4, 3, 3, 0xA3BE8C);
        canvas.FillRect(19 + shift, top + 4, 14, 2, 0xD8DEE9);
    }
}

Canvas ItemButton(void (*picture)(Canvas&, int), Look look) {
    constexpr int kSize = 64;
    Rgb face = 0xE5E9F0, frame = 0x81A1C1;
    if (look == Look::Focus) face = 0xF4F8FF, frame = 0x3B7DD8;
    if (look == Look::Down) face = 0xC9D3E0, frame = 0x2B5C9E;
    if (look == Look::Play) face = 0xDCEFD8, frame = 0x5E9E4F;
    Canvas canvas(kSize, kSize, face);
    for (int i = 0; i < kSize; ++i) {
        for (int width = 0; width < 2; ++width) {
            canvas.Set(i, width, frame);
            canvas.Set(i, kSize - 1 - width, frame);
            canvas.Set(width, i, frame);
            canvas.Set(kSize - 1 - width, i, frame);
        }
    }
    picture(canvas, look == Look::Down ? 1 : 0);
    if (look == Look::Disabled) {
        for (int y = 0; y < kSize; ++y)
            for (int x = 0; x < kSize; ++x)
                canvas.Set(x, y, Mix(Grey(canvas.At(x, y)), 0xD0D0D0, 0.6));
    }
    return canvas;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <package folder>\n", argv[0]);
        return 2;
    }
    const fs::path skin = fs::path(argv[1]) / "Skin";
    std::error_code error;
    fs::create_directories(skin, error);
    if (error) {
        std::fprintf(stderr, "cannot create %s: %s\n", skin.c_str(), error.message().c_str());
        return 1;
    }

    // The names the settings INI gives: "<name>Normal.bmp" and its state companions.
    const std::array<std::pair<std::string_view, std::string_view>, 3> navigation{
        {{"Exit", "EXIT"}, {"Back", "BACK"}, {"Next", "NEXT"}}};
    const std::array<std::pair<std::string_view, Look>, 4> navigationStates{{{"Normal", Look::Normal},
                                                                             {"Focus", Look::Focus},
                                                                             {"Down", Look::Down},
                                                                             {"Disable", Look::Disabled}}};
    bool written = true;
    for (const auto& [name, caption] : navigation)
        for (const auto& [state, look] : navigationStates)
            written &= NavigationButton(caption, look)
                           .Write(skin / (std::string(name) + std::string(state) + ".bmp"));

    // "<name>Up.bmp" and its companions.
    const std::array<std::pair<std::string_view, void (*)(Canvas&, int)>, 2> items{
        {{"ItemDvr", DrawDvr}, {"ItemServer", DrawServers}}};
    const std::array<std::pair<std::string_view, Look>, 5> itemStates{{{"Up", Look::Normal},
                                                                       {"Down", Look::Down},
                                                                       {"Disable", Look::Disabled},
                                                                       {"Play", Look::Play},
                                                                       {"Focus", Look::Focus}}};
    for (const auto& [name, picture] : items)
        for (const auto& [state, look] : itemStates)
            written &=
                ItemButton(picture, look).Write(skin / (std::string(name) + std::string(state) + ".bmp"));
    return written ? 0 : 1;
}

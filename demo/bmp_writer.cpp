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

} // namespace

std::string EncodeBmp24(int width, int height, const std::function<Rgb(int x, int y)>& pixel) {
    const auto stride = static_cast<std::uint32_t>((width * 3 + 3) / 4 * 4);
    const std::uint32_t imageSize = stride * static_cast<std::uint32_t>(height);
    std::string out = "BM";
    Put32(out, 54 + imageSize);
    Put32(out, 0);
    Put32(out, 54);
    Put32(out, 40);
    Put32(out, static_cast<std::uint32_t>(width));
    Put32(out, static_cast<std::uint32_t>(height));
    Put16(out, 1);
    Put16(out, 24);
    Put32(out, 0);
    Put32(out, imageSize);
    Put32(out, 2835); // 72 dots per inch
    Put32(out, 2835);
    Put32(out, 0);
    Put32(out, 0);
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

} // namespace tavo::demo

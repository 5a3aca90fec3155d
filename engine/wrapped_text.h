#pragma once
// Word-wrapped text in a box, for the screens that print long explanations. Free of any toolkit:
// the caller measures text through TextMetrics and draws each line through a callback.
#include <functional>
#include <string_view>

namespace tavo {

class TextMetrics {
  public:
    struct Extent {
        int width = 0;
        int height = 0;
    };
    virtual ~TextMetrics() = default;
    // The size of one line of text in the current font.
    virtual Extent TextExtent(std::string_view text) const = 0;
    virtual int AverageCharWidth() const = 0;
    virtual int FontHeight() const = 0;
};

// Draws one line with its top-left corner at (x, y).
using DrawTextLine = std::function<void(int x, int y, std::string_view line)>;

// Draws `text` in lines from (x, y) inside a box of `width` x `height`: as many lines as the box
// holds (3 when `height` is 0), each broken after a space where one is near, and each line
// `extraSpacing` below the font height under the one before.
void DrawWrappedText(const TextMetrics& metrics, const DrawTextLine& draw, std::string_view text, int x,
                     int y, int width, int height, int extraSpacing);

} // namespace tavo

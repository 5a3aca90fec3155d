#include "engine/wrapped_text.h"

#include <algorithm>
#include <cstddef>

namespace tavo {

void DrawWrappedText(const TextMetrics& metrics, const DrawTextLine& draw, std::string_view text, int x,
                     int y, int width, int height, int extraSpacing) {
    // A box without a height still shows a short paragraph.
    int lineCount = 3;
    if (height != 0) {
        const int lineHeight = metrics.TextExtent(text).height;
        lineCount = lineHeight > 0 ? height / lineHeight : 0;
    }

    // A cautious guess of how many characters fit, kept even.
    int guess = width / (std::max(metrics.AverageCharWidth(), 0) + 1) - 1;
    if (guess % 2 != 0) --guess;
    if (guess <= 0) return; // not even two characters fit
    const auto perLine = static_cast<std::size_t>(guess);

    std::string_view rest = text;
    for (int drawn = 0; !rest.empty() && drawn < lineCount; ++drawn) {
        const std::string_view piece = rest.substr(0, perLine);
        // The end of the text is a word's end too.
        const bool breaksAtSpace = piece.size() == rest.size() || rest[perLine] == ' ' || piece.back() == ' ';
        std::string_view line = piece;
        if (!breaksAtSpace || metrics.TextExtent(piece).width > width) {
            // Back to the last space; a single long word is cut where the guess ends.
            const std::size_t lastSpace = piece.rfind(' ');
            if (lastSpace != std::string_view::npos) line = piece.substr(0, lastSpace + 1);
        }
        draw(x, y, line);
        rest.remove_prefix(line.size());
        y += metrics.FontHeight() + extraSpacing;
    }
}

} // namespace tavo

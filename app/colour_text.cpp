#include "app/colour_text.h"

namespace tavo::app {

int DecimalPrefix(std::string_view text) {
    std::size_t at = 0;
    while (at < text.size() && (text[at] == ' ' || (text[at] >= '\t' && text[at] <= '\r')))
        ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) negative = text[at++] == '-';
    // Unsigned arithmetic: a value too long for an int wraps instead of overflowing.
    std::uint32_t value = 0;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at)
        value = value * 10u + static_cast<std::uint32_t>(text[at] - '0');
    if (negative) value = 0u - value;
    return static_cast<int>(value);
}

Colour ColourReader::Read(std::string_view text) {
    for (int& component : components_) {
        const std::string_view piece = text.substr(0, text.find(','));
        // An empty piece leaves the text as it is, so every later component sees it empty too.
        if (piece.empty()) continue;
        text.remove_prefix(piece.size() < text.size() ? piece.size() + 1 : piece.size());
        component = DecimalPrefix(piece);
    }
    const auto low8 = [](int value) { return static_cast<Colour>(value) & 0xFFu; };
    return low8(components_[0]) | low8(components_[1]) << 8 | low8(components_[2]) << 16;
}

} // namespace tavo::app

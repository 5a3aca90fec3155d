#include "app/ansi_text.h"

#include <array>

namespace tavo::app {

namespace {

// Characters of bytes 0x80-0x9F; the five bytes without one keep their C1 value, so every byte
// goes there and back unchanged.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char ToAnsiByte(char16_t unit) {
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) return static_cast<char>(unit);
    for (std::size_t i = 0; i < kHighControls.size(); ++i)
        if (kHighControls[i] == unit) return static_cast<char>(0x80 + i);
    return '?';
}

} // namespace

QString FromAnsi(std::string_view text) {
    QString result;
    result.reserve(static_cast<qsizetype>(text.size()));
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        result.append(QChar(byte >= 0x80 && byte < 0xA0 ? kHighControls[byte - 0x80u] : char16_t{byte}));
    }
    return result;
}

std::string ToAnsi(const QString& text) {
    std::string result;
    result.reserve(static_cast<std::size_t>(text.size()));
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar unit = text.at(i);
        // A surrogate pair is one character, and not one of cp1252's.
        if (unit.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) ++i;
        result += ToAnsiByte(unit.unicode());
    }
    return result;
}

} // namespace tavo::app

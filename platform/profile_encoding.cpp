#include "platform/profile_encoding.h"

#include <array>
#include <cstdint>

namespace plat::profile {

namespace {

// Code points of cp1252 bytes 0x80-0x9F; the five bytes without a character keep their C1 value.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

constexpr char kUnmappable = '?';

char32_t FromAnsi(unsigned char byte) {
    if (byte >= 0x80 && byte < 0xA0) return kHighControls[byte - 0x80u];
    return byte;
}

char ToAnsi(char32_t codePoint) {
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF)) return static_cast<char>(codePoint);
    for (std::size_t i = 0; i < kHighControls.size(); ++i)
        if (kHighControls[i] == codePoint) return static_cast<char>(0x80 + i);
    return kUnmappable;
}

bool IsContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// One UTF-8 sequence at `pos`: its code point and length, or a length of 1 and an unmappable
// result for a malformed sequence (overlong, surrogate, out of range, cut short).
char32_t NextUtf8(std::string_view raw, std::size_t pos, std::size_t& length) {
    auto lead = static_cast<unsigned char>(raw[pos]);
    length = 1;
    if (lead < 0x80) return lead;
    std::size_t need = 0;
    char32_t value = 0;
    char32_t minimum = 0;
    if ((lead & 0xE0) == 0xC0) {
        need = 1, value = lead & 0x1Fu, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        need = 2, value = lead & 0x0Fu, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        need = 3, value = lead & 0x07u, minimum = 0x10000;
    } else {
        return 0xFFFD;
    }
    if (raw.size() - pos <= need) return 0xFFFD;
    for (std::size_t i = 1; i <= need; ++i) {
        auto byte = static_cast<unsigned char>(raw[pos + i]);
        if (!IsContinuation(byte)) return 0xFFFD;
        value = (value << 6) | (byte & 0x3Fu);
    }
    if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return 0xFFFD;
    length = need + 1;
    return value;
}

void AppendUtf8(std::string& out, char32_t codePoint) {
    if (codePoint < 0x80) {
        out += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        out += static_cast<char>(0xC0 | (codePoint >> 6));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (codePoint >> 12));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}

char16_t Utf16At(std::string_view raw, std::size_t unit, bool bigEndian) {
    auto first = static_cast<unsigned char>(raw[2 * unit]);
    auto second = static_cast<unsigned char>(raw[2 * unit + 1]);
    return static_cast<char16_t>(bigEndian ? (first << 8) | second : (second << 8) | first);
}

std::string DecodeUtf16(std::string_view raw, bool bigEndian) {
    std::string out;
    std::size_t units = raw.size() / 2;
    out.reserve(units);
    for (std::size_t i = 0; i < units; ++i) {
        char16_t unit = Utf16At(raw, i, bigEndian);
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < units) {
            char16_t low = Utf16At(raw, i + 1, bigEndian);
            if (low >= 0xDC00 && low <= 0xDFFF) ++i; // a pair is one character, outside cp1252
        }
        out += ToAnsi(unit);
    }
    return out;
}

std::string EncodeUtf16(std::string_view text, bool bigEndian) {
    std::string out;
    out.reserve(text.size() * 2);
    for (char c : text) {
        char32_t unit = FromAnsi(static_cast<unsigned char>(c));
        char high = static_cast<char>(unit >> 8);
        char low = static_cast<char>(unit & 0xFF);
        out += bigEndian ? high : low;
        out += bigEndian ? low : high;
    }
    return out;
}

} // namespace

DetectedEncoding DetectEncoding(std::string_view bytes) {
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") return {TextEncoding::Utf8, 3};
    if (bytes.substr(0, 2) == "\xFF\xFE") return {TextEncoding::Utf16Le, 2};
    if (bytes.substr(0, 2) == "\xFE\xFF") return {TextEncoding::Utf16Be, 2};
    return {};
}

std::string DecodeToAnsi(TextEncoding encoding, std::string_view raw) {
    switch (encoding) {
    case TextEncoding::Ansi:
        return std::string(raw);
    case TextEncoding::Utf16Le:
        return DecodeUtf16(raw, false);
    case TextEncoding::Utf16Be:
        return DecodeUtf16(raw, true);
    case TextEncoding::Utf8:
        break;
    }
    std::string out;
    out.reserve(raw.size());
    for (std::size_t pos = 0; pos < raw.size();) {
        std::size_t length = 1;
        out += ToAnsi(NextUtf8(raw, pos, length));
        pos += length;
    }
    return out;
}

std::string EncodeFromAnsi(TextEncoding encoding, std::string_view text) {
    switch (encoding) {
    case TextEncoding::Ansi:
        return std::string(text);
    case TextEncoding::Utf16Le:
        return EncodeUtf16(text, false);
    case TextEncoding::Utf16Be:
        return EncodeUtf16(text, true);
    case TextEncoding::Utf8:
        break;
    }
    std::string out;
    out.reserve(text.size());
    for (char c : text)
        AppendUtf8(out, FromAnsi(static_cast<unsigned char>(c)));
    return out;
}

} // namespace plat::profile

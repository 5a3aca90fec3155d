#pragma once
// Letter case as Windows folds file, key and section names here: ASCII letters only, every other
// byte (of a code page or of UTF-8) left as it is.
#include <cstddef>
#include <string>
#include <string_view>

namespace plat {

constexpr char UpperAscii(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

constexpr char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

inline std::string UpperAscii(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) c = UpperAscii(c);
    return upper;
}

inline std::string LowerAscii(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) c = LowerAscii(c);
    return lower;
}

constexpr bool EqualNoCaseAscii(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (UpperAscii(a[i]) != UpperAscii(b[i])) return false;
    return true;
}

constexpr bool StartsWithNoCaseAscii(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && EqualNoCaseAscii(text.substr(0, prefix.size()), prefix);
}

constexpr bool EndsWithNoCaseAscii(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() && EqualNoCaseAscii(text.substr(text.size() - suffix.size()), suffix);
}

} // namespace plat

#include "engine/indexed_format.h"

#include <cstdint>

namespace tavo {

namespace {

constexpr std::size_t kMaxField = 64; // widths and precisions beyond this make no name

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

struct Conversion {
    std::size_t length = 0; // 0: not an integer conversion
    bool left = false, plus = false, space = false, zero = false;
    std::size_t width = 0;
    bool hasPrecision = false;
    std::size_t precision = 0;
};

// Reads digits from `at`; false when they make a number above kMaxField.
bool ReadNumber(std::string_view format, std::size_t& at, std::size_t& value) {
    value = 0;
    while (at < format.size() && IsDigit(format[at])) {
        value = value * 10 + static_cast<std::size_t>(format[at] - '0');
        if (value > kMaxField) return false;
        ++at;
    }
    return true;
}

// The integer conversion that starts at `at` (a '%').
Conversion ReadConversion(std::string_view format, std::size_t at) {
    Conversion c;
    std::size_t end = at + 1;
    for (; end < format.size(); ++end) {
        const char flag = format[end];
        if (flag == '-') c.left = true;
        else if (flag == '+') c.plus = true;
        else if (flag == ' ') c.space = true;
        else if (flag == '0') c.zero = true;
        else break;
    }
    if (!ReadNumber(format, end, c.width)) return {};
    if (end < format.size() && format[end] == '.') {
        ++end;
        c.hasPrecision = true;
        if (!ReadNumber(format, end, c.precision)) return {};
    }
    if (end < format.size() && (format[end] == 'd' || format[end] == 'i')) c.length = end + 1 - at;
    return c.length ? c : Conversion{};
}

// The number as printf's "%d" writes it with these flags.
std::string Render(const Conversion& c, int value) {
    const std::int64_t wide = value;
    std::string digits = std::to_string(wide < 0 ? -wide : wide);
    if (c.hasPrecision) {
        if (c.precision == 0 && value == 0) digits.clear();
        if (digits.size() < c.precision) digits.insert(0, c.precision - digits.size(), '0');
    }
    std::string sign = value < 0 ? "-" : c.plus ? "+" : c.space ? " " : "";
    const std::size_t used = sign.size() + digits.size();
    if (used >= c.width) return sign + digits;
    const std::size_t pad = c.width - used;
    if (c.left) return sign + digits + std::string(pad, ' ');
    if (c.zero && !c.hasPrecision) return sign + std::string(pad, '0') + digits;
    return std::string(pad, ' ') + sign + digits;
}

} // namespace

std::string FormatIndexed(std::string_view format, std::span<const int> values) {
    std::string result;
    auto next = values.begin();
    for (std::size_t at = 0; at < format.size();) {
        if (format[at] != '%') {
            result += format[at++];
            continue;
        }
        if (at + 1 < format.size() && format[at + 1] == '%') {
            result += '%';
            at += 2;
            continue;
        }
        const Conversion conversion = ReadConversion(format, at);
        if (conversion.length == 0 || next == values.end()) {
            result += format[at++];
            continue;
        }
        result += Render(conversion, *next++);
        at += conversion.length;
    }
    return result;
}

} // namespace tavo

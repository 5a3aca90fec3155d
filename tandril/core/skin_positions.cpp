#include "tandril/core/skin_positions.h"

#include "platform/profile.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>
#include <limits>
#include <string>

namespace tandril {

namespace {

// A field as the C library reads a number: leading blanks, a sign, the digits as far as they go;
// 0 when it does not start with a number, the nearest limit when it does not fit.
int FieldNumber(std::string_view field) {
    std::size_t at = 0;
    while (at < field.size() && std::isspace(static_cast<unsigned char>(field[at])))
        ++at;
    bool negative = false;
    if (at < field.size() && (field[at] == '+' || field[at] == '-')) negative = field[at++] == '-';
    std::int64_t value = 0;
    constexpr std::int64_t limit = std::int64_t{std::numeric_limits<int>::max()} + 1;
    for (; at < field.size() && std::isdigit(static_cast<unsigned char>(field[at])); ++at)
        value = std::min(value * 10 + (field[at] - '0'), limit);
    return static_cast<int>(std::clamp<std::int64_t>(
        negative ? -value : value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

int Sum(int origin, int extent) {
    return static_cast<int>(std::clamp<std::int64_t>(
        std::int64_t{origin} + extent, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

SkinRect ReadRect(std::string_view skinIni, std::string_view key) {
    const std::string value = plat::ProfileString(skinIni, "Main", key);
    std::array<std::string_view, 4> fields;
    std::string_view rest = value;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const std::size_t comma = rest.find(',');
        if (comma == std::string_view::npos && i < 3) return {};
        fields[i] = rest.substr(0, comma);
        rest = comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);
    }
    const int x = FieldNumber(fields[0]);
    const int y = FieldNumber(fields[1]);
    return {x, y, Sum(x, FieldNumber(fields[2])), Sum(y, FieldNumber(fields[3]))};
}

enum class Resolution { k1280, k1024, kOther };

Resolution ResolutionOf(std::string_view skinIni) {
    if (skinIni.find("CommRes1280") != std::string_view::npos) return Resolution::k1280;
    if (skinIni.find("CommRes1024") != std::string_view::npos) return Resolution::k1024;
    return Resolution::kOther;
}

SkinPoint DefaultPosition(Resolution resolution, int panelKind, int index) {
    if (index < 0) return {};
    if (panelKind == kIconPanel3) {
        const int base = resolution == Resolution::k1280 ? 100 : 90;
        const int step = resolution == Resolution::k1280 ? 30 : resolution == Resolution::k1024 ? 22 : 17;
        // The fifth row sits where the fourth would: the panel has no icon 4 of its own.
        const std::int64_t row = index <= 3 ? index : std::int64_t{index} - 1;
        return {8,
                static_cast<int>(std::min<std::int64_t>(base + step * row, std::numeric_limits<int>::max()))};
    }
    if (index > 3) return {};
    static constexpr SkinPoint k1280[] = {{330, 4}, {380, 18}, {380, 32}, {380, 4}};
    static constexpr SkinPoint k1024[] = {{238, 3}, {276, 15}, {276, 26}, {276, 4}};
    static constexpr SkinPoint kOther[] = {{182, 3}, {214, 11}, {214, 20}, {214, 2}};
    switch (resolution) {
    case Resolution::k1280:
        return k1280[index];
    case Resolution::k1024:
        return k1024[index];
    case Resolution::kOther:
        break;
    }
    return kOther[index];
}

} // namespace

SkinRect GetLive(std::string_view skinIni) {
    return ReadRect(skinIni, "LivePos");
}

SkinRect GetAnimation(std::string_view skinIni) {
    return ReadRect(skinIni, "AnimationPos");
}

SkinPoint GetIconDst(std::string_view skinIni, int panelKind, int index) {
    if (panelKind != kIconPanel1 && panelKind != kIconPanel3) return {};
    const SkinPoint fallback = DefaultPosition(ResolutionOf(skinIni), panelKind, index);
    const std::int64_t key = std::int64_t{index} + (panelKind == kIconPanel1 ? 3 : 5);
    const std::string entry =
        plat::ProfileString(skinIni, panelKind == kIconPanel1 ? "Panel1" : "Panel3", std::to_string(key));
    // Fields 1 to 7 describe the icon's bitmap; an entry that ends before them gives no position.
    std::string_view rest = entry;
    for (int field = 0; field < 7; ++field) {
        const std::size_t comma = rest.find(',');
        rest = comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);
    }
    const std::size_t comma = rest.find(',');
    if (comma == std::string_view::npos) return fallback;
    const std::string_view xField = rest.substr(0, comma);
    std::string_view yField = rest.substr(comma + 1);
    yField = yField.substr(0, yField.find(','));
    return {xField.empty() ? fallback.x : FieldNumber(xField),
            yField.empty() ? fallback.y : FieldNumber(yField)};
}

} // namespace tandril

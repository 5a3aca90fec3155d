#include "app/page_description.h"

#include "app/setting_value.h"

#include <cstdlib>
#include <string>

namespace tavo::app {

namespace {

// A decimal number as the C library reads one: leading blanks, a sign, digits as far as they go.
int DecimalPrefix(const std::string& text) {
    const long long value = std::strtoll(text.c_str(), nullptr, 10);
    return static_cast<int>(value);
}

} // namespace

Point ParsePoint(std::string_view text) {
    const std::size_t comma = text.find(',');
    const std::string x(text.substr(0, comma));
    const std::string y =
        comma == std::string_view::npos ? std::string() : std::string(text.substr(comma + 1));
    return {DecimalPrefix(x), DecimalPrefix(y)};
}

void ReadDescription(std::string_view section, PageDescriptions& descriptions) {
    descriptions.titlePositions.push_back(ParsePoint(SettingText(section, "Description_Title_Pt")));
    descriptions.titles.push_back(SettingText(section, "Text_Description_Title"));
    descriptions.contentPositions.push_back(ParsePoint(SettingText(section, "Description_Content_Pt")));
    descriptions.contents.push_back(SettingText(section, "Text_Description_Content"));
}

} // namespace tavo::app

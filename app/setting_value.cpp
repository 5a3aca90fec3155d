#include "app/setting_value.h"

#include "engine/utilities.h"

namespace tavo::app {

std::string SettingText(std::string_view section, std::string_view key) {
    std::string text;
    int unused = 0;
    ReadSettingValue(section, key, kValueString, text, unused, 0);
    return text;
}

int SettingInt(std::string_view section, std::string_view key) {
    std::string unused;
    int value = 0;
    ReadSettingValue(section, key, kValueInteger, unused, value, 0);
    return value;
}

} // namespace tavo::app

#pragma once
// One key of the settings INI, read through ReadSettingValue: a missing key gives 0 or "".
#include <string>
#include <string_view>

namespace tavo::app {

std::string SettingText(std::string_view section, std::string_view key);
int SettingInt(std::string_view section, std::string_view key);

} // namespace tavo::app

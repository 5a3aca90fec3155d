#include "app/button_look.h"

#include "app/setting_value.h"

namespace tavo::app {

Rect ReadIntroductionRect() {
    const int x = SettingInt("Introduction", "OriginalX");
    const int y = SettingInt("Introduction", "OriginalY");
    return {x, y, x + SettingInt("Introduction", "Width"), y + SettingInt("Introduction", "Height")};
}

ButtonPlacement ReadButtonPlacement(std::string_view section) {
    const int x = SettingInt(section, "OriginalX");
    const int y = SettingInt(section, "OriginalY");
    return {{x, y, x, y}, SettingText(section, "Text")};
}

std::string ButtonStateFile(std::string_view normalFile, std::string_view suffix) {
    const std::size_t keep = normalFile.size() > 10 ? normalFile.size() - 10 : 0;
    return std::string(normalFile.substr(0, keep)).append(suffix);
}

ButtonLook ReadButtonLook(std::string_view section, std::string_view programFolder) {
    ButtonLook look;
    look.introduction = SettingText(section, "Text_Introduction");
    if (SettingInt(section, "BimapStyle") == 0) return look;

    const std::string normalPath = std::string(programFolder) + SettingText(section, "BimapFile");
    std::optional<PackedDib> normal = LoadBmpFile(normalPath);
    if (!normal) return look;

    const auto stateImage = [&](std::string_view suffix) {
        std::optional<PackedDib> image = LoadBmpFile(ButtonStateFile(normalPath, suffix));
        return image ? std::move(*image) : *normal;
    };
    PackedDib focus = stateImage("Focus.bmp");
    PackedDib down = stateImage("Down.bmp");
    PackedDib disabled = stateImage("Disable.bmp");
    look.images =
        std::array<PackedDib, 4>{std::move(*normal), std::move(focus), std::move(down), std::move(disabled)};

    const std::string mask = SettingText(section, "BimapMaskColor");
    if (!mask.empty()) look.maskColour = ColourReader().Read(mask);
    return look;
}

} // namespace tavo::app

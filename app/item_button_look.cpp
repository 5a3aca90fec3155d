#include "app/item_button_look.h"

#include "app/setting_value.h"

#include <cstdio>

namespace tavo::app {

ItemButtonLayout ReadItemButtonLayout(int itemNumber) {
    char section[32];
    std::snprintf(section, sizeof section, "Restore_Item%d", itemNumber);
    const std::string name = section;
    ItemButtonLayout layout;
    layout.text = SettingText(name, "Text");
    layout.introduction = SettingText(name, "Text_Introduction");
    layout.tip = SettingText(name, "Text_Tip");
    const int x = SettingInt(name, "OriginalX");
    const int y = SettingInt(name, "OriginalY");
    layout.rect = {x, y, x + SettingInt(name, "Width"), y + SettingInt(name, "Height")};
    layout.bitmapFile = SettingText(name, "BimapFile");
    return layout;
}

std::array<std::string, 5> ItemStateFiles(std::string_view bitmapFile) {
    std::array<std::string, 5> files{std::string(bitmapFile)};
    const std::size_t up = bitmapFile.find("Up.");
    if (up == std::string_view::npos) return files;
    const std::string stem(bitmapFile.substr(0, up));
    files[kItemDown] = stem + "Down.bmp";
    files[kItemDisabled] = stem + "Disable.bmp";
    files[kItemPlay] = stem + "Play.bmp";
    files[kItemFocus] = stem + "Focus.bmp";
    return files;
}

std::string ResolveProgramFile(std::string_view name, std::string_view programFolder) {
    const bool drivePath = name.size() >= 2 && name[1] == ':';
    const bool networkPath = name.starts_with("\\\\");
    if (drivePath || networkPath) return std::string(name);
    if (name.starts_with('\\')) name.remove_prefix(1); // the folder brings its own separator
    return std::string(programFolder).append(name);
}

ItemPictures LoadItemPictures(const ItemButtonLayout& layout, std::string_view programFolder) {
    ItemPictures pictures;
    const std::array<std::string, 5> files = ItemStateFiles(layout.bitmapFile);
    const int width = layout.rect.right - layout.rect.left;
    const int height = layout.rect.bottom - layout.rect.top;
    for (std::size_t state = 0; state < files.size(); ++state) {
        if (files[state].empty()) continue;
        if (std::optional<PackedDib> picture = LoadBmpFile(ResolveProgramFile(files[state], programFolder)))
            pictures[state] = CropDib(*picture, width, height);
    }
    return pictures;
}

bool TooltipWanted(std::string_view tip) {
    if (tip.size() != 4) return true;
    for (std::size_t i = 0; i < 4; ++i)
        if ((tip[i] & ~0x20) != "NULL"[i]) return true;
    return false;
}

const std::string& PressIntroduction(const ItemButtonLayout& layout) {
    return layout.tip.empty() ? layout.introduction : layout.tip;
}

} // namespace tavo::app

#include "catalogue/catalogue_item.h"

#include "catalogue/catalogue_paths.h"
#include "catalogue/selection_code.h"
#include "engine/utilities.h"
#include "platform/profile.h"

namespace tavo {

namespace {

std::string ReadText(const std::string& section, std::string_view key) {
    std::string text;
    int unused = 0;
    ReadCatalogueValue(section, key, kValueString, text, unused, 0);
    return text;
}

int ReadNumber(const std::string& section, std::string_view key) {
    std::string unused;
    int number = 0;
    ReadCatalogueValue(section, key, kValueInteger, unused, number, 0);
    return number;
}

int FallbackCode(const std::string& section) {
    return static_cast<int>(plat::ProfileInt(ExportFilePath(), section, "SUB_ID_KEY", kCodeUnchecked));
}

} // namespace

std::string ItemSectionName(std::string_view prefix, int number) {
    std::string name(prefix);
    name += '_';
    name += std::to_string(number);
    return name;
}

CatalogueItem ReadCatalogueItem(std::string_view prefix, int number) {
    CatalogueItem item;
    item.section = ItemSectionName(prefix, number);
    item.file = ReadText(item.section, "File");
    item.label = ReadText(item.section, "Text_Menu");
    item.subNum = ReadNumber(item.section, "SubNum");
    item.description = ReadText(item.section, "Text_Description");
    item.relationship = ReadNumber(item.section, "RelationShip");
    item.defaultValue = ReadText(item.section, "Default_Value");
    item.defaultCode = SelectionCodeFromKeyword(item.defaultValue);
    item.subIdKey = ReadText(item.section, "SUB_ID_KEY");
    item.fallbackCode = FallbackCode(item.section);
    return item;
}

CatalogueItem MissingCatalogueItem(std::string_view prefix, int number) {
    CatalogueItem item;
    item.section = ItemSectionName(prefix, number);
    item.fallbackCode = FallbackCode(item.section);
    return item;
}

} // namespace tavo

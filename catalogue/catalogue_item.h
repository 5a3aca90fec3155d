#pragma once
// One item section of the catalogue, as read: the section named "%s_%d" from a prefix (a product
// key or a parent's section) and a number. A number with no section behind it reads as an item
// with empty texts.
#include <string>
#include <string_view>

namespace tavo {

struct CatalogueItem {
    std::string section;      // "DVR_3_2": also the prefix of the item's own sub-items
    std::string file;         // "File": the action file, relative to the program folder
    std::string label;        // "Text_Menu"
    int subNum = 0;           // "SubNum": sub-items; 0 or less means none
    std::string description;  // "Text_Description"
    int relationship = 0;     // "RelationShip": read for every product, used for the DVR only
    std::string defaultValue; // "Default_Value", a selection keyword
    // The keyword's code (0 for an unknown keyword). It is read and kept, but it never decides an
    // item's state: the fallback code below does.
    int defaultCode = 0;
    std::string subIdKey; // "SUB_ID_KEY": the key of the item's code in the export file
    // Key "SUB_ID_KEY" of this section in the export file, 1 when missing: the item's code when
    // the export file's product section has no entry for it.
    int fallbackCode = 1;
};

// "%s_%d" from a prefix and a number.
std::string ItemSectionName(std::string_view prefix, int number);

// Reads the catalogue keys in the order "File", "Text_Menu", "SubNum", "Text_Description",
// "RelationShip", "Default_Value", "SUB_ID_KEY", then the section fallback code from the export file.
CatalogueItem ReadCatalogueItem(std::string_view prefix, int number);

// The item ReadCatalogueItem gives for a number with no section behind it, with only the export
// file read: a catalogue that declares far more items than it holds loads without reading every
// key of every missing section.
CatalogueItem MissingCatalogueItem(std::string_view prefix, int number);

} // namespace tavo

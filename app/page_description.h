#pragma once
// The description of a page, read from its section of the settings INI ("General" for the item
// page): where its title and its content go, and their texts.
#include <string>
#include <string_view>
#include <vector>

namespace tavo::app {

struct Point {
    int x = 0;
    int y = 0;
    bool operator==(const Point&) const = default;
};

struct PageDescriptions {
    std::vector<Point> titlePositions;
    std::vector<Point> contentPositions;
    std::vector<std::string> titles;
    std::vector<std::string> contents;
};

// "x,y": the decimal number before the first ',' and the one after it, each read as far as it goes
// (a missing or non-numeric part is 0).
Point ParsePoint(std::string_view text);

// Appends the description of a section: "Description_Title_Pt", "Text_Description_Title",
// "Description_Content_Pt" and "Text_Description_Content".
void ReadDescription(std::string_view section, PageDescriptions& descriptions);

} // namespace tavo::app

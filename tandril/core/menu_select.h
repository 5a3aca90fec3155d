#pragma once
// The library's text file, "MenuSelect.ini" in the library folder: dialog texts and layout switches.
#include <string>
#include <string_view>

namespace tandril {

enum MenuSelectMode : int { kMenuSelectInteger = 0, kMenuSelectString = 1 };

// Mode 0 reads an integer (profile-integer rule) into outInt with the given default; mode 1 reads
// the whole string into outText, empty when missing; any other mode does nothing.
void ReadMenuSelectValue(std::string_view section, std::string_view key, int mode, std::string& outText,
                         int& outInt, int defaultInt);

// The string mode as a value: the text of a key, empty when missing.
std::string MenuSelectText(std::string_view section, std::string_view key);

} // namespace tandril

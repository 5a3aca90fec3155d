#include "tandril/core/menu_select.h"

#include "platform/profile.h"
#include "tandril/core/library_state.h"

namespace tandril {

void ReadMenuSelectValue(std::string_view section, std::string_view key, int mode, std::string& outText,
                         int& outInt, int defaultInt) {
    const std::string& file = Library().textFilePath;
    if (mode == kMenuSelectInteger) {
        outInt = static_cast<int>(plat::ProfileInt(file, section, key, defaultInt));
    } else if (mode == kMenuSelectString) {
        outText = plat::ProfileString(file, section, key, "");
    }
}

std::string MenuSelectText(std::string_view section, std::string_view key) {
    std::string text;
    int unused = 0;
    ReadMenuSelectValue(section, key, kMenuSelectString, text, unused, 0);
    return text;
}

} // namespace tandril

#include "engine/action_file.h"

#include "platform/profile.h"

namespace tavo {

int ActionCount(std::string_view actionFile, std::string_view countKey) {
    const int count = ActionInt(actionFile, "GENERAL", countKey);
    return count > 0 ? count : 0;
}

std::string ActionString(std::string_view actionFile, std::string_view section, std::string_view key) {
    return plat::ProfileString(actionFile, section, key, "");
}

int ActionInt(std::string_view actionFile, std::string_view section, std::string_view key, int defaultValue) {
    // The profile functions hand back the 32 bits of the value; negative values wrap back.
    return static_cast<int>(plat::ProfileInt(actionFile, section, key, defaultValue));
}

std::string EntryKey(std::string_view prefix, int number, std::string_view suffix) {
    std::string key(prefix);
    key += std::to_string(number);
    key += suffix;
    return key;
}

} // namespace tavo

#include "tandril/core/user_define_file.h"

#include "platform/profile.h"
#include "tandril/core/menu_select.h"

#include <algorithm>

namespace tandril {

namespace {

int StoredCount() {
    return static_cast<int>(plat::ProfileInt(kUserDefineIni, "General", "Count", 0));
}

} // namespace

int GetUserDefineCount() {
    // A negative count is no entries, not a count to hand on.
    return std::clamp(StoredCount(), 0, kMaxUserDefines);
}

UserDefineEntry ReadUserDefine(int number) {
    const std::string section = std::to_string(number);
    return {plat::ProfileString(kUserDefineIni, section, "Application", ""),
            plat::ProfileString(kUserDefineIni, section, "File", ""),
            plat::ProfileString(kUserDefineIni, section, "Param", "")};
}

std::vector<UserDefineEntry> LoadUserDefines() {
    std::vector<UserDefineEntry> entries;
    const int count = GetUserDefineCount();
    for (int number = 1; number <= count; ++number)
        entries.push_back(ReadUserDefine(number));
    return entries;
}

bool SaveUserDefines(const std::vector<UserDefineEntry>& entries) {
    bool written =
        plat::WriteProfileString(kUserDefineIni, "General", "Count", std::to_string(entries.size()));
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::string section = std::to_string(i + 1);
        written = plat::WriteProfileString(kUserDefineIni, section, "Application", entries[i].application) &&
                  written;
        written = plat::WriteProfileString(kUserDefineIni, section, "File", entries[i].file) && written;
        written = plat::WriteProfileString(kUserDefineIni, section, "Param", entries[i].param) && written;
    }
    return written;
}

std::string UserDefineTip() {
    if (StoredCount() == 1)
        return plat::ProfileString(kUserDefineIni, "1", "Application", "").substr(0, kTipNameLimit);
    return MenuSelectText("General", "Text_X81_Title_UserDefine");
}

} // namespace tandril

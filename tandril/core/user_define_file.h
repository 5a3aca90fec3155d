#pragma once
// The list of user-defined applications in "OrvUserDefine.ini" (Windows folder): section "General"
// key "Count", and one section per entry numbered from 1 with "Application", "File" and "Param".
// Sections numbered above the count may remain from earlier saves and are ignored.
#include <cstddef>
#include <string>
#include <vector>

namespace tandril {

inline constexpr int kMaxUserDefines = 20;
inline constexpr const char* kUserDefineIni = "OrvUserDefine.ini";

// The lengths the edit dialog lets an entry's fields have.
inline constexpr std::size_t kApplicationLimit = 32;
inline constexpr std::size_t kFileLimit = 128;
inline constexpr std::size_t kParamLimit = 100;
// The button's tooltip shows at most this much of the only entry's name.
inline constexpr std::size_t kTipNameLimit = 31;

struct UserDefineEntry {
    std::string application;
    std::string file;
    std::string param;
    bool operator==(const UserDefineEntry&) const = default;
};

// "Count" (default 0), limited to 0 ... 20.
int GetUserDefineCount();
// The stored entry of that number (from 1); missing keys read as empty.
UserDefineEntry ReadUserDefine(int number);
// The entries 1 up to the count.
std::vector<UserDefineEntry> LoadUserDefines();
// Writes "Count" and then each entry's three keys. False when a write failed.
bool SaveUserDefines(const std::vector<UserDefineEntry>& entries);

// The tooltip of the user-define button: when "Count" is exactly 1, that entry's name (at most 31
// characters); otherwise the list title "Text_X81_Title_UserDefine" of the text file.
std::string UserDefineTip();

} // namespace tandril

#pragma once
// A fresh machine for one library test: its own prefix, the library set up as loaded from
// "C:\Lib\Tandril.dll", and a scripted operator as the main operator.
#include "platform/profile.h"
#include "support/scripted_operator.h"
#include "support/temp_prefix.h"
#include "tandril/core/library_state.h"
#include "tandril/core/user_define_file.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace tavo::test {

class TandrilTest : public ::testing::Test {
  protected:
    static constexpr const char* kTextFile = "C:\\Lib\\MenuSelect.ini";

    TandrilTest() : scope_(op) {
        tandril::Library() = {};
        tandril::InitialiseLibrary("C:\\Lib\\Tandril.dll");
    }

    // Writes "OrvUserDefine.ini" with these entries and a count of their number (or `count`).
    void WriteUserDefines(const std::vector<tandril::UserDefineEntry>& entries,
                          std::optional<int> count = std::nullopt) const {
        prefix.WriteHost("C:\\WINDOWS\\OrvUserDefine.ini", "");
        plat::WriteProfileString(tandril::kUserDefineIni, "General", "Count",
                                 std::to_string(count.value_or(static_cast<int>(entries.size()))));
        for (std::size_t i = 0; i < entries.size(); ++i) {
            const std::string section = std::to_string(i + 1);
            plat::WriteProfileString(tandril::kUserDefineIni, section, "Application", entries[i].application);
            plat::WriteProfileString(tandril::kUserDefineIni, section, "File", entries[i].file);
            plat::WriteProfileString(tandril::kUserDefineIni, section, "Param", entries[i].param);
        }
    }

    // Entries "App1" ... with files "C:\Apps\appN.exe".
    static std::vector<tandril::UserDefineEntry> Numbered(int count) {
        std::vector<tandril::UserDefineEntry> entries;
        for (int i = 1; i <= count; ++i)
            entries.push_back({"App" + std::to_string(i), "C:\\Apps\\app" + std::to_string(i) + ".exe", ""});
        return entries;
    }

    TempPrefix prefix;
    ScriptedOperator op;

  private:
    MainOperatorScope scope_;
};

} // namespace tavo::test

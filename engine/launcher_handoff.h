#pragma once
// The engine's hand-over to the shared library, which keeps the user-define launcher button of the
// suite's skin files in line with the number of user-defined applications. The engine does not link
// the library: the host program sets these functions (the window program through the library's C
// ABI, tavoctl and tests with the library's logic). Until a host sets them nothing is handed over.
#include <string_view>

namespace tavo {

struct LauncherHost {
    // The number of user-defined applications.
    int (*getUserDefineCount)() = nullptr;
    // The library writes the button from the previous to the new count and finds the suite folder
    // itself, asking through the main operator when the machine does not name it.
    void (*writeButton)(int previousCount, int newCount) = nullptr;
    // The same with the suite folder given (ends in '\').
    void (*writeButtonWithPath)(int previousCount, int newCount, std::string_view suiteFolder) = nullptr;
};

// Null: no hand-off. The host keeps the functions alive for as long as they are set.
void SetLauncherHost(const LauncherHost* host);
const LauncherHost* CurrentLauncherHost();

// The end of a restore and the start of a reset to defaults of an action file whose path contains
// "General.ini" (letter case counts): the button follows the applications now on the machine.
void HandOffAfterRestore(std::string_view actionFile);
void HandOffBeforeDefaults(std::string_view actionFile);

// The user-define INI is being copied: its "Count" before (at the destination) and after (in the
// source), read before the copy; Report then hands both to the library.
class UserDefineCopy {
  public:
    UserDefineCopy(std::string_view source, std::string_view destination);
    void Report() const;

  private:
    int before_ = 0;
    int after_ = 0;
};

} // namespace tavo

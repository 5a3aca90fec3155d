#pragma once
// The program folder of a tavoctl run: the package folder given on the command line, or the folder
// tavoctl itself lives in, as the window program uses its own folder. Filling it also points the
// engine's settings INI where the window program finds it: the program folder without its final
// '\' followed by the value of "IniFile" in section "autorun" of its "AutoRun.inf".
#include <optional>
#include <string>

namespace tavo::cli {

// `windowsFolder` empty: the folder of the running program. Returns the program folder with its
// trailing '\'; nullopt when the running program's folder has no Windows form.
std::optional<std::string> UseProgramFolder(const std::string& windowsFolder);

} // namespace tavo::cli

#include "catalogue/install_path_journal.h"

#include "engine/utilities.h"
#include "platform/paths.h"
#include "platform/profile.h"

#include <string>

namespace tavo {

namespace {
constexpr std::string_view kJournal = "TavoRestore.ini";
}

void NoteDvrInstallPath(std::string_view installPath) {
    plat::WriteProfileString(kJournal, "General", "InstallPath", installPath);
}

void RecoverDvrInstallPath() {
    const std::string noted = plat::ProfileString(kJournal, "General", "InstallPath");
    if (!noted.empty()) plat::WriteProfileString("OrvMulti.ini", "General", "InstallPath", noted);
}

void ForgetDvrInstallPath() {
    DeleteUnlessProgram(plat::ProfileFilePath(kJournal));
}

} // namespace tavo

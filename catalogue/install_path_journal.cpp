#include "catalogue/install_path_journal.h"

#include "engine/run_log.h"
#include "engine/utilities.h"
#include "platform/error.h"
#include "platform/paths.h"
#include "platform/profile.h"

#include <string>
#include <utility>
#include <vector>

namespace tavo {

namespace {
constexpr std::string_view kJournal = "TavoRestore.ini";
constexpr std::string_view kMulti = "OrvMulti.ini";
constexpr std::string_view kPal = "OrvPal.ini";

bool WriteBack(std::string_view file, std::string_view key, std::string_view value, std::string_view what) {
    if (plat::WriteProfileString(file, "General", key, value)) return true;
    CurrentRunLog().Record(RunEvent::Failed, plat::ProfileFilePath(file),
                           std::string(what) + " cannot be written back, error " +
                               std::to_string(plat::LastError()) + "; the next run puts it back");
    return false;
}
} // namespace

void NoteDvrSettings(std::string_view installPath, std::optional<int> pal) {
    std::vector<std::pair<std::string, std::string>> values{{"InstallPath", std::string(installPath)}};
    if (pal) values.emplace_back("PAL", std::to_string(*pal));
    plat::WriteProfileValues(kJournal, "General", values);
}

void RecoverDvrSettings() {
    const std::string noted = plat::ProfileString(kJournal, "General", "InstallPath");
    if (!noted.empty()) plat::WriteProfileString(kMulti, "General", "InstallPath", noted);
    const std::string pal = plat::ProfileString(kJournal, "General", "PAL");
    if (!pal.empty()) plat::WriteProfileString(kPal, "General", "PAL", pal);
}

bool WriteBackDvrSettings(std::string_view installPath, std::optional<int> pal) {
    // Both are tried: one failing does not keep the other from going back.
    bool back = installPath.empty() || WriteBack(kMulti, "InstallPath", installPath, "the live install path");
    if (pal) back = WriteBack(kPal, "PAL", std::to_string(*pal), "the video standard") && back;
    if (back) DeleteUnlessProgram(plat::ProfileFilePath(kJournal));
    return back;
}

} // namespace tavo

#include "engine/launcher_handoff.h"

#include "engine/path_roots.h"
#include "engine/run_log.h"
#include "platform/paths.h"
#include "platform/profile.h"

#include <string>

namespace tavo {

namespace {

const LauncherHost*& Host() {
    static const LauncherHost* host = nullptr;
    return host;
}

bool IsGeneralActionFile(std::string_view actionFile) {
    return actionFile.find("General.ini") != std::string_view::npos;
}

// The library reports no failure: each skin file it could not write is the run's failed entry,
// so that the summary names it.
template <class Write> void Watched(Write write) {
    plat::ProfileWriteWatch watch;
    write();
    for (const plat::ProfileWriteWatch::Failure& failure : watch.failures())
        CurrentRunLog().Record(RunEvent::Failed, plat::ProfileFilePath(failure.file),
                               "the launcher button cannot be written, error " + std::to_string(failure.error));
}

// The DVR's install folder names the suite folder; without it the library finds the folder itself.
void WriteButton(const LauncherHost& host, int previousCount, int newCount) {
    const std::string& suiteFolder = InstallFolder(1);
    Watched([&] {
        if (!suiteFolder.empty())
            host.writeButtonWithPath(previousCount, newCount, suiteFolder);
        else
            host.writeButton(previousCount, newCount);
    });
}

int StoredCount(std::string_view file) {
    return static_cast<int>(plat::ProfileInt(file, "General", "Count", 0));
}

} // namespace

void SetLauncherHost(const LauncherHost* host) {
    Host() = host;
}

const LauncherHost* CurrentLauncherHost() {
    return Host();
}

void HandOffAfterRestore(std::string_view actionFile) {
    const LauncherHost* host = Host();
    if (!host || !IsGeneralActionFile(actionFile)) return;
    const int count = host->getUserDefineCount();
    // The previous count 1 against none now makes the library take the button away.
    WriteButton(*host, count == 0 ? 1 : 0, count);
}

void HandOffBeforeDefaults(std::string_view actionFile) {
    const LauncherHost* host = Host();
    if (!host || !IsGeneralActionFile(actionFile)) return;
    const int count = host->getUserDefineCount();
    if (count != 0) WriteButton(*host, count, 0);
}

UserDefineCopy::UserDefineCopy(std::string_view source, std::string_view destination)
    : before_(StoredCount(destination)), after_(StoredCount(source)) {}

void UserDefineCopy::Report() const {
    const LauncherHost* host = Host();
    if (host) Watched([&] { host->writeButtonWithPath(before_, after_, Roots().activeProductFolder); });
}

} // namespace tavo

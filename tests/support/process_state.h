#pragma once
// The process-wide state of the engine and the product runs, put back as a tavoctl process starts:
// for tests that run several runs in one process (they link the catalogue and the engine).
#include "catalogue/command_messages.h"
#include "engine/package_archive.h"
#include "engine/path_roots.h"
#include "engine/progress.h"
#include "engine/restore_flags.h"
#include "engine/run_log.h"
#include "engine/utilities.h"

namespace tavo::test {

inline void ResetProcessState() {
    Roots() = PathRoots{};
    SpaceCounters() = {};
    SetProgressCounter(0);
    CurrentRunLog().Clear();
    RestoreFlags() = RestoreFlagSet{};
    Messages() = CommandMessages{};
    SetSettingsIniPath({});
    SetPackageArchivePath({});
    ResetPackageArchive();
}

} // namespace tavo::test

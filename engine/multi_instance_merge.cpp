#include "engine/multi_instance_merge.h"

#include "engine/restore_flags.h"
#include "engine/run_log.h"
#include "engine/work_copy.h"
#include "platform/ascii_case.h"
#include "platform/error.h"
#include "platform/files.h"
#include "platform/profile.h"

#include <array>
#include <set>
#include <string>
#include <vector>

namespace tavo {

namespace {

bool& RestoreRunning() {
    static bool running = false;
    return running;
}

constexpr std::array<std::string_view, 4> kNetworkSections{"MirrorHost", "Remote DVR", "Remote Desktop",
                                                           "NetWork"};

// A failed copy is recorded against the live INI, the file the merge could not bring back.
bool CopyRecorded(const std::string& from, std::string_view to, std::string_view live,
                  std::string_view what) {
    if (plat::CopyFileTo(from, to, false)) return true;
    CurrentRunLog().Record(RunEvent::Failed, live,
                           std::string(what) + " " + std::string(to) + " from " + from + " failed, error " +
                               std::to_string(plat::LastError()));
    return false;
}

} // namespace

RestoreRunScope::RestoreRunScope() : previous_(RestoreRunning()) {
    RestoreRunning() = true;
}

RestoreRunScope::~RestoreRunScope() {
    RestoreRunning() = previous_;
}

bool CopyIniSection(std::string_view section, std::string_view from, std::string_view into) {
    std::vector<std::string> entries;
    std::set<std::string> seen;
    for (const std::string& key : plat::ProfileKeys(from, section)) {
        // A later duplicate reads as the first; it would only write the same key again.
        if (!seen.insert(plat::LowerAscii(key)).second) continue;
        entries.push_back(key + '=' + plat::ProfileString(from, section, key, ""));
    }
    // One write, so the section is never seen half replaced.
    if (entries.empty()) return plat::WriteProfileString(into, section, std::nullopt, std::nullopt);
    return plat::WriteProfileSection(into, section, std::move(entries));
}

bool TakesMultiInstanceMerge(std::string_view source) {
    if (!RestoreRunning() || RestoreFlags().plainCopy) return false;
    if (plat::LowerAscii(source).find("orvmulti.ini") == std::string::npos) return false;
    std::uint64_t size = 0;
    std::uint32_t attributes = 0;
    return plat::FileAttributesEx(source, &attributes, &size) && (attributes & plat::kAttrDirectory) == 0 &&
           size > 0;
}

int MergeMultiInstanceIni(std::string_view source, std::string_view destination) {
    std::string side = plat::LowerAscii(source);
    side.replace(side.size() - 4, 4, "_1.ini");
    // Merging from a stale or missing side copy would put old or empty sections into the live file.
    if (!CopyRecorded(std::string(source), side, destination, "side copy")) return 0;
    RunLog& log = CurrentRunLog();
    if (RestoreFlags().networkSelected) {
        // The sections go into a work copy of the live file, which then replaces it whole: a
        // failure part-way leaves the live file as it was, never with some sections new.
        const WorkCopy work("TavoMerge.ini");
        if (plat::FileAttributes(destination) != plat::kInvalidAttributes &&
            !CopyRecorded(std::string(destination), work.path(), destination, "work copy"))
            return 0;
        for (std::string_view section : kNetworkSections) {
            if (CopyIniSection(section, side, work.path())) continue;
            log.Record(RunEvent::Failed, destination,
                       "network section " + std::string(section) + " from " + side + " failed, error " +
                           std::to_string(plat::LastError()));
            return 0;
        }
        if (!CopyRecorded(work.path(), destination, destination, "merged copy")) return 0;
        log.Record(RunEvent::Copied, destination, "network sections from " + side);
        return 1;
    }
    // A live section that cannot be kept in the side copy must not be lost by copying it over.
    for (std::string_view section : kNetworkSections) {
        if (CopyIniSection(section, destination, side)) continue;
        log.Record(RunEvent::Failed, destination,
                   "live network section " + std::string(section) + " cannot be kept, error " +
                       std::to_string(plat::LastError()));
        return 0;
    }
    if (!CopyRecorded(side, destination, destination, "merged copy")) return 0;
    log.Record(RunEvent::Copied, destination, "from " + side + ", live network sections kept");
    return 1;
}

} // namespace tavo

#include "engine/run_log.h"

#include "platform/ascii_case.h"
#include "platform/system.h"

#include <algorithm>
#include <string>

namespace tavo {

void RunLog::Record(RunEvent event, std::string_view path, std::string_view detail) {
    entries_.push_back({event, std::string(path), std::string(detail)});
    if (event == RunEvent::Failed) {
        std::string trace = "tavo: ";
        trace.append(path).append(": ").append(detail).append("\n");
        plat::DebugTrace(trace);
    }
}

std::size_t RunLog::Count(RunEvent event) const {
    return static_cast<std::size_t>(std::count_if(entries_.begin(), entries_.end(),
                                                  [event](const RunLogEntry& e) { return e.event == event; }));
}

bool RunLog::HasFailed(std::string_view path) const {
    return std::any_of(entries_.begin(), entries_.end(), [&](const RunLogEntry& e) {
        return e.event == RunEvent::Failed && plat::EqualNoCaseAscii(e.path, path);
    });
}

RunLog& CurrentRunLog() {
    static RunLog log;
    return log;
}

} // namespace tavo

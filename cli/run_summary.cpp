#include "cli/run_summary.h"

namespace tavo::cli {

std::size_t PrintRunSummary(const RunLog& log, std::string_view command, std::FILE* out, std::FILE* err) {
    const std::size_t failed = log.Count(RunEvent::Failed);
    std::fprintf(out, "%.*s: %zu copied, %zu deleted, %zu kept, %zu skipped, %zu failed\n",
                 static_cast<int>(command.size()), command.data(), log.Count(RunEvent::Copied),
                 log.Count(RunEvent::Deleted), log.Count(RunEvent::Kept), log.Count(RunEvent::Skipped),
                 failed);
    std::fflush(out);
    for (const RunLogEntry& entry : log.entries()) {
        if (entry.event != RunEvent::Failed) continue;
        if (entry.detail.empty())
            std::fprintf(err, "failed: %s\n", entry.path.c_str());
        else
            std::fprintf(err, "failed: %s: %s\n", entry.path.c_str(), entry.detail.c_str());
    }
    std::fflush(err);
    return failed;
}

} // namespace tavo::cli

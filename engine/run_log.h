#pragma once
// What a run did to files and keys, entry by entry, so that a front end can summarise it. Every
// failure is also written to the debug trace.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tavo {

enum class RunEvent {
    Copied,   // a file was copied (path: the destination)
    Deleted,  // a file was deleted
    Kept,     // a program file that a delete passed over, files a reset leaves with their list, or a copy onto itself
    Skipped,  // an entry that named nothing to do (empty value, missing source folder, ...)
    Failed,   // an operation that failed; detail says why
};

struct RunLogEntry {
    RunEvent event;
    std::string path;
    std::string detail;
};

class RunLog {
  public:
    void Record(RunEvent event, std::string_view path, std::string_view detail = {});
    const std::vector<RunLogEntry>& entries() const { return entries_; }
    std::size_t Count(RunEvent event) const;
    // Whether a failed entry names this path, without regard to ASCII case.
    bool HasFailed(std::string_view path) const;
    void Clear() { entries_.clear(); }

  private:
    std::vector<RunLogEntry> entries_;
};

// The process-wide log that the engine records into.
RunLog& CurrentRunLog();

} // namespace tavo

#pragma once
// Watches every host call of this process that creates, changes or removes a file system entry.
// While a guard is armed, such a call on a path outside its allowed folders is refused (EACCES) and
// recorded. The calls are caught by defining the C library's functions in the program itself, which
// therefore exports its symbols (ENABLE_EXPORTS), so the shared libraries' calls land here too.
#include <string>
#include <vector>

namespace tavo::fuzz {

class WriteGuard {
  public:
    // Host folders, absolute and without a trailing '/'.
    explicit WriteGuard(std::vector<std::string> allowedFolders);
    ~WriteGuard();
    WriteGuard(const WriteGuard&) = delete;
    WriteGuard& operator=(const WriteGuard&) = delete;

    // "call path" of every refused call, in order.
    const std::vector<std::string>& Refused() const;
};

} // namespace tavo::fuzz

#pragma once
// The one seam that every change the platform makes on disk passes through: file writes, renames,
// copies, deletes, folders, attributes, registry commits and kernel-object files. In production it
// costs one relaxed atomic load per change. Tests arm it to make the Nth change from now fail as
// the host would fail it (disk full, access denied, I/O error), so that every cleanup path of the
// real failure runs: the caller sees the errno, sets the Win32 last error it maps to, removes its
// temporary, rolls its transaction back. docs/platform.md lists the steps.
#include <atomic>
#include <cerrno>
#include <cstdint>

namespace plat::io {

enum class Step : std::uint32_t {
    Write = 1 << 0,        // data written into a new or temporary file
    Copy = 1 << 1,         // a file's data copied into a temporary file
    Rename = 1 << 2,       // a temporary renamed over its destination
    Flush = 1 << 3,        // a batch of temporaries flushed before their renames
    Delete = 1 << 4,       // a file removed
    MakeFolder = 1 << 5,   // one folder created
    Attributes = 1 << 6,   // a file's read-only attribute changed
    Transaction = 1 << 7,  // a registry write transaction committed
    KernelObject = 1 << 8, // the state file of a named kernel object written
};

// Every step but the kernel objects', which stand for objects that live in memory on Windows.
inline constexpr std::uint32_t kDataSteps = 0xFF;
inline constexpr std::uint32_t kAllSteps = 0x1FF;

namespace detail {
extern std::atomic<bool> armed;
int Reached(Step step);
} // namespace detail

// Called just before the change is made: 0 to go on, else the errno the change fails with.
inline int Fault(Step step) {
    return detail::armed.load(std::memory_order_relaxed) ? detail::Reached(step) : 0;
}

// True to go on; false with errno set as the failing host call would set it.
inline bool Proceed(Step step) {
    const int err = Fault(step);
    if (err != 0) errno = err;
    return err == 0;
}

// Test hooks, for one thread at a time. FailAt counts the steps of the kinds in `steps` from now
// and fails the nth (1 is the next) with `err` (ENOSPC, EACCES, EIO); n 0 only counts.
void FailAt(std::uint64_t n, int err, std::uint32_t steps = kDataSteps);
void Disarm();
// Steps counted since FailAt, and whether the failure was injected.
std::uint64_t StepsCounted();
bool Fired();

} // namespace plat::io

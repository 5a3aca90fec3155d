#pragma once
// Crash loops: a run is repeated with its Nth change on disk failing, for N = 1, 2, ... until a run
// ends without reaching N, and every outcome is compared with the machine before the run and after
// a run without failure. A file or key must be wholly old or wholly new, no temporary may be left
// behind, and whatever is not as the whole run leaves it must be named as failed.
#include "engine/run_log.h"
#include "platform/io_faults.h"
#include "platform/registry.h"
#include "support/temp_prefix.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace tavo::test {

struct FaultKind {
    int err;             // what the host refuses with
    std::uint32_t win32; // the last error it surfaces as
    const char* name;
};

inline constexpr FaultKind kFaultKinds[] = {
    {ENOSPC, 112, "disk full"},
    {EACCES, 5, "access denied"},
    {EIO, 29, "I/O error"},
};

// A fresh machine in memory where the host has a memory file system: the loops run a whole run
// hundreds of times, and on a disk every flush of it would wait for the disk.
class FaultMachine : public TempPrefix {
  public:
    FaultMachine();
};

struct RegistryTop {
    plat::HKey root;
    std::string subKey;
};

// What a person would see of a machine: the files of drive C: by Windows path, and every key below
// the given tops by path, each with its values as registry text.
struct MachineState {
    std::map<std::string, std::string> files;
    std::map<std::string, std::string> keys;
    bool operator==(const MachineState&) const = default;
};

// The engine's folders for the loops' runs: program C:\Prog\, Windows C:\WINDOWS\, temporary
// C:\Temp\, package C:\Pkg\ with its registry folder C:\Pkg\Reg\, the DVR in C:\DVR\; and an
// empty run log.
void UseFaultRoots();

MachineState Snapshot(const TempPrefix& machine, const std::vector<RegistryTop>& tops = {});

// The platform's temporary files anywhere on drive C:.
std::vector<std::string> Temporaries(const TempPrefix& machine);

// The files and keys of `now` that are neither as `before` nor as `after` (a missing one counts as
// a state of its own).
std::vector<std::string> Torn(const MachineState& before, const MachineState& after, const MachineState& now);

// The files and keys that `after` changed but `now` did not.
std::vector<std::string> NotDone(const MachineState& before, const MachineState& after,
                                 const MachineState& now);

// True when a failed entry of the log names `what` (a file, or a key or one of its parents) as its
// path or in its detail, without regard to case.
bool NamedAsFailed(const RunLog& log, const std::string& what);

// Checks one run that failed at some step: no torn file or key, no temporary left behind, and
// every change the run did not make named as failed.
void ExpectWholeOutcome(const TempPrefix& machine, const MachineState& before, const MachineState& after,
                        const MachineState& now, const RunLog& log);

// Runs `attempt(loop)` for n = 1, 2, ... until an attempt does not reach step n. An attempt lays out
// its machine, calls Arm() to fail the nth step from then on with the loop's kind, runs, calls
// Stop() and checks the outcome. Run returns how many steps the whole run took.
class FaultLoop {
  public:
    explicit FaultLoop(const FaultKind& kind) : kind_(kind) {}
    void Arm() const { plat::io::FailAt(n_, kind_.err); }
    // Disarms the seam; true when the nth step was reached and failed.
    bool Stop() const {
        plat::io::Disarm();
        return plat::io::Fired();
    }
    std::uint64_t n() const { return n_; }
    const FaultKind& kind() const { return kind_; }

    template <typename Attempt> std::uint64_t Run(Attempt&& attempt) {
        for (n_ = 1; n_ < kMaxSteps; ++n_) {
            SCOPED_TRACE(std::string(kind_.name) + " at step " + std::to_string(n_));
            attempt(*this);
            plat::io::Disarm();
            if (!plat::io::Fired()) return n_ - 1;
            if (::testing::Test::HasFatalFailure()) return n_;
        }
        ADD_FAILURE() << "the run did not end within " << kMaxSteps << " steps";
        return n_;
    }

  private:
    static constexpr std::uint64_t kMaxSteps = 5000;
    FaultKind kind_;
    std::uint64_t n_ = 0;
};

} // namespace tavo::test

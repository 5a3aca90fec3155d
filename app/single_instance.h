#pragma once
// One copy of Tavo per machine: the named kernel objects the program holds for its lifetime, the
// single-instance lock, and how a second start brings the running copy's window to the front.
//
// The "window handle" a running copy publishes is a number that names its main window to other
// processes: the main window listens on the auto-reset event WindowEventName(number) and comes to
// the front when that event is set.
#include "catalogue/program_probes.h"
#include "platform/kernel.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace tavo::app {

inline constexpr std::string_view kSingleInstanceMutexName = "Orvane_Wexo_Fast_Restore_Ap";

// The named objects of the program, created (or opened, when another process made them) when the
// program loads and closed when it ends; none owned or signalled at creation.
class NamedObjects {
  public:
    NamedObjects();
    ~NamedObjects();
    NamedObjects(const NamedObjects&) = delete;
    NamedObjects& operator=(const NamedObjects&) = delete;

    plat::Handle singleInstance() const { return singleInstance_; }

  private:
    plat::Handle singleInstance_ = 0;
    plat::Handle bringToTop_ = 0;
    // The suite's programs' single-instance locks, held open as probes of whether they run.
    tavo::ProductProbes probes_;
};

// The event on which the main window with this number listens.
std::string WindowEventName(long long windowNumber);

// Asks the window with this number to come to the front. A number that names no listening window
// does nothing.
void ActivateRunningInstance(long long windowNumber);

} // namespace tavo::app

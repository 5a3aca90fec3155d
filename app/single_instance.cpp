#include "app/single_instance.h"

#include <iterator>

namespace tavo::app {

namespace {

constexpr std::string_view kBringToTopEventName = "Orvane_Wexo_Setup_Bring_Window_To_Top";
constexpr std::string_view kProbeNames[] = {
    "XOrvMultiSingleInstanceMutex",     "_ORV_Nodera_Server_LC",
    "XOrvWatchdeckSingleInstanceMutex", "_ORV_PULSEWATCH_S",
    "XOrvBalanceSingleInstanceMutex",
};

void Close(plat::Handle handle) {
    if (handle) plat::CloseObjectHandle(handle);
}

} // namespace

NamedObjects::NamedObjects()
    : singleInstance_(plat::CreateMutexNamed(kSingleInstanceMutexName, false)),
      bringToTop_(plat::CreateEventNamed(kBringToTopEventName, false)) {
    static_assert(std::size(kProbeNames) == kProbeCount);
    for (std::size_t i = 0; i < kProbeCount; ++i)
        probes_[i] = plat::CreateMutexNamed(kProbeNames[i], false);
}

NamedObjects::~NamedObjects() {
    for (plat::Handle probe : probes_)
        Close(probe);
    Close(bringToTop_);
    Close(singleInstance_);
}

bool TryAcquireMutex(plat::Handle mutex, std::uint32_t milliseconds) {
    const std::uint32_t result = plat::WaitForObject(mutex, milliseconds);
    if (result == plat::kWaitObject0) return true;
    if (result != plat::kWaitAbandoned) return false;
    if (plat::WaitForObject(mutex, milliseconds) != plat::kWaitObject0) return false;
    plat::ReleaseMutexHandle(mutex);
    return true;
}

std::string WindowEventName(long long windowNumber) {
    return "Local\\Tavo_Window_" + std::to_string(windowNumber);
}

void ActivateRunningInstance(long long windowNumber) {
    const plat::Handle event = plat::OpenEventNamed(WindowEventName(windowNumber));
    if (!event) return;
    plat::SetEventSignal(event);
    plat::CloseObjectHandle(event);
}

} // namespace tavo::app

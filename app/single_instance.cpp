#include "app/single_instance.h"

namespace tavo::app {

namespace {

constexpr std::string_view kBringToTopEventName = "Orvane_Wexo_Setup_Bring_Window_To_Top";

void Close(plat::Handle handle) {
    if (handle) plat::CloseObjectHandle(handle);
}

} // namespace

NamedObjects::NamedObjects()
    : singleInstance_(plat::CreateMutexNamed(kSingleInstanceMutexName, false)),
      bringToTop_(plat::CreateEventNamed(kBringToTopEventName, false)) {}

NamedObjects::~NamedObjects() {
    Close(bringToTop_);
    Close(singleInstance_);
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

#include "app/activation_listener.h"

#include "app/single_instance.h"

namespace tavo::app {

namespace {
// Often enough that a second start seems to bring the window up at once.
constexpr int kPollMilliseconds = 100;
} // namespace

ActivationListener::ActivationListener(long long windowNumber, std::function<void()> comeToFront)
    : event_(plat::CreateEventNamed(WindowEventName(windowNumber), false)) {
    if (!event_) return;
    // Polled from the user-interface thread's timer, so it keeps working inside nested modal loops.
    QObject::connect(&timer_, &QTimer::timeout, [event = event_, comeToFront = std::move(comeToFront)] {
        if (plat::WaitForObject(event, 0) == plat::kWaitObject0) comeToFront();
    });
    timer_.start(kPollMilliseconds);
}

ActivationListener::~ActivationListener() {
    timer_.stop();
    if (event_) plat::CloseObjectHandle(event_);
}

} // namespace tavo::app

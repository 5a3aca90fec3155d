#pragma once
// The main window's side of bringing a running copy to the front: it listens on the event named
// for its window number and calls `comeToFront` each time another start sets it.
#include "platform/kernel.h"

#include <QTimer>

#include <functional>

namespace tavo::app {

class ActivationListener {
  public:
    ActivationListener(long long windowNumber, std::function<void()> comeToFront);
    ~ActivationListener();
    ActivationListener(const ActivationListener&) = delete;
    ActivationListener& operator=(const ActivationListener&) = delete;

  private:
    plat::Handle event_;
    QTimer timer_;
};

} // namespace tavo::app

#include "app/startup_state.h"

namespace tavo::app {

StartupState& Startup() {
    static StartupState state;
    return state;
}

} // namespace tavo::app

#include "engine/restore_flags.h"

namespace tavo {

RestoreFlagSet& RestoreFlags() {
    static RestoreFlagSet flags;
    return flags;
}

} // namespace tavo

#pragma once
// Nothing crosses the C ABI but results: whatever an export's work throws ends at its edge.
#include "platform/system.h"

#include <exception>
#include <string>

namespace tandril::abi {

template <typename Result, typename Work> Result Guarded(Result onFailure, Work work) noexcept {
    try {
        return work();
    } catch (const std::exception& error) {
        plat::DebugTrace(std::string("Tandril: ") + error.what() + '\n');
    } catch (...) {
        plat::DebugTrace("Tandril: unknown failure\n");
    }
    return onFailure;
}

template <typename Work> void Guarded(Work work) noexcept {
    Guarded(0, [&] {
        work();
        return 0;
    });
}

} // namespace tandril::abi

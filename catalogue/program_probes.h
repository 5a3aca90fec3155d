#pragma once
// Whether the suite's programs run: each holds its single-instance lock (a named mutex) while it
// runs, and this program probes those locks. A probe taken once stays owned by the taker: while it
// does, the program it stands for cannot start.
#include "platform/kernel.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace tavo {

// Waits on the mutex for at most `milliseconds`; true when the caller now owns it. A mutex
// abandoned by a process that ended without releasing it is taken over: the wait is made once more
// and one of the two ownership counts given back.
bool TryAcquireMutex(plat::Handle mutex, std::uint32_t milliseconds);

class ProductProbes {
  public:
    ProductProbes();
    ~ProductProbes();
    ProductProbes(const ProductProbes&) = delete;
    ProductProbes& operator=(const ProductProbes&) = delete;

    // Takes the product's probe without waiting; false while the product's program holds it, or
    // for a code that is no single product.
    bool TryTake(int productCode);
    // Gives back one take of the product's probe.
    void Release(int productCode);

    // "XOrvMultiSingleInstanceMutex" and the servers' lock names; empty for another code.
    static std::string_view ProbeName(int productCode);

  private:
    std::array<plat::Handle, 5> probes_{};
};

} // namespace tavo

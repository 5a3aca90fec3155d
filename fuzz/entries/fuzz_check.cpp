#include "fuzz/entries/fuzz_check.h"

#include <cstdio>
#include <cstdlib>

namespace tavo::fuzz {

void Fail(std::string_view what) {
    std::fprintf(stderr, "fuzz property failed: %.*s\n", static_cast<int>(what.size()), what.data());
    std::abort();
}

} // namespace tavo::fuzz

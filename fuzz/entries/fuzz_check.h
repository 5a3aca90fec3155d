#pragma once
// The failed property of a fuzz entry: reported and the process aborted, so that libFuzzer keeps
// the input and a replay test fails on it.
#include <string_view>

namespace tavo::fuzz {

[[noreturn]] void Fail(std::string_view what);

inline void Check(bool holds, std::string_view what) {
    if (!holds) Fail(what);
}

} // namespace tavo::fuzz

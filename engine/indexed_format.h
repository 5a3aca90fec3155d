#pragma once
// Section and key names made from a format with "%d" conversions and the values of a range walk.
// The formats come from files, so nothing but integer conversions is ever expanded.
#include <span>
#include <string>
#include <string_view>

namespace tavo {

// Expands each "%d" or "%i" (with optional flags "-+ 0", width and precision) with the next value,
// and "%%" to "%". Any other conversion, and a conversion left without a value, stays as written.
std::string FormatIndexed(std::string_view format, std::span<const int> values);

} // namespace tavo

#pragma once
// One bit per product; the catalogue, the product runs and the engine use the same codes.
#include <string_view>

namespace tavo {

enum ProductCode : int {
    kProductDvr = 1,
    kProductNodera = 2,
    kProductWatchdeck = 4,
    kProductPulsewatch = 8,
    kProductRelay = 16,
};

// The three-letter product key ("DVR", "NDR", "WDS", "PWT", "RLS"); empty for another code.
std::string_view ProductKey(int code);

} // namespace tavo

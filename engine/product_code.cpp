#include "engine/product_code.h"

namespace tavo {

std::string_view ProductKey(int code) {
    switch (code) {
    case kProductDvr: return "DVR";
    case kProductNodera: return "NDR";
    case kProductWatchdeck: return "WDS";
    case kProductPulsewatch: return "PWT";
    case kProductRelay: return "RLS";
    default: return {};
    }
}

} // namespace tavo

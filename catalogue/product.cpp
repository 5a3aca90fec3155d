#include "catalogue/product.h"

#include "engine/product_code.h"

namespace tavo {

int CatalogueProduct(int code) {
    switch (code) {
    case kProductNodera:
    case kProductWatchdeck:
    case kProductPulsewatch:
    case kProductRelay:
        return code;
    default:
        return kProductDvr;
    }
}

std::string_view CatalogueProductKey(int code) {
    return ProductKey(CatalogueProduct(code));
}

} // namespace tavo

#include "cli/product_name.h"

#include <array>
#include <cctype>

namespace tavo::cli {

namespace {

struct ProductNames {
    int code;
    std::string_view key;
    std::string_view name;
};

constexpr std::array<ProductNames, 5> kProducts{{
    {1, "DVR", "DVR"},
    {2, "NDR", "Nodera"},
    {4, "WDS", "Watchdeck"},
    {8, "PWT", "Pulsewatch"},
    {16, "RLS", "Relay"},
}};

bool SameText(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

} // namespace

std::optional<int> ProductCodeOfName(std::string_view name) {
    for (const ProductNames& product : kProducts)
        if (SameText(name, product.key) || SameText(name, product.name)) return product.code;
    return std::nullopt;
}

std::string_view ProductDisplayName(int productCode) {
    for (const ProductNames& product : kProducts)
        if (product.code == productCode) return product.name;
    return kProducts[0].name;
}

} // namespace tavo::cli

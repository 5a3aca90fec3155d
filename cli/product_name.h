#pragma once
// How tavoctl names a product on its command line: the product key ("DVR", "NDR", "WDS", "PWT",
// "RLS") or the product's name ("Nodera", "Watchdeck", "Pulsewatch", "Relay"), in any case.
#include <optional>
#include <string_view>

namespace tavo::cli {

std::optional<int> ProductCodeOfName(std::string_view name);
// "DVR", "Nodera", "Watchdeck", "Pulsewatch", "Relay"; the DVR's for another code.
std::string_view ProductDisplayName(int productCode);

} // namespace tavo::cli

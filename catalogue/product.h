#pragma once
// The product a catalogue is loaded for. The catalogue treats every code other than Nodera's,
// Watchdeck's, Pulsewatch's and the Relay server's as the DVR.
#include <string_view>

namespace tavo {

// 2, 4, 8 or 16 unchanged; 1 for every other code.
int CatalogueProduct(int code);
// The product key of CatalogueProduct(code): "DVR", "NDR", "WDS", "PWT" or "RLS".
std::string_view CatalogueProductKey(int code);

} // namespace tavo

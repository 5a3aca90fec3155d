#pragma once
// The exported password store, "BackPass.bin": the store file behind a checked header (layout in
// include/sentrix.h), written to the places a product run expects and read back from a package.
// Both functions return 0 or a Win32 error code.
#include <cstdint>
#include <string_view>

namespace sentrix {

// Writes the exported store to the temporary folder + "Tavo\BackPass.bin" and to
// packageFolder + "BackPass.bin".
std::uint32_t ExportStore(std::string_view packageFolder);

// Replaces the store with packageFolder + "BackPass.bin" once its header and checksum match; a
// missing, damaged or foreign file leaves the store unchanged.
std::uint32_t ImportStore(std::string_view packageFolder);

} // namespace sentrix

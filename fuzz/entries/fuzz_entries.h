#pragma once
// The entry functions of the fuzz targets. Each fuzz program hands libFuzzer's input to one of them,
// and the replay test feeds them the kept corpus and regression inputs, so both run the same code.
// An entry returns 0 and aborts the process, with a message on stderr, when a property fails.
#include <cstddef>
#include <cstdint>

namespace tavo::fuzz {

// A profile file parsed, edited and parsed again keeps every entry the edit did not touch.
int FuzzProfile(const std::uint8_t* data, std::size_t size);
// An action file run for packup, restore and defaults on a sandbox machine writes nothing outside
// the sandbox's prefix and package folder.
int FuzzActionFile(const std::uint8_t* data, std::size_t size);
// A catalogue loaded into the selection trees of every product.
int FuzzCatalogue(const std::uint8_t* data, std::size_t size);
// A hive file decoded; what decodes encodes back to the same bytes.
int FuzzHive(const std::uint8_t* data, std::size_t size);
// A registry text file parsed; what parses imports, and exports back to the same values.
int FuzzRegFile(const std::uint8_t* data, std::size_t size);

} // namespace tavo::fuzz

#pragma once
// Where the window's packups put the package archive: key "PackageArchive" of section "General" of
// the settings INI, a full path or a path relative to the program folder. Missing or empty: no
// archive, and the package folder alone is the package.
#include <string>

namespace tavo {

// The archive path the setting names (Windows form), or empty.
std::string ConfiguredPackageArchive();

} // namespace tavo

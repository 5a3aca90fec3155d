#pragma once
// Where an entry's file lives in the package: the package mirrors the relative names of the live
// side, and nothing an entry names may lead out of the package folder.
#include <optional>
#include <string>
#include <string_view>

namespace tavo {

// Package folder + relative name; nothing when the package folder is empty or the name leads
// outside it ("..\", a rooted or drive name), since a packup writes there.
std::optional<std::string> PackagePath(std::string_view packageFolder, std::string_view relative);

// The relative name under which a full path is packed: what follows its first ":\" ("C:\Data\Map1.bmp"
// gives "Data\Map1.bmp"); a value without one as it stands.
std::string_view PackageNameOfFullPath(std::string_view value);

} // namespace tavo

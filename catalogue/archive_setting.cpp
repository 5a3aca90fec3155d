#include "catalogue/archive_setting.h"

#include "engine/path_roots.h"
#include "engine/utilities.h"

namespace tavo {

std::string ConfiguredPackageArchive() {
    std::string value;
    int unused = 0;
    ReadSettingValue("General", "PackageArchive", kValueString, value, unused, 0);
    if (value.empty()) return value;
    const bool full = value.find(":\\") != std::string::npos || value.rfind("\\\\", 0) == 0;
    if (full) return value;
    if (value.front() == '\\') value.erase(0, 1);
    return Roots().programFolder + value;
}

} // namespace tavo

#include "engine/package_path.h"

#include "platform/ascii_case.h"
#include "platform/paths.h"

namespace tavo {

std::optional<std::string> PackagePath(std::string_view packageFolder, std::string_view relative) {
    if (packageFolder.empty()) return std::nullopt;
    std::string path(packageFolder);
    path += relative;
    std::string folder = plat::FullWindowsPath(packageFolder);
    if (folder.back() != '\\') folder += '\\';
    // The same name made full must still begin with the package folder.
    const std::string full = plat::FullWindowsPath(path);
    if (full.size() + 1 == folder.size() && plat::StartsWithNoCaseAscii(folder, full)) return path; // the folder itself
    if (!plat::StartsWithNoCaseAscii(full, folder)) return std::nullopt;
    return path;
}

std::string_view PackageNameOfFullPath(std::string_view value) {
    // A forward slash separates as a backslash does.
    std::size_t colon = value.find(':');
    while (colon != std::string_view::npos) {
        if (colon + 1 < value.size() && (value[colon + 1] == '\\' || value[colon + 1] == '/'))
            return value.substr(colon + 2);
        colon = value.find(':', colon + 1);
    }
    return value;
}

} // namespace tavo

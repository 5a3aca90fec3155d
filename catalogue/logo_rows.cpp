#include "catalogue/logo_rows.h"

namespace tavo {

std::string DefaultLogoPath(std::string_view dvrFolder, std::string_view defaultFile) {
    std::string path = dvrFolder.empty() ? std::string("%DVR%") : std::string(dvrFolder);
    if (path.back() != '\\') path += '\\';
    return path + "CommRes\\" + std::string(defaultFile);
}

} // namespace tavo

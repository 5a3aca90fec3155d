#include "catalogue/catalogue_paths.h"

#include "catalogue/product.h"
#include "engine/path_roots.h"
#include "engine/utilities.h"
#include "platform/files.h"

namespace tavo {

namespace {

std::string& ExportFile() {
    static std::string path;
    return path;
}

bool IsExistingFile(const std::string& path) {
    if (path.empty()) return false;
    const std::uint32_t attributes = plat::FileAttributes(path);
    return attributes != plat::kInvalidAttributes && (attributes & plat::kAttrDirectory) == 0;
}

} // namespace

std::string LocateCatalogue() {
    std::string text;
    int unusedInt = 0;
    ReadSettingValue("TreeCtrl", "FileOfTreeContent", kValueString, text, unusedInt, 0);
    if (IsExistingFile(text)) return text;
    std::string folder = Roots().programFolder;
    if (!folder.empty() && folder.back() == '\\') folder.pop_back();
    return folder + text;
}

const std::string& ExportFilePath() {
    return ExportFile();
}

int LoadCatalogueHeader(int productCode) {
    SetCatalogueIniPath(LocateCatalogue());
    std::string unusedText;
    int count = 0;
    ReadCatalogueValue("General", std::string(CatalogueProductKey(productCode)) + "_TotalItemNum",
                       kValueInteger, unusedText, count, 0);
    std::string exportName;
    int unusedInt = 0;
    ReadCatalogueValue("General", "ExportFile", kValueString, exportName, unusedInt, 0);
    if (exportName.empty()) exportName = "Src\\Tavo.ini";
    ExportFile() = Roots().programFolder + exportName;
    return count;
}

} // namespace tavo

#include "engine/sibling_install_folders.h"

#include "engine/path_roots.h"
#include "engine/product_code.h"
#include "platform/profile.h"

#include <string>

namespace tavo {

namespace {

struct SiblingKey {
    int product;
    const char* section;
    const char* key;
};

constexpr SiblingKey kSiblingKeys[] = {
    {kProductNodera, "Nodera", "InstallPath"},
    {kProductPulsewatch, "PWT", "InstallPath"},
    {kProductWatchdeck, "Watchdeck", "AP_Path"},
    {kProductRelay, "Relay", "AP_Path"},
};

} // namespace

void ReadSiblingInstallFolders() {
    for (const SiblingKey& sibling : kSiblingKeys) {
        std::string& folder = InstallFolder(sibling.product);
        if (!folder.empty()) continue;
        const std::string value = plat::ProfileString("OrvCMS.ini", sibling.section, sibling.key);
        if (!value.empty()) folder = value.back() == '\\' ? value : value + '\\';
    }
}

} // namespace tavo

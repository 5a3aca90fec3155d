#include "run_fixture.h"

#include "catalogue/catalogue_loader.h"
#include "engine/path_roots.h"
#include "engine/product_code.h"
#include "engine/utilities.h"
#include "support/process_state.h"

#include <filesystem>

namespace tavo::test {

namespace {

constexpr const char* kMessageKeys[] = {
    "Text_String_DVR_EXECUTE_WARNING", "Text_String_RESTORE_DEFAULTS_WARNING", "Text_String_EXECUTE_WARNING_NDR",
    "Text_String_DONE_CLEAN",          "Text_String_DONE_RESTORE",             "Text_String_DONE_RESTORE_NDR",
    "Text_String_DONE_PACKUP",         "Text_String_DONE_PACKUP_NDR",          "Text_String_DISK_SPACE_NOT_ENOUGH_PACKUP",
};

} // namespace

RunTest::RunTest() : scope_(op) {
    ResetProcessState();
    Roots().programFolder = kProgram;
    InstallFolder(kProductNodera) = "C:\\Ndr\\";
    SetSettingsIniPath(std::string(kProgram) + "Tavo.ini");
    std::string settings = "[TreeCtrl]\r\nFileOfTreeContent=\\Src\\Items.ini\r\n[MSG_BOX]\r\n";
    for (const char* key : kMessageKeys)
        settings += std::string(key) + "=" + key + "\r\n";
    Write(std::string(kProgram) + "Tavo.ini", settings);
    Write("C:\\WINDOWS\\OrvMulti.ini", "[General]\r\nInstallPath=C:\\DVR\\Dvr.exe\r\n");
    Write(std::string(kProgram) + "Src\\All.ini",
          "[GENERAL]\r\nINI_WINDOW_PATH_ALL=1\r\n[INI_WINDOW_PATH_ALL]\r\nIWPA_1=All.dat\r\n");
    Write(LiveFile("All"), "all");
    Write(PackageFile("All"), "all");
}

RunTest::~RunTest() {
    ResetProcessState();
}

void RunTest::Load(SelectionTree& tree, const std::vector<CatalogueEntry>& entries) {
    const std::string productKey(ProductKey(tree.Product()));
    std::string exported = "[" + productKey + "]\r\n";
    std::string sections;
    int topLevel = 0;
    for (const CatalogueEntry& entry : entries) {
        ++topLevel;
        const std::string file = entry.file.empty() ? "Action\\" + entry.key + ".ini" : entry.file;
        sections += "[" + entry.section + "]\r\nFile=" + file + "\r\nText_Menu=" + entry.key +
                    "\r\nSUB_ID_KEY=" + entry.key + "\r\n";
        exported += entry.key + "=" + std::to_string(entry.code) + "\r\n";
        Write(std::string(kProgram) + file,
              "[GENERAL]\r\nINI_WINDOW_PATH_ALL=1\r\n[INI_WINDOW_PATH_ALL]\r\nIWPA_1=" + entry.key + ".dat\r\n");
        Write(LiveFile(entry.key), "live " + entry.key);
        Write(PackageFile(entry.key), "package " + entry.key);
    }
    products_[productKey] = {productKey + "_TotalItemNum=" + std::to_string(topLevel) + "\r\n", sections, exported};
    std::string counts = "[General]\r\n";
    std::string allSections;
    std::string allExported;
    for (const auto& [key, text] : products_) {
        counts += text.count;
        allSections += text.sections;
        allExported += text.exported;
    }
    Write(std::string(kProgram) + "Src\\Items.ini", counts + allSections);
    Write(std::string(kProgram) + "Src\\Tavo.ini", allExported);
    LoadProductCatalogue(tree);
}

bool RunTest::Exists(const std::string& windowsPath) const {
    return std::filesystem::exists(prefix.HostOf(windowsPath));
}

ItemHandle RunTest::Find(const SelectionTree& tree, const std::string& key) const {
    for (ItemHandle item = 0; item < tree.Count(); ++item)
        if (tree.Entry(item).subIdKey == key) return item;
    ADD_FAILURE() << "no item " << key;
    return kNoItem;
}

} // namespace tavo::test

#include "bench/catalogue_fixture.h"

#include "platform/paths.h"

#include <array>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <thread>

namespace tavo::bench {

namespace {

namespace fs = std::filesystem;

// A fresh machine prefix for the whole run, removed at exit.
class BenchPrefix {
  public:
    BenchPrefix() {
        std::string pattern = (fs::temp_directory_path() / "tavo-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data())) std::abort();
        host_ = pattern;
        plat::SetPrefixFolder(host_);
    }
    ~BenchPrefix() {
        std::error_code ec;
        fs::remove_all(host_, ec);
    }
    BenchPrefix(const BenchPrefix&) = delete;
    BenchPrefix& operator=(const BenchPrefix&) = delete;

    const std::string& host() const { return host_; }

  private:
    std::string host_;
};

const BenchPrefix& Prefix() {
    static BenchPrefix prefix;
    return prefix;
}

constexpr std::array<const char*, 5> kKeys{"DVR", "NDR", "WDS", "PWT", "RLS"};

void WriteFile(const std::string& windowsPath, const std::string& bytes) {
    const std::optional<std::string> host = plat::ToHostPath(windowsPath);
    if (!host) std::abort();
    fs::create_directories(fs::path(*host).parent_path());
    std::ofstream(*host, std::ios::binary | std::ios::trunc) << bytes;
}

// One item section and its export entry; its sub-items follow it in the file.
void AddItem(std::string& catalogue, std::string& exportSection, const std::string& section, int subNum,
             int relationship) {
    catalogue += "[" + section + "]\r\nFile=Src\\" + section + ".ini\r\nText_Menu=Item " + section +
                 "\r\nSubNum=" + std::to_string(subNum) + "\r\nText_Description=Settings of " + section +
                 "\r\nRelationShip=" + std::to_string(relationship) +
                 "\r\nDefault_Value=_SELECT_CHECK_\r\nSUB_ID_KEY=ID_" + section + "\r\n";
    exportSection += "ID_" + section + "=2\r\n";
}

} // namespace

const std::string& PrefixHost() {
    return Prefix().host();
}

const std::string& ProgramFolderFor(int itemsPerProduct) {
    static std::map<int, std::string> made;
    if (auto found = made.find(itemsPerProduct); found != made.end()) return found->second;
    Prefix();
    const std::string folder = "C:\\Tool" + std::to_string(itemsPerProduct) + "\\";
    const int top = itemsPerProduct / 25;
    std::string catalogue = "[General]\r\n";
    for (const char* key : kKeys)
        catalogue += std::string(key) + "_TotalItemNum=" + std::to_string(top) + "\r\n";
    std::string exportFile;
    for (const char* key : kKeys) {
        std::string exportSection = std::string("[") + key + "]\r\n";
        for (int t = 1; t <= top; ++t) {
            const std::string topSection = std::string(key) + "_" + std::to_string(t);
            const int leader = t <= 9 ? t : 0; // the first nine lead a group, their first sub-items follow
            AddItem(catalogue, exportSection, topSection, 4, leader);
            for (int s = 1; s <= 4; ++s) {
                const std::string subSection = topSection + "_" + std::to_string(s);
                AddItem(catalogue, exportSection, subSection, 5, s == 1 ? leader * 10 : 0);
                for (int g = 1; g <= 5; ++g)
                    AddItem(catalogue, exportSection, subSection + "_" + std::to_string(g), 0, 0);
            }
        }
        exportFile += exportSection;
    }
    WriteFile(folder + "AutoRun.inf", "[autorun]\r\nIniFile=\\Tavo.ini\r\n");
    WriteFile(folder + "Tavo.ini", "[TreeCtrl]\r\nFileOfTreeContent=\\Src\\Items.ini\r\n");
    WriteFile(folder + "Src\\Items.ini", catalogue);
    WriteFile(folder + "Src\\Tavo.ini", exportFile);
    // The profile cache trusts a file on its identity alone once the clock has moved past its change.
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    return made.emplace(itemsPerProduct, folder).first->second;
}

} // namespace tavo::bench

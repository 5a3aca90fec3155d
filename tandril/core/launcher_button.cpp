#include "tandril/core/launcher_button.h"

#include "platform/folder_browser.h"
#include "platform/profile.h"
#include "tandril/core/library_state.h"
#include "tandril/core/user_define_file.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace tandril {

namespace {

struct Resolution {
    std::string_view folder;
    std::string_view buttonLine; // "USER,x,y,0,0,width,height,"; tooltip and ",FALSE" follow
};

constexpr std::array<Resolution, 9> kResolutions{{
    {"CommRes", "USER,734,375,0,0,56,32,"},
    {"CommRes1024", "USER,944,454,0,0,66,34,"},
    {"CommRes1280", "USER,1180,598,0,0,84,44,"},
    {"CommRes1600", "USER,1462,737,0,0,96,49,"},
    {"CommRes1680", "USER,1554,663,0,0,96,49,"},
    {"CommRes1920", "USER,1762,760,0,0,97,50,"},
    {"CommRes1280x800", "USER,1171,557,0,0,84,44,"},
    {"CommRes1440x900", "USER,1314,559,0,0,96,51,"},
    {"CommRes1920x1080", "USER,1781,706,0,0,97,50,"},
}};

constexpr std::array<std::string_view, 6> kKeptButtonKeys{"1", "2", "3", "4", "7", "8"};
constexpr std::string_view kSkinFile = "skinNTSC_e.ini";

struct Work {
    bool rebuildLines = false;
    bool writeButton = false;
};

Work WorkFor(int previousCount, int newCount) {
    Work work;
    work.rebuildLines = previousCount == 0 || newCount == 0 || previousCount != newCount;
    work.writeButton = work.rebuildLines || previousCount == 1 || newCount == 1;
    return work;
}

// The kept button lines of a skin file, with the user-define button's line when it has one.
std::vector<std::string> ButtonLines(const std::string& skinFile, const std::string& bitmapFolder,
                                     bool withButton) {
    std::vector<std::string> entries;
    for (std::string_view key : kKeptButtonKeys)
        entries.push_back(std::string(key) + '=' + plat::ProfileString(skinFile, "ButtonLines", key, ""));
    if (withButton) entries.push_back("5=" + bitmapFolder + "\\UserDefineUp.bmp");
    return entries;
}

// One skin file in one write, so no interruption can leave it without its buttons, or with button
// lines that do not go with its button.
void WriteSkin(const std::string& skinFile, const std::string& bitmapFolder, int newCount, Work work,
               const std::string& buttonLine) {
    // A rebuild always comes with the button's line.
    std::optional<std::vector<std::string>> lines;
    if (work.rebuildLines) lines = ButtonLines(skinFile, bitmapFolder, newCount != 0);
    plat::WriteProfileSectionAndValue(skinFile, "ButtonLines", std::move(lines), "Button5", "1", buttonLine);
}

void WriteSkins(int newCount, Work work, const std::string& suiteFolder) {
    const std::string tip = UserDefineTip();
    for (const Resolution& resolution : kResolutions) {
        const std::string folder(resolution.folder);
        const std::string metalFolder = "Metal_Style\\" + folder;
        const std::string line = std::string(resolution.buttonLine) + tip + ",FALSE";
        WriteSkin(suiteFolder + '\\' + metalFolder + '\\' + std::string(kSkinFile), metalFolder, newCount,
                  work, line);
        WriteSkin(suiteFolder + '\\' + folder + '\\' + std::string(kSkinFile), folder, newCount, work, line);
    }
}

// The suite folder from "InstallPath", else from the operator; nullopt when the operator cancels.
std::optional<std::string> FindSuiteFolder(plat::Operator* parent) {
    const std::string installPath = plat::ProfileString("OrvMulti.ini", "General", "InstallPath", "");
    if (!installPath.empty()) {
        const std::size_t cut = installPath.rfind('\\');
        return cut == std::string::npos ? std::string() : installPath.substr(0, cut + 1);
    }
    const std::string& libraryFolder = Library().libraryFolder;
    plat::FolderBrowser browser;
    browser.caption =
        plat::ProfileString(libraryFolder + "Tavo_CommRes\\Setup.ini", "MSG_BOX",
                            "Text_String_KW_PATH_SELECT", "Please select Quadrel System Program Path");
    browser.initialFolder = libraryFolder;
    if (!browser.Browse(parent)) return std::nullopt;
    return browser.chosenFolder + '\\';
}

} // namespace

int WriteIniSection_UserDefine_KwTav(int previousCount, int newCount, plat::Operator* parent) {
    const Work work = WorkFor(previousCount, newCount);
    if (!work.writeButton) return previousCount;
    const std::optional<std::string> suiteFolder = FindSuiteFolder(parent);
    if (suiteFolder) WriteSkins(newCount, work, *suiteFolder);
    return previousCount;
}

int WriteIniSection_UserDefine_KwTav_WithKWPath(int previousCount, int newCount,
                                                std::string_view suiteFolder) {
    const Work work = WorkFor(previousCount, newCount);
    if (work.writeButton) WriteSkins(newCount, work, std::string(suiteFolder));
    return previousCount;
}

} // namespace tandril

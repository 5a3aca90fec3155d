#include "app/window_handle_file.h"

#include "platform/paths.h"
#include "platform/profile.h"

#include <cstdint>

namespace tavo::app {

namespace {

constexpr std::string_view kSection = "Tavo";
constexpr std::string_view kKey = "HWND";

std::string& Path() {
    static std::string path;
    return path;
}

} // namespace

const std::string& WindowHandleFilePath() {
    return Path();
}

const std::string& UseWindowHandleFilePath() {
    // Asked every time: the temporary folder is made on the first question about each machine.
    const std::string tempFolder = plat::TempFolder();
    if (Path().empty()) Path() = tempFolder + "WHnd.INI";
    return Path();
}

void WriteWindowHandle(long long windowNumber) {
    plat::WriteProfileString(UseWindowHandleFilePath(), kSection, kKey, std::to_string(windowNumber));
}

long long ReadWindowHandle() {
    // The profile-integer rule gives 32 bits; the number is signed.
    return static_cast<std::int32_t>(plat::ProfileInt(UseWindowHandleFilePath(), kSection, kKey, 0));
}

} // namespace tavo::app

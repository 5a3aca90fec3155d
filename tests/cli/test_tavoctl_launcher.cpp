// End-to-end: a restore of the general settings with tavoctl brings the launcher button of the
// suite's skin files into line through the library's logic, without any window.
#include "support/temp_prefix.h"
#include "tavoctl_process.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace tavo::test {
namespace {

constexpr const char* kFolders[] = {"CommRes",         "CommRes1024",     "CommRes1280",
                                    "CommRes1600",     "CommRes1680",     "CommRes1920",
                                    "CommRes1280x800", "CommRes1440x900", "CommRes1920x1080"};

std::string UserDefineIni(int count) {
    std::string text = "[General]\r\nCount=" + std::to_string(count) + "\r\n";
    for (int i = 1; i <= count; ++i)
        text += "[" + std::to_string(i) + "]\r\nApplication=App" + std::to_string(i) +
                "\r\nFile=C:\\Apps\\app" + std::to_string(i) + ".exe\r\nParam=\r\n";
    return text;
}

TEST(TavoctlLauncher, RestoringTheGeneralItemRewritesTheEighteenSkinFiles) {
    TempPrefix machine;
    machine.WriteHost("C:\\WINDOWS\\OrvMulti.ini", "[General]\r\nInstallPath=C:\\DVR\\Dvr.exe\r\n");
    machine.WriteHost("C:\\DVR\\Dvr.exe", "MZ program");
    machine.WriteHost("C:\\WINDOWS\\OrvUserDefine.ini", UserDefineIni(5));
    for (const char* folder : kFolders) {
        for (const std::string style : {"", "Metal_Style\\"})
            machine.WriteHost("C:\\DVR\\" + style + folder + "\\skinNTSC_e.ini",
                              "[ButtonLines]\r\n1=one.bmp\r\n6=six.bmp\r\n[Button5]\r\n1=old\r\n");
    }
    machine.WriteHost(
        "C:\\Pkg\\Action\\General.ini",
        "[GENERAL]\r\nINI_WINDOW_PATH_ALL=1\r\n[INI_WINDOW_PATH_ALL]\r\nIWPA_1=OrvUserDefine.ini\r\n");
    machine.WriteHost("C:\\Pkg\\OrvUserDefine.ini", UserDefineIni(3));
    machine.WriteHost("C:\\Pkg\\MenuSelect.ini", "[General]\r\nText_X81_Title_UserDefine=My programs\r\n");

    const TavoctlResult result =
        RunTavoctl({"action", "restore", "C:\\Pkg\\Action\\General.ini", "--package", "C:\\Pkg", "--yes"},
                   {"TAVO_PREFIX=" + machine.host()});
    ASSERT_EQ(result.status, 0) << result.out << result.err;
    EXPECT_EQ(machine.ReadHost("C:\\WINDOWS\\OrvUserDefine.ini"), UserDefineIni(3));
    for (const char* folder : kFolders) {
        for (const std::string style : {"", "Metal_Style\\"}) {
            const std::string skin = machine.ReadHost("C:\\DVR\\" + style + folder + "\\skinNTSC_e.ini");
            EXPECT_NE(skin.find("5=" + style + folder + "\\UserDefineUp.bmp"), std::string::npos) << skin;
            EXPECT_EQ(skin.find("six.bmp"), std::string::npos) << skin;
            EXPECT_NE(skin.find("1=one.bmp"), std::string::npos) << skin;
        }
    }
    EXPECT_NE(machine.ReadHost("C:\\DVR\\CommRes1024\\skinNTSC_e.ini")
                  .find("1=USER,944,454,0,0,66,34,My programs,FALSE"),
              std::string::npos);
}

} // namespace
} // namespace tavo::test

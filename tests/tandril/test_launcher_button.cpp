#include "tandril/core/launcher_button.h"
#include "tandril_fixture.h"

#include <filesystem>

namespace tavo::test {
namespace {

using tandril::WriteIniSection_UserDefine_KwTav;
using tandril::WriteIniSection_UserDefine_KwTav_WithKWPath;

class LauncherButton : public TandrilTest {
  protected:
    static constexpr const char* kSuite = "C:\\Suite\\";
    static constexpr const char* kFolders[] = {"CommRes",         "CommRes1024",     "CommRes1280",
                                               "CommRes1600",     "CommRes1680",     "CommRes1920",
                                               "CommRes1280x800", "CommRes1440x900", "CommRes1920x1080"};
    static constexpr const char* kSkin =
        "[Main]\r\nLivePos=1,2,3,4\r\n[ButtonLines]\r\n1=b1.bmp\r\n2=b2.bmp\r\n3=b3.bmp\r\n4=b4.bmp\r\n"
        "5=old5.bmp\r\n6=b6.bmp\r\n7=b7.bmp\r\n8=b8.bmp\r\n[Button5]\r\n1=old\r\n";

    // The eighteen skin files of kSuite, each laid out with kSkin.
    std::vector<std::string> LayOutSkins() const {
        std::vector<std::string> files;
        for (const char* folder : kFolders) {
            for (const std::string& style : {std::string(), std::string("Metal_Style\\")}) {
                const std::string file = std::string(kSuite) + style + folder + "\\skinNTSC_e.ini";
                prefix.WriteHost(file, kSkin);
                files.push_back(file);
            }
        }
        return files;
    }
    std::string Value(const std::string& file, const char* section, const char* key) const {
        return plat::ProfileString(file, section, key, "(none)");
    }
};

TEST_F(LauncherButton, EqualCountsAboveOneTouchNothing) {
    const std::vector<std::string> files = LayOutSkins();
    EXPECT_EQ(WriteIniSection_UserDefine_KwTav_WithKWPath(2, 2, kSuite), 2);
    for (const std::string& file : files)
        EXPECT_EQ(prefix.ReadHost(file), kSkin) << file;
}

TEST_F(LauncherButton, OneToOneRewritesOnlyTheButtonWithTheCurrentName) {
    const std::vector<std::string> files = LayOutSkins();
    WriteUserDefines({{"Viewer", "C:\\Apps\\v.exe", ""}});
    EXPECT_EQ(WriteIniSection_UserDefine_KwTav_WithKWPath(1, 1, kSuite), 1);
    for (const std::string& file : files) {
        EXPECT_EQ(Value(file, "ButtonLines", "6"), "b6.bmp") << file;
        EXPECT_EQ(Value(file, "ButtonLines", "5"), "old5.bmp") << file;
    }
    EXPECT_EQ(Value(files[2], "Button5", "1"), "USER,944,454,0,0,66,34,Viewer,FALSE");
    EXPECT_EQ(Value(files[3], "Button5", "1"), "USER,944,454,0,0,66,34,Viewer,FALSE");
    EXPECT_EQ(Value(files[17], "Button5", "1"), "USER,1781,706,0,0,97,50,Viewer,FALSE");
}

TEST_F(LauncherButton, NoApplicationsRemoveTheButtonLineAndKeepTheOthers) {
    const std::vector<std::string> files = LayOutSkins();
    prefix.WriteHost(kTextFile, "[General]\r\nText_X81_Title_UserDefine=User Define\r\n");
    EXPECT_EQ(WriteIniSection_UserDefine_KwTav_WithKWPath(3, 0, kSuite), 3);
    for (const std::string& file : files) {
        EXPECT_EQ(plat::ProfileKeys(file, "ButtonLines"),
                  (std::vector<std::string>{"1", "2", "3", "4", "7", "8"}))
            << file;
        EXPECT_EQ(Value(file, "ButtonLines", "8"), "b8.bmp");
        EXPECT_EQ(Value(file, "Main", "LivePos"), "1,2,3,4");
    }
    EXPECT_EQ(Value(files[0], "Button5", "1"), "USER,734,375,0,0,56,32,User Define,FALSE");
}

TEST_F(LauncherButton, NewApplicationsAddTheBitmapOfEachStyleToAllEighteenFiles) {
    const std::vector<std::string> files = LayOutSkins();
    EXPECT_EQ(WriteIniSection_UserDefine_KwTav_WithKWPath(0, 2, kSuite), 0);
    for (std::size_t i = 0; i < files.size(); ++i) {
        const std::string folder = std::string(i % 2 ? "Metal_Style\\" : "") + kFolders[i / 2];
        EXPECT_EQ(Value(files[i], "ButtonLines", "5"), folder + "\\UserDefineUp.bmp") << files[i];
        EXPECT_EQ(Value(files[i], "ButtonLines", "6"), "(none)") << files[i];
    }
    EXPECT_EQ(Value(files[3], "ButtonLines", "5"), "Metal_Style\\CommRes1024\\UserDefineUp.bmp");
    // Missing keys come back empty, and a missing skin file is created where its folder exists.
    prefix.WriteHost("C:\\Other\\CommRes\\skinNTSC_e.ini", "[ButtonLines]\r\n1=only\r\n");
    std::filesystem::create_directories(prefix.HostOf("C:\\Other\\Metal_Style\\CommRes"));
    WriteIniSection_UserDefine_KwTav_WithKWPath(0, 1, "C:\\Other\\");
    EXPECT_EQ(Value("C:\\Other\\CommRes\\skinNTSC_e.ini", "ButtonLines", "2"), "");
    EXPECT_EQ(Value("C:\\Other\\Metal_Style\\CommRes\\skinNTSC_e.ini", "ButtonLines", "5"),
              "Metal_Style\\CommRes\\UserDefineUp.bmp");
}

TEST_F(LauncherButton, TheSuiteFolderComesFromInstallPathOrOnePromptPerCall) {
    const std::vector<std::string> files = LayOutSkins();
    plat::WriteProfileString("OrvMulti.ini", "General", "InstallPath", "C:\\Suite\\Dvr.exe");
    WriteIniSection_UserDefine_KwTav(0, 2, &op);
    EXPECT_EQ(Value(files[0], "ButtonLines", "5"), "CommRes\\UserDefineUp.bmp");
    EXPECT_TRUE(op.calls().empty());

    plat::WriteProfileString("OrvMulti.ini", "General", "InstallPath", "");
    prefix.WriteHost("C:\\Lib\\Tavo_CommRes\\Setup.ini",
                     "[MSG_BOX]\r\nText_String_KW_PATH_SELECT=Where?\r\n");
    op.AnswerFolder("C:\\Suite");
    WriteIniSection_UserDefine_KwTav(2, 0, &op);
    EXPECT_EQ(op.calls(), std::vector<std::string>{"folder? Where? | C:\\Lib"});
    EXPECT_EQ(Value(files[0], "ButtonLines", "5"), "(none)");
}

TEST_F(LauncherButton, ACancelledPromptWritesNothing) {
    const std::vector<std::string> files = LayOutSkins();
    op.CancelFolder();
    EXPECT_EQ(WriteIniSection_UserDefine_KwTav(0, 3, &op), 0);
    EXPECT_EQ(op.calls(),
              std::vector<std::string>{"folder? Please select Quadrel System Program Path | C:\\Lib"});
    for (const std::string& file : files)
        EXPECT_EQ(prefix.ReadHost(file), kSkin);
}

TEST_F(LauncherButton, ASuiteFolderNamedLikeAnIniFileIsStillTheFolder) {
    // Cutting the paths after their first ".ini" would write every skin key into "C:\Skins.ini".
    prefix.WriteHost("C:\\Skins.ini", "[Keep]\r\nk=v\r\n");
    prefix.WriteHost("C:\\Skins.ini.d\\CommRes\\skinNTSC_e.ini", "");
    WriteIniSection_UserDefine_KwTav_WithKWPath(0, 1, "C:\\Skins.ini.d\\");
    EXPECT_EQ(prefix.ReadHost("C:\\Skins.ini"), "[Keep]\r\nk=v\r\n");
    EXPECT_EQ(Value("C:\\Skins.ini.d\\CommRes\\skinNTSC_e.ini", "ButtonLines", "5"),
              "CommRes\\UserDefineUp.bmp");
}

} // namespace
} // namespace tavo::test

#include "app/startup_settings.h"
#include "app/window_handle_file.h"

#include "engine/utilities.h"
#include "platform/files.h"
#include "support/temp_prefix.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using tavo::app::StartupState;

class StartupSettings : public ::testing::Test {
  protected:
    void WriteSettings(std::string_view general) const {
        prefix.WriteHost("C:\\Tavo\\AutoRun.inf", "[autorun]\r\nIniFile=\\Data\\Tavo.ini\r\n");
        prefix.WriteHost("C:\\Tavo\\Data\\Tavo.ini", "[General]\r\n" + std::string(general));
    }
    StartupState Located() const {
        StartupState state;
        tavo::app::LocateProgramFiles(state, "C:\\Tavo\\Tavo.exe");
        return state;
    }

    tavo::test::TempPrefix prefix;
};

TEST_F(StartupSettings, SettingsIniIsTheProgramFolderFollowedByIniFileOfAutoRun) {
    WriteSettings("");
    const StartupState state = Located();
    EXPECT_EQ(state.programFolder, "C:\\Tavo\\");
    EXPECT_EQ(state.autoRunPath, "C:\\Tavo\\AutoRun.inf");
    EXPECT_EQ(state.settingsIniPath, "C:\\Tavo\\Data\\Tavo.ini");
    // ReadSettingValue reads from there.
    EXPECT_EQ(tavo::SettingsIniPath(), state.settingsIniPath);
    EXPECT_TRUE(tavo::app::SettingsIniExists(state));
    EXPECT_TRUE(tavo::app::ProgramFolderListable(state));
}

TEST_F(StartupSettings, WithoutAutoRunOrIniFileTheSettingsIniIsTheProgramFolderItself) {
    prefix.WriteHost("C:\\Tavo\\Tavo.exe", "");
    EXPECT_EQ(Located().settingsIniPath, "C:\\Tavo");
    prefix.WriteHost("C:\\Tavo\\AutoRun.inf", "[autorun]\r\nOpen=Tavo.exe\r\n");
    const StartupState state = Located();
    EXPECT_EQ(state.settingsIniPath, "C:\\Tavo");
    // The folder's status can be read, so the existence check lets start-up go on.
    EXPECT_TRUE(tavo::app::SettingsIniExists(state));
}

TEST_F(StartupSettings, MissingSettingsIniAndUnlistableFolderAreSeen) {
    prefix.WriteHost("C:\\Tavo\\AutoRun.inf", "[autorun]\r\nIniFile=\\Missing.ini\r\n");
    EXPECT_FALSE(tavo::app::SettingsIniExists(Located()));
    StartupState elsewhere;
    tavo::app::LocateProgramFiles(elsewhere, "C:\\Gone\\Tavo.exe");
    EXPECT_FALSE(tavo::app::ProgramFolderListable(elsewhere));
}

TEST_F(StartupSettings, LookSettingsAreReadWithColoursCarriedOverFromKeyToKey) {
    WriteSettings("STYLE_RTL=1\r\nText_Title=Restore \xE9quipement\r\nRestore_TotalItemNum=3\r\n"
                  "ColorNormal=255,0,0\r\nColorFocus=10,,30\r\nColorDown=,300,\r\nColorIntroduction=\r\n");
    StartupState state = Located();
    tavo::app::ReadRightToLeft(state);
    tavo::app::ReadLookSettings(state);
    EXPECT_EQ(state.rightToLeft, 1);
    EXPECT_EQ(state.title, "Restore \xE9quipement");
    EXPECT_EQ(state.totalRestoreItems, 3);
    EXPECT_EQ(state.colorNormal, 0x0000FFu);
    // Green and blue of ColorFocus are those of ColorNormal.
    EXPECT_EQ(state.colorFocus, 0x00000Au);
    // An empty red piece stops the whole text: ColorDown keeps all three.
    EXPECT_EQ(state.colorDown, 0x00000Au);
    EXPECT_EQ(state.colorIntroduction, 0x00000Au);
}

TEST_F(StartupSettings, MissingKeysTakeTheirDefaults) {
    WriteSettings("ColorFocus=1,2,3\r\n");
    StartupState state = Located();
    state.rightToLeft = 7;
    state.title = "old";
    tavo::app::ReadRightToLeft(state);
    tavo::app::ReadLookSettings(state);
    EXPECT_EQ(state.rightToLeft, 0);
    EXPECT_EQ(state.title, "");
    EXPECT_EQ(state.totalRestoreItems, 0);
    EXPECT_EQ(state.colorNormal, 0u);
    EXPECT_EQ(state.colorFocus, 0x030201u);
    EXPECT_EQ(state.colorDown, 0x030201u);
}

TEST_F(StartupSettings, WindowHandleFileHoldsASignedNumberInTheTemporaryFolder) {
    EXPECT_EQ(tavo::app::ReadWindowHandle(), 0);
    EXPECT_EQ(tavo::app::WindowHandleFilePath(), "C:\\Temp\\WHnd.INI");
    tavo::app::WriteWindowHandle(4711);
    EXPECT_EQ(prefix.ReadHost("C:\\Temp\\WHnd.INI"), "[Tavo]\r\nHWND=4711\r\n");
    EXPECT_EQ(tavo::app::ReadWindowHandle(), 4711);
    tavo::app::WriteWindowHandle(-42);
    EXPECT_EQ(tavo::app::ReadWindowHandle(), -42);
    tavo::app::WriteWindowHandle(0);
    EXPECT_EQ(tavo::app::ReadWindowHandle(), 0);
}

} // namespace

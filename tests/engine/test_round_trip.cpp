#include "engine/drivers.h"

#include "engine_fixture.h"

#include <filesystem>
#include <map>
#include <string>

namespace fs = std::filesystem;

namespace tavo::test {
namespace {

// Every restorable file of the action file below, by its live path, with contents that tell a
// truncated or mixed-up copy: all byte values, an empty file, long and deep names.
std::map<std::string, std::string> LiveFiles() {
    std::string bytes;
    for (int i = 0; i < 256 * 40; ++i) bytes += static_cast<char>(i % 256);
    const std::string deep = std::string(120, 'd') + "\\" + std::string(120, 'e') + "\\";
    return {
        // INI_WINDOW_PATH_ALL, with the referenced INIs of the Windows-folder and full-path kinds.
        {"C:\\WINDOWS\\OrvCMS.ini", "[Main]\nName=Site\n"},
        {"C:\\WINDOWS\\Lists.ini",
         "[Count]\nLast=2\n[Map1]\nFile=Maps\\map1.bmp\n[Map2]\nFile=Maps\\map2.bmp\n"
         "[Sounds]\nSound1=Wav\\s1.wav\nSound2=Wav\\s2.wav\n"
         "[Full]\nF1=D:\\Rec\\List.ini\nF2=C:\\Shared\\" + deep + "deep.dat\n"},
        {"C:\\WINDOWS\\Empty.ini", ""},
        // FILE_WINDOW_PATH_IN_INI, styles 1 and 2.
        {"C:\\WINDOWS\\Maps\\map1.bmp", bytes},
        {"C:\\WINDOWS\\Maps\\map2.bmp", bytes.substr(7)},
        {"C:\\WINDOWS\\Wav\\s1.wav", "s1"},
        {"C:\\WINDOWS\\Wav\\s2.wav", "s2"},
        // INI_KW_PATH_ALL, with the referenced INIs of the product kinds and of style 12.
        {"C:\\DVR\\Cams.ini",
         "[Cam1_1]\nSched=Sch\\c11.tbl\n[Cam1_2]\nSched=Sch\\c12.tbl\n[Cam2_1]\nSched=Sch\\c21.tbl\n"
         "[Cam2_2]\nSched=Sch\\c22.tbl\n[Cam1]\nS3=Sch\\c1.tbl\n[Cam2]\nS3=Sch\\c2.tbl\n"
         "[Alarm]\nA1=Al\\a1.dat\nA2=Al\\a2.dat\nA1_1=Al\\a11.dat\nA2_2=Al\\a22.dat\n"},
        {"C:\\DVR\\Setup.ini", "[Own]\nO1=C:\\Own\\own.dat\n"},
        // FILE_KW_PATH_IN_INI, styles 3 to 7.
        {"C:\\DVR\\Sch\\c11.tbl", "c11"},
        {"C:\\DVR\\Sch\\c12.tbl", "c12"},
        {"C:\\DVR\\Sch\\c21.tbl", "c21"},
        {"C:\\DVR\\Sch\\c22.tbl", "c22"},
        {"C:\\DVR\\Sch\\c1.tbl", "c1"},
        {"C:\\DVR\\Sch\\c2.tbl", "c2"},
        {"C:\\DVR\\Al\\a1.dat", "a1"},
        {"C:\\DVR\\Al\\a2.dat", "a2"},
        {"C:\\DVR\\Al\\a11.dat", "a11"},
        {"C:\\DVR\\Al\\a22.dat", "a22"},
        // ALL_FILE_IN_KW_PATH.
        {"C:\\DVR\\Skin\\top.bmp", bytes.substr(100)},
        {"C:\\DVR\\Skin\\Blue\\b.bmp", "blue"},
        {"C:\\DVR\\Skin\\" + deep + "deep.bmp", "deep"},
        // FILE_FULLPATH_IN_INI, style 5 and style 12.
        {"D:\\Rec\\List.ini", "recordings"},
        {"C:\\Shared\\" + deep + "deep.dat", bytes},
        {"C:\\Own\\own.dat", "own"},
    };
}

// Packed up, never restored.
std::map<std::string, std::string> PackupOnlyFiles() {
    return {
        {"C:\\Prog\\Tavo.ini", "program settings"},
        {"C:\\Prog\\Logo\\logo.bmp", "logo"},
        {"C:\\WINDOWS\\Once.ini", "once"},
        {"C:\\DVR\\Cache\\c.dat", "cache"},
    };
}

constexpr const char* kActionText =
    "[GENERAL]\nINI_EXE_PATH_ALL=1\nALL_FILE_IN_EXE_PATH=1\nINI_WINDOW_PATH_ALL=3\nINI_WINDOW_PATH_ALL_PNR=1\n"
    "FILE_WINDOW_PATH_IN_INI=2\nINI_KW_PATH_ALL=2\nFILE_KW_PATH_IN_INI=5\nALL_FILE_IN_KW_PATH=1\n"
    "ALL_FILE_IN_KW_PATH_PNR=1\nFILE_FULLPATH_IN_INI=2\n"
    "[INI_EXE_PATH_ALL]\nIEPA_1=Tavo.ini\n[ALL_FILE_IN_EXE_PATH]\nAFIEP_1=Logo\\\n"
    "[INI_WINDOW_PATH_ALL]\nIWPA_1=OrvCMS.ini\nIWPA_2=Lists.ini\nIWPA_3=Empty.ini\n"
    "[INI_WINDOW_PATH_ALL_PNR]\nIWPA_PNR_1=Once.ini\n"
    "[FILE_WINDOW_PATH_IN_INI]\n"
    "FWPII_1_FILE=Lists.ini\nFWPII_1_STYLE=1\nFWPII_1_DATA_APPNAME=Map%d\nFWPII_1_DATA_KEYNAME=File\n"
    "FWPII_1_RANGE_1_BASED=1\nFWPII_1_RANGE_1_APPNAME=Count\nFWPII_1_RANGE_1_KEYNAME=Last\n"
    "FWPII_2_FILE=Lists.ini\nFWPII_2_STYLE=2\nFWPII_2_DATA_APPNAME=Sounds\nFWPII_2_DATA_KEYNAME=Sound%d\n"
    "FWPII_2_RANGE_1_BASED=1\nFWPII_2_RANGE_1_APPNAME=Count\nFWPII_2_RANGE_1_KEYNAME=Last\n"
    "[INI_KW_PATH_ALL]\nIGPA_1=Cams.ini\nIGPA_2=Setup.ini\n"
    "[FILE_KW_PATH_IN_INI]\n"
    "FGPII_1_FILE=Cams.ini\nFGPII_1_STYLE=3\nFGPII_1_DATA_APPNAME=Cam%d\nFGPII_1_DATA_KEYNAME=S3\n"
    "FGPII_1_RANGE_1_BASED=1\nFGPII_1_RANGE_1_MAX=2\n"
    "FGPII_2_FILE=Cams.ini\nFGPII_2_STYLE=4\nFGPII_2_DATA_APPNAME=Cam%d_%d\nFGPII_2_DATA_KEYNAME=Sched\n"
    "FGPII_2_RANGE_1_BASED=1\nFGPII_2_RANGE_1_MAX=2\nFGPII_2_RANGE_2_BASED=1\n"
    "FGPII_3_FILE=Cams.ini\nFGPII_3_STYLE=5\nFGPII_3_DATA_APPNAME=Alarm\nFGPII_3_DATA_KEYNAME=A%d\n"
    "FGPII_3_RANGE_1_BASED=1\nFGPII_3_RANGE_1_MAX=2\n"
    "FGPII_4_FILE=Cams.ini\nFGPII_4_STYLE=6\nFGPII_4_DATA_APPNAME=Alarm\nFGPII_4_DATA_KEYNAME=A%d_%d\n"
    "FGPII_4_RANGE_1_BASED=1\nFGPII_4_RANGE_1_MAX=2\nFGPII_4_RANGE_2_BASED=1\n"
    "FGPII_5_FILE=Cams.ini\nFGPII_5_STYLE=7\nFGPII_5_DATA_APPNAME=Cam%d\nFGPII_5_DATA_KEYNAME=S%d\n"
    "FGPII_5_RANGE_1_BASED=1\nFGPII_5_RANGE_1_MAX=2\nFGPII_5_RANGE_2_BASED=3\n"
    "[ALL_FILE_IN_KW_PATH]\nAFIGP_1=Skin\\\n[ALL_FILE_IN_KW_PATH_PNR]\nAFIGP_PNR_1=Cache\\\n"
    "[FILE_FULLPATH_IN_INI]\n"
    "FFII_1_FILE=Lists.ini\nFFII_1_STYLE=5\nFFII_1_DATA_APPNAME=Full\nFFII_1_DATA_KEYNAME=F%d\n"
    "FFII_1_RANGE_1_BASED=1\nFFII_1_RANGE_1_MAX=2\n"
    "FFII_2_FILE=Setup.ini\nFFII_2_STYLE=12\nFFII_2_DATA_APPNAME=Own\nFFII_2_DATA_KEYNAME=O%d\n"
    "FFII_2_RANGE_1_BASED=1\nFFII_2_RANGE_1_MAX=1\n";

class RoundTrip : public EngineTest {};

TEST_F(RoundTrip, APackupRestoredOnAnotherMachineReproducesEveryFile) {
    UsePreparedRoots();
    WriteActionFile(kActionText);
    for (const auto& [path, bytes] : LiveFiles()) Write(path, bytes);
    for (const auto& [path, bytes] : PackupOnlyFiles()) Write(path, bytes);
    MakeReadOnly("C:\\DVR\\Skin\\Blue\\b.bmp");
    EXPECT_EQ(CountActions(kActionFile), 1 + 1 + 3 + 2 + 2 + 5 + 1 + 2);
    ASSERT_EQ(RunPackupRestore(kActionFile, "Export.ini", 1, kProductDvr), 1);
    EXPECT_EQ(Logged(RunEvent::Failed), 0u);

    // A second machine with the same drives, the package folder and the action file copied across.
    TempPrefix second;
    fs::copy(prefix.HostOf(kPackage), second.HostOf(kPackage), fs::copy_options::recursive);
    second.WriteHost(kActionFile, kActionText);
    fs::create_directories(second.HostOf("D:\\"));
    Roots() = PathRoots{};
    UsePreparedRoots();
    CurrentRunLog().Clear();
    ASSERT_EQ(RunPackupRestore(kActionFile, "Export.ini", 0, kProductDvr), 1);
    EXPECT_EQ(Logged(RunEvent::Failed), 0u);

    for (const auto& [path, bytes] : LiveFiles()) {
        ASSERT_TRUE(fs::is_regular_file(second.HostOf(path))) << path;
        EXPECT_EQ(second.ReadHost(path), bytes) << path;
    }
    for (const auto& [path, bytes] : PackupOnlyFiles())
        EXPECT_FALSE(fs::exists(second.HostOf(path))) << path;
    EXPECT_EQ(second.ReadHost("C:\\Pkg\\Tavo.ini"), "program settings");
    EXPECT_EQ(second.ReadHost("C:\\Pkg\\Cache\\c.dat"), "cache");
    // The read-only attribute travels with the file.
    EXPECT_EQ(fs::status(second.HostOf("C:\\DVR\\Skin\\Blue\\b.bmp")).permissions() & fs::perms::owner_write,
              fs::perms::none);
}

} // namespace
} // namespace tavo::test

#include "engine/indexed_format.h"
#include "engine/ini_ref_actions.h"

#include "engine_fixture.h"

#include <string>
#include <vector>

namespace tavo::test {
namespace {

class IniRefActions : public EngineTest {
  protected:
    IniRefActions() { UsePreparedRoots(); }

    // One FILE_KW_PATH_IN_INI entry reading the product folder's List.ini with these keys.
    void WriteKwEntry(std::string_view keys) const {
        WriteActionFile("[GENERAL]\nFILE_KW_PATH_IN_INI=1\n[FILE_KW_PATH_IN_INI]\nFGPII_1_FILE=List.ini\n" +
                        std::string(keys));
    }

    // The package files copied, in the order they were copied.
    std::vector<std::string> CopiedNames() const {
        std::vector<std::string> names;
        for (const RunLogEntry& entry : CurrentRunLog().entries())
            if (entry.event == RunEvent::Copied) names.push_back(entry.path.substr(std::string(kPackage).size()));
        return names;
    }
};

using Names = std::vector<std::string>;

TEST_F(IniRefActions, EachStyleWalksItsSectionsAndKeys) {
    // A referenced INI where every section S<a>_<b> / S<a> and key K<a>_<b> / K<a> / K names a file
    // after itself, so the copied files show which names were read, and in which order.
    std::string list = "[Count]\nLast=2\n";
    std::vector<std::string> sections = {"S"};
    std::vector<std::string> keys = {"K"};
    for (int a = 0; a <= 3; ++a) {
        sections.push_back("S" + std::to_string(a));
        keys.push_back("K" + std::to_string(a));
        for (int b = 0; b <= 3; ++b) {
            sections.push_back("S" + std::to_string(a) + "_" + std::to_string(b));
            keys.push_back("K" + std::to_string(a) + "_" + std::to_string(b));
        }
    }
    for (const std::string& section : sections) {
        list += "[" + section + "]\n";
        for (const std::string& key : keys) {
            const std::string file = section + "." + key;
            list += key + "=" + file + "\n";
            Write(std::string(kDvr) + file, file);
        }
    }
    Write("C:\\DVR\\List.ini", list);

    struct Case {
        int style;
        const char* keys;
        Names copied;
    };
    const char* range = "FGPII_1_RANGE_1_BASED=1\nFGPII_1_RANGE_1_MAX=3\nFGPII_1_RANGE_2_BASED=2\n";
    const char* fromIni = "FGPII_1_RANGE_1_BASED=1\nFGPII_1_RANGE_1_APPNAME=Count\nFGPII_1_RANGE_1_KEYNAME=Last\n";
    const Case cases[] = {
        {1, "FGPII_1_DATA_APPNAME=S%d\nFGPII_1_DATA_KEYNAME=K\n", {"S1.K", "S2.K"}},
        {2, "FGPII_1_DATA_APPNAME=S\nFGPII_1_DATA_KEYNAME=K%d\n", {"S.K1", "S.K2"}},
        {3, "FGPII_1_DATA_APPNAME=S%d\nFGPII_1_DATA_KEYNAME=K\n", {"S1.K", "S2.K", "S3.K"}},
        {4,
         "FGPII_1_DATA_APPNAME=S%d_%d\nFGPII_1_DATA_KEYNAME=K\n",
         {"S1_2.K", "S1_3.K", "S2_2.K", "S2_3.K", "S3_2.K", "S3_3.K"}},
        {5, "FGPII_1_DATA_APPNAME=S\nFGPII_1_DATA_KEYNAME=K%d\n", {"S.K1", "S.K2", "S.K3"}},
        {6,
         "FGPII_1_DATA_APPNAME=S\nFGPII_1_DATA_KEYNAME=K%d_%d\n",
         {"S.K1_2", "S.K1_3", "S.K2_2", "S.K2_3", "S.K3_2", "S.K3_3"}},
        {7,
         "FGPII_1_DATA_APPNAME=S%d\nFGPII_1_DATA_KEYNAME=K%d\n",
         {"S1.K2", "S1.K3", "S2.K2", "S2.K3", "S3.K2", "S3.K3"}},
        // Style 12 belongs to full paths only; 0 and 8 are no styles.
        {12, "FGPII_1_DATA_APPNAME=S\nFGPII_1_DATA_KEYNAME=K%d\n", {}},
        {0, "FGPII_1_DATA_APPNAME=S\nFGPII_1_DATA_KEYNAME=K\n", {}},
        {8, "FGPII_1_DATA_APPNAME=S%d\nFGPII_1_DATA_KEYNAME=K\n", {}},
    };
    for (const Case& c : cases) {
        CurrentRunLog().Clear();
        const bool lastFromIni = c.style == 1 || c.style == 2;
        WriteKwEntry("FGPII_1_STYLE=" + std::to_string(c.style) + "\n" + c.keys + (lastFromIni ? fromIni : range));
        PackupFileKwPathInIni(kActionFile, kPackage);
        EXPECT_EQ(CopiedNames(), c.copied) << "style " << c.style;
    }
    EXPECT_EQ(Steps(), std::size(cases));
}

TEST_F(IniRefActions, StyleOneWithoutItsLastValueRunsOnlyFromZeroOrBelow) {
    Write("C:\\DVR\\List.ini", "[S-1]\nK=m1.dat\n[S0]\nK=zero.dat\n[S1]\nK=one.dat\n");
    for (const char* file : {"C:\\DVR\\m1.dat", "C:\\DVR\\zero.dat", "C:\\DVR\\one.dat"}) Write(file, "x");
    const std::string keys = "FGPII_1_STYLE=1\nFGPII_1_DATA_APPNAME=S%d\nFGPII_1_DATA_KEYNAME=K\n"
                             "FGPII_1_RANGE_1_APPNAME=Count\nFGPII_1_RANGE_1_KEYNAME=Missing\n";
    WriteKwEntry(keys + "FGPII_1_RANGE_1_BASED=1\n");
    PackupFileKwPathInIni(kActionFile, kPackage);
    EXPECT_TRUE(CopiedNames().empty());
    WriteKwEntry(keys + "FGPII_1_RANGE_1_BASED=-1\n");
    PackupFileKwPathInIni(kActionFile, kPackage);
    EXPECT_EQ(CopiedNames(), (Names{"m1.dat", "zero.dat"}));
}

TEST_F(IniRefActions, RelativeKindsMoveFilesOfTheirRootInEveryDirection) {
    WriteActionFile("[GENERAL]\nFILE_WINDOW_PATH_IN_INI=1\nFILE_KW_PATH_IN_INI=1\n"
                    "[FILE_WINDOW_PATH_IN_INI]\nFWPII_1_FILE=Maps.ini\nFWPII_1_STYLE=5\n"
                    "FWPII_1_DATA_APPNAME=Maps\nFWPII_1_DATA_KEYNAME=Map%d\nFWPII_1_RANGE_1_BASED=1\n"
                    "FWPII_1_RANGE_1_MAX=3\n"
                    "[FILE_KW_PATH_IN_INI]\nFGPII_1_FILE=Conf\\Sounds.ini\nFGPII_1_STYLE=3\n"
                    "FGPII_1_DATA_APPNAME=Sound%d\nFGPII_1_DATA_KEYNAME=File\nFGPII_1_RANGE_1_BASED=1\n"
                    "FGPII_1_RANGE_1_MAX=2\n");
    Write("C:\\WINDOWS\\Maps.ini", "[Maps]\nMap1=Maps\\one.bmp\nMap2=Player.exe\nMap3=Maps\\three.bmp\n");
    Write("C:\\DVR\\Conf\\Sounds.ini", "[Sound1]\nFile=Wav\\alarm.wav\n[Sound2]\nFile=\n");
    Write("C:\\WINDOWS\\Maps\\one.bmp", "one");
    Write("C:\\WINDOWS\\Player.exe", "program");
    Write("C:\\WINDOWS\\Maps\\three.bmp", "three");
    Write("C:\\DVR\\Wav\\alarm.wav", "alarm");

    PackupFileWindowPathInIni(kActionFile, kPackage);
    PackupFileKwPathInIni(kActionFile, kPackage);
    EXPECT_EQ(Read("C:\\Pkg\\Maps\\one.bmp"), "one");
    EXPECT_EQ(Read("C:\\Pkg\\Maps\\three.bmp"), "three");
    EXPECT_EQ(Read("C:\\Pkg\\Player.exe"), "program");
    EXPECT_EQ(Read("C:\\Pkg\\Wav\\alarm.wav"), "alarm");

    Write("C:\\WINDOWS\\Maps\\one.bmp", "changed");
    Write("C:\\DVR\\Wav\\alarm.wav", "changed");
    Write("C:\\Pkg\\Maps\\three.bmp", "");
    RestoreFileWindowPathInIni(kActionFile, kPackage);
    RestoreFileKwPathInIni(kActionFile, kPackage);
    EXPECT_EQ(Read("C:\\WINDOWS\\Maps\\one.bmp"), "one");
    EXPECT_EQ(Read("C:\\WINDOWS\\Maps\\three.bmp"), "");
    EXPECT_EQ(Read("C:\\DVR\\Wav\\alarm.wav"), "alarm");

    // A reset deletes the files the live INIs name, never a program file.
    DefaultsFileWindowPathInIni(kActionFile, "");
    DefaultsFileKwPathInIni(kActionFile, "");
    EXPECT_FALSE(Exists("C:\\WINDOWS\\Maps\\one.bmp"));
    EXPECT_FALSE(Exists("C:\\WINDOWS\\Maps\\three.bmp"));
    EXPECT_FALSE(Exists("C:\\DVR\\Wav\\alarm.wav"));
    EXPECT_TRUE(IsFile("C:\\WINDOWS\\Player.exe"));
    EXPECT_TRUE(IsFile("C:\\WINDOWS\\Maps.ini"));
    EXPECT_TRUE(IsFolder("C:\\WINDOWS"));
    EXPECT_EQ(Steps(), 6u);
}

TEST_F(IniRefActions, RestoreOfARelativeKindRemovesALiveFileThePackageLacks) {
    WriteKwEntry("FGPII_1_STYLE=3\nFGPII_1_DATA_APPNAME=Cam%d\nFGPII_1_DATA_KEYNAME=Schedule\n"
                 "FGPII_1_RANGE_1_BASED=1\nFGPII_1_RANGE_1_MAX=1\n");
    Write("C:\\DVR\\List.ini", "[Cam1]\nSchedule=Sched\\cam1.tbl\n");
    Write("C:\\DVR\\Sched\\cam1.tbl", "live");
    RestoreFileKwPathInIni(kActionFile, kPackage);
    EXPECT_FALSE(Exists("C:\\DVR\\Sched\\cam1.tbl"));
}

TEST_F(IniRefActions, FullPathsArePackedWithoutTheirDriveAndRestoredToIt) {
    WriteActionFile("[GENERAL]\nFILE_FULLPATH_IN_INI=1\n[FILE_FULLPATH_IN_INI]\nFFII_1_FILE=Rec.ini\n"
                    "FFII_1_STYLE=5\nFFII_1_DATA_APPNAME=Lists\nFFII_1_DATA_KEYNAME=L%d\n"
                    "FFII_1_RANGE_1_BASED=1\nFFII_1_RANGE_1_MAX=3\n");
    Write("C:\\WINDOWS\\Rec.ini", "[Lists]\nL1=D:\\Rec\\List.ini\nL2=C:\\Data\\Map1.bmp\nL3=D:\\Rec\\Missing.ini\n");
    Write("D:\\Rec\\List.ini", "list");
    Write("C:\\Data\\Map1.bmp", "map");

    PackupFileFullpathInIni(kActionFile, kPackage);
    EXPECT_EQ(Read("C:\\Pkg\\Rec\\List.ini"), "list");
    EXPECT_EQ(Read("C:\\Pkg\\Data\\Map1.bmp"), "map");
    EXPECT_FALSE(Exists("C:\\Pkg\\Rec\\Missing.ini"));

    // Restore: a failed copy or a missing package file leaves the live file as it is.
    Write("D:\\Rec\\List.ini", "changed");
    Write("D:\\Rec\\Missing.ini", "live only");
    Write("C:\\Data\\Map1.bmp", "live map");
    MakeReadOnly("C:\\Data\\Map1.bmp");
    RestoreFileFullpathInIni(kActionFile, kPackage);
    EXPECT_EQ(Read("D:\\Rec\\List.ini"), "list");
    EXPECT_EQ(Read("D:\\Rec\\Missing.ini"), "live only");
    EXPECT_EQ(Read("C:\\Data\\Map1.bmp"), "live map");
    EXPECT_EQ(Logged(RunEvent::Failed), 1u);
}

TEST_F(IniRefActions, StyleTwelveReadsTheDvrInstallFoldersIni) {
    WriteActionFile("[GENERAL]\nFILE_FULLPATH_IN_INI=1\n[FILE_FULLPATH_IN_INI]\nFFII_1_FILE=Setup.ini\n"
                    "FFII_1_STYLE=12\nFFII_1_DATA_APPNAME=Files\nFFII_1_DATA_KEYNAME=F%d\n"
                    "FFII_1_RANGE_1_BASED=1\nFFII_1_RANGE_1_MAX=1\n");
    Write("C:\\DVR\\Setup.ini", "[Files]\nF1=C:\\Rec\\dvr.dat\n");
    Write("C:\\WINDOWS\\Setup.ini", "[Files]\nF1=C:\\Rec\\windows.dat\n");
    Write("C:\\Rec\\dvr.dat", "dvr");
    Write("C:\\Rec\\windows.dat", "windows");
    PackupFileFullpathInIni(kActionFile, kPackage);
    EXPECT_EQ(Read("C:\\Pkg\\Rec\\dvr.dat"), "dvr");
    EXPECT_FALSE(Exists("C:\\Pkg\\Rec\\windows.dat"));
}

TEST_F(IniRefActions, AnEntryWithoutItsIniIsSteppedAndSkipped) {
    WriteActionFile("[GENERAL]\nFILE_KW_PATH_IN_INI=2\n[FILE_KW_PATH_IN_INI]\nFGPII_2_FILE=Nowhere.ini\n"
                    "FGPII_2_STYLE=3\nFGPII_2_DATA_APPNAME=S%d\nFGPII_2_DATA_KEYNAME=K\nFGPII_2_RANGE_1_MAX=2\n");
    PackupFileKwPathInIni(kActionFile, kPackage);
    DefaultsFileKwPathInIni(kActionFile, "");
    EXPECT_EQ(Steps(), 4u);
    EXPECT_EQ(Logged(RunEvent::Copied) + Logged(RunEvent::Deleted) + Logged(RunEvent::Failed), 0u);
}

TEST_F(IniRefActions, AReferencedValueLeadingOutOfThePackageIsNotPacked) {
    WriteKwEntry("FGPII_1_STYLE=3\nFGPII_1_DATA_APPNAME=S%d\nFGPII_1_DATA_KEYNAME=K\n"
                 "FGPII_1_RANGE_1_BASED=1\nFGPII_1_RANGE_1_MAX=1\n");
    Write("C:\\DVR\\List.ini", "[S1]\nK=..\\Other\\x.ini\n");
    Write("C:\\Other\\x.ini", "outside the product folder");
    PackupFileKwPathInIni(kActionFile, "C:\\Pkg\\Item\\");
    EXPECT_FALSE(Exists("C:\\Pkg\\Other\\x.ini"));
    EXPECT_EQ(Logged(RunEvent::Copied), 0u);
    EXPECT_EQ(Logged(RunEvent::Skipped), 1u);
}

TEST(IndexedFormat, ExpandsIntegerConversionsOnly) {
    struct Case {
        const char* format;
        std::vector<int> values;
        const char* expected;
    };
    const Case cases[] = {
        {"Cam%d", {7}, "Cam7"},
        {"Cam%d_%d", {1, 2}, "Cam1_2"},
        {"Cam%d", {1, 2}, "Cam1"},
        {"Cam%02d", {5}, "Cam05"},
        {"[%-3d|%+d|% d|%.3i]", {4, 5, 6, 7}, "[4  |+5| 6|007]"},
        {"%d", {-12}, "-12"},
        {"%d", {-2147483647 - 1}, "-2147483648"},
        {"Cam%d_%d", {3}, "Cam3_%d"},
        {"100%% %d", {1}, "100% 1"},
        {"%s%n%x %d", {9}, "%s%n%x 9"},
        {"%999999999d", {1}, "%999999999d"},
        {"%", {1}, "%"},
        {"Plain", {1}, "Plain"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatIndexed(c.format, c.values), c.expected) << c.format;
}

} // namespace
} // namespace tavo::test

#include "engine/file_actions.h"

#include "engine_fixture.h"
#include "platform/paths.h"

#include <string>
#include <vector>

namespace tavo::test {
namespace {

using Procedure = void (*)(std::string_view, std::string_view);

class FileActions : public EngineTest {
  protected:
    FileActions() { UsePreparedRoots(); }
};

struct FileKindCase {
    const char* name;
    Procedure packup;
    const char* section;
    const char* key;
    const char* root;
};

TEST_F(FileActions, PackupCopiesEachFileKindFromItsRoot) {
    const FileKindCase cases[] = {
        {"program", PackupIniExePathAll, "INI_EXE_PATH_ALL", "IEPA_1", kProgram},
        {"windows", PackupIniWindowPathAll, "INI_WINDOW_PATH_ALL", "IWPA_1", kWindows},
        {"windows pnr", PackupIniWindowPathAllPnr, "INI_WINDOW_PATH_ALL_PNR", "IWPA_PNR_1", kWindows},
        {"product", PackupIniKwPathAll, "INI_KW_PATH_ALL", "IGPA_1", kDvr},
    };
    for (const FileKindCase& c : cases) {
        const std::string value = std::string(c.name) + "\\Data.ini";
        Write(std::string(c.root) + value, c.name);
        WriteActionFile(std::string("[GENERAL]\n") + c.section + "=1\n[" + c.section + "]\n" + c.key + "=" +
                        value + "\n");
        c.packup(kActionFile, kPackage);
        EXPECT_EQ(Read(kPackage + value), c.name) << c.name;
    }
    EXPECT_EQ(Steps(), 4u);
}

TEST_F(FileActions, PackupCopiesEachFolderKindFromItsRoot) {
    const FileKindCase cases[] = {
        {"program", PackupAllFileInExePath, "ALL_FILE_IN_EXE_PATH", "AFIEP_1", kProgram},
        {"product", PackupAllFileInKwPath, "ALL_FILE_IN_KW_PATH", "AFIGP_1", kDvr},
        {"product pnr", PackupAllFileInKwPathPnr, "ALL_FILE_IN_KW_PATH_PNR", "AFIGP_PNR_1", kDvr},
    };
    for (const FileKindCase& c : cases) {
        const std::string value = std::string(c.name) + "\\";
        Write(std::string(c.root) + value + "Sub\\a.bmp", c.name);
        WriteActionFile(std::string("[GENERAL]\n") + c.section + "=1\n[" + c.section + "]\n" + c.key + "=" +
                        value + "\n");
        c.packup(kActionFile, kPackage);
        EXPECT_EQ(Read(kPackage + value + "Sub\\a.bmp"), c.name) << c.name;
    }
}

TEST_F(FileActions, RestoreCopiesFilesBackAndRemovesWhatThePackageLacks) {
    WriteActionFile("[GENERAL]\nINI_WINDOW_PATH_ALL=3\nINI_KW_PATH_ALL=1\n"
                    "[INI_WINDOW_PATH_ALL]\nIWPA_1=OrvCMS.ini\nIWPA_2=Gone.ini\nIWPA_3=Viewer.exe\n"
                    "[INI_KW_PATH_ALL]\nIGPA_1=Data\\Table.ini\n");
    Write("C:\\Pkg\\OrvCMS.ini", "packed");
    Write("C:\\Pkg\\Data\\Table.ini", "packed table");
    Write("C:\\WINDOWS\\OrvCMS.ini", "live");
    Write("C:\\WINDOWS\\Gone.ini", "live");
    Write("C:\\WINDOWS\\Viewer.exe", "program");

    RestoreIniWindowPathAll(kActionFile, kPackage);
    RestoreIniKwPathAll(kActionFile, kPackage);

    EXPECT_EQ(Read("C:\\WINDOWS\\OrvCMS.ini"), "packed");
    EXPECT_FALSE(Exists("C:\\WINDOWS\\Gone.ini"));
    EXPECT_EQ(Read("C:\\WINDOWS\\Viewer.exe"), "program");
    EXPECT_EQ(Read("C:\\DVR\\Data\\Table.ini"), "packed table");
    EXPECT_EQ(Steps(), 4u);
}

TEST_F(FileActions, RestoreOfAFolderKindCopiesTheTreeBackAndLeavesOtherLiveFiles) {
    WriteActionFile(
        "[GENERAL]\nALL_FILE_IN_KW_PATH=2\n[ALL_FILE_IN_KW_PATH]\nAFIGP_1=Skin\\\nAFIGP_2=NotPacked\\\n");
    Write("C:\\Pkg\\Skin\\a.bmp", "packed a");
    Write("C:\\Pkg\\Skin\\Blue\\b.bmp", "packed b");
    Write("C:\\DVR\\Skin\\a.bmp", "live a");
    Write("C:\\DVR\\Skin\\extra.bmp", "live only");
    Write("C:\\DVR\\NotPacked\\keep.txt", "live");

    RestoreAllFileInKwPath(kActionFile, kPackage);

    EXPECT_EQ(Read("C:\\DVR\\Skin\\a.bmp"), "packed a");
    EXPECT_EQ(Read("C:\\DVR\\Skin\\Blue\\b.bmp"), "packed b");
    EXPECT_EQ(Read("C:\\DVR\\Skin\\extra.bmp"), "live only");
    EXPECT_EQ(Read("C:\\DVR\\NotPacked\\keep.txt"), "live");
    EXPECT_EQ(Steps(), 2u);
}

TEST_F(FileActions, DefaultsDeleteTheLiveFilesButKeepProgramsAndTheUserDefineIni) {
    WriteActionFile("[GENERAL]\nINI_WINDOW_PATH_ALL=5\nINI_KW_PATH_ALL=1\n"
                    "[INI_WINDOW_PATH_ALL]\nIWPA_1=OrvCMS.ini\nIWPA_2=orvUSERdefine.INI\nIWPA_3=\n"
                    "IWPA_4=Viewer.exe\nIWPA_5=OrvUserDefine.ini.bak\n"
                    "[INI_KW_PATH_ALL]\nIGPA_1=Data\\Table.ini\n");
    for (const char* file :
         {"C:\\WINDOWS\\OrvCMS.ini", "C:\\WINDOWS\\OrvUserDefine.ini", "C:\\WINDOWS\\Viewer.exe",
          "C:\\WINDOWS\\OrvUserDefine.ini.bak", "C:\\DVR\\Data\\Table.ini"})
        Write(file, "live");

    DefaultsIniWindowPathAll(kActionFile, "");
    DefaultsIniKwPathAll(kActionFile, "");

    EXPECT_FALSE(Exists("C:\\WINDOWS\\OrvCMS.ini"));
    EXPECT_FALSE(Exists("C:\\WINDOWS\\OrvUserDefine.ini.bak"));
    EXPECT_FALSE(Exists("C:\\DVR\\Data\\Table.ini"));
    EXPECT_TRUE(IsFile("C:\\WINDOWS\\OrvUserDefine.ini"));
    EXPECT_TRUE(IsFile("C:\\WINDOWS\\Viewer.exe"));
    EXPECT_TRUE(IsFolder("C:\\WINDOWS"));
    EXPECT_EQ(Steps(), 6u);
    EXPECT_EQ(Logged(RunEvent::Deleted), 3u);
    EXPECT_EQ(Logged(RunEvent::Kept), 1u);
}

TEST_F(FileActions, DefaultsOfAFolderKindEmptyTheTreeAndKeepItsFolders) {
    WriteActionFile(
        "[GENERAL]\nALL_FILE_IN_KW_PATH=2\n[ALL_FILE_IN_KW_PATH]\nAFIGP_1=Skin\\\nAFIGP_2=Missing\\\n");
    Write("C:\\DVR\\Skin\\a.bmp", "a");
    Write("C:\\DVR\\Skin\\Blue\\b.bmp", "b");
    Write("C:\\DVR\\Skin\\Blue\\Paint.exe", "program");
    Write("C:\\DVR\\Other.ini", "outside");

    DefaultsAllFileInKwPath(kActionFile, "");

    EXPECT_FALSE(Exists("C:\\DVR\\Skin\\a.bmp"));
    EXPECT_FALSE(Exists("C:\\DVR\\Skin\\Blue\\b.bmp"));
    EXPECT_TRUE(IsFile("C:\\DVR\\Skin\\Blue\\Paint.exe"));
    EXPECT_TRUE(IsFolder("C:\\DVR\\Skin\\Blue"));
    EXPECT_EQ(Read("C:\\DVR\\Other.ini"), "outside");
    EXPECT_EQ(Logged(RunEvent::Deleted), 2u);
    EXPECT_EQ(Logged(RunEvent::Kept), 1u);
    EXPECT_EQ(Steps(), 2u);
}

TEST_F(FileActions, EntriesWithoutValuesAreSteppedAndDoNothing) {
    // Count 2 with no keys, and an empty value: the roots themselves are never copied or deleted.
    WriteActionFile("[GENERAL]\nINI_EXE_PATH_ALL=2\nINI_WINDOW_PATH_ALL=1\nALL_FILE_IN_KW_PATH=1\n"
                    "[INI_WINDOW_PATH_ALL]\nIWPA_1=\n[ALL_FILE_IN_KW_PATH]\nAFIGP_1=\n");
    Write("C:\\WINDOWS\\win.ini", "live");
    Write("C:\\DVR\\dvr.ini", "live");
    Write("C:\\Pkg\\win.ini", "packed");
    PackupIniExePathAll(kActionFile, kPackage);
    RestoreIniWindowPathAll(kActionFile, kPackage);
    DefaultsIniWindowPathAll(kActionFile, "");
    DefaultsAllFileInKwPath(kActionFile, "");
    EXPECT_EQ(Steps(), 5u);
    EXPECT_EQ(Read("C:\\WINDOWS\\win.ini"), "live");
    EXPECT_EQ(Read("C:\\DVR\\dvr.ini"), "live");
    EXPECT_EQ(Read("C:\\Pkg\\win.ini"), "packed");
    // The two entries without keys are one skip; each empty value is one.
    EXPECT_EQ(Logged(RunEvent::Skipped), 4u);
    EXPECT_EQ(Logged(RunEvent::Copied) + Logged(RunEvent::Deleted), 0u);
}

TEST_F(FileActions, ACountOfBillionsRunsTheEntriesThereAreAndStepsTheRestAtOnce) {
    WriteActionFile("[GENERAL]\nINI_WINDOW_PATH_ALL=2147483647\n"
                    "[INI_WINDOW_PATH_ALL]\nIWPA_2=win.ini\nIWPA_9999999999=far.ini\n");
    Write("C:\\Pkg\\win.ini", "packed");
    RestoreIniWindowPathAll(kActionFile, kPackage);
    EXPECT_EQ(Read("C:\\WINDOWS\\win.ini"), "packed");
    EXPECT_EQ(Steps(), 2147483647u) << "the bar still ends at the count";
    EXPECT_EQ(Logged(RunEvent::Copied), 1u);
    // Entry 1 has no keys and is only stepped; the rest up to the count are one skip.
    ASSERT_EQ(CurrentRunLog().entries().size(), 2u);
    EXPECT_EQ(CurrentRunLog().entries().back().detail,
              "INI_WINDOW_PATH_ALL entries 3 to 2147483647 are not in the action file");
}

TEST_F(FileActions, CountsBelowOneRunNothing) {
    WriteActionFile("[GENERAL]\nINI_WINDOW_PATH_ALL=-3\nINI_KW_PATH_ALL=zero\n"
                    "[INI_WINDOW_PATH_ALL]\nIWPA_1=a.ini\n[INI_KW_PATH_ALL]\nIGPA_1=b.ini\n");
    Write("C:\\WINDOWS\\a.ini", "a");
    PackupIniWindowPathAll(kActionFile, kPackage);
    PackupIniKwPathAll(kActionFile, kPackage);
    PackupIniExePathAll("C:\\Prog\\Action\\Missing.ini", kPackage);
    EXPECT_EQ(Steps(), 0u);
    EXPECT_FALSE(Exists("C:\\Pkg\\a.ini"));
}

TEST_F(FileActions, APackageInTheProgramFolderKeepsTheProgramFilesInPlace) {
    Roots().packageFolder = kProgram;
    WriteActionFile("[GENERAL]\nINI_EXE_PATH_ALL=1\nALL_FILE_IN_EXE_PATH=1\n"
                    "[INI_EXE_PATH_ALL]\nIEPA_1=Setup.ini\n[ALL_FILE_IN_EXE_PATH]\nAFIEP_1=Skin\\\n");
    Write("C:\\Prog\\Setup.ini", "settings");
    Write("C:\\Prog\\Skin\\a.bmp", "bitmap");
    PackupIniExePathAll(kActionFile, kProgram);
    PackupAllFileInExePath(kActionFile, kProgram);
    EXPECT_EQ(Read("C:\\Prog\\Setup.ini"), "settings");
    EXPECT_EQ(Read("C:\\Prog\\Skin\\a.bmp"), "bitmap");
    EXPECT_EQ(Logged(RunEvent::Kept), 2u);
    EXPECT_EQ(Logged(RunEvent::Failed) + Logged(RunEvent::Deleted), 0u);
}

TEST_F(FileActions, AnEmptyRootTouchesNothingInTheCurrentFolder) {
    // A value on an empty root would name a file of whatever folder is current.
    Roots().windowsFolder.clear();
    MakeFolder("C:\\Work");
    plat::SetCurrentFolder("C:\\Work");
    Write("C:\\Work\\OrvCMS.ini", "not the Windows folder's");
    WriteActionFile("[GENERAL]\nINI_WINDOW_PATH_ALL=1\n[INI_WINDOW_PATH_ALL]\nIWPA_1=OrvCMS.ini\n");
    RestoreIniWindowPathAll(kActionFile, kPackage);
    DefaultsIniWindowPathAll(kActionFile, "");
    EXPECT_EQ(Read("C:\\Work\\OrvCMS.ini"), "not the Windows folder's");
    EXPECT_EQ(Steps(), 2u);
}

TEST_F(FileActions, AValueLeadingOutOfThePackageIsNotPacked) {
    WriteActionFile("[GENERAL]\nINI_WINDOW_PATH_ALL=1\n[INI_WINDOW_PATH_ALL]\nIWPA_1=..\\Prog\\Setup.ini\n");
    Write("C:\\Prog\\Setup.ini", "program settings");
    PackupIniWindowPathAll(kActionFile, "C:\\Pkg\\Inner\\");
    EXPECT_FALSE(Exists("C:\\Pkg\\Prog\\Setup.ini"));
    EXPECT_EQ(Logged(RunEvent::Skipped), 1u);
}

TEST_F(FileActions, LongValuesAreReadWhole) {
    const std::string folder = std::string(150, 'f') + "\\" + std::string(150, 'g') + "\\";
    const std::string value = folder + "Long.ini";
    WriteActionFile("[GENERAL]\nINI_KW_PATH_ALL=1\n[INI_KW_PATH_ALL]\nIGPA_1=" + value + "\n");
    Write(std::string(kDvr) + value, "long");
    Write(std::string(kDvr) + folder + "Long.in", "the name cut short");
    PackupIniKwPathAll(kActionFile, kPackage);
    EXPECT_EQ(Read(std::string(kPackage) + value), "long");
    EXPECT_FALSE(Exists(std::string(kPackage) + folder + "Long.in"));
}

} // namespace
} // namespace tavo::test

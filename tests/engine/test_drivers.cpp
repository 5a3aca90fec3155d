#include "engine/drivers.h"
#include "engine/registry_tree_actions.h"

#include "engine_fixture.h"

#include <string>
#include <vector>

namespace tavo::test {
namespace {

class PreparePathsTest : public EngineTest {
  protected:
    PreparePathsTest() {
        Roots().programFolder = kProgram;
        MakeFolder(kProgram);
        Write("C:\\Prog\\Lang.ini", "[MSG_BOX]\nText_String_KW_PATH_SELECT=Where is the recorder?\n"
                                    "Text_String_PATH_SELECT_NDR=Where is Nodera?\n"
                                    "Text_String_PATH_SELECT_WDS=Where is Watchdeck?\n"
                                    "Text_String_PATH_SELECT_PWT=Where is Pulsewatch?\n"
                                    "Text_String_PATH_SELECT_RLS=Where is Relay?\n");
        SetSettingsIniPath("C:\\Prog\\Lang.ini");
    }
    std::vector<std::string> Prompts() const { return op.CallsStartingWith("folder?"); }
};

TEST_F(PreparePathsTest, ADvrRunTakesItsFolderFromTheInstallPath) {
    Write("C:\\WINDOWS\\OrvMulti.ini", "[General]\nInstallPath=C:\\DVR\\Main.exe\n");
    EXPECT_EQ(PreparePaths(kProductDvr), 1);
    const PathRoots& roots = Roots();
    EXPECT_EQ(roots.windowsFolder, "C:\\WINDOWS\\");
    EXPECT_EQ(roots.tempFolder, "C:\\Temp\\");
    EXPECT_EQ(InstallFolder(kProductDvr), "C:\\DVR\\");
    EXPECT_EQ(roots.activeProductFolder, "C:\\DVR\\");
    EXPECT_EQ(roots.packageFolder, kProgram);
    EXPECT_EQ(roots.registryFolder, "C:\\Prog\\Reg\\");
    EXPECT_TRUE(IsFolder("C:\\Prog\\Reg"));
    EXPECT_GT(SpaceCounters()[3], 0u);
    EXPECT_TRUE(Prompts().empty());
}

TEST_F(PreparePathsTest, AnInstallPathWithoutAFolderLeavesTheDvrFolderEmptyWithoutAPrompt) {
    Write("C:\\WINDOWS\\OrvMulti.ini", "[General]\nInstallPath=Main.exe\n");
    EXPECT_EQ(PreparePaths(kProductDvr), 1);
    EXPECT_EQ(InstallFolder(kProductDvr), "");
    EXPECT_EQ(Roots().activeProductFolder, "");
    EXPECT_TRUE(Prompts().empty());
}

TEST_F(PreparePathsTest, WithoutAnInstallPathTheOperatorIsAsked) {
    MakeFolder("C:\\Chosen");
    op.AnswerFolder("C:\\Chosen");
    EXPECT_EQ(PreparePaths(kProductDvr), 1);
    EXPECT_EQ(InstallFolder(kProductDvr), "C:\\Chosen\\");
    EXPECT_EQ(Roots().activeProductFolder, "C:\\Chosen\\");
    ASSERT_EQ(Prompts().size(), 1u);
    EXPECT_EQ(Prompts()[0].rfind("folder? Where is the recorder? |", 0), 0u) << Prompts()[0];
    EXPECT_EQ(op.CallsStartingWith("wait cursor"), std::vector<std::string>{"wait cursor 1000"});
    // Once filled, a root is not asked for again.
    EXPECT_EQ(PreparePaths(kProductDvr), 1);
    EXPECT_EQ(Prompts().size(), 1u);
}

TEST_F(PreparePathsTest, AReloadReplacesTheDvrFolderAndTheValueARestoreKeeps) {
    Write("C:\\WINDOWS\\OrvMulti.ini", "[General]\nInstallPath=C:\\DVR\\Main.exe\n");
    ASSERT_EQ(PreparePaths(kProductDvr), 1);
    Write("C:\\WINDOWS\\OrvMulti.ini", "[General]\nInstallPath=D:\\Moved\\Main.exe\n");
    EXPECT_EQ(ReloadDvrInstallFolder(), "D:\\Moved\\");
    EXPECT_EQ(InstallFolder(kProductDvr), "D:\\Moved\\");
    EXPECT_EQ(Roots().dvrInstallPath, "D:\\Moved\\Main.exe");

    // An INI that names no folder empties the root, so the next preparation asks for one.
    Write("C:\\WINDOWS\\OrvMulti.ini", "[General]\n");
    EXPECT_EQ(ReloadDvrInstallFolder(), "");
    MakeFolder("C:\\Chosen");
    op.AnswerFolder("C:\\Chosen");
    EXPECT_EQ(PreparePaths(kProductDvr), 1);
    EXPECT_EQ(InstallFolder(kProductDvr), "C:\\Chosen\\");
    EXPECT_EQ(Prompts().size(), 1u);
}

TEST_F(PreparePathsTest, ACancelledPromptStopsThePreparation) {
    op.CancelFolder();
    EXPECT_EQ(PreparePaths(kProductDvr), 0);
    EXPECT_EQ(InstallFolder(kProductDvr), "");
    op.CancelFolder();
    EXPECT_EQ(PreparePaths(kProductRelay), 0);
}

TEST_F(PreparePathsTest, EachOtherProductAsksWithItsOwnText) {
    struct Case {
        int code;
        const char* text;
        const char* folder;
    };
    const Case cases[] = {
        {kProductNodera, "Where is Nodera?", "C:\\Nodera"},
        {kProductWatchdeck, "Where is Watchdeck?", "C:\\Watchdeck"},
        {kProductPulsewatch, "Where is Pulsewatch?", "C:\\Pulsewatch"},
        {kProductRelay, "Where is Relay?", "C:\\Relay"},
    };
    for (const Case& c : cases) {
        op.ClearCalls();
        op.AnswerFolder(c.folder);
        EXPECT_EQ(PreparePaths(c.code), 1) << c.text;
        ASSERT_EQ(Prompts().size(), 1u) << c.text;
        EXPECT_EQ(Prompts()[0].rfind(std::string("folder? ") + c.text + " |", 0), 0u) << Prompts()[0];
        EXPECT_EQ(InstallFolder(c.code), std::string(c.folder) + "\\");
        EXPECT_EQ(Roots().activeProductFolder, std::string(c.folder) + "\\");
    }
    // Another code changes no product folder; the DVR's was never asked for.
    EXPECT_EQ(PreparePaths(3), 1);
    EXPECT_EQ(Roots().activeProductFolder, "C:\\Relay\\");
    EXPECT_EQ(InstallFolder(kProductDvr), "");
}

TEST_F(PreparePathsTest, FilledRootsAreKept) {
    Roots().windowsFolder = "C:\\Other\\";
    Roots().packageFolder = "C:\\Pkg\\";
    InstallFolder(kProductNodera) = "C:\\Nodera\\";
    EXPECT_EQ(PreparePaths(kProductNodera), 1);
    EXPECT_EQ(Roots().windowsFolder, "C:\\Other\\");
    EXPECT_EQ(Roots().packageFolder, "C:\\Pkg\\");
    EXPECT_EQ(Roots().registryFolder, "C:\\Pkg\\Reg\\");
    EXPECT_EQ(Roots().activeProductFolder, "C:\\Nodera\\");
    EXPECT_TRUE(Prompts().empty());
}

TEST_F(PreparePathsTest, WithoutAProgramFolderThePackageGoesToTheTemporaryFolder) {
    Roots().programFolder.clear();
    EXPECT_EQ(PreparePaths(3), 1);
    EXPECT_EQ(Roots().packageFolder, "C:\\Temp\\Tavo\\");
    EXPECT_EQ(Roots().registryFolder, "C:\\Temp\\Tavo\\Reg\\");
    EXPECT_TRUE(IsFolder("C:\\Temp\\Tavo\\Reg"));
}

TEST_F(PreparePathsTest, APackageFolderThatCannotBeMadeFails) {
    Roots().programFolder.clear();
    Write("C:\\Temp\\Tavo", "a file in the way");
    EXPECT_EQ(PreparePaths(3), 0);
}

TEST_F(PreparePathsTest, ARegistryFolderThatCannotBeMadeIsLeftEmpty) {
    Write("C:\\Prog\\Reg", "a file in the way");
    EXPECT_EQ(PreparePaths(3), 1);
    EXPECT_EQ(Roots().registryFolder, "");
    EXPECT_EQ(Read("C:\\Prog\\Reg"), "a file in the way");
}

// --- The census and the drivers ---

class Drivers : public EngineTest {
  protected:
    Drivers() { UsePreparedRoots(); }

    // Each kind's count is its own power of two, so a sum shows which kinds took part.
    void WriteCountsOnly() const {
        WriteActionFile("[GENERAL]\nINI_EXE_PATH_ALL=1\nALL_FILE_IN_EXE_PATH=2\nINI_WINDOW_PATH_ALL=4\n"
                        "INI_WINDOW_PATH_SECTION=8\nFILE_WINDOW_PATH_IN_INI=16\nINI_KW_PATH_ALL=32\n"
                        "INI_KW_PATH_SECTION=64\nFILE_KW_PATH_IN_INI=128\nALL_FILE_IN_KW_PATH=256\n"
                        "FILE_FULLPATH_IN_INI=512\nINI_WINDOW_PATH_ALL_PNR=1024\nALL_FILE_IN_KW_PATH_PNR=2048\n"
                        "REGISTER_TREE_ALL=4096\nREGISTER_TREE_SECTION=8192\n");
    }

    // One entry per kind, each naming a file or folder called after its kind.
    void WriteOneEntryPerKind() const {
        WriteActionFile(
            "[GENERAL]\nINI_EXE_PATH_ALL=1\nALL_FILE_IN_EXE_PATH=1\nINI_WINDOW_PATH_ALL=1\nINI_WINDOW_PATH_ALL_PNR=1\n"
            "FILE_WINDOW_PATH_IN_INI=1\nINI_KW_PATH_ALL=1\nFILE_KW_PATH_IN_INI=1\nALL_FILE_IN_KW_PATH=1\n"
            "ALL_FILE_IN_KW_PATH_PNR=1\nFILE_FULLPATH_IN_INI=1\nREGISTER_TREE_ALL=1\nREGISTER_TREE_SECTION=1\n"
            "[INI_EXE_PATH_ALL]\nIEPA_1=iepa.ini\n[ALL_FILE_IN_EXE_PATH]\nAFIEP_1=afiep\\\n"
            "[INI_WINDOW_PATH_ALL]\nIWPA_1=iwpa.ini\n[INI_WINDOW_PATH_ALL_PNR]\nIWPA_PNR_1=iwpapnr.ini\n"
            "[FILE_WINDOW_PATH_IN_INI]\nFWPII_1_FILE=iwpa.ini\nFWPII_1_STYLE=3\nFWPII_1_DATA_APPNAME=F%d\n"
            "FWPII_1_DATA_KEYNAME=Name\nFWPII_1_RANGE_1_BASED=1\nFWPII_1_RANGE_1_MAX=1\n"
            "[INI_KW_PATH_ALL]\nIGPA_1=igpa.ini\n"
            "[FILE_KW_PATH_IN_INI]\nFGPII_1_FILE=igpa.ini\nFGPII_1_STYLE=3\nFGPII_1_DATA_APPNAME=F%d\n"
            "FGPII_1_DATA_KEYNAME=Name\nFGPII_1_RANGE_1_BASED=1\nFGPII_1_RANGE_1_MAX=1\n"
            "[ALL_FILE_IN_KW_PATH]\nAFIGP_1=afigp\\\n[ALL_FILE_IN_KW_PATH_PNR]\nAFIGP_PNR_1=afigppnr\\\n"
            "[FILE_FULLPATH_IN_INI]\nFFII_1_FILE=iwpa.ini\nFFII_1_STYLE=3\nFFII_1_DATA_APPNAME=F%d\n"
            "FFII_1_DATA_KEYNAME=Full\nFFII_1_RANGE_1_BASED=1\nFFII_1_RANGE_1_MAX=1\n"
            "[REGISTER_TREE_ALL]\nRTA_1_MAIN_KEY=4\nRTA_1_SUB_KEY=SOFTWARE\\Tavo\\Rta\nRTA_1_FILE=rta.hiv\n"
            "[REGISTER_TREE_SECTION]\nRTS_1_MAIN_KEY=4\nRTS_1_SUB_KEY=SOFTWARE\\Tavo\nRTS_1_SECTION_KEY=Rts\n"
            "RTS_1_SECTION_TYPE=1\nRTS_1_CONTENT=rts\nRTS_1_DELETE=1\n");
    }
    // The registry side of WriteOneEntryPerKind: the live key and value, or the package's hive.
    void WriteRegistryOfKinds(bool packageSide) {
        Roots().registryFolder = "C:\\Pkg\\Reg\\";
        MakeFolder("C:\\Pkg\\Reg");
        plat::HKey key = 0;
        ASSERT_EQ(plat::RegCreateKeyEx(plat::kHkeyLocalMachine, "SOFTWARE\\Tavo\\Rta", plat::kKeyAllAccess, &key,
                                       nullptr),
                  0);
        plat::RegCloseKey(key);
        ASSERT_EQ(plat::RegCreateKeyEx(plat::kHkeyLocalMachine, "SOFTWARE\\Tavo", plat::kKeyAllAccess, &key, nullptr),
                  0);
        plat::RegSetValueEx(key, "Rts", plat::kRegSz, reinterpret_cast<const std::uint8_t*>("rts"), 4);
        plat::RegCloseKey(key);
        if (packageSide) {
            ASSERT_EQ(SaveHive(plat::kHkeyLocalMachine, "SOFTWARE\\Tavo\\Rta", "C:\\Pkg\\Reg\\rta.hiv"), 1);
            CurrentRunLog().Clear();
        }
    }
    // The live side of WriteOneEntryPerKind, or its package side (with "C:\Full\" packed as "Full\").
    void WriteOneFilePerKind(std::string_view windows, std::string_view program, std::string_view product,
                             std::string_view full) const {
        const std::string w(windows), p(program), d(product), f(full);
        Write(p + "iepa.ini", "iepa");
        Write(p + "afiep\\a.txt", "afiep");
        Write(w + "iwpa.ini", "[F1]\nName=fwpii.dat\nFull=C:\\Full\\ffii.dat\n");
        Write(w + "iwpapnr.ini", "iwpapnr");
        Write(w + "fwpii.dat", "fwpii");
        Write(d + "igpa.ini", "[F1]\nName=fgpii.dat\n");
        Write(d + "fgpii.dat", "fgpii");
        Write(d + "afigp\\a.txt", "afigp");
        Write(d + "afigppnr\\a.txt", "afigppnr");
        Write(f + "ffii.dat", "ffii");
    }
    // The files the run log shows as copied or deleted, in order, relative to their folders.
    std::vector<std::string> Touched(RunEvent event) const {
        std::vector<std::string> names;
        for (const RunLogEntry& entry : CurrentRunLog().entries()) {
            if (entry.event != event) continue;
            const std::size_t slash = entry.path.rfind('\\');
            std::string name = entry.path.substr(slash + 1);
            if (name == "a.txt") name = entry.path.substr(entry.path.rfind('\\', slash - 1) + 1);
            names.push_back(name);
        }
        return names;
    }
};

TEST_F(Drivers, CountActionsSumsTheKindsWhoseRootsAreKnown) {
    WriteCountsOnly();
    Roots().registryFolder = "C:\\Pkg\\Reg\\";
    EXPECT_EQ(CountActions(kActionFile), 1 + 2 + 4 + 8 + 16 + 32 + 64 + 128 + 256 + 512 + 4096 + 8192);
    Roots().registryFolder.clear();
    EXPECT_EQ(CountActions(kActionFile), 1 + 2 + 4 + 8 + 16 + 32 + 64 + 128 + 256 + 512 + 8192);
    Roots().windowsFolder.clear();
    EXPECT_EQ(CountActions(kActionFile), 1 + 2 + 32 + 64 + 128 + 256 + 512 + 8192);
    Roots().activeProductFolder.clear();
    EXPECT_EQ(CountActions(kActionFile), 1 + 2 + 512 + 8192);
    EXPECT_EQ(CountActions("C:\\Prog\\Action\\Missing.ini"), 0);
}

TEST_F(Drivers, APackupStepsWhatTheCensusCountsButTheSectionKindsAndWithThePackupOnlyKinds) {
    WriteCountsOnly();
    struct Case {
        const char* name;
        bool windows;
        bool product;
    };
    for (const Case& c : {Case{"all roots", true, true}, Case{"no Windows folder", false, true},
                          Case{"no product folder", true, false}}) {
        UsePreparedRoots();
        Roots().registryFolder = "C:\\Pkg\\Reg\\";
        if (!c.windows) Roots().windowsFolder.clear();
        if (!c.product) InstallFolder(kProductDvr).clear();
        const std::size_t before = Steps();
        EXPECT_EQ(RunPackupRestore(kActionFile, "Export.ini", 1, kProductDvr), 1);
        const int counted = CountActions(kActionFile);
        const int sections = (c.windows ? 8 : 0) + (c.product ? 64 : 0);
        const int packupOnly = (c.windows ? 1024 : 0) + (c.product ? 2048 : 0);
        EXPECT_EQ(static_cast<int>(Steps() - before), counted - sections + packupOnly) << c.name;
    }
}

TEST_F(Drivers, RestoreAndDefaultsRunTheirKindsWhateverRootsAreEmpty) {
    WriteCountsOnly();
    Roots().windowsFolder.clear();
    InstallFolder(kProductDvr).clear();
    EXPECT_EQ(RunPackupRestore(kActionFile, "", 0, kProductDvr), 1);
    EXPECT_EQ(Steps(), 4u + 16 + 32 + 128 + 256 + 512 + 8192) << "without a registry folder, no registry trees";
    EXPECT_EQ(RunDefaults(kActionFile), 1);
    EXPECT_EQ(Steps(), 2 * (4u + 16 + 32 + 128 + 256 + 8192) + 512 + 4096);
    EXPECT_EQ(Logged(RunEvent::Copied) + Logged(RunEvent::Deleted), 0u);
}

TEST_F(Drivers, PackupRunsTheKindsInTheirOrder) {
    WriteOneEntryPerKind();
    WriteOneFilePerKind(kWindows, kProgram, kDvr, "C:\\Full\\");
    WriteRegistryOfKinds(false);
    EXPECT_EQ(RunPackupRestore(kActionFile, "", 1, kProductDvr), 1);
    EXPECT_EQ(Touched(RunEvent::Copied),
              (std::vector<std::string>{"iepa.ini", "afiep\\a.txt", "iwpa.ini", "iwpapnr.ini", "fwpii.dat", "igpa.ini",
                                        "fgpii.dat", "afigp\\a.txt", "afigppnr\\a.txt", "ffii.dat", "rta.hiv", "Rts"}));
    EXPECT_EQ(Read("C:\\Pkg\\Full\\ffii.dat"), "ffii");
}

TEST_F(Drivers, RestoreRunsTheKindsInTheirOrderAndNeverThePackupOnlyOnes) {
    WriteOneEntryPerKind();
    WriteOneFilePerKind(kPackage, kPackage, kPackage, "C:\\Pkg\\Full\\");
    WriteRegistryOfKinds(true);
    // The referenced INIs are read at their live place, which the earlier kinds restore.
    EXPECT_EQ(RunPackupRestore(kActionFile, "", 0, kProductDvr), 1);
    EXPECT_EQ(Touched(RunEvent::Copied), (std::vector<std::string>{"iwpa.ini", "fwpii.dat", "igpa.ini", "fgpii.dat",
                                                                   "afigp\\a.txt", "ffii.dat", "Rta", "Rts"}));
    EXPECT_EQ(Read("C:\\Full\\ffii.dat"), "ffii");
    EXPECT_FALSE(Exists("C:\\WINDOWS\\iwpapnr.ini"));
    EXPECT_FALSE(Exists("C:\\DVR\\afigppnr"));
}

TEST_F(Drivers, DefaultsRunTheirKindsInTheirOrder) {
    WriteOneEntryPerKind();
    WriteOneFilePerKind(kWindows, kProgram, kDvr, "C:\\Full\\");
    WriteRegistryOfKinds(false);
    EXPECT_EQ(RunDefaults(kActionFile), 1);
    EXPECT_EQ(Touched(RunEvent::Deleted),
              (std::vector<std::string>{"Rta", "Rts", "iwpa.ini", "igpa.ini", "afigp\\a.txt"}));
    // The referenced files go by the live INIs, which the kinds before them have just deleted.
    EXPECT_TRUE(IsFile("C:\\WINDOWS\\fwpii.dat"));
    EXPECT_TRUE(IsFile("C:\\Full\\ffii.dat"));
    EXPECT_TRUE(IsFile("C:\\Prog\\iepa.ini"));
}

TEST_F(Drivers, TheProductCodeChoosesTheActiveProductFolder) {
    InstallFolder(kProductNodera) = "C:\\Nodera\\";
    WriteActionFile("[GENERAL]\nINI_KW_PATH_ALL=1\n[INI_KW_PATH_ALL]\nIGPA_1=own.ini\n");
    Write("C:\\DVR\\own.ini", "dvr");
    Write("C:\\Nodera\\own.ini", "nodera");
    struct Case {
        int code;
        const char* expected;
    };
    for (const Case& c : {Case{kProductNodera, "nodera"}, Case{3, "dvr"}, Case{kProductDvr, "dvr"},
                          Case{kProductRelay, ""}}) {
        EXPECT_EQ(RunPackupRestore(kActionFile, "", 1, c.code), 1);
        EXPECT_EQ(Read("C:\\Pkg\\own.ini"), c.expected) << c.code;
        CurrentRunLog().Clear();
        std::filesystem::remove_all(prefix.HostOf("C:\\Pkg"));
    }
}

TEST_F(Drivers, APackupThatCannotMakeItsPackageFolderRunsNothing) {
    WriteCountsOnly();
    Write("C:\\Pkg", "a file in the way");
    EXPECT_EQ(RunPackupRestore(kActionFile, "", 1, kProductDvr), 0);
    EXPECT_EQ(Steps(), 0u);
    EXPECT_EQ(Logged(RunEvent::Failed), 1u);
    // A restore makes no package folder and still runs.
    EXPECT_EQ(RunPackupRestore(kActionFile, "", 0, kProductDvr), 1);
    EXPECT_GT(Steps(), 0u);
}

TEST_F(Drivers, APackupMakesItsPackageFolder) {
    Roots().packageFolder = "C:\\Packages\\Today\\";
    WriteActionFile("[GENERAL]\nINI_WINDOW_PATH_ALL=1\n[INI_WINDOW_PATH_ALL]\nIWPA_1=win.ini\n");
    Write("C:\\WINDOWS\\win.ini", "w");
    EXPECT_EQ(RunPackupRestore(kActionFile, "", 1, kProductDvr), 1);
    EXPECT_EQ(Read("C:\\Packages\\Today\\win.ini"), "w");
}

TEST_F(Drivers, WithoutAMainOperatorNothingIsStepped) {
    WriteCountsOnly();
    plat::SetMainOperator(nullptr);
    EXPECT_EQ(RunPackupRestore(kActionFile, "", 1, kProductDvr), 1);
    EXPECT_EQ(ProgressCounter(), 0);
    plat::SetMainOperator(&op);
    SetProgressCounter(10);
    EXPECT_EQ(RunDefaults(kActionFile), 1);
    EXPECT_EQ(ProgressCounter(), 10 + 4 + 16 + 32 + 128 + 256 + 4096 + 8192);
    EXPECT_EQ(op.progress().position, ProgressCounter());
}

} // namespace
} // namespace tavo::test

#include "engine/key_list.h"
#include "engine/package_archive.h"
#include "engine/path_roots.h"
#include "engine/privilege.h"
#include "engine/registry_tree_actions.h"

#include "platform/privileges.h"
#include "registry_engine_fixture.h"

#include <string>
#include <vector>

namespace tavo::test {
namespace {

class RegistryTreeActions : public RegistryEngineTest {
  protected:
    // A DVR key with a value, a subkey and a value in it.
    void MakeDvrTree() {
        SetText("SOFTWARE\\Vendor\\DVR", "Logo", "C:\\DVR\\Logo.bmp");
        SetValue("SOFTWARE\\Vendor\\DVR\\Channels", "Count", plat::kRegDword, std::string("\x10\0\0\0", 4));
    }
    void WriteTreeEntry(std::string_view mainKey, std::string_view subKey, std::string_view file) const {
        std::string text = "[GENERAL]\nREGISTER_TREE_ALL=1\n[REGISTER_TREE_ALL]\n";
        if (!mainKey.empty()) text += "RTA_1_MAIN_KEY=" + std::string(mainKey) + "\n";
        text += "RTA_1_SUB_KEY=" + std::string(subKey) + "\nRTA_1_FILE=" + std::string(file) + "\n";
        WriteActionFile(text);
    }
};

TEST_F(RegistryTreeActions, APackedKeyRestoresWholeOverTheLiveKey) {
    MakeDvrTree();
    WriteTreeEntry("4", "SOFTWARE\\Vendor\\DVR", "Dvr.hiv");
    PackupRegisterTreeAll(kActionFile, kPackage);
    ASSERT_TRUE(IsFile("C:\\Pkg\\Reg\\Dvr.hiv"));
    EXPECT_EQ(Paths(RunEvent::Copied), std::vector<std::string>{"C:\\Pkg\\Reg\\Dvr.hiv"});

    // The live key changes and is held open; the restore replaces all of it.
    const plat::HKey open = Open("SOFTWARE\\Vendor\\DVR\\Channels");
    SetText("SOFTWARE\\Vendor\\DVR", "Logo", "C:\\Other.bmp");
    SetText("SOFTWARE\\Vendor\\DVR\\Added", "New", "x");
    RestoreRegisterTreeAll(kActionFile, kPackage);
    EXPECT_EQ(Value("SOFTWARE\\Vendor\\DVR", "Logo"), std::string("C:\\DVR\\Logo.bmp") + '\0');
    EXPECT_EQ(Value("SOFTWARE\\Vendor\\DVR\\Channels", "Count"), std::string("\x10\0\0\0", 4));
    EXPECT_EQ(Subkeys("SOFTWARE\\Vendor\\DVR"), std::vector<std::string>{"Channels"});
    plat::RegCloseKey(open);
    EXPECT_EQ(Steps(), 2u);
    EXPECT_EQ(Logged(RunEvent::Failed), 0u);
}

TEST_F(RegistryTreeActions, AnEntryWithoutARootWorksOnClassesRootOnlyInARestore) {
    SetText("SOFTWARE\\Classes\\.dvr", "", "DvrFile");
    SetText("SOFTWARE\\Vendor\\DVR", "Logo", "x");
    WriteTreeEntry("4", "SOFTWARE\\Classes\\.dvr", "Classes.hiv");
    PackupRegisterTreeAll(kActionFile, kPackage);
    SetText("SOFTWARE\\Classes\\.dvr", "", "Changed");

    WriteTreeEntry("", ".dvr", "Classes.hiv");
    RestoreRegisterTreeAll(kActionFile, kPackage);
    EXPECT_EQ(Value(".dvr", "", nullptr, plat::kHkeyClassesRoot), std::string("DvrFile\0", 8));

    WriteTreeEntry("", "SOFTWARE\\Vendor\\DVR", "NoRoot.hiv");
    PackupRegisterTreeAll(kActionFile, kPackage);
    DefaultsRegisterTreeAll(kActionFile, "");
    EXPECT_FALSE(Exists("C:\\Pkg\\Reg\\NoRoot.hiv"));
    EXPECT_TRUE(KeyExists("SOFTWARE\\Vendor\\DVR"));
    EXPECT_EQ(Logged(RunEvent::Skipped), 2u);
}

TEST_F(RegistryTreeActions, EntriesThatNameNoKeyOrLeaveTheRegistryFolderAreSkipped) {
    MakeDvrTree();
    struct Case {
        const char* what;
        const char* mainKey;
        const char* subKey;
        const char* file;
        bool defaultsToo; // a reset reads no file name
    };
    const Case cases[] = {
        {"no such root", "8", "SOFTWARE\\Vendor\\DVR", "a.hiv", true},
        {"the whole root", "4", "", "a.hiv", true},
        {"the whole classes root", "", "\\", "a.hiv", true},
        {"no file", "4", "SOFTWARE\\Vendor\\DVR", "", false},
        {"out of the registry folder", "4", "SOFTWARE\\Vendor\\DVR", "..\\..\\a.hiv", false},
    };
    for (const Case& c : cases) {
        CurrentRunLog().Clear();
        WriteTreeEntry(c.mainKey, c.subKey, c.file);
        PackupRegisterTreeAll(kActionFile, kPackage);
        RestoreRegisterTreeAll(kActionFile, kPackage);
        if (c.defaultsToo) DefaultsRegisterTreeAll(kActionFile, "");
        EXPECT_EQ(Logged(RunEvent::Copied) + Logged(RunEvent::Deleted) + Logged(RunEvent::Failed), 0u)
            << c.what;
        EXPECT_EQ(Logged(RunEvent::Skipped), c.defaultsToo ? 3u : 2u) << c.what;
    }
    EXPECT_TRUE(KeyExists("SOFTWARE\\Vendor\\DVR\\Channels"));
    EXPECT_FALSE(Exists("C:\\a.hiv"));
}

TEST_F(RegistryTreeActions, WithoutTheBackupPrivilegeNoHiveIsMadeAndTheRunGoesOn) {
    MakeDvrTree();
    WriteActionFile("[GENERAL]\nREGISTER_TREE_ALL=2\n[REGISTER_TREE_ALL]\n"
                    "RTA_1_MAIN_KEY=4\nRTA_1_SUB_KEY=SOFTWARE\\Vendor\\DVR\nRTA_1_FILE=One.hiv\n"
                    "RTA_2_MAIN_KEY=4\nRTA_2_SUB_KEY=SOFTWARE\\Vendor\\DVR\\Channels\nRTA_2_FILE=Two.hiv\n");
    Write("C:\\Pkg\\Reg\\One.hiv", "an old hive");
    WithoutPrivilege("SeBackupPrivilege");
    PackupRegisterTreeAll(kActionFile, kPackage);
    EXPECT_EQ(Steps(), 2u);
    EXPECT_FALSE(Exists("C:\\Pkg\\Reg\\One.hiv")) << "the old hive goes first";
    EXPECT_FALSE(Exists("C:\\Pkg\\Reg\\Two.hiv"));
    EXPECT_EQ(Logged(RunEvent::Failed), 2u);

    // Nor is a key restored or deleted.
    EXPECT_EQ(RestoreHive(plat::kHkeyLocalMachine, "SOFTWARE\\Vendor\\DVR", "C:\\Pkg\\Reg\\One.hiv"), 0);
    EXPECT_EQ(DeleteKeyTree(plat::kHkeyLocalMachine, "SOFTWARE\\Vendor\\DVR"), 0);
    EXPECT_TRUE(KeyExists("SOFTWARE\\Vendor\\DVR\\Channels"));
}

TEST_F(RegistryTreeActions, SaveAndRestoreReportTheirFailuresAndLeaveNoPrivilegeEnabled) {
    MakeDvrTree();
    Write("C:\\Pkg\\Reg\\Old.hiv", "an old hive");
    EXPECT_EQ(SaveHive(plat::kHkeyLocalMachine, "SOFTWARE\\Vendor\\Missing", "C:\\Pkg\\Reg\\Old.hiv"), 0);
    EXPECT_FALSE(Exists("C:\\Pkg\\Reg\\Old.hiv"));
    Write("C:\\Pkg\\Reg\\Tool.exe", "a program");
    EXPECT_EQ(SaveHive(plat::kHkeyLocalMachine, "SOFTWARE\\Vendor\\DVR", "C:\\Pkg\\Reg\\Tool.exe"), 0);
    EXPECT_EQ(Read("C:\\Pkg\\Reg\\Tool.exe"), "a program")
        << "a program file is neither deleted nor saved over";

    // A missing hive leaves the key as it was created or found.
    EXPECT_EQ(RestoreHive(plat::kHkeyLocalMachine, "SOFTWARE\\Vendor\\New", "C:\\Pkg\\Reg\\Missing.hiv"), 0);
    EXPECT_TRUE(KeyExists("SOFTWARE\\Vendor\\New"));
    Write("C:\\Pkg\\Reg\\Bad.hiv", "not a hive");
    EXPECT_EQ(RestoreHive(plat::kHkeyLocalMachine, "SOFTWARE\\Vendor\\DVR", "C:\\Pkg\\Reg\\Bad.hiv"), 0);
    EXPECT_EQ(Subkeys("SOFTWARE\\Vendor\\DVR"), std::vector<std::string>{"Channels"});
    // A key that cannot be made.
    EXPECT_EQ(RestoreHive(plat::kHkeyLocalMachine, "NewHive", "C:\\Pkg\\Reg\\Bad.hiv"), 0);

    std::vector<std::string> details;
    for (const RunLogEntry& entry : CurrentRunLog().entries())
        if (entry.event == RunEvent::Failed) details.push_back(entry.detail);
    EXPECT_EQ(details, (std::vector<std::string>{"RegOpenKeyEx FAILED", "RegSaveKey FAILED, error 183",
                                                 "Error #2", "Error #1009", "RegCreateKeyEx FAILED"}));
    EXPECT_FALSE(plat::PrivilegeEnabled(plat::kSeBackupPrivilege));
    EXPECT_FALSE(plat::PrivilegeEnabled(plat::kSeRestorePrivilege));
}

// With an archive open a saved hive is entered in its index as "Reg\" + its file name; a name the
// index has no room for fails the entry rather than leave the hive out of the archive unnoticed.
TEST_F(RegistryTreeActions, ASavedHiveIsRegisteredWithAnOpenArchive) {
    MakeDvrTree();
    SetPackageArchivePath("C:\\Pkg\\Out.arc");
    ASSERT_EQ(OpenPackageArchive(Roots().tempFolder), 1);
    EXPECT_EQ(SaveHive(plat::kHkeyLocalMachine, "SOFTWARE\\Vendor\\DVR", "C:\\Pkg\\Reg\\Dvr.hiv"), 1);
    const std::string longName = "C:\\Pkg\\Reg\\" + std::string(130, 'h') + ".hiv";
    EXPECT_EQ(SaveHive(plat::kHkeyLocalMachine, "SOFTWARE\\Vendor\\DVR", longName), 0);
    ASSERT_EQ(FinishPackageArchive(), ArchiveResult::Written);
    ResetPackageArchive();
    SetPackageArchivePath({});

    const std::string archive = Read("C:\\Pkg\\Out.arc");
    const std::string hive = Read("C:\\Pkg\\Reg\\Dvr.hiv");
    ASSERT_EQ(archive.size(), 260 + 4 + (4 + 128) + hive.size() + 4);
    EXPECT_EQ(archive[260], '\1');
    EXPECT_EQ(archive.substr(268, 12), std::string("Reg\\Dvr.hiv") + '\0');
    EXPECT_EQ(archive.substr(396, hive.size()), hive);
    EXPECT_GE(Logged(RunEvent::Failed), 1u);

    // Without an archive the save alone makes the hive.
    EXPECT_EQ(SaveHive(plat::kHkeyLocalMachine, "SOFTWARE\\Vendor\\DVR", "C:\\Pkg\\Reg\\Dvr.hiv"), 1);
}

TEST_F(RegistryTreeActions, DeleteKeyTreeGoesFromTheDeepestKeyUp) {
    SetText("SOFTWARE\\A\\B\\C", "v", "x");
    SetText("SOFTWARE\\A", "v", "x");
    SetText("SOFTWARE\\AB", "v", "a neighbour");
    EXPECT_EQ(DeleteKeyTree(plat::kHkeyLocalMachine, "SOFTWARE\\A"), 1);
    EXPECT_EQ(Paths(RunEvent::Deleted), (std::vector<std::string>{"HKEY_LOCAL_MACHINE\\SOFTWARE\\A\\B\\C",
                                                                  "HKEY_LOCAL_MACHINE\\SOFTWARE\\A\\B",
                                                                  "HKEY_LOCAL_MACHINE\\SOFTWARE\\A"}));
    EXPECT_FALSE(KeyExists("SOFTWARE\\A"));
    EXPECT_TRUE(KeyExists("SOFTWARE\\AB"));
    EXPECT_FALSE(plat::PrivilegeEnabled(plat::kSeBackupPrivilege));

    CurrentRunLog().Clear();
    EXPECT_EQ(DeleteKeyTree(plat::kHkeyLocalMachine, "SOFTWARE\\A"), 1);
    EXPECT_EQ(Logged(RunEvent::Deleted), 0u);
    EXPECT_EQ(Logged(RunEvent::Failed), 0u) << "a key that is not there is no failure";
    EXPECT_EQ(DeleteKeyTree(plat::kHkeyLocalMachine, "SOFTWARE\\Never\\There"), 1);
    EXPECT_EQ(Logged(RunEvent::Failed), 0u);
}

TEST_F(RegistryTreeActions, CollectSubkeysListsEachParentBeforeItsChildren) {
    Open("SOFTWARE\\P\\B");
    Open("SOFTWARE\\P\\A\\A1");
    // A name of the longest length is not cut.
    const std::string longest(255, 'z');
    Open(("SOFTWARE\\P\\A\\" + longest + "\\Deep").c_str());
    KeyList() = {"kept"};
    CollectSubkeys(plat::kHkeyLocalMachine, "SOFTWARE\\P");
    EXPECT_EQ(KeyList(), (std::vector<std::string>{
                             "kept", "SOFTWARE\\P\\A", "SOFTWARE\\P\\A\\A1", "SOFTWARE\\P\\A\\" + longest,
                             "SOFTWARE\\P\\A\\" + longest + "\\Deep", "SOFTWARE\\P\\B"}));
    KeyList().clear();
    CollectSubkeys(plat::kHkeyLocalMachine, "SOFTWARE\\Missing");
    EXPECT_TRUE(KeyList().empty());
}

TEST_F(RegistryTreeActions, SetPrivilegeIsOneOnlyForAPrivilegeTheAccountHolds) {
    {
        const ProcessToken token;
        EXPECT_EQ(SetPrivilege(token.get(), "SeBackupPrivilege", true), 1);
        EXPECT_TRUE(plat::PrivilegeEnabled(plat::kSeBackupPrivilege));
        EXPECT_EQ(SetPrivilege(token.get(), "SeBackupPrivilege", false), 1);
        EXPECT_EQ(SetPrivilege(token.get(), "SeNoSuchPrivilege", true), 0);
    }
    WithoutPrivilege("SeBackupPrivilege");
    const ProcessToken token;
    EXPECT_EQ(SetPrivilege(token.get(), "SeBackupPrivilege", true), 0);
    EXPECT_FALSE(plat::PrivilegeEnabled(plat::kSeBackupPrivilege));
    EXPECT_EQ(SetPrivilege(token.get(), "SeRestorePrivilege", true), 1);
}

} // namespace
} // namespace tavo::test

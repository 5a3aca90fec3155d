// The product runs: what a packup writes to the export file, which action files run, the password
// store, the restore flags, the DVR's install path and the package archive.
#include "catalogue/catalogue_paths.h"
#include "catalogue/product_run.h"
#include "catalogue/selection_code.h"
#include "engine/package_archive.h"
#include "engine/path_roots.h"
#include "engine/restore_flags.h"
#include "platform/profile.h"
#include "run_fixture.h"

#include <sentrix.h>

#include <cstdint>
#include <filesystem>

namespace tavo::test {
namespace {

using ProductRun = RunTest;

std::uint32_t Uint32At(const std::string& bytes, std::size_t offset) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(bytes[offset + static_cast<std::size_t>(i)]);
    return value;
}

TEST_F(ProductRun, PackupWritesEveryItemsCodeAndRunsOnlySelectedItems) {
    SelectionTree tree(1);
    Load(tree, {{"DVR_1", "KEY_A", 2}, {"DVR_2", "KEY_B", 4}, {"DVR_3", "KEY_C", 8}, {"DVR_4", "KEY_D", 2}});
    tree.Click(Find(tree, "KEY_D"), HitPart::Image, kNoItem); // image 1 -> 0
    // Another product's codes and the section fallbacks survive the rewrite; a stale key does not.
    plat::WriteProfileString(ExportFilePath(), "DVR_1", "SUB_ID_KEY", "8");
    plat::WriteProfileString(ExportFilePath(), "NDR", "KEY_N", "2");
    plat::WriteProfileString(ExportFilePath(), "DVR", "KEY_GONE", "2");
    ASSERT_EQ(PrepareRun(tree), 4);

    EXPECT_EQ(RunProduct(tree, 1), 1);
    EXPECT_EQ(plat::ProfileString(ExportFilePath(), "DVR_1", "SUB_ID_KEY"), "8");
    EXPECT_EQ(plat::ProfileString(ExportFilePath(), "NDR", "KEY_N"), "2");
    EXPECT_EQ(plat::ProfileSection(ExportFilePath(), "DVR"),
              (std::vector<std::string>{"KEY_A=2", "KEY_B=4", "KEY_C=8", "KEY_D=1"}));
    EXPECT_EQ(Read(PackageFile("KEY_A")), "live KEY_A");
    EXPECT_EQ(Read(PackageFile("KEY_B")), "package KEY_B");
    EXPECT_EQ(Read(PackageFile("KEY_C")), "live KEY_C");
    EXPECT_EQ(Read(PackageFile("KEY_D")), "package KEY_D");
    // A restore never writes the export file, whatever it selects.
    const std::string exported = Read(ExportFilePath());
    EXPECT_EQ(RunProduct(tree, 0), 1);
    EXPECT_EQ(Read(ExportFilePath()), exported);
}

TEST_F(ProductRun, PackupWithNothingSelectedRewritesTheExportFileAndRunsNoActionFile) {
    SelectionTree tree(1);
    Load(tree, {{"DVR_1", "KEY_A", 4}, {"DVR_2", "KEY_B", 1}});
    Write(LiveFile("All"), "live all");
    ASSERT_GT(PrepareRun(tree), 0);
    EXPECT_EQ(RunProduct(tree, 1), 1);
    EXPECT_EQ(plat::ProfileSection(ExportFilePath(), "DVR"), (std::vector<std::string>{"KEY_A=4", "KEY_B=4"}));
    EXPECT_EQ(Read(PackageFile("All")), "all") << "the closing action file ran";
    EXPECT_EQ(Read(PackageFile("KEY_A")), "package KEY_A");

    Write(PackageFile("All"), "package all");
    EXPECT_EQ(RunProduct(tree, 0), 1);
    EXPECT_EQ(Read(LiveFile("All")), "live all");
}

TEST_F(ProductRun, OnlyAnActionFileNamedWithCapitalPasswordExportsAndImportsTheStore) {
    ASSERT_EQ(SentrixAddUser("admin", "first"), 0);
    const std::string store = Read("C:\\WINDOWS\\Sentrix\\PassStore.ini");
    struct Case {
        std::string file;
        bool exports;
    };
    for (const Case& c : {Case{"Action\\password.ini", false}, Case{"Action\\MyPassword.ini", true}}) {
        SCOPED_TRACE(c.file);
        std::filesystem::remove(prefix.HostOf(std::string(kProgram) + "BackPass.bin"));
        SelectionTree tree(1);
        Load(tree, {{"DVR_1", "KEY_PASSWORD", 2, c.file}});
        ASSERT_GT(PrepareRun(tree), 0);
        EXPECT_EQ(RunProduct(tree, 1), 1);
        EXPECT_EQ(Exists(std::string(kProgram) + "BackPass.bin"), c.exports);
        EXPECT_EQ(Read(PackageFile("KEY_PASSWORD")), "live KEY_PASSWORD") << "the action file runs as well";
    }

    // The restore imports what the packup exported.
    ASSERT_EQ(SentrixAddUser("admin", "second"), 0);
    ASSERT_NE(Read("C:\\WINDOWS\\Sentrix\\PassStore.ini"), store);
    SelectionTree tree(1);
    Load(tree, {{"DVR_1", "KEY_PASSWORD", 2, "Action\\MyPassword.ini"}});
    ASSERT_GT(PrepareRun(tree), 0);
    EXPECT_EQ(RunProduct(tree, 0), 1);
    EXPECT_EQ(Read("C:\\WINDOWS\\Sentrix\\PassStore.ini"), store);
}

TEST_F(ProductRun, RestoreFlagsFollowTheGeneralAndNetworkItems) {
    struct Case {
        const char* name;
        std::vector<CatalogueEntry> items;
        RestoreFlagSet expected;
    };
    const std::vector<Case> cases = {
        {"both selected", {{"DVR_1", "KEY_GENERAL", 2}, {"DVR_2", "KEY_NETWORK", 8}}, {1, 1, 1}},
        {"neither", {{"DVR_1", "KEY_GENERAL", 4}, {"DVR_2", "KEY_NETWORK", 1}}, {0, 0, 1}},
        {"general only", {{"DVR_1", "KEY_GENERAL", 2}, {"DVR_2", "KEY_NETWORK", 4}}, {1, 0, 0}},
        {"network only", {{"DVR_1", "KEY_GENERAL", 4}, {"DVR_2", "X", 2}, {"DVR_3", "KEY_NETWORK", 2}}, {0, 1, 0}},
        // Only a network item after the general item counts; without one the flag stays 0.
        {"network before general, general selected",
         {{"DVR_1", "KEY_NETWORK", 2}, {"DVR_2", "KEY_GENERAL", 2}},
         {1, 0, 0}},
        {"no network item, general cleared", {{"DVR_1", "KEY_GENERAL", 4}}, {0, 0, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RestoreFlags() = {1, 1, 1};
        SelectionTree tree(1);
        Load(tree, c.items);
        ASSERT_GT(PrepareRun(tree), 0);
        EXPECT_EQ(RunProduct(tree, 0), 1);
        EXPECT_EQ(RestoreFlags().generalSelected, c.expected.generalSelected);
        EXPECT_EQ(RestoreFlags().networkSelected, c.expected.networkSelected);
        EXPECT_EQ(RestoreFlags().plainCopy, c.expected.plainCopy);
    }

    // A packup leaves them as they are.
    SelectionTree tree(1);
    Load(tree, {{"DVR_1", "KEY_GENERAL", 2}, {"DVR_2", "KEY_NETWORK", 4}});
    RestoreFlags() = {0, 1, 1};
    ASSERT_GT(PrepareRun(tree), 0);
    EXPECT_EQ(RunProduct(tree, 1), 1);
    EXPECT_EQ(RestoreFlags().networkSelected, 1);
    EXPECT_EQ(RestoreFlags().plainCopy, 1);
}

TEST_F(ProductRun, DvrRestoreKeepsTheLiveInstallPathAndServersDoNotWriteIt) {
    // The restored OrvMulti.ini names the install path of the machine the package came from.
    Write(std::string(kProgram) + "OrvMulti.ini", "[General]\r\nInstallPath=D:\\Old\\Dvr.exe\r\nMode=2\r\n");
    SelectionTree dvr(1);
    SelectionTree nodera(2);
    Load(dvr, {{"DVR_1", "KEY_GENERAL", 2, "Action\\Multi.ini"}});
    Load(nodera, {{"NDR_1", "KEY_NDR", 2, "Action\\Multi.ini"}});
    Write(std::string(kProgram) + "Action\\Multi.ini",
          "[GENERAL]\r\nINI_WINDOW_PATH_ALL=1\r\n[INI_WINDOW_PATH_ALL]\r\nIWPA_1=OrvMulti.ini\r\n");

    ASSERT_GT(PrepareRun(dvr), 0);
    EXPECT_EQ(RunProduct(dvr, 0), 1);
    EXPECT_EQ(plat::ProfileString("OrvMulti.ini", "General", "InstallPath"), "C:\\DVR\\Dvr.exe");
    EXPECT_EQ(plat::ProfileString("OrvMulti.ini", "General", "Mode"), "2");

    ASSERT_GT(PrepareRun(nodera), 0);
    EXPECT_EQ(RunProduct(nodera, 0), 1);
    EXPECT_EQ(plat::ProfileString("OrvMulti.ini", "General", "InstallPath"), "D:\\Old\\Dvr.exe");
}

TEST_F(ProductRun, DefaultsResetEveryItemAndKeepInstallPathAndPal) {
    Write("C:\\WINDOWS\\OrvPal.ini", "[General]\r\nPAL=-3\r\n[BMP_LOGO]\r\nCount=2\r\n");
    SelectionTree tree(1);
    Load(tree, {{"DVR_1", "KEY_A", 4}, {"DVR_2", "KEY_B", 2}, {"DVR_3", "KEY_W", 2, "Action\\Windows.ini"}});
    Write(std::string(kProgram) + "Action\\Windows.ini", "[GENERAL]\r\nINI_WINDOW_PATH_ALL=2\r\n"
                                                        "[INI_WINDOW_PATH_ALL]\r\nIWPA_1=OrvMulti.ini\r\n"
                                                        "IWPA_2=OrvPal.ini\r\n");
    tree.Click(Find(tree, "KEY_B"), HitPart::Image, kNoItem); // image 0
    ASSERT_GT(PrepareRun(tree), 0);
    RunDefaultsForAllItems(tree);
    EXPECT_FALSE(Exists(LiveFile("KEY_A")));
    EXPECT_FALSE(Exists(LiveFile("KEY_B")));
    EXPECT_EQ(plat::ProfileSection("OrvMulti.ini", "General"), std::vector<std::string>{"InstallPath=C:\\DVR\\Dvr.exe"});
    EXPECT_EQ(plat::ProfileSectionNames("OrvPal.ini"), std::vector<std::string>{"General"});
    EXPECT_EQ(plat::ProfileString("OrvPal.ini", "General", "PAL"), "-3");
}

// The archive named for the packup gathers the exported password store behind its index.
TEST_F(ProductRun, PackupWithAnArchiveAppendsTheExportedStoreInItsLayout) {
    ASSERT_EQ(SentrixAddUser("admin", "pass"), 0);
    Write("C:\\Out\\Pkg.arc", "HEAD");
    SetPackageArchivePath("C:\\Out\\Pkg.arc");
    SelectionTree tree(1);
    Load(tree, {{"DVR_1", "KEY_A", 2}, {"DVR_2", "KEY_PASSWORD", 2, "Action\\Password.ini"}});
    ASSERT_GT(PrepareRun(tree), 0);
    EXPECT_EQ(RunProduct(tree, 1), 1);

    const std::string archive = Read("C:\\Out\\Pkg.arc");
    const std::string exported = Read(Roots().tempFolder + "Tavo\\BackPass.bin");
    ASSERT_FALSE(exported.empty());
    ASSERT_EQ(archive.size(), 4 + 260 + 4 + (4 + 128) + exported.size() + 4);
    EXPECT_EQ(archive.substr(0, 4), "HEAD");
    EXPECT_EQ(archive.substr(4, Roots().tempFolder.size()), Roots().tempFolder);
    EXPECT_EQ(archive[4 + Roots().tempFolder.size()], '\0');
    EXPECT_EQ(Uint32At(archive, 264), 1u);
    EXPECT_EQ(Uint32At(archive, 268), exported.size());
    EXPECT_EQ(archive.substr(272, 18), std::string("Tavo\\BackPass.bin") + '\0');
    EXPECT_EQ(archive.substr(400, exported.size()), exported);
    EXPECT_EQ(Uint32At(archive, archive.size() - 4), 4u);
}

TEST_F(ProductRun, AnArchiveThatCannotBeOpenedStopsTheWalkButNotTheClosingFile) {
    SetPackageArchivePath("C:\\Missing\\Pkg.arc");
    Write(LiveFile("All"), "live all");
    SelectionTree tree(1);
    Load(tree, {{"DVR_1", "KEY_A", 2}, {"DVR_2", "KEY_B", 2}});
    ASSERT_GT(PrepareRun(tree), 0);
    EXPECT_EQ(RunProduct(tree, 1), 0);
    EXPECT_EQ(Read(PackageFile("KEY_A")), "package KEY_A");
    EXPECT_EQ(Read(PackageFile("All")), "live all");
    EXPECT_FALSE(Exists("C:\\Missing"));
    // Every item's code is written before the walk stops at the first selected one.
    EXPECT_EQ(plat::ProfileString(ExportFilePath(), "DVR", "KEY_A"), "2");
}

} // namespace
} // namespace tavo::test

#include "engine/utilities.h"
#include "engine/windows_version.h"

#include "platform/files.h"
#include "support/temp_prefix.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <limits>
#include <string>

namespace fs = std::filesystem;

namespace {

class Utilities : public ::testing::Test {
  protected:
    bool IsHostFolder(std::string_view windowsPath) const {
        return fs::is_directory(prefix.HostOf(windowsPath));
    }
    bool IsHostFile(std::string_view windowsPath) const {
        return fs::is_regular_file(fs::symlink_status(prefix.HostOf(windowsPath)));
    }
    bool HostEntryExists(std::string_view windowsPath) const {
        return fs::exists(fs::symlink_status(prefix.HostOf(windowsPath)));
    }
    void MakeHostFolder(std::string_view windowsPath) const {
        fs::create_directories(prefix.HostOf(windowsPath));
    }
    void MakeReadOnly(std::string_view windowsPath) const {
        fs::permissions(prefix.HostOf(windowsPath),
                        fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                        fs::perm_options::remove);
    }

    tavo::test::TempPrefix prefix;
};

// --- EnsureDirectory / EnsurePathFolders ---

TEST_F(Utilities, EnsureDirectoryCreatesEveryMissingLevel) {
    EXPECT_EQ(tavo::EnsureDirectory("C:\\Video\\Backups\\2024"), 1);
    EXPECT_TRUE(IsHostFolder("C:\\Video\\Backups\\2024"));
    EXPECT_EQ(tavo::EnsureDirectory("C:\\Video\\Other\\"), 1);
    EXPECT_TRUE(IsHostFolder("C:\\Video\\Other"));
}

TEST_F(Utilities, EnsureDirectoryAcceptsWhatAlreadyExists) {
    MakeHostFolder("C:\\Data");
    EXPECT_EQ(tavo::EnsureDirectory("C:\\Data"), 1);
    EXPECT_EQ(tavo::EnsureDirectory("c:\\DATA\\"), 1);
    // A plain file of that name counts as there: it is left as it was.
    prefix.WriteHost("C:\\Data\\Report", "keep");
    EXPECT_EQ(tavo::EnsureDirectory("C:\\Data\\Report"), 1);
    EXPECT_TRUE(IsHostFile("C:\\Data\\Report"));
    EXPECT_EQ(prefix.ReadHost("C:\\Data\\Report"), "keep");
}

TEST_F(Utilities, EnsureDirectoryFailsWhenTheFolderCannotBeMade) {
    prefix.WriteHost("C:\\Data\\file.txt", "x");
    for (const char* path : {"C:\\Data\\bad|name", "C:\\Data\\file.txt\\sub", "Q:\\Nowhere"}) {
        EXPECT_EQ(tavo::EnsureDirectory(path), 0) << path;
    }
    EXPECT_FALSE(HostEntryExists("C:\\Data\\bad|name"));
}

TEST_F(Utilities, EnsurePathFoldersMakesTheWholePath) {
    MakeHostFolder("C:\\Keep");
    EXPECT_EQ(tavo::EnsurePathFolders("C:\\Keep\\"), 1);
    EXPECT_EQ(tavo::EnsurePathFolders("C:\\Keep\\One\\Two\\"), 1);
    EXPECT_TRUE(IsHostFolder("C:\\Keep\\One\\Two"));
}

TEST_F(Utilities, EnsurePathFoldersThatCannotBeMadeStillMakesTheParent) {
    EXPECT_EQ(tavo::EnsurePathFolders("C:\\Parent\\bad|name\\"), 0);
    EXPECT_TRUE(IsHostFolder("C:\\Parent"));
    prefix.WriteHost("C:\\Plain", "x");
    EXPECT_EQ(tavo::EnsurePathFolders("C:\\Plain\\Sub\\"), 0);
    EXPECT_TRUE(IsHostFile("C:\\Plain"));
}

// --- DeleteUnlessProgram / DeleteFolderFiles ---

TEST_F(Utilities, DeleteUnlessProgramKeepsProgramsOnly) {
    struct Case {
        const char* path;
        int result;
        bool kept;
    };
    const Case cases[] = {
        {"C:\\D\\Tool.EXE", 1, true},      {"C:\\D\\setup.exe", 1, true}, {"C:\\D\\notes.txt", 0, false},
        {"C:\\D\\tool.exe.bak", 0, false}, {"C:\\D\\exe", 0, false},      {"C:\\D\\tool.ex", 0, false},
    };
    for (const Case& c : cases)
        prefix.WriteHost(c.path, "data");
    for (const Case& c : cases) {
        EXPECT_EQ(tavo::DeleteUnlessProgram(c.path), c.result) << c.path;
        EXPECT_EQ(IsHostFile(c.path), c.kept) << c.path;
    }
}

TEST_F(Utilities, DeleteUnlessProgramReportsAFailedRemoval) {
    EXPECT_EQ(tavo::DeleteUnlessProgram("C:\\D\\missing.txt"), -1);
    prefix.WriteHost("C:\\D\\locked.txt", "data");
    MakeReadOnly("C:\\D\\locked.txt");
    EXPECT_EQ(tavo::DeleteUnlessProgram("C:\\D\\locked.txt"), -1);
    EXPECT_TRUE(IsHostFile("C:\\D\\locked.txt"));
    MakeHostFolder("C:\\D\\Folder");
    EXPECT_EQ(tavo::DeleteUnlessProgram("C:\\D\\Folder"), -1);
    EXPECT_TRUE(IsHostFolder("C:\\D\\Folder"));
}

TEST_F(Utilities, DeleteFolderFilesEmptiesTheTreeButKeepsFoldersAndPrograms) {
    prefix.WriteHost("C:\\T\\a.txt", "1");
    prefix.WriteHost("C:\\T\\Run.EXE", "2");
    prefix.WriteHost("C:\\T\\Sub\\b.dat", "3");
    prefix.WriteHost("C:\\T\\Sub\\Deeper\\c.ini", "4");
    prefix.WriteHost("C:\\T\\Sub\\Deeper\\d.exe", "5");
    prefix.WriteHost("C:\\T\\Sub\\locked.txt", "6");
    prefix.WriteHost("C:\\T\\z.txt", "7");
    MakeReadOnly("C:\\T\\Sub\\locked.txt");
    MakeHostFolder("C:\\T\\Empty");

    EXPECT_EQ(tavo::DeleteFolderFiles("C:\\T\\"), 1);

    for (const char* folder : {"C:\\T", "C:\\T\\Sub", "C:\\T\\Sub\\Deeper", "C:\\T\\Empty"})
        EXPECT_TRUE(IsHostFolder(folder)) << folder;
    for (const char* gone :
         {"C:\\T\\a.txt", "C:\\T\\Sub\\b.dat", "C:\\T\\Sub\\Deeper\\c.ini", "C:\\T\\z.txt"})
        EXPECT_FALSE(HostEntryExists(gone)) << gone;
    // Programs stay, and a file that cannot be removed does not stop the rest (z.txt after it).
    for (const char* kept : {"C:\\T\\Run.EXE", "C:\\T\\Sub\\Deeper\\d.exe", "C:\\T\\Sub\\locked.txt"})
        EXPECT_TRUE(IsHostFile(kept)) << kept;
}

TEST_F(Utilities, DeleteFolderFilesRemovesLinksButNotWhatTheyPointTo) {
    prefix.WriteHost("C:\\Elsewhere\\precious.txt", "keep");
    prefix.WriteHost("C:\\T\\own.txt", "go");
    fs::create_directory_symlink(prefix.HostOf("C:\\Elsewhere"), prefix.HostOf("C:\\T\\FolderLink"));
    fs::create_symlink(prefix.HostOf("C:\\Elsewhere\\precious.txt"), prefix.HostOf("C:\\T\\file-link.txt"));

    EXPECT_EQ(tavo::DeleteFolderFiles("C:\\T\\"), 1);

    EXPECT_FALSE(HostEntryExists("C:\\T\\own.txt"));
    EXPECT_FALSE(HostEntryExists("C:\\T\\FolderLink"));
    EXPECT_FALSE(HostEntryExists("C:\\T\\file-link.txt"));
    EXPECT_EQ(prefix.ReadHost("C:\\Elsewhere\\precious.txt"), "keep");
}

TEST_F(Utilities, DeleteFolderFilesNeedsAFolder) {
    prefix.WriteHost("C:\\T\\file.txt", "x");
    EXPECT_EQ(tavo::DeleteFolderFiles("C:\\T\\file.txt"), 0);
    EXPECT_EQ(tavo::DeleteFolderFiles("C:\\T\\missing\\"), 0);
    EXPECT_EQ(tavo::DeleteFolderFiles("Q:\\"), 0);
    EXPECT_TRUE(IsHostFile("C:\\T\\file.txt"));
}

TEST_F(Utilities, DeleteFolderFilesWithoutClosingBackslashLeavesNeighboursAlone) {
    prefix.WriteHost("C:\\T\\inner.txt", "go");
    prefix.WriteHost("C:\\T2.txt", "stay");
    prefix.WriteHost("C:\\Tx\\other.txt", "stay");
    EXPECT_EQ(tavo::DeleteFolderFiles("C:\\T"), 1);
    EXPECT_FALSE(HostEntryExists("C:\\T\\inner.txt"));
    EXPECT_TRUE(IsHostFile("C:\\T2.txt"));
    EXPECT_TRUE(IsHostFile("C:\\Tx\\other.txt"));
}

// --- ReadSettingValue / ReadCatalogueValue ---

TEST_F(Utilities, ReadValuesComeFromTheirOwnFiles) {
    const std::string longText(300, 'L');
    prefix.WriteHost("C:\\WINDOWS\\Lang.ini", "[Texts]\nNumber=42\nTitle=Settings\nLong=" + longText + "\n");
    prefix.WriteHost("C:\\Catalogue\\Cat.ini", "[Texts]\nNumber=7\nTitle=Catalogue\n");
    tavo::SetSettingsIniPath("Lang.ini");
    tavo::SetCatalogueIniPath("C:\\Catalogue\\Cat.ini");

    std::string text = "old";
    int number = -1;
    tavo::ReadSettingValue("Texts", "Number", tavo::kValueInteger, text, number, 5);
    EXPECT_EQ(number, 42);
    EXPECT_EQ(text, "old");
    tavo::ReadCatalogueValue("texts", "NUMBER", tavo::kValueInteger, text, number, 5);
    EXPECT_EQ(number, 7);
    tavo::ReadCatalogueValue("Texts", "Title", tavo::kValueString, text, number, 5);
    EXPECT_EQ(text, "Catalogue");
    EXPECT_EQ(number, 7);
    tavo::ReadSettingValue("Texts", "Title", tavo::kValueString, text, number, 5);
    EXPECT_EQ(text, "Settings");
    // Long values are read whole.
    tavo::ReadSettingValue("Texts", "Long", tavo::kValueString, text, number, 5);
    EXPECT_EQ(text, longText);
}

TEST_F(Utilities, ReadValueOfAMissingKeyGivesTheDefaultOrAnEmptyString) {
    prefix.WriteHost("C:\\WINDOWS\\Lang.ini", "[Texts]\nNumber=42\n");
    tavo::SetSettingsIniPath("Lang.ini");
    tavo::SetCatalogueIniPath("C:\\Catalogue\\Missing.ini");
    std::string text = "old";
    int number = -1;
    tavo::ReadSettingValue("Texts", "Absent", tavo::kValueInteger, text, number, 5);
    EXPECT_EQ(number, 5);
    tavo::ReadSettingValue("Texts", "Absent", tavo::kValueString, text, number, 9);
    EXPECT_EQ(text, "");
    text = "old";
    tavo::ReadCatalogueValue("Texts", "Number", tavo::kValueString, text, number, 9);
    EXPECT_EQ(text, "");
    tavo::ReadCatalogueValue("Texts", "Number", tavo::kValueInteger, text, number, -3);
    EXPECT_EQ(number, -3);
}

TEST_F(Utilities, ReadValueOfAnotherKindChangesNothing) {
    prefix.WriteHost("C:\\WINDOWS\\Lang.ini", "[Texts]\nNumber=42\n");
    tavo::SetSettingsIniPath("Lang.ini");
    std::string text = "old";
    int number = -1;
    tavo::ReadSettingValue("Texts", "Number", 2, text, number, 5);
    tavo::ReadSettingValue("Texts", "Number", -1, text, number, 5);
    EXPECT_EQ(text, "old");
    EXPECT_EQ(number, -1);
}

// --- Windows version code ---

TEST(WindowsVersionCode, FollowsTheVersionTable) {
    struct Case {
        std::uint32_t platformId, major, minor;
        int code;
    };
    const Case cases[] = {
        {0, 3, 10, 1},                                               // Win32s
        {1, 4, 0, 5},   {1, 4, 10, 6}, {1, 4, 90, 7},  {1, 4, 3, 0}, // 95, 98, ME, unknown 9x
        {2, 3, 51, 10}, {2, 4, 0, 10},                               // NT 4 and older
        {2, 5, 0, 11},  {2, 5, 1, 12}, {2, 5, 2, 12},                // 2000, XP
        {2, 6, 0, 13},  {2, 6, 1, 13}, {2, 10, 0, 13},               // after XP
        {3, 10, 0, 0},                                               // an unknown platform
    };
    for (const Case& c : cases) {
        EXPECT_EQ(tavo::WindowsVersionCodeFor({c.platformId, c.major, c.minor, 0}), c.code)
            << c.platformId << " " << c.major << "." << c.minor;
    }
}

TEST(WindowsVersionCode, ThisSystemHasTheExtendedFreeSpaceQuery) {
    EXPECT_EQ(tavo::WindowsVersionCode(), 13);
}

// --- GetFreeSpace ---

constexpr std::uint64_t kAllOnes = std::numeric_limits<std::uint64_t>::max();

TEST_F(Utilities, GetFreeSpaceGivesTheRoomOfAWritableDrive) {
    const std::uint64_t room = tavo::GetFreeSpace("C:\\");
    EXPECT_GT(room, 0u);
    EXPECT_NE(room, kAllOnes);
}

TEST_F(Utilities, GetFreeSpaceOfAReadOnlyDriveWithRoomIsAllOnes) {
    MakeHostFolder("D:\\");
    MakeReadOnly("D:\\");
    EXPECT_EQ(tavo::GetFreeSpace("D:\\"), kAllOnes);
}

TEST_F(Utilities, GetFreeSpaceOfAFullReadOnlyVolumeIsZero) {
    // The host's process file system: no write permission and no free block.
    ASSERT_NE(plat::FileAttributes("Z:\\proc\\") & plat::kAttrReadOnly, 0u);
    std::uint64_t available = 1, total = 0, totalFree = 0;
    ASSERT_TRUE(plat::DiskFreeSpace("Z:\\proc\\", &available, &total, &totalFree));
    ASSERT_EQ(available, 0u);
    EXPECT_EQ(tavo::GetFreeSpace("Z:\\proc\\"), 0u);
}

TEST_F(Utilities, GetFreeSpaceOfAMissingDriveIsZero) {
    EXPECT_EQ(tavo::GetFreeSpace("Q:\\"), 0u);
}

} // namespace

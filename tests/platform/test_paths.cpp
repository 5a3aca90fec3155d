#include "platform/error.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "support/temp_prefix.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace {

namespace fs = std::filesystem;

struct Case {
    const char* in;
    const char* out;
};

TEST(FullWindowsPath, NormalisesSeparatorsDotsAndDriveLetters) {
    tavo::test::TempPrefix prefix;
    plat::SetCurrentFolder("C:\\Work\\Sub");
    const Case cases[] = {
        {"C:\\a\\b", "C:\\a\\b"},
        {"c:\\a\\b", "C:\\a\\b"},
        {"C:/a/b/c.ini", "C:\\a\\b\\c.ini"},
        {"C:\\a\\\\\\b", "C:\\a\\b"},
        {"C:\\a\\.\\b", "C:\\a\\b"},
        {"C:\\a\\..\\b", "C:\\b"},
        {"C:\\a\\b\\..\\..\\..\\c", "C:\\c"},
        {"C:\\..", "C:\\"},
        {"C:\\a\\.", "C:\\a"},
        {"C:\\a\\", "C:\\a\\"},
        {"C:\\", "C:\\"},
        {"C:/", "C:\\"},
        {"x.ini", "C:\\Work\\Sub\\x.ini"},
        {"x\\y\\", "C:\\Work\\Sub\\x\\y\\"},
        {"..\\x", "C:\\Work\\x"},
        {"\\x", "C:\\x"},
        {"/x/y", "C:\\x\\y"},
        {"d:\\Data\\..\\Log.txt", "D:\\Log.txt"},
        // A name loses one closing period; the last name its trailing periods and spaces, unless a
        // separator closes the path.
        {"C:\\a.\\b", "C:\\a\\b"},
        {"C:\\a\\b. . ", "C:\\a\\b"},
        {"C:\\a\\b.txt.", "C:\\a\\b.txt"},
        {"C:\\a\\...\\c", "C:\\a\\...\\c"},
        {"C:\\a\\b \\", "C:\\a\\b \\"},
        // "C:name" is relative to the current folder of C:; on another drive, to its root.
        {"C:x.ini", "C:\\Work\\Sub\\x.ini"},
        {"D:x.ini", "D:\\x.ini"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(plat::FullWindowsPath(c.in), c.out) << c.in;
}

TEST(IsValidWindowsName, RefusesSeparatorsWildcardsAndControlCharacters) {
    for (const char* good : {"a", "OrvMulti.ini", "name with spaces", ".hidden", "a.b.c", "\xE9t\xE9.ini"})
        EXPECT_TRUE(plat::IsValidWindowsName(good)) << good;
    for (const char* bad :
         {"", ".", "..", "a\\b", "a/b", "c:", "a*", "a?", "say\"hi\"", "<x>", "a|b", "tab\tname",
          // Device names, with or without an extension, in any case.
          "NUL", "con", "Aux.txt", "COM1", "lpt9.log", "PRN .x"})
        EXPECT_FALSE(plat::IsValidWindowsName(bad)) << bad;
    EXPECT_FALSE(plat::IsValidWindowsName(std::string("nul\0byte", 8)));
}

// Host fixture for the mapping tables: stored names in mixed case.
class PathMapping : public ::testing::Test {
  protected:
    void SetUp() override {
        prefix.WriteHost("C:\\WINDOWS\\OrvRIOM.ini", "[x]\n");
        prefix.WriteHost("C:\\Program Files\\Orv\\Cam.ini", "");
    }
    std::string C(const std::string& rest) const { return prefix.host() + "/drive_c" + rest; }
    tavo::test::TempPrefix prefix;
};

TEST_F(PathMapping, ResolvesNamesWithoutRegardToCaseAndKeepsStoredCase) {
    const struct {
        const char* windows;
        std::string host;
    } cases[] = {
        {"C:\\", C("")},
        {"C:\\WINDOWS\\OrvRIOM.ini", C("/WINDOWS/OrvRIOM.ini")},
        {"c:\\windows\\ORVRIOM.INI", C("/WINDOWS/OrvRIOM.ini")},
        {"C:/Windows/orvriom.ini", C("/WINDOWS/OrvRIOM.ini")},
        {"C:\\PROGRAM FILES\\orv\\CAM.INI", C("/Program Files/Orv/Cam.ini")},
        {"C:\\windows\\..\\program files\\ORV", C("/Program Files/Orv")},
        // Missing components are kept as written, below the resolved ones.
        {"C:\\windows\\New\\Sub.ini", C("/WINDOWS/New/Sub.ini")},
        {"C:\\windows\\", C("/WINDOWS/")},
    };
    for (const auto& c : cases) {
        auto host = plat::ToHostPath(c.windows);
        ASSERT_TRUE(host) << c.windows;
        EXPECT_EQ(*host, c.host) << c.windows;
    }
}

TEST_F(PathMapping, PrefersTheExactSpellingWhenTheHostHoldsSeveralCases) {
    prefix.WriteHost("C:\\Dup\\a.ini", "lower");
    prefix.WriteHost("C:\\Dup\\A.INI", "upper");
    EXPECT_EQ(*plat::ToHostPath("C:\\Dup\\a.ini"), C("/Dup/a.ini"));
    EXPECT_EQ(*plat::ToHostPath("C:\\Dup\\A.INI"), C("/Dup/A.INI"));
    // Neither spelling: always the same one (first in byte order), not whichever the folder lists first.
    EXPECT_EQ(*plat::ToHostPath("C:\\Dup\\A.ini"), C("/Dup/A.INI"));
}

// A folder found once is remembered; another process that renames it, or puts a file in its
// place, is seen at the next look-up.
TEST_F(PathMapping, FollowsFoldersThatChangeOnTheHostAfterALookUp) {
    prefix.WriteHost("C:\\Logs\\Day\\a.log", "");
    EXPECT_EQ(*plat::ToHostPath("C:\\logs\\day\\A.LOG"), C("/Logs/Day/a.log"));
    std::filesystem::rename(C("/Logs/Day"), C("/Logs/DAY"));
    EXPECT_EQ(*plat::ToHostPath("C:\\logs\\day\\A.LOG"), C("/Logs/DAY/a.log"));
    std::filesystem::remove_all(C("/Logs/DAY"));
    prefix.WriteHost("C:\\Logs\\day", "a file now");
    EXPECT_EQ(*plat::ToHostPath("C:\\logs\\day\\A.LOG"), C("/Logs/day/A.LOG"));

    // Another machine prefix never answers with this one's folders.
    tavo::test::TempPrefix other;
    EXPECT_EQ(*plat::ToHostPath("C:\\logs\\day\\A.LOG"), other.host() + "/drive_c/logs/day/A.LOG");
}

TEST_F(PathMapping, MapsDriveLetters) {
    EXPECT_EQ(*plat::ToHostPath("Z:\\"), "/");
    EXPECT_EQ(*plat::ToHostPath("z:\\tmp"), "/tmp");
    // Z: reaches the prefix too, so both spellings name one file.
    std::string viaZ = plat::ToWindowsPath(C("/WINDOWS/OrvRIOM.ini"));
    EXPECT_EQ(viaZ, "C:\\WINDOWS\\OrvRIOM.ini");
    std::string zForm = "Z:" + prefix.host() + "/drive_c/windows/orvriom.ini";
    EXPECT_EQ(*plat::ToHostPath(zForm), C("/WINDOWS/OrvRIOM.ini"));

    // Other letters are prefix folders, known once they exist.
    plat::SetLastError(0);
    EXPECT_FALSE(plat::ToHostPath("D:\\x"));
    EXPECT_EQ(plat::LastError(), plat::kErrorPathNotFound);
    fs::create_directories(prefix.host() + "/drive_d");
    EXPECT_EQ(*plat::ToHostPath("d:\\X"), prefix.host() + "/drive_d/X");
}

TEST_F(PathMapping, RefusesNetworkPathsAndNamesWindowsCannotHold) {
    const struct {
        const char* windows;
        std::uint32_t error;
    } cases[] = {
        {"\\\\server\\share\\x.ini", plat::kErrorPathNotFound},
        {"C:\\WINDOWS\\a*b", plat::kErrorInvalidName},
        {"C:\\WINDOWS\\what?\\x", plat::kErrorInvalidName},
        {"C:\\a\"b\"", plat::kErrorInvalidName},
        {"C:\\a|b", plat::kErrorInvalidName},
        {"C:\\a:b", plat::kErrorInvalidName},
    };
    for (const auto& c : cases) {
        plat::SetLastError(0);
        EXPECT_FALSE(plat::ToHostPath(c.windows)) << c.windows;
        EXPECT_EQ(plat::LastError(), c.error) << c.windows;
    }
}

TEST_F(PathMapping, NeverSplitsAHostNameHoldingABackslash) {
    // A host file "a\b" beside a real folder "a" with a file "b": the Windows path C:\a\b is the
    // file in the folder, never the host file whose name holds the backslash.
    prefix.WriteHost("C:\\a\\b", "in folder");
    std::string odd = C("/a\\b");
    { std::ofstream(odd) << "odd name"; }
    EXPECT_EQ(*plat::ToHostPath("C:\\a\\b"), C("/a/b"));

    // Without the folder, the path names nothing: the odd file is not found under another spelling.
    fs::remove_all(C("/a"));
    std::string odd2 = C("/x\\y");
    { std::ofstream(odd2) << "odd"; }
    EXPECT_EQ(*plat::ToHostPath("C:\\x\\y"), C("/x/y"));
    EXPECT_EQ(plat::FileAttributes("C:\\x\\y"), plat::kInvalidAttributes);
    EXPECT_EQ(plat::LastError(), plat::kErrorPathNotFound);
    EXPECT_EQ(plat::FileAttributes("C:\\X\\Y"), plat::kInvalidAttributes);
}

TEST_F(PathMapping, ToWindowsPathNamesDriveFoldersByLetterAndAllElseOnZ) {
    fs::create_directories(prefix.host() + "/drive_d/Data");
    const struct {
        std::string host;
        std::string windows;
    } cases[] = {
        {C(""), "C:\\"},
        {C("/"), "C:\\"},
        {C("/WINDOWS/OrvRIOM.ini"), "C:\\WINDOWS\\OrvRIOM.ini"},
        {C("/WINDOWS/"), "C:\\WINDOWS\\"},
        {prefix.host() + "/drive_d/Data", "D:\\Data"},
        {"/", "Z:\\"},
        {"/tmp/a/", "Z:\\tmp\\a\\"},
        {"/usr/bin/env", "Z:\\usr\\bin\\env"},
        // Prefix folders that are not drives stay on Z:.
        {prefix.host() + "/locks", "Z:" + prefix.host() + "\\locks"},
        {prefix.host() + "/drive_cx/y", "Z:" + prefix.host() + "\\drive_cx\\y"},
        {prefix.host() + "/drive_z/y", "Z:" + prefix.host() + "\\drive_z\\y"},
        {prefix.host() + "/drive_C/y", "Z:" + prefix.host() + "\\drive_C\\y"},
        // No Windows form for a name Windows cannot hold: it must not come back as more names.
        {C("/a\\b"), ""},
        {"/tmp/x:y", ""},
    };
    for (const auto& c : cases) {
        std::string expected = c.windows;
        for (char& ch : expected)
            if (ch == '/') ch = '\\';
        EXPECT_EQ(plat::ToWindowsPath(c.host), expected) << c.host;
    }
}

TEST_F(PathMapping, RoundTripsBetweenHostAndWindowsForms) {
    fs::create_directories(prefix.host() + "/drive_d/Data");
    for (const std::string& host :
         {C(""), C("/WINDOWS/OrvRIOM.ini"), C("/Program Files/Orv"), prefix.host() + "/drive_d/Data",
          std::string("/"), std::string("/tmp"), prefix.host() + "/locks"}) {
        auto back = plat::ToHostPath(plat::ToWindowsPath(host));
        ASSERT_TRUE(back) << host;
        EXPECT_EQ(*back, host);
    }
    for (const char* windows : {"C:\\WINDOWS\\OrvRIOM.ini", "C:\\Program Files\\Orv\\Cam.ini", "Z:\\tmp"})
        EXPECT_EQ(plat::ToWindowsPath(*plat::ToHostPath(windows)), windows);
}

TEST(SystemFolders, WindowsAndTemporaryFoldersLiveOnDriveCAndExist) {
    tavo::test::TempPrefix prefix;
    EXPECT_EQ(plat::WindowsFolder(), "C:\\WINDOWS");
    EXPECT_EQ(plat::TempFolder(), "C:\\Temp\\");
    EXPECT_TRUE(fs::is_directory(prefix.host() + "/drive_c/WINDOWS"));
    EXPECT_TRUE(fs::is_directory(prefix.host() + "/drive_c/Temp"));
    // A new prefix gets its own folders.
    tavo::test::TempPrefix other;
    plat::WindowsFolder();
    EXPECT_TRUE(fs::is_directory(other.host() + "/drive_c/WINDOWS"));
}

TEST(ProfileFilePath, ABareNameLivesInTheWindowsFolder) {
    tavo::test::TempPrefix prefix;
    plat::SetCurrentFolder("C:\\Work");
    const Case cases[] = {
        {"OrvMulti.ini", "C:\\WINDOWS\\OrvMulti.ini"},
        {"C:\\Data\\x.ini", "C:\\Data\\x.ini"},
        {"sub\\x.ini", "C:\\Work\\sub\\x.ini"},
        {"./x.ini", "C:\\Work\\x.ini"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(plat::ProfileFilePath(c.in), c.out) << c.in;
}

} // namespace

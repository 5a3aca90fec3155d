#include "cli/path_argument.h"
#include "platform/paths.h"
#include "support/temp_prefix.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace tavo::cli {
namespace {

struct PathCase {
    const char* argument;
    const char* expected; // "" for no path; "<cwd>" stands for the host working folder's Windows form
};

TEST(PathArgument, WithADriveLetterIsAWindowsPathAndOtherwiseAHostPath) {
    const test::TempPrefix prefix;
    const std::string cwd = plat::ToWindowsPath(std::filesystem::current_path().string());
    const std::string inPrefix = prefix.host() + "/drive_c/Pkg/./Item.ini";
    const std::vector<PathCase> cases = {
        {"C:\\Pkg\\Item.ini", "C:\\Pkg\\Item.ini"},
        {"c:/Pkg/../Pkg/Item.ini", "C:\\Pkg\\Item.ini"},
        {"D:\\", "D:\\"},
        {"/etc/hosts", "Z:\\etc\\hosts"},
        {"/tmp/a/../b/", "Z:\\tmp\\b"},
        {"Item.ini", "<cwd>\\Item.ini"},
        {"./c:Item.ini", ""}, // a host name that Windows cannot hold
        {"", ""},
    };
    for (const PathCase& c : cases) {
        std::string expected = c.expected;
        if (expected.rfind("<cwd>", 0) == 0) expected = cwd + expected.substr(5);
        EXPECT_EQ(WindowsPathArgument(c.argument).value_or(""), expected) << c.argument;
    }
    EXPECT_EQ(WindowsPathArgument(inPrefix), "C:\\Pkg\\Item.ini")
        << "host paths in the prefix map to its drives";
}

TEST(PathArgument, FolderBackslashesAreMadeExactlyOneOrNone) {
    EXPECT_EQ(WithTrailingBackslash("C:\\Pkg"), "C:\\Pkg\\");
    EXPECT_EQ(WithTrailingBackslash("C:\\Pkg\\\\"), "C:\\Pkg\\");
    EXPECT_EQ(WithoutTrailingBackslash("C:\\Pkg\\\\"), "C:\\Pkg");
}

} // namespace
} // namespace tavo::cli

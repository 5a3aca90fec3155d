// End to end: tavoctl's restore on damaged demo packages. Each damage ends with a clear message
// and a defined status, in bounded time, and no file of the machine is lost or torn.
#include "host_files.h"
#include "platform/host_io.h"
#include "support/temp_prefix.h"
#include "tavoctl_process.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace tavo::test {
namespace {

namespace fs = std::filesystem;

void Replace(const fs::path& path, const std::string& from, const std::string& to) {
    std::string text = ReadFile(path);
    const std::size_t at = text.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    WriteFile(path, text.replace(at, from.size(), to));
}

std::string Garbage(std::size_t size) {
    std::string bytes;
    std::uint32_t x = 2463534242u;
    for (std::size_t i = 0; i < size; ++i) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        bytes += static_cast<char>(x & 0xFF);
    }
    return bytes;
}

struct Damage {
    const char* name;
    std::function<void(const fs::path& package, const fs::path& drive)> apply;
    int status;
    const char* message; // found in stdout or stderr
};

TEST(TavoctlBadInput, ADamagedPackageEndsClearlyAndLosesNoFile) {
    const std::string longName(300, 'L');
    const std::vector<Damage> damages = {
        {"missing action file",
         [](const fs::path& p, const fs::path&) { fs::remove(p / "Action" / "Maps.ini"); }, 0, "1 skipped"},
        {"missing catalogue", [](const fs::path& p, const fs::path&) { fs::remove(p / "Src" / "Items.ini"); },
         1, "no catalogue in the package"},
        {"binary garbage catalogue",
         [](const fs::path& p, const fs::path&) { WriteFile(p / "Src" / "Items.ini", Garbage(8192)); }, 0,
         "restore: nothing to do"},
        {"binary garbage action file",
         [](const fs::path& p, const fs::path&) { WriteFile(p / "Action" / "General.ini", Garbage(8192)); },
         0, "The DVR settings have been restored."},
        {"a million items declared",
         [](const fs::path& p, const fs::path&) {
             Replace(p / "Src" / "Items.ini", "DVR_TotalItemNum=6", "DVR_TotalItemNum=1000000");
         },
         0, "only the first 100000 are loaded"},
        {"a SubNum chain a hundred levels deep, each level asking for 2^31 - 1",
         [](const fs::path& p, const fs::path&) {
             std::string chain;
             std::string section = "DVR_1";
             for (int level = 0; level < 100; ++level) {
                 section += "_1";
                 chain += "[" + section + "]\r\nText_Menu=Level\r\nSubNum=2147483647\r\n";
             }
             Replace(p / "Src" / "Items.ini", "[DVR_1]\n", "[DVR_1]\nSubNum=2147483647\n");
             WriteFile(p / "Src" / "Items.ini", ReadFile(p / "Src" / "Items.ini") + chain);
         },
         0, "only the first 100000 are loaded"},
        {"counts of 2^31 and 2^31 - 1",
         [](const fs::path& p, const fs::path&) {
             Replace(p / "Action" / "General.ini", "INI_WINDOW_PATH_ALL=5", "INI_WINDOW_PATH_ALL=2147483648");
             Replace(p / "Action" / "General.ini", "INI_KW_PATH_ALL=1", "INI_KW_PATH_ALL=2147483647");
         },
         0, "1 skipped"},
        {"a file name of 300 characters",
         [&longName](const fs::path& p, const fs::path&) {
             WriteFile(p / "Action" / "Maps.ini",
                       "[GENERAL]\r\nINI_KW_PATH_ALL=1\r\n[INI_KW_PATH_ALL]\r\nIGPA_1=" + longName +
                           ".ini\r\n");
         },
         3, "error 206"},
        {"a read-only live file",
         [](const fs::path&, const fs::path& drive) {
             fs::permissions(drive / "DVR" / "Camera.ini",
                             fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
         },
         3, "C:\\DVR\\Camera.ini: copy from"},
        {"symbolic link loops in a package folder",
         [](const fs::path& p, const fs::path&) {
             fs::create_directory_symlink(".", p / "Maps" / "loop");
             fs::create_directory_symlink("..", p / "Maps" / "Garage" / "up");
         },
         0, "The DVR settings have been restored."},
    };
    for (const Damage& damage : damages) {
        SCOPED_TRACE(damage.name);
        const TempPrefix machine;
        fs::copy(DEMO_MACHINE, machine.host(),
                 fs::copy_options::recursive | fs::copy_options::overwrite_existing);
        const fs::path package = fs::path(machine.host()) / "work" / "package";
        fs::create_directories(package.parent_path());
        fs::copy(DEMO_PACKAGE, package, fs::copy_options::recursive);
        damage.apply(package, fs::path(machine.host()) / "drive_c");
        const auto before = FilesOf(machine);

        // A hang is a failure: the run is killed after a minute.
        const TavoctlResult result =
            RunTavoctl({"-s", "KILL", "60", TAVOCTL, "restore", "DVR", "--all", "--yes",
                        "--package=" + package.string(), "--prefix=" + machine.host()},
                       {}, "/usr/bin/timeout");
        EXPECT_EQ(result.status, damage.status) << result.out << result.err;
        EXPECT_NE((result.out + result.err).find(damage.message), std::string::npos)
            << result.out << result.err;

        // Every file is still there, and each is whole: its old bytes, a package file's, or an INI
        // file the run writes keys into.
        std::set<std::string> packaged;
        for (const auto& entry : fs::recursive_directory_iterator(package))
            if (entry.is_regular_file()) packaged.insert(ReadFile(entry.path()));
        const auto after = FilesOf(machine);
        for (const auto& [path, bytes] : before) {
            SCOPED_TRACE(path);
            ASSERT_TRUE(after.contains(path));
            EXPECT_TRUE(after.at(path) == bytes || packaged.contains(after.at(path)) ||
                        path.ends_with(".ini"));
        }
    }
}

} // namespace
} // namespace tavo::test

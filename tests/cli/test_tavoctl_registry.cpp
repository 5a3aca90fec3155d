// End to end: the registry of the demo machine through tavoctl's reg commands and a packup and
// restore of the demo package's registry item.
#include "host_files.h"
#include "support/temp_prefix.h"
#include "tavoctl_process.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace tavo::test {
namespace {

namespace fs = std::filesystem;

constexpr const char* kDvrKey = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Orvane";

TavoctlResult Reg(const std::vector<std::string>& args, const TempPrefix& machine) {
    std::vector<std::string> all{"reg"};
    all.insert(all.end(), args.begin(), args.end());
    all.push_back("--prefix=" + machine.host());
    return RunTavoctl(all);
}

void LayOutMachine(const TempPrefix& machine, bool withRegistry) {
    fs::copy(DEMO_MACHINE, machine.host(),
             fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    if (!withRegistry) return;
    const TavoctlResult imported = Reg({"import", std::string(DEMO_MACHINE) + "/registry.reg"}, machine);
    ASSERT_EQ(imported.status, 0) << imported.err;
}

TEST(TavoctlRegistry, PackupOfTheDemoRegistryRestoresTheSameTreeOntoAnotherMachine) {
    TempPrefix first, second;
    LayOutMachine(first, true);
    LayOutMachine(second, false);
    const fs::path package = fs::path(first.host()) / "work" / "package";
    fs::create_directories(package.parent_path());
    fs::copy(DEMO_PACKAGE, package, fs::copy_options::recursive);
    // The shipped package does not hold the registry item; this one is to.
    const fs::path exportFile = package / "Src" / "Tavo.ini";
    std::string codes = ReadFile(exportFile);
    codes.replace(codes.find("KEY_REGISTRY=1"), 14, "KEY_REGISTRY=2");
    WriteFile(exportFile, codes);

    const TavoctlResult packup =
        RunTavoctl({"packup", "DVR", "--all", "--package=" + package.string(), "--prefix=" + first.host()});
    ASSERT_EQ(packup.status, 0) << packup.out << packup.err;
    EXPECT_TRUE(fs::exists(package / "Reg" / "DvrRecording.hiv"));
    EXPECT_NE(ReadFile(package / "Action" / "Registry.ini").find("RTS_1_CONTENT=DVR\\CommRes\\Logo.bmp"),
              std::string::npos);

    const TavoctlResult restore = RunTavoctl(
        {"restore", "DVR", "--all", "--package=" + package.string(), "--prefix=" + second.host(), "--yes"});
    ASSERT_EQ(restore.status, 0) << restore.out << restore.err;
    const TavoctlResult original = Reg({"export", kDvrKey}, first);
    const TavoctlResult restored = Reg({"export", kDvrKey}, second);
    ASSERT_EQ(original.status, 0) << original.err;
    EXPECT_NE(original.out.find("\"BufferKB\"=dword:00000100"), std::string::npos) << original.out;
    EXPECT_EQ(restored.out, original.out);

    // The export read back onto a fresh machine gives the same text again.
    TempPrefix third;
    const fs::path file = fs::path(third.host()) / "tree.reg";
    ASSERT_EQ(Reg({"export", kDvrKey, file.string()}, first).status, 0);
    ASSERT_EQ(Reg({"import", file.string()}, third).status, 0);
    EXPECT_EQ(Reg({"export", kDvrKey}, third).out, original.out);
}

TEST(TavoctlRegistry, AMalformedFileIsRefusedWithItsLineAndChangesNothing) {
    const std::string header = "Windows Registry Editor Version 5.00\n\n";
    const std::string good = "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Orvane\\Ok]\n\"A\"=dword:00000001\n";
    std::string garbage;
    for (int i = 0; i < 4096; ++i)
        garbage += static_cast<char>((i * 7919 + 13) % 256);
    const struct {
        const char* name;
        std::string text;
        std::string message;
    } cases[] = {
        {"bad header", "Windows Registry Editor Version 4.00\n" + good, "line 1: the file must start"},
        {"unterminated key line", header + good + "[HKEY_LOCAL_MACHINE\\SOFTWARE\\X\n", "line 5: a key line"},
        {"bad hex", header + good + "\"B\"=hex:0g,00\n", "line 5: the bytes"},
        {"continuation past the end", header + good + "\"B\"=hex:00,\\\n", "line 5: the file ends"},
        {"value before any key", header + "\"A\"=\"x\"\n" + good, "line 3: a value before any key"},
        {"unknown root", header + "[HKEY_NOWHERE\\X]\n", "line 3: an unknown root key"},
        {"empty key name", header + "[HKEY_LOCAL_MACHINE\\SOFTWARE\\\\X]\n", "line 3: an empty key name"},
        {"dword too long", header + good + "\"B\"=dword:000000001\n", "line 5: dword:"},
        {"binary garbage", header + good + garbage, "line "},
        {"huge hex",
         header + good + "\"B\"=hex:" +
             [] {
                 std::string hex;
                 for (int i = 0; i < 1'100'000; ++i)
                     hex += "00,";
                 return hex + "00";
             }() +
             "\n",
         "line 5: value data over 1 MB"},
        {"key outside the hives", header + good + "[HKEY_LOCAL_MACHINE\\NEWHIVE]\n", "error 5"},
    };
    for (const auto& c : cases) {
        TempPrefix machine;
        const fs::path file = fs::path(machine.host()) / "bad.reg";
        WriteFile(file, c.text);
        const TavoctlResult imported = Reg({"import", file.string()}, machine);
        EXPECT_EQ(imported.status, 1) << c.name << imported.err;
        EXPECT_NE(imported.err.find(c.message), std::string::npos) << c.name << ": " << imported.err;
        EXPECT_EQ(std::count(imported.err.begin(), imported.err.end(), '\n'), 1) << c.name;
        EXPECT_EQ(Reg({"export", "HKEY_LOCAL_MACHINE\\SOFTWARE\\Orvane"}, machine).status, 1)
            << c.name << ": nothing is written";
    }
}

} // namespace
} // namespace tavo::test

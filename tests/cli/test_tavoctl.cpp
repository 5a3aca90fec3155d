// End-to-end: the built tavoctl on small machines in fresh prefixes.
#include "host_files.h"
#include "support/temp_prefix.h"
#include "tavoctl_process.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

namespace tavo::test {
namespace {

namespace fs = std::filesystem;

constexpr const char* kItem = "[GENERAL]\r\n"
                              "INI_WINDOW_PATH_ALL=1\r\n"
                              "INI_KW_PATH_ALL=1\r\n"
                              "ALL_FILE_IN_KW_PATH=1\r\n"
                              "[INI_WINDOW_PATH_ALL]\r\n"
                              "IWPA_1=Cam.ini\r\n"
                              "[INI_KW_PATH_ALL]\r\n"
                              "IGPA_1=Setup.ini\r\n"
                              "[ALL_FILE_IN_KW_PATH]\r\n"
                              "AFIGP_1=Maps\\\r\n";

// The settings of a DVR installed in `installFolder` ("C:\DVR\").
void LayOutDvr(const TempPrefix& machine, const std::string& installFolder) {
    machine.WriteHost("C:\\WINDOWS\\OrvMulti.ini",
                      "[General]\r\nInstallPath=" + installFolder + "Main.exe\r\n");
    machine.WriteHost("C:\\WINDOWS\\Cam.ini", "[Camera]\r\nCount=16\r\n");
    machine.WriteHost(installFolder + "Main.exe", "MZ program");
    machine.WriteHost(installFolder + "Setup.ini", "[Setup]\r\nPort=8000\r\n");
    machine.WriteHost(installFolder + "Maps\\Floor1.bmp", std::string("BM\0\x01\x02", 5));
    machine.WriteHost(installFolder + "Maps\\Sub\\Floor2.bmp", "BM floor 2");
}

std::size_t LineCount(const std::string& text) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

// stderr without the progress bar's lines.
std::string WithoutProgress(const std::string& err) {
    std::string rest;
    std::size_t start = 0;
    while (start < err.size()) {
        std::size_t end = err.find('\n', start);
        end = end == std::string::npos ? err.size() : end + 1;
        if (err.compare(start, 9, "progress ") != 0) rest += err.substr(start, end - start);
        start = end;
    }
    return rest;
}

// A command that did not run says why in one line on stderr and nothing on stdout.
void ExpectOneLineReason(const TavoctlResult& result, const std::string& part) {
    EXPECT_EQ(result.out, "");
    const std::string reason = WithoutProgress(result.err);
    EXPECT_EQ(LineCount(reason), 1u) << result.err;
    EXPECT_EQ(reason.rfind("tavoctl: ", 0), 0u) << result.err;
    EXPECT_NE(reason.find(part), std::string::npos) << result.err;
}

class TavoctlTest : public ::testing::Test {
  protected:
    TavoctlTest() : work(machine.host() + "/work") { fs::create_directories(work); }

    std::string Prefix(const TempPrefix& m) const { return "--prefix=" + m.host(); }

    TempPrefix machine;
    fs::path work; // outside the machine's drives: host paths here have "Z:\" Windows forms
};

TEST_F(TavoctlTest, PackupThenRestoreIntoASecondMachineGivesTheSameFiles) {
    LayOutDvr(machine, "C:\\DVR\\");
    WriteFile(work / "Item.ini", kItem);
    const fs::path package = work / "pkg";

    // The machine from the environment, paths relative to the working folder.
    const fs::path previous = fs::current_path();
    fs::current_path(work);
    const TavoctlResult packup =
        RunTavoctl({"action", "packup", "Item.ini", "--package", "pkg"}, {"TAVO_PREFIX=" + machine.host()});
    fs::current_path(previous);
    ASSERT_EQ(packup.status, 0) << packup.out << packup.err;
    EXPECT_EQ(packup.out.rfind("packup: ", 0), 0u) << packup.out;
    EXPECT_NE(packup.out.find(", 0 failed"), std::string::npos) << packup.out;
    EXPECT_EQ(ReadFile(package / "Cam.ini"), machine.ReadHost("C:\\WINDOWS\\Cam.ini"));
    EXPECT_EQ(ReadFile(package / "Setup.ini"), machine.ReadHost("C:\\DVR\\Setup.ini"));
    EXPECT_EQ(ReadFile(package / "Maps" / "Floor1.bmp"), machine.ReadHost("C:\\DVR\\Maps\\Floor1.bmp"));
    EXPECT_EQ(ReadFile(package / "Maps" / "Sub" / "Floor2.bmp"), "BM floor 2");
    // Without a terminal the progress bar is a few plain lines.
    EXPECT_LE(LineCount(packup.err), 11u) << packup.err;

    const TempPrefix second;
    LayOutDvr(second, "C:\\Apps\\DVR\\");
    second.WriteHost("C:\\WINDOWS\\Cam.ini", "[Camera]\r\nCount=4\r\n");
    second.WriteHost("C:\\Apps\\DVR\\Maps\\Floor1.bmp", "old floor");
    fs::remove_all(second.HostOf("C:\\Apps\\DVR\\Maps\\Sub"));
    const TavoctlResult restore = RunTavoctl(
        {"action", "restore", (work / "Item.ini").string(), "--package", package.string(), Prefix(second)});
    ASSERT_EQ(restore.status, 0) << restore.out << restore.err;
    EXPECT_EQ(restore.out.rfind("restore: ", 0), 0u) << restore.out;
    EXPECT_EQ(second.ReadHost("C:\\WINDOWS\\Cam.ini"), machine.ReadHost("C:\\WINDOWS\\Cam.ini"));
    EXPECT_EQ(second.ReadHost("C:\\Apps\\DVR\\Setup.ini"), machine.ReadHost("C:\\DVR\\Setup.ini"));
    EXPECT_EQ(second.ReadHost("C:\\Apps\\DVR\\Maps\\Floor1.bmp"),
              machine.ReadHost("C:\\DVR\\Maps\\Floor1.bmp"));
    EXPECT_EQ(second.ReadHost("C:\\Apps\\DVR\\Maps\\Sub\\Floor2.bmp"), "BM floor 2");
}

TEST_F(TavoctlTest, DefaultsDeletesWhatTheActionFileNamesAndKeepsProgramFiles) {
    LayOutDvr(machine, "C:\\DVR\\");
    machine.WriteHost("C:\\WINDOWS\\Other.ini", "[Other]\r\n");
    machine.WriteHost("C:\\DVR\\Maps\\Tool.exe", "MZ tool");
    machine.WriteHost("C:\\Pkg\\Defaults.ini", "[GENERAL]\r\n"
                                               "INI_WINDOW_PATH_ALL=1\r\n"
                                               "INI_KW_PATH_ALL=2\r\n"
                                               "ALL_FILE_IN_KW_PATH=1\r\n"
                                               "[INI_WINDOW_PATH_ALL]\r\n"
                                               "IWPA_1=Cam.ini\r\n"
                                               "[INI_KW_PATH_ALL]\r\n"
                                               "IGPA_1=Setup.ini\r\n"
                                               "IGPA_2=Main.exe\r\n"
                                               "[ALL_FILE_IN_KW_PATH]\r\n"
                                               "AFIGP_1=Maps\\\r\n");
    // Windows paths on the command line.
    const TavoctlResult result =
        RunTavoctl({"action", "defaults", "C:\\Pkg\\Defaults.ini", "--package", "c:/Pkg", Prefix(machine)});
    ASSERT_EQ(result.status, 0) << result.out << result.err;
    EXPECT_EQ(result.out.rfind("defaults: ", 0), 0u) << result.out;
    EXPECT_FALSE(fs::exists(machine.HostOf("C:\\WINDOWS\\Cam.ini")));
    EXPECT_FALSE(fs::exists(machine.HostOf("C:\\DVR\\Setup.ini")));
    EXPECT_FALSE(fs::exists(machine.HostOf("C:\\DVR\\Maps\\Floor1.bmp")));
    EXPECT_FALSE(fs::exists(machine.HostOf("C:\\DVR\\Maps\\Sub\\Floor2.bmp")));
    EXPECT_TRUE(fs::is_directory(machine.HostOf("C:\\DVR\\Maps\\Sub")));
    EXPECT_EQ(machine.ReadHost("C:\\DVR\\Main.exe"), "MZ program");
    EXPECT_EQ(machine.ReadHost("C:\\DVR\\Maps\\Tool.exe"), "MZ tool");
    EXPECT_EQ(machine.ReadHost("C:\\WINDOWS\\Other.ini"), "[Other]\r\n");
    EXPECT_NE(result.out.find(" 2 kept"), std::string::npos) << result.out;
}

TEST_F(TavoctlTest, PackupWithoutPackageOptionFillsTheFolderTavoctlLivesIn) {
    LayOutDvr(machine, "C:\\DVR\\");
    WriteFile(work / "Item.ini", kItem);
    const fs::path bin = work / "bin";
    fs::create_directories(bin);
    fs::copy_file(TAVOCTL, bin / "tavoctl");
    const TavoctlResult result = RunTavoctl(
        {"action", "packup", (work / "Item.ini").string(), Prefix(machine)}, {}, (bin / "tavoctl").string());
    ASSERT_EQ(result.status, 0) << result.out << result.err;
    EXPECT_EQ(ReadFile(bin / "Setup.ini"), machine.ReadHost("C:\\DVR\\Setup.ini"));
    EXPECT_EQ(ReadFile(bin / "Maps" / "Sub" / "Floor2.bmp"), "BM floor 2");

    // A folder that Windows could not name gives no package folder to fall back on.
    const fs::path odd = work / "odd:name";
    fs::create_directories(odd);
    fs::copy_file(TAVOCTL, odd / "tavoctl");
    const TavoctlResult unnamed = RunTavoctl(
        {"action", "packup", (work / "Item.ini").string(), Prefix(machine)}, {}, (odd / "tavoctl").string());
    EXPECT_EQ(unnamed.status, 1);
    ExpectOneLineReason(unnamed, "give --package");
    EXPECT_EQ(std::distance(fs::directory_iterator(odd), fs::directory_iterator()), 1) << "nothing beside it";
}

TEST_F(TavoctlTest, BadCommandLinesGiveStatus2AndAOneLineReason) {
    WriteFile(work / "Item.ini", kItem);
    const std::string item = (work / "Item.ini").string();
    const std::vector<std::vector<std::string>> commands = {
        {},
        {"bogus"},
        {"action"},
        {"action", "packup"},
        {"action", "backup", item},
        {"action", "packup", item, "--product", "3"},
        {"action", "packup", item, "--product", "DVR"},
        {"action", "packup", item, "--frobnicate"},
        {"action", "packup", item, "surplus"},
        {"action", "packup", "./c:Item.ini"}, // a host name with no Windows form
    };
    for (const auto& command : commands) {
        std::vector<std::string> args = command;
        args.push_back(Prefix(machine));
        SCOPED_TRACE(testing::PrintToString(command));
        const TavoctlResult result = RunTavoctl(args);
        EXPECT_EQ(result.status, 2);
        ExpectOneLineReason(result, "");
    }
}

TEST_F(TavoctlTest, AMissingActionFileOrRestorePackageGivesStatus1AndAOneLineReason) {
    LayOutDvr(machine, "C:\\DVR\\");
    WriteFile(work / "Item.ini", kItem);
    const TavoctlResult noFile = RunTavoctl(
        {"action", "restore", "C:\\Pkg\\Missing.ini", "--package", work.string(), Prefix(machine)});
    EXPECT_EQ(noFile.status, 1);
    ExpectOneLineReason(noFile, "action file not found: C:\\Pkg\\Missing.ini");

    const TavoctlResult folderAsFile =
        RunTavoctl({"action", "packup", work.string(), "--package", work.string(), Prefix(machine)});
    EXPECT_EQ(folderAsFile.status, 1);
    ExpectOneLineReason(folderAsFile, "action file not found");

    const TavoctlResult noPackage = RunTavoctl({"action", "restore", (work / "Item.ini").string(),
                                                "--package", (work / "none").string(), Prefix(machine)});
    EXPECT_EQ(noPackage.status, 1);
    ExpectOneLineReason(noPackage, "package folder not found");
    EXPECT_EQ(machine.ReadHost("C:\\DVR\\Setup.ini"), "[Setup]\r\nPort=8000\r\n") << "nothing was restored";
}

TEST_F(TavoctlTest, APackupWhosePackageFolderCannotBeCreatedGivesStatus1) {
    LayOutDvr(machine, "C:\\DVR\\");
    WriteFile(work / "Item.ini", kItem);
    WriteFile(work / "plain", "a file where a folder should go");
    const TavoctlResult result = RunTavoctl({"action", "packup", (work / "Item.ini").string(), "--package",
                                             (work / "plain" / "pkg").string(), Prefix(machine)});
    EXPECT_EQ(result.status, 1);
    ExpectOneLineReason(result, "package folder could not be created");
}

TEST_F(TavoctlTest, AnInstallFolderPromptIsAnsweredOnlyByTheInstallFolderOption) {
    // No OrvMulti.ini names the DVR's folder, so preparing the run asks for it.
    machine.WriteHost("C:\\Cams\\DVR\\Setup.ini", "[Setup]\r\nPort=9000\r\n");
    WriteFile(work / "Item.ini", kItem);
    const std::vector<std::string> packup = {
        "action",       "packup", (work / "Item.ini").string(), "--package", (work / "pkg").string(),
        Prefix(machine)};

    std::vector<std::string> withYes = packup;
    withYes.push_back("--yes");
    const TavoctlResult yes = RunTavoctl(withYes);
    EXPECT_EQ(yes.status, 1);
    ExpectOneLineReason(yes, "--yes needs --install-folder");

    const TavoctlResult noTerminal = RunTavoctl(packup);
    EXPECT_EQ(noTerminal.status, 1);
    ExpectOneLineReason(noTerminal, "without a terminal");

    std::vector<std::string> product = packup;
    product.insert(product.end(), {"--product", "16", "-y"});
    const TavoctlResult relay = RunTavoctl(product);
    EXPECT_EQ(relay.status, 1);
    ExpectOneLineReason(relay, "--install-folder");
    EXPECT_FALSE(fs::exists(work / "pkg" / "Setup.ini"));

    std::vector<std::string> answered = withYes;
    answered.push_back("--install-folder=C:\\Cams\\DVR\\");
    const TavoctlResult done = RunTavoctl(answered);
    ASSERT_EQ(done.status, 0) << done.out << done.err;
    EXPECT_EQ(ReadFile(work / "pkg" / "Setup.ini"), "[Setup]\r\nPort=9000\r\n");
}

TEST_F(TavoctlTest, AServerProductUsesItsInstallFolderFromTheCentralIni) {
    machine.WriteHost("C:\\WINDOWS\\OrvCMS.ini", "[Nodera]\r\nInstallPath=C:\\Servers\\Nodera\r\n"
                                                 "[Relay]\r\nAP_Path=C:\\Servers\\Relay\\\r\n");
    machine.WriteHost("C:\\Servers\\Nodera\\Setup.ini", "nodera");
    machine.WriteHost("C:\\Servers\\Relay\\Setup.ini", "relay");
    WriteFile(work / "Item.ini", kItem);
    for (const auto& [code, expected] : {std::pair{"2", "nodera"}, std::pair{"16", "relay"}}) {
        const fs::path package = work / code;
        const TavoctlResult result =
            RunTavoctl({"action", "packup", (work / "Item.ini").string(), "--package", package.string(),
                        "--product", code, "--yes", Prefix(machine)});
        ASSERT_EQ(result.status, 0) << result.out << result.err;
        EXPECT_EQ(ReadFile(package / "Setup.ini"), expected);
    }
}

TEST_F(TavoctlTest, FailedEntriesGiveStatus3AndAreListedOnePerLine) {
    LayOutDvr(machine, "C:\\DVR\\");
    WriteFile(work / "Item.ini", kItem);
    const fs::path package = work / "pkg";
    // A folder stands where the package copy of each file would go.
    fs::create_directories(package / "Cam.ini");
    fs::create_directories(package / "Setup.ini");
    const TavoctlResult result = RunTavoctl(
        {"action", "packup", (work / "Item.ini").string(), "--package", package.string(), Prefix(machine)});
    EXPECT_EQ(result.status, 3) << result.out << result.err;
    EXPECT_NE(result.out.find(", 2 failed"), std::string::npos) << result.out;
    EXPECT_NE(result.err.find("failed: Z:"), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("Cam.ini"), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("Setup.ini"), std::string::npos) << result.err;
    EXPECT_EQ(ReadFile(package / "Maps" / "Sub" / "Floor2.bmp"), "BM floor 2") << "the run went on";
}

} // namespace
} // namespace tavo::test

// End to end: tavoctl's product commands on the demo package and fresh demo machines.
#include "host_files.h"
#include "platform/host_io.h"
#include "platform/paths.h"
#include "platform/profile.h"
#include "platform/system.h"
#include "support/demo_package.h"
#include "support/kernel_peer.h"
#include "support/temp_prefix.h"
#include "tavoctl_process.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sentrix.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <random>
#include <set>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace tavo::test {
namespace {

namespace fs = std::filesystem;

// The sections of an INI text by name, each with its lines.
std::map<std::string, std::string> SectionsOf(const std::string& text) {
    std::map<std::string, std::string> sections;
    std::string name;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size() - 1;
        const std::string line = text.substr(start, end + 1 - start);
        if (line.starts_with("["))
            name = line.substr(1, line.find(']') - 1);
        else
            sections[name] += line;
        start = end + 1;
    }
    return sections;
}

// The key lines of a section, without line ends and blank lines: a section rewritten by the
// profile functions ends its lines with CR LF whatever the file it came from used.
std::vector<std::string> KeyLines(const std::string& lines) {
    std::vector<std::string> keys;
    std::size_t start = 0;
    while (start < lines.size()) {
        std::size_t end = lines.find('\n', start);
        if (end == std::string::npos) end = lines.size();
        std::string line = lines.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty()) keys.push_back(line);
        start = end + 1;
    }
    return keys;
}

// A fresh demo machine, and the demo package copied where a packup may change it.
class DemoTest : public ::testing::Test {
  protected:
    DemoTest() : package(fs::path(machine.host()) / "work" / "package") {
        LayOutMachine(machine);
        CopyDemoPackage(DEMO_PACKAGE, package);
    }

    static void LayOutMachine(const TempPrefix& m) {
        fs::copy(DEMO_MACHINE, m.host(), fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    }
    TavoctlResult Run(std::vector<std::string> args, const TempPrefix& m,
                      const std::vector<std::string>& environment = {}) const {
        args.push_back("--package=" + package.string());
        args.push_back("--prefix=" + m.host());
        return RunTavoctl(args, environment);
    }
    static void AddUser(const TempPrefix& m, const char* user, const char* password) {
        plat::SetPrefixFolder(m.host());
        ASSERT_EQ(SentrixAddUser(user, password), 0);
    }

    TempPrefix machine;
    fs::path package;
};

// What a run leaves alone: program files, the packed-up-only files and the server locations.
bool KeptByRestore(const std::string& path) {
    return path.ends_with(".exe") || path.starts_with("DVR/Logs/") || path == "WINDOWS/GUID.ini" ||
           path == "WINDOWS/OrvCMS.ini";
}

TEST_F(DemoTest, PackupThenRestoreOntoAChangedMachineGivesBackEveryFile) {
    AddUser(machine, "operator", "first");
    for (const char* product : {"DVR", "Nodera", "Watchdeck", "Pulsewatch", "Relay"}) {
        const TavoctlResult packup = Run({"packup", product, "--all"}, machine);
        ASSERT_EQ(packup.status, 0) << product << packup.out << packup.err;
        EXPECT_NE(packup.out.find("packed up"), std::string::npos) << packup.out;
    }
    const Files packed = FilesOf(machine);

    const TempPrefix second;
    LayOutMachine(second);
    AddUser(second, "intruder", "other");
    // Every file a restore brings back is changed; an INI keeps its keys (the install paths and
    // the user-define count that the run reads from the live files).
    for (const auto& [path, bytes] : FilesOf(second)) {
        if (KeptByRestore(path)) continue;
        const fs::path host = fs::path(second.host()) / "drive_c" / path;
        WriteFile(host, path.ends_with(".ini") ? bytes + "\r\n[Changed]\r\nBy=test\r\n" : "changed");
    }
    ASSERT_NE(FilesOf(second), packed);

    const TavoctlResult dvr = Run({"restore", "DVR"}, second);
    ASSERT_EQ(dvr.status, 0) << dvr.out << dvr.err;
    EXPECT_NE(dvr.out.find("The DVR settings have been restored."), std::string::npos) << dvr.out;
    for (const char* product : {"Nodera", "Watchdeck", "Pulsewatch", "Relay"}) {
        const TavoctlResult server = Run({"restore", product}, second);
        ASSERT_EQ(server.status, 0) << product << server.out << server.err;
    }

    const Files restored = FilesOf(second);
    for (const auto& [path, bytes] : packed) {
        if (path.starts_with("Temp/")) continue; // the password library's working copy
        // The skin files are not in the package: the launcher-button writer brings them into line.
        if (path.ends_with("skinNTSC_e.ini")) continue;
        SCOPED_TRACE(path);
        ASSERT_TRUE(restored.contains(path));
        EXPECT_EQ(restored.at(path), bytes);
    }
}

TEST_F(DemoTest, GeneralAndNetworkSelectionsSetThePlainCopyFlagAndMergeTheMultiInstanceFile) {
    // A network section far longer than any fixed key list: it goes across whole.
    const fs::path packageMulti = package / "OrvMulti.ini";
    std::string cameras;
    for (int i = 0; i < 2000; ++i)
        cameras += "Camera" + std::to_string(i) + "=192.168.5." + std::to_string(i % 250) + "\n";
    std::string multi = ReadFile(packageMulti);
    const std::size_t network = multi.find("[NetWork]\n");
    ASSERT_NE(network, std::string::npos);
    multi.insert(network + 10, cameras);
    WriteFile(packageMulti, multi);
    const auto packaged = SectionsOf(ReadFile(packageMulti));
    const auto live = SectionsOf(ReadFile(fs::path(DEMO_MACHINE) / "drive_c" / "WINDOWS" / "OrvMulti.ini"));
    const std::set<std::string> networkSections = {"MirrorHost", "Remote DVR", "Remote Desktop", "NetWork"};

    struct Case {
        std::vector<std::string> selection;
        const char* flags;
        bool generalFromPackage, networkFromPackage;
    };
    const std::vector<Case> cases = {
        {{}, "general 1, network 1, plain copy 1", true, true},
        {{"--select", "KEY_NETWORK"}, "general 1, network 0, plain copy 0", true, false},
        {{"--select", "KEY_GENERAL"}, "general 0, network 1, plain copy 0", false, true},
        {{"--select", "KEY_GENERAL,KEY_NETWORK"}, "general 0, network 0, plain copy 1", false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.flags);
        const TempPrefix target;
        LayOutMachine(target);
        std::vector<std::string> args{"restore", "DVR"};
        args.insert(args.end(), c.selection.begin(), c.selection.end());
        const TavoctlResult result = Run(args, target, {"TAVO_DEBUG=1"});
        EXPECT_EQ(result.status, 0) << result.err;
        EXPECT_NE(result.err.find(std::string("restore flags: ") + c.flags), std::string::npos) << result.err;

        const auto restored =
            SectionsOf(ReadFile(fs::path(target.host()) / "drive_c" / "WINDOWS" / "OrvMulti.ini"));
        for (const auto& [name, lines] : packaged) {
            if (name == "General") continue; // its install path is the machine's own after any restore
            const bool fromPackage =
                networkSections.contains(name) ? c.networkFromPackage : c.generalFromPackage;
            const auto& expected = fromPackage ? packaged : live;
            SCOPED_TRACE(name);
            ASSERT_EQ(restored.contains(name), expected.contains(name));
            if (expected.contains(name)) {
                EXPECT_EQ(KeyLines(restored.at(name)), KeyLines(expected.at(name)));
            }
        }
    }
}

TEST_F(DemoTest, RestoringTheGeneralItemBringsTheLauncherButtonOfEverySkinIntoLine) {
    // The machine lists five user-defined applications, the package three: every skin file of the
    // nine resolutions in both styles is rebuilt, keeping its other button lines.
    const TavoctlResult result = Run({"restore", "DVR", "--all"}, machine);
    ASSERT_EQ(result.status, 0) << result.out << result.err;
    EXPECT_EQ(machine.ReadHost("C:\\WINDOWS\\OrvUserDefine.ini"), ReadFile(package / "OrvUserDefine.ini"));
    plat::SetPrefixFolder(machine.host());
    for (const char* folder : {"CommRes", "CommRes1024", "CommRes1280", "CommRes1600", "CommRes1680",
                               "CommRes1920", "CommRes1280x800", "CommRes1440x900", "CommRes1920x1080"}) {
        for (const std::string style : {"", "Metal_Style\\"}) {
            const std::string skin = "C:\\DVR\\" + style + folder + "\\skinNTSC_e.ini";
            SCOPED_TRACE(skin);
            EXPECT_EQ(plat::ProfileString(skin, "ButtonLines", "5"), style + folder + "\\UserDefineUp.bmp");
            EXPECT_EQ(plat::ProfileString(skin, "ButtonLines", "6"), "")
                << "a rebuild keeps only 1 to 4, 7 and 8";
            EXPECT_EQ(plat::ProfileString(skin, "ButtonLines", "1"), std::string(folder) + "\\LiveUp.bmp");
            EXPECT_EQ(plat::ProfileString(skin, "Button5", "1").find("Tool 1"), std::string::npos);
        }
    }
}

TEST_F(DemoTest, RestoredModuleFilesNameThisMachineAndThePackageKeepsItsPlaceholders) {
    const std::string packedModules = ReadFile(package / "OrvRIOM.ini");
    const std::string packedImports = ReadFile(package / "OrvWT.ini");
    const TavoctlResult result = Run({"restore", "DVR", "--all"}, machine);
    ASSERT_EQ(result.status, 0) << result.out << result.err;

    plat::SetPrefixFolder(machine.host());
    const std::string guid = "5e1b7c1a-3f0e-4a7b-9c61-0d2f4b8e9a11"; // the demo machine's GUID.ini
    const std::string name = plat::ComputerNameText();
    const std::string placeholder = "00000000-0000-0000-0000-000000000001";
    EXPECT_EQ(plat::ProfileString("GUID.ini", "MAIN", "GUID"), guid) << "the machine GUID is kept";
    // Modules from nLocal (1) below ModualCnt (3) are this machine's; module 0 is left as packed.
    EXPECT_EQ(plat::ProfileString("OrvRIOM.ini", "Modual0", "SetupStr"),
              "192.168.5.60," + placeholder + ",L_oca_l,4");
    EXPECT_EQ(plat::ProfileString("OrvRIOM.ini", "Modual1", "SetupStr"), "COM1," + guid + "," + name + ",8");
    EXPECT_EQ(plat::ProfileString("OrvRIOM.ini", "Modual2", "SetupStr"),
              "192.168.5.40," + guid + "," + name + ",16");
    EXPECT_EQ(plat::ProfileString("OrvWT.ini", "Setup", "Import2"), "Door 2," + guid);
    EXPECT_EQ(ReadFile(package / "OrvRIOM.ini"), packedModules);
    EXPECT_EQ(ReadFile(package / "OrvWT.ini"), packedImports);
}

TEST_F(DemoTest, AMachineWithoutAGuidGetsOneAtItsFirstRestoreAndKeepsIt) {
    fs::remove(fs::path(machine.host()) / "drive_c" / "WINDOWS" / "GUID.ini");
    ASSERT_EQ(Run({"restore", "DVR", "--all"}, machine).status, 0);
    plat::SetPrefixFolder(machine.host());
    const std::string guid = plat::ProfileString("GUID.ini", "MAIN", "GUID");
    ASSERT_TRUE(plat::GuidFromText(guid).has_value()) << guid;
    ASSERT_EQ(Run({"restore", "DVR", "--all"}, machine).status, 0);
    EXPECT_EQ(plat::ProfileString("GUID.ini", "MAIN", "GUID"), guid);
    EXPECT_EQ(plat::ProfileString("OrvWT.ini", "Setup", "Import1"), "Door 1," + guid);
}

TEST_F(DemoTest, DefaultsRemoveWhatTheActionFilesNameAndKeepProgramFiles) {
    const TavoctlResult result = Run({"defaults"}, machine);
    ASSERT_EQ(result.status, 0) << result.out << result.err;
    EXPECT_NE(result.out.find("The DVR settings are back to their defaults."), std::string::npos)
        << result.out;
    const Files files = FilesOf(machine);
    for (const char* gone :
         {"DVR/Camera.ini", "DVR/Setup.ini", "DVR/Maps/Floor1.bmp", "DVR/Maps/Garage/Level1.bmp",
          "DVR/SkinBlue/1024x768/skinNTSC_e.ini", "DVR/Logo.ini", "WINDOWS/Schedule.ini"})
        EXPECT_FALSE(files.contains(gone)) << gone;
    // The user-define INI belongs to the launcher hand-off, which a reset leaves it to.
    for (const char* kept : {"DVR/Dvr.exe", "DVR/Maps/Viewer.exe", "DVR/Logs/Events.log",
                             "Nodera/NdrServer.ini", "WINDOWS/OrvUserDefine.ini"})
        EXPECT_TRUE(files.contains(kept)) << kept;
    EXPECT_EQ(files.at("WINDOWS/OrvMulti.ini"), "[General]\r\nInstallPath=C:\\DVR\\Dvr.exe\r\n");
    EXPECT_EQ(files.at("WINDOWS/OrvPal.ini"), "[General]\r\nPAL=0\r\n");
}

TEST_F(DemoTest, ARestoreKilledAtAnyPointCompletesWhenRunAgain) {
    // The reference: the same restore, uninterrupted, on a machine of its own.
    const TempPrefix reference;
    LayOutMachine(reference);
    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(Run({"restore", "DVR", "--all"}, reference).status, 0);
    const auto took =
        std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start);
    const Files expected = FilesOf(reference);
    std::set<std::string> packaged;
    for (const auto& entry : fs::recursive_directory_iterator(package))
        if (entry.is_regular_file()) packaged.insert(ReadFile(entry.path()));

    std::mt19937 random(std::random_device{}());
    for (int round = 0; round < 6; ++round) {
        const TempPrefix victim;
        LayOutMachine(victim);
        const Files before = FilesOf(victim);
        std::vector<std::string> args{
            TAVOCTL, "restore", "DVR", "--all", "--package=" + package.string(), "--prefix=" + victim.host()};
        std::vector<char*> argv;
        for (std::string& a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
        pid_t pid = -1;
        ASSERT_EQ(posix_spawn(&pid, TAVOCTL, &actions, nullptr, argv.data(), environ), 0);
        posix_spawn_file_actions_destroy(&actions);
        std::this_thread::sleep_for(std::chrono::microseconds(
            std::uniform_int_distribution<long>(0, static_cast<long>(took.count()))(random)));
        kill(pid, SIGKILL);
        int status = 0;
        waitpid(pid, &status, 0);

        // Every file is whole: as it was, as the restore makes it, or as the package holds it (the
        // DVR's INI before its install path is written back).
        for (const auto& [path, bytes] : FilesOf(victim)) {
            if (path == "WINDOWS/TavoRestore.ini") continue; // the note of the live install path
            // The engine's work copies are scratch files of the temporary folder; the next run
            // starts them anew and deletes them.
            if (path == "Temp/TavoModule.ini" || path == "Temp/TavoMerge.ini") continue;
            SCOPED_TRACE(path);
            const bool old = before.contains(path) && before.at(path) == bytes;
            const bool restored = expected.contains(path) && expected.at(path) == bytes;
            if (path.ends_with("skinNTSC_e.ini") && before.contains(path) && expected.contains(path)) {
                // The launcher writer changes a skin file one section at a time: each section is
                // whole, as it was or as the restore makes it.
                const auto oldSections = SectionsOf(before.at(path));
                const auto newSections = SectionsOf(expected.at(path));
                for (const auto& [name, lines] : SectionsOf(bytes))
                    EXPECT_TRUE(oldSections.at(name) == lines || newSections.at(name) == lines) << name;
                continue;
            }
            EXPECT_TRUE(old || restored || packaged.contains(bytes));
        }
        const TavoctlResult again = Run({"restore", "DVR", "--all"}, victim);
        ASSERT_EQ(again.status, 0) << again.err;
        EXPECT_EQ(FilesOf(victim), expected);
    }
}

TEST_F(DemoTest, ARunningDvrEndsWithItsWarningAndChangesNothing) {
    KernelPeer dvr(KERNEL_PEER, machine.host(), {"hold-mutex", "XOrvMultiSingleInstanceMutex"});
    ASSERT_EQ(dvr.Line(), "ready");
    const Files before = FilesOf(machine);
    const TavoctlResult result = Run({"restore", "DVR", "--all"}, machine);
    EXPECT_EQ(result.status, 4);
    EXPECT_EQ(result.err, "The DVR program is running. Close it before restoring its settings.\n");
    EXPECT_EQ(FilesOf(machine), before);
}

TEST_F(DemoTest, PackupWithAnArchiveGathersThePasswordExport) {
    AddUser(machine, "operator", "first");
    const fs::path archive = package.parent_path() / "Package.arc";
    const TavoctlResult result = Run({"packup", "DVR", "--archive", archive.string()}, machine);
    ASSERT_EQ(result.status, 0) << result.out << result.err;
    const std::string bytes = ReadFile(archive);
    const std::string exported = ReadFile(package / "BackPass.bin");
    ASSERT_EQ(bytes.size(), 260 + 4 + 132 + exported.size() + 4);
    EXPECT_EQ(bytes.substr(264 + 4, 18), std::string("Tavo\\BackPass.bin") + '\0');
    EXPECT_EQ(bytes.substr(396, exported.size()), exported);
    EXPECT_EQ(bytes.substr(bytes.size() - 4), std::string(4, '\0'));
}

TEST_F(DemoTest, ListShowsTheTreesAndSelectionsAreRefusedClearly) {
    const TavoctlResult list = Run({"list", "DVR"}, machine);
    ASSERT_EQ(list.status, 0) << list.err;
    EXPECT_EQ(list.out.substr(0, list.out.find('\n')), "DVR");
    EXPECT_NE(list.out.find("\n  [+] Users (KEY_USERS) Action\\Users.ini\n"
                            "    [x] User-defined applications (KEY_USERDEFINE) Action\\UserDefine.ini\n"),
              std::string::npos)
        << list.out;
    EXPECT_EQ(list.out.find("Nodera"), std::string::npos);

    EXPECT_EQ(Run({"restore", "DVR", "--select", "KEY_NONE"}, machine).status, 2);
    EXPECT_EQ(Run({"restore", "Toaster"}, machine).status, 2);
    EXPECT_EQ(Run({"restore", "DVR", "--all", "--select", "KEY_MAPS"}, machine).status, 2);

    // A machine that names no DVR folder: --yes cannot answer the prompt.
    fs::remove(machine.HostOf("C:\\WINDOWS\\OrvMulti.ini"));
    const TavoctlResult refused = Run({"restore", "DVR", "--yes"}, machine);
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("--install-folder"), std::string::npos) << refused.err;
}

} // namespace
} // namespace tavo::test

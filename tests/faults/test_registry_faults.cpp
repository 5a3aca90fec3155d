// Crash loops of the hive operations: a restore that fails at any step leaves the whole key tree as
// it was, a save leaves no hive file, and a run of registry trees goes on past the failed entry.
#include "fault_loop.h"

#include "engine/drivers.h"
#include "engine/path_roots.h"
#include "engine/privilege.h"
#include "engine/reg_file_import.h"
#include "engine/reg_file_parser.h"
#include "engine/run_log.h"
#include "platform/error.h"

#include <filesystem>

namespace tavo::test {
namespace {

constexpr const char* kLive = R"(Windows Registry Editor Version 5.00

[HKEY_LOCAL_MACHINE\SOFTWARE\Site\Recording]
"Channels"=dword:00000004
"Mode"="live"

[HKEY_LOCAL_MACHINE\SOFTWARE\Site\Recording\Camera 1]
"Title"="Front door"

[HKEY_LOCAL_MACHINE\SOFTWARE\Site\Recording\Camera 2]
"Title"="Yard"

[HKEY_LOCAL_MACHINE\SOFTWARE\Site\Network]
"Port"=dword:00000050
)";

// The trees the hives hold: other values, one camera fewer, one key more.
constexpr const char* kSaved = R"(Windows Registry Editor Version 5.00

[HKEY_LOCAL_MACHINE\SOFTWARE\Saved\Recording]
"Channels"=dword:00000010
"Mode"="saved"

[HKEY_LOCAL_MACHINE\SOFTWARE\Saved\Recording\Camera 1]
"Title"="Gate"

[HKEY_LOCAL_MACHINE\SOFTWARE\Saved\Recording\Schedule]
"Nights"=dword:00000001

[HKEY_LOCAL_MACHINE\SOFTWARE\Saved\Network]
"Port"=dword:00001f90
"Host"="relay"
)";

const std::vector<RegistryTop> kTops = {{plat::kHkeyLocalMachine, "SOFTWARE\\Site"}};

void Import(const char* text) {
    const RegFileImport imported = ImportRegFile(ParseRegFile(text));
    ASSERT_EQ(imported.error, 0) << imported.where;
}

plat::HKey Open(const char* path) {
    plat::HKey key = 0;
    EXPECT_EQ(plat::RegCreateKeyEx(plat::kHkeyLocalMachine, path, plat::kKeyAllAccess, &key, nullptr), 0);
    return key;
}

// The privileges a save and a restore need, enabled while the object lives.
class HivePrivileges {
  public:
    HivePrivileges() {
        EXPECT_EQ(SetPrivilege(token_.get(), "SeBackupPrivilege", true), 1);
        EXPECT_EQ(SetPrivilege(token_.get(), "SeRestorePrivilege", true), 1);
    }
    ~HivePrivileges() {
        SetPrivilege(token_.get(), "SeRestorePrivilege", false);
        SetPrivilege(token_.get(), "SeBackupPrivilege", false);
    }

  private:
    ProcessToken token_;
};

// A machine with the live trees, and the saved trees as hives in C:\Pkg\Reg\ (the saved keys stay
// beside them, out of the trees the tests look at).
void LayOut(const TempPrefix& machine) {
    Import(kLive);
    Import(kSaved);
    const HivePrivileges privileges;
    std::filesystem::create_directories(machine.HostOf("C:\\Pkg\\Reg"));
    for (const char* name : {"Recording", "Network"}) {
        const plat::HKey key = Open((std::string("SOFTWARE\\Saved\\") + name).c_str());
        ASSERT_EQ(plat::RegSaveKey(key, (std::string("C:\\Pkg\\Reg\\") + name + ".hiv").c_str()), 0);
        plat::RegCloseKey(key);
    }
}

long RestoreRecording() {
    const HivePrivileges privileges;
    const plat::HKey key = Open("SOFTWARE\\Site\\Recording");
    const long restored = plat::RegRestoreKey(key, "C:\\Pkg\\Reg\\Recording.hiv", plat::kRegForceRestore);
    plat::RegCloseKey(key);
    return restored;
}

TEST(RegistryFaults, AHiveRestoreThatFailsReplacesNothingOfTheTree) {
    MachineState after;
    {
        const FaultMachine machine;
        LayOut(machine);
        ASSERT_EQ(RestoreRecording(), 0);
        after = Snapshot(machine, kTops);
    }
    for (const FaultKind& kind : kFaultKinds) {
        FaultLoop loop(kind);
        const std::uint64_t steps = loop.Run([&](const FaultLoop& at) {
            const FaultMachine machine;
            LayOut(machine);
            const MachineState before = Snapshot(machine, kTops);
            at.Arm();
            const long restored = RestoreRecording();
            if (!at.Stop()) {
                EXPECT_EQ(restored, 0);
                EXPECT_EQ(Snapshot(machine, kTops), after);
                return;
            }
            // The store's answer to any commit the disk refuses.
            EXPECT_EQ(restored, plat::kErrorRegistryIoFailed);
            EXPECT_EQ(Snapshot(machine, kTops), before);
        });
        EXPECT_EQ(steps, 1u) << "a restore is one transaction";
    }
}

TEST(RegistryFaults, AHiveSaveThatFailsLeavesNoFile) {
    for (const FaultKind& kind : kFaultKinds) {
        FaultLoop loop(kind);
        const std::uint64_t steps = loop.Run([&](const FaultLoop& at) {
            const FaultMachine machine;
            Import(kLive);
            std::filesystem::create_directories(machine.HostOf("C:\\Pkg"));
            const HivePrivileges privileges;
            const plat::HKey key = Open("SOFTWARE\\Site");
            at.Arm();
            const long saved = plat::RegSaveKey(key, "C:\\Pkg\\Site.hiv");
            const bool failed = at.Stop();
            plat::RegCloseKey(key);
            EXPECT_EQ(saved, failed ? static_cast<long>(kind.win32) : 0);
            EXPECT_EQ(std::filesystem::exists(machine.HostOf("C:\\Pkg\\Site.hiv")), !failed);
            EXPECT_EQ(Temporaries(machine), std::vector<std::string>());
        });
        EXPECT_EQ(steps, 2u);
    }
}

// A restore of two registry trees and a file: whichever step fails, the other entries are done.
TEST(RegistryFaults, ARestoreOfRegistryTreesGoesOnPastTheFailedEntry) {
    const auto layOut = [](const TempPrefix& machine) {
        LayOut(machine);
        machine.WriteHost("C:\\Pkg\\Site.ini", "[General]\r\nName=saved\r\n");
        machine.WriteHost("C:\\WINDOWS\\Site.ini", "[General]\r\nName=live\r\n");
        machine.WriteHost(
            "C:\\Prog\\Action\\Registry.ini",
            "[GENERAL]\r\nINI_WINDOW_PATH_ALL=1\r\nREGISTER_TREE_ALL=2\r\n"
            "[INI_WINDOW_PATH_ALL]\r\nIWPA_1=Site.ini\r\n[REGISTER_TREE_ALL]\r\n"
            "RTA_1_MAIN_KEY=4\r\nRTA_1_SUB_KEY=SOFTWARE\\Site\\Recording\r\nRTA_1_FILE=Recording.hiv\r\n"
            "RTA_2_MAIN_KEY=4\r\nRTA_2_SUB_KEY=SOFTWARE\\Site\\Network\r\nRTA_2_FILE=Network.hiv\r\n");
        UseFaultRoots();
    };
    const auto run = [] { return RunPackupRestore("C:\\Prog\\Action\\Registry.ini", "", 0, 1); };
    MachineState after;
    {
        const FaultMachine machine;
        layOut(machine);
        ASSERT_EQ(run(), 1);
        ASSERT_EQ(CurrentRunLog().Count(RunEvent::Failed), 0u);
        after = Snapshot(machine, kTops);
    }
    for (const FaultKind& kind : kFaultKinds) {
        FaultLoop loop(kind);
        loop.Run([&](const FaultLoop& at) {
            const FaultMachine machine;
            layOut(machine);
            const MachineState before = Snapshot(machine, kTops);
            at.Arm();
            EXPECT_EQ(run(), 1);
            if (at.Stop())
                ExpectWholeOutcome(machine, before, after, Snapshot(machine, kTops), CurrentRunLog());
        });
    }
    Roots() = PathRoots{};
    CurrentRunLog().Clear();
}

} // namespace
} // namespace tavo::test

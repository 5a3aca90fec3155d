// Crash loop of a packup into a package that holds an older packup: whichever step fails, every
// package file is the old or the new one, and the failure is named.
#include "fault_loop.h"

#include "engine/drivers.h"
#include "engine/path_roots.h"
#include "engine/reg_file_import.h"
#include "engine/reg_file_parser.h"
#include "engine/run_log.h"

namespace tavo::test {
namespace {

constexpr const char* kAction = "C:\\Prog\\Action\\Item.ini";

// Files of the Windows folder and a map tree of the DVR, a registry tree saved as a hive and a
// registry value kept in the action file; the package holds some of them from before.
void LayOut(const TempPrefix& machine) {
    machine.WriteHost(kAction,
                      "[GENERAL]\r\nINI_WINDOW_PATH_ALL=2\r\nALL_FILE_IN_KW_PATH=1\r\n"
                      "REGISTER_TREE_ALL=1\r\nREGISTER_TREE_SECTION=1\r\n"
                      "[INI_WINDOW_PATH_ALL]\r\nIWPA_1=Site.ini\r\nIWPA_2=Sound.ini\r\n"
                      "[ALL_FILE_IN_KW_PATH]\r\nAFIGP_1=Maps\\\r\n"
                      "[REGISTER_TREE_ALL]\r\nRTA_1_MAIN_KEY=4\r\n"
                      "RTA_1_SUB_KEY=SOFTWARE\\Site\\Recording\r\nRTA_1_FILE=Recording.hiv\r\n"
                      "[REGISTER_TREE_SECTION]\r\nRTS_1_MAIN_KEY=4\r\nRTS_1_SUB_KEY=SOFTWARE\\Site\r\n"
                      "RTS_1_SECTION_KEY=Logo\r\nRTS_1_ACTION=1\r\n");
    machine.WriteHost("C:\\WINDOWS\\Site.ini", "[General]\r\nName=new\r\n");
    machine.WriteHost("C:\\WINDOWS\\Sound.ini", "[Sound]\r\nAlarm=bell.wav\r\n");
    machine.WriteHost("C:\\DVR\\Maps\\Floor1.bmp", "new floor");
    machine.WriteHost("C:\\DVR\\Maps\\Floor2.bmp", "second floor");
    machine.WriteHost("C:\\DVR\\Maps\\Garage\\Level1.bmp", "garage");
    machine.WriteHost("C:\\Pkg\\Site.ini", "[General]\r\nName=old\r\n");
    machine.WriteHost("C:\\Pkg\\Maps\\Floor1.bmp", "old floor");
    machine.WriteHost("C:\\Pkg\\Reg\\Recording.hiv", "the hive of an older packup");
    const RegFileImport imported = ImportRegFile(ParseRegFile(R"(Windows Registry Editor Version 5.00

[HKEY_LOCAL_MACHINE\SOFTWARE\Site]
"Logo"="C:\\DVR\\Logo.bmp"

[HKEY_LOCAL_MACHINE\SOFTWARE\Site\Recording]
"Channels"=dword:00000004

[HKEY_LOCAL_MACHINE\SOFTWARE\Site\Recording\Camera 1]
"Title"="Front door"
)"));
    ASSERT_EQ(imported.error, 0) << imported.where;
    UseFaultRoots();
}

int Packup() {
    return RunPackupRestore(kAction, "", 1, 1);
}

TEST(PackupFaults, APackupThatFailsAtAnyStepKeepsEveryPackageFileWholeAndNamesTheFailure) {
    MachineState after;
    {
        const FaultMachine machine;
        LayOut(machine);
        ASSERT_EQ(Packup(), 1);
        ASSERT_EQ(CurrentRunLog().Count(RunEvent::Failed), 0u);
        after = Snapshot(machine);
    }
    for (const FaultKind& kind : kFaultKinds) {
        FaultLoop loop(kind);
        const std::uint64_t steps = loop.Run([&](const FaultLoop& at) {
            const FaultMachine machine;
            LayOut(machine);
            const MachineState before = Snapshot(machine);
            at.Arm();
            EXPECT_EQ(Packup(), 1);
            if (at.Stop()) ExpectWholeOutcome(machine, before, after, Snapshot(machine), CurrentRunLog());
        });
        EXPECT_GT(steps, 8u);
    }
    Roots() = PathRoots{};
    CurrentRunLog().Clear();
}

} // namespace
} // namespace tavo::test

// Crash loops of the profile writes: whatever step of a write fails, the file is as it was and the
// write says why.
#include "fault_loop.h"

#include "platform/error.h"
#include "platform/profile.h"

#include <filesystem>
#include <functional>
#include <optional>

namespace tavo::test {
namespace {

constexpr const char* kFile = "C:\\WINDOWS\\Site.ini";
constexpr const char* kText = "; site settings\r\n[General]\r\nName=North\r\nPort=80\r\n\r\n[Old]\r\nA=1\r\n";

struct Edit {
    const char* name;
    bool fileExists;
    std::function<bool()> write;
};

const Edit kEdits[] = {
    {"a changed value", true, [] { return plat::WriteProfileString(kFile, "General", "Name", "South"); }},
    {"a new section", true, [] { return plat::WriteProfileString(kFile, "New", "Key", "value"); }},
    {"a deleted key", true, [] { return plat::WriteProfileString(kFile, "General", "Port", std::nullopt); }},
    {"a deleted section", true,
     [] { return plat::WriteProfileString(kFile, "Old", std::nullopt, std::nullopt); }},
    {"a replaced section", true,
     [] { return plat::WriteProfileSection(kFile, "General", std::vector<std::string>{"Name=East"}); }},
    {"several values", true,
     [] {
         return plat::WriteProfileValues(kFile, "General",
                                         {{"Name", "South"}, {"Port", "81"}, {"Area", "B"}});
     }},
    {"a new file", false, [] { return plat::WriteProfileString(kFile, "General", "Name", "South"); }},
};

void LayOut(const TempPrefix& machine, const Edit& edit) {
    std::filesystem::create_directories(machine.HostOf("C:\\WINDOWS"));
    if (edit.fileExists) machine.WriteHost(kFile, kText);
}

TEST(ProfileFaults, AWriteThatFailsAtAnyStepLeavesTheFileAsItWasAndSaysWhy) {
    for (const Edit& edit : kEdits) {
        SCOPED_TRACE(edit.name);
        MachineState after;
        {
            const FaultMachine machine;
            LayOut(machine, edit);
            ASSERT_TRUE(edit.write());
            after = Snapshot(machine);
        }
        for (const FaultKind& kind : kFaultKinds) {
            FaultLoop loop(kind);
            const std::uint64_t steps = loop.Run([&](const FaultLoop& at) {
                const FaultMachine machine;
                LayOut(machine, edit);
                // Read first, so that the cached copy must not take the failed write for the file.
                const std::string name = plat::ProfileString(kFile, "General", "Name", "none");
                const MachineState before = Snapshot(machine);
                at.Arm();
                const bool written = edit.write();
                const std::uint32_t error = plat::LastError();
                if (!at.Stop()) {
                    EXPECT_TRUE(written);
                    EXPECT_EQ(Snapshot(machine), after);
                    return;
                }
                EXPECT_FALSE(written);
                EXPECT_EQ(error, kind.win32);
                EXPECT_EQ(Snapshot(machine), before);
                EXPECT_EQ(Temporaries(machine), std::vector<std::string>());
                EXPECT_EQ(plat::ProfileString(kFile, "General", "Name", "none"), name);
                // Nothing is held: the same write goes through once the disk takes it.
                EXPECT_TRUE(edit.write());
                EXPECT_EQ(Snapshot(machine), after);
            });
            EXPECT_EQ(steps, 2u) << "a write is its temporary's data and its rename";
        }
    }
}

} // namespace
} // namespace tavo::test

// The files behind named kernel objects fail as a file does, and a failed change leaves no object
// half made or half signalled.
#include "fault_loop.h"

#include "platform/error.h"
#include "platform/kernel.h"

namespace tavo::test {
namespace {

TEST(KernelFaults, AnObjectWhoseFileCannotBeWrittenIsNotMadeAndAFailedSignalIsNotSet) {
    for (const FaultKind& kind : kFaultKinds) {
        SCOPED_TRACE(kind.name);
        const FaultMachine machine;
        plat::io::FailAt(1, kind.err, plat::io::kAllSteps);
        EXPECT_EQ(plat::CreateEventNamed("Global\\Schedule", false), 0u);
        EXPECT_EQ(plat::LastError(), kind.win32);
        plat::io::Disarm();
        const plat::Handle event = plat::CreateEventNamed("Global\\Schedule", false);
        ASSERT_NE(event, 0u);
        EXPECT_EQ(plat::LastError(), 0u) << "the failed creation made no object";

        plat::io::FailAt(1, kind.err, plat::io::kAllSteps);
        EXPECT_FALSE(plat::SetEventSignal(event));
        EXPECT_EQ(plat::LastError(), kind.win32);
        plat::io::Disarm();
        EXPECT_EQ(plat::WaitForObject(event, 0), plat::kWaitTimeout);
        EXPECT_TRUE(plat::SetEventSignal(event));
        EXPECT_EQ(plat::WaitForObject(event, 0), plat::kWaitObject0);
        plat::CloseObjectHandle(event);
    }
}

TEST(KernelFaults, TheDataLoopsLeaveKernelObjectsAlone) {
    const FaultMachine machine;
    plat::io::FailAt(1, ENOSPC);
    const plat::Handle mutex = plat::CreateMutexNamed("Probe", false);
    EXPECT_FALSE(plat::io::Fired());
    plat::io::Disarm();
    EXPECT_NE(mutex, 0u);
    plat::CloseObjectHandle(mutex);
}

} // namespace
} // namespace tavo::test

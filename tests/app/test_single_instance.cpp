#include "app/single_instance.h"

#include "platform/error.h"
#include "platform/kernel.h"
#include "support/temp_prefix.h"

#include <gtest/gtest.h>

namespace {

using tavo::app::ActivateRunningInstance;
using tavo::app::WindowEventName;

class SingleInstance : public ::testing::Test {
  protected:
    tavo::test::TempPrefix prefix;
};

TEST_F(SingleInstance, NamedObjectsExistWhileTheProgramIsLoadedAndNothingIsOwned) {
    {
        const tavo::app::NamedObjects objects;
        ASSERT_NE(objects.singleInstance(), 0u);
        for (const char* name :
             {"Orvane_Wexo_Fast_Restore_Ap", "XOrvMultiSingleInstanceMutex", "_ORV_Nodera_Server_LC",
              "XOrvWatchdeckSingleInstanceMutex", "_ORV_PULSEWATCH_S", "XOrvBalanceSingleInstanceMutex"}) {
            const plat::Handle mutex = plat::OpenMutexNamed(name);
            EXPECT_NE(mutex, 0u) << name;
            // Not owned: a release by this process is refused.
            EXPECT_FALSE(plat::ReleaseMutexHandle(mutex)) << name;
            EXPECT_EQ(plat::LastError(), plat::kErrorNotOwner) << name;
            plat::CloseObjectHandle(mutex);
        }
        const plat::Handle event = plat::OpenEventNamed("Orvane_Wexo_Setup_Bring_Window_To_Top");
        ASSERT_NE(event, 0u);
        EXPECT_EQ(plat::WaitForObject(event, 0), plat::kWaitTimeout);
        plat::CloseObjectHandle(event);
    }
    // Closed with the program.
    EXPECT_EQ(plat::OpenMutexNamed("Orvane_Wexo_Fast_Restore_Ap"), 0u);
    EXPECT_EQ(plat::OpenEventNamed("Orvane_Wexo_Setup_Bring_Window_To_Top"), 0u);
}

TEST_F(SingleInstance, TryAcquireMutexTakesAFreeLockAndOwnershipNests) {
    const tavo::app::NamedObjects objects;
    ASSERT_TRUE(tavo::TryAcquireMutex(objects.singleInstance(), 0));
    EXPECT_TRUE(tavo::TryAcquireMutex(objects.singleInstance(), 0));
    EXPECT_TRUE(plat::ReleaseMutexHandle(objects.singleInstance()));
    EXPECT_TRUE(plat::ReleaseMutexHandle(objects.singleInstance()));
    EXPECT_FALSE(plat::ReleaseMutexHandle(objects.singleInstance()));
    EXPECT_FALSE(tavo::TryAcquireMutex(0, 0));
}

TEST_F(SingleInstance, ActivationSetsTheEventOfTheNamedWindowOnly) {
    EXPECT_EQ(WindowEventName(1234), "Local\\Tavo_Window_1234");
    const plat::Handle listening = plat::CreateEventNamed(WindowEventName(1234), false);
    ASSERT_NE(listening, 0u);
    ActivateRunningInstance(1234);
    EXPECT_EQ(plat::WaitForObject(listening, 0), plat::kWaitObject0);
    // Numbers that name no listening window do nothing, and leave no event behind.
    for (long long number : {1235LL, -1234LL, 0LL}) {
        ActivateRunningInstance(number);
        EXPECT_EQ(plat::OpenEventNamed(WindowEventName(number)), 0u) << number;
    }
    EXPECT_EQ(plat::WaitForObject(listening, 0), plat::kWaitTimeout);
    plat::CloseObjectHandle(listening);
}

} // namespace

#include "platform/error.h"
#include "platform/kernel.h"
#include "support/kernel_peer.h"
#include "support/temp_prefix.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace {

using plat::Handle;

constexpr std::uint32_t kShortWait = 50; // ms: long enough to see that a wait does not succeed

// A kernel_peer process on the test's prefix; killed when the test ends.
class Peer : public tavo::test::KernelPeer {
  public:
    Peer(const std::string& prefix, std::vector<std::string> args)
        : KernelPeer(KERNEL_PEER, prefix, std::move(args)) {}
};

std::string Number(std::uint32_t value) {
    return std::to_string(value);
}

class KernelTest : public ::testing::Test {
  protected:
    ~KernelTest() override {
        for (Handle handle : handles_)
            plat::CloseObjectHandle(handle);
    }
    Handle Keep(Handle handle) {
        if (handle) handles_.push_back(handle);
        return handle;
    }
    // The result a zero wait of another process gets (it keeps what it takes until it ends).
    std::string PeerTries(const std::string& name) {
        Peer peer(prefix_.host(), {"try-mutex", name});
        return peer.Line();
    }

    tavo::test::TempPrefix prefix_;
    std::vector<Handle> handles_;
};

TEST_F(KernelTest, CreateMutexOfNewNameClearsLastErrorAndOfExistingNameGives183WithoutOwnership) {
    plat::SetLastError(1234);
    Handle first = Keep(plat::CreateMutexNamed("Lock", false));
    ASSERT_NE(first, 0u);
    EXPECT_EQ(plat::LastError(), 0u);

    Handle second = Keep(plat::CreateMutexNamed("Lock", true));
    ASSERT_NE(second, 0u);
    EXPECT_NE(second, first);
    EXPECT_EQ(plat::LastError(), plat::kErrorAlreadyExists);
    EXPECT_FALSE(plat::ReleaseMutexHandle(second)) << "initial ownership is ignored for an existing name";
    EXPECT_EQ(plat::LastError(), plat::kErrorNotOwner);
    EXPECT_EQ(PeerTries("Lock"), Number(plat::kWaitObject0));
}

TEST_F(KernelTest, OwnerWaitsAgainWithoutBlockingAndNeedsOneReleasePerSatisfiedWait) {
    Handle mutex = Keep(plat::CreateMutexNamed("Nest", true));
    ASSERT_NE(mutex, 0u);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(plat::WaitForObject(mutex, 0), plat::kWaitObject0);
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(plat::ReleaseMutexHandle(mutex));
    EXPECT_EQ(PeerTries("Nest"), Number(plat::kWaitTimeout)) << "one count is still held";

    EXPECT_TRUE(plat::ReleaseMutexHandle(mutex));
    EXPECT_FALSE(plat::ReleaseMutexHandle(mutex));
    EXPECT_EQ(plat::LastError(), plat::kErrorNotOwner);
    EXPECT_EQ(PeerTries("Nest"), Number(plat::kWaitObject0));
}

TEST_F(KernelTest, ReleaseByProcessThatDoesNotOwnTheMutexFails288) {
    Handle mutex = Keep(plat::CreateMutexNamed("Held", false));
    EXPECT_FALSE(plat::ReleaseMutexHandle(mutex));
    EXPECT_EQ(plat::LastError(), plat::kErrorNotOwner);

    Peer peer(prefix_.host(), {"hold-mutex", "Held"});
    ASSERT_EQ(peer.Line(), "ready");
    EXPECT_FALSE(plat::ReleaseMutexHandle(mutex));
    EXPECT_EQ(plat::LastError(), plat::kErrorNotOwner);
    EXPECT_EQ(plat::WaitForObject(mutex, kShortWait), plat::kWaitTimeout);
}

TEST_F(KernelTest, ClosingTheOwnersHandleKeepsTheMutexOwned) {
    Handle mutex = plat::CreateMutexNamed("Kept", true);
    ASSERT_NE(mutex, 0u);
    Handle other = Keep(plat::OpenMutexNamed("Kept"));
    ASSERT_TRUE(plat::CloseObjectHandle(mutex));
    EXPECT_EQ(PeerTries("Kept"), Number(plat::kWaitTimeout));

    // The process still owns it through any handle to the same name.
    EXPECT_EQ(plat::WaitForObject(other, 0), plat::kWaitObject0);
    EXPECT_TRUE(plat::ReleaseMutexHandle(other));
    EXPECT_TRUE(plat::ReleaseMutexHandle(other));
    EXPECT_EQ(PeerTries("Kept"), Number(plat::kWaitObject0));
}

class AbandonedMutexTest : public KernelTest, public ::testing::WithParamInterface<std::uint32_t> {};

TEST_P(AbandonedMutexTest, OwnerKilledWhileWaitingGivesAbandonedOnceAndOwnership) {
    Handle mutex = Keep(plat::CreateMutexNamed("Crash", false));
    Peer peer(prefix_.host(), {"hold-mutex", "Crash"});
    ASSERT_EQ(peer.Line(), "ready");
    EXPECT_EQ(plat::WaitForObject(mutex, 0), plat::kWaitTimeout);

    std::thread killer([&peer] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        peer.Kill();
    });
    std::uint32_t result = plat::WaitForObject(mutex, GetParam());
    killer.join();
    EXPECT_EQ(result, plat::kWaitAbandoned);

    EXPECT_EQ(PeerTries("Crash"), Number(plat::kWaitTimeout)) << "the waiter owns it now";
    EXPECT_TRUE(plat::ReleaseMutexHandle(mutex));
    EXPECT_EQ(plat::WaitForObject(mutex, 0), plat::kWaitObject0) << "abandoned is reported once";
    EXPECT_TRUE(plat::ReleaseMutexHandle(mutex));
}

INSTANTIATE_TEST_SUITE_P(TimedAndInfinite, AbandonedMutexTest, ::testing::Values(10000u, plat::kInfinite));

TEST_F(KernelTest, ProcessEndingWithoutReleaseAbandonsTheMutex) {
    Handle mutex = Keep(plat::CreateMutexNamed("Quit", false));
    ASSERT_EQ(PeerTries("Quit"), Number(plat::kWaitObject0));
    EXPECT_EQ(plat::WaitForObject(mutex, 0), plat::kWaitAbandoned);
    EXPECT_TRUE(plat::ReleaseMutexHandle(mutex));
}

TEST_F(KernelTest, ObjectEndsWithItsLastHandle) {
    Handle mutex = plat::CreateMutexNamed("Brief", false);
    ASSERT_TRUE(plat::CloseObjectHandle(mutex));
    EXPECT_EQ(plat::OpenMutexNamed("Brief"), 0u);
    EXPECT_EQ(plat::LastError(), plat::kErrorFileNotFound);

    // A holder that died took the object with it: no longer there, and not abandoned when made anew.
    {
        Peer peer(prefix_.host(), {"hold-mutex", "Gone"});
        ASSERT_EQ(peer.Line(), "ready");
    }
    Handle fresh = Keep(plat::CreateMutexNamed("Gone", false));
    EXPECT_EQ(plat::LastError(), 0u);
    EXPECT_EQ(plat::WaitForObject(fresh, 0), plat::kWaitObject0);
    EXPECT_TRUE(plat::ReleaseMutexHandle(fresh));
}

TEST_F(KernelTest, NamesAreCaseSensitive) {
    Keep(plat::CreateMutexNamed("Name", false));
    EXPECT_EQ(plat::OpenMutexNamed("NAME"), 0u);
    EXPECT_EQ(plat::LastError(), plat::kErrorFileNotFound);
    EXPECT_NE(Keep(plat::CreateMutexNamed("NAME", false)), 0u);
    EXPECT_EQ(plat::LastError(), 0u);
}

TEST_F(KernelTest, GlobalAndLocalAreSeparateNameSpacesAndAPlainNameIsLocal) {
    Keep(plat::CreateMutexNamed("Space", false));
    EXPECT_NE(Keep(plat::OpenMutexNamed("Local\\Space")), 0u);
    EXPECT_EQ(plat::OpenMutexNamed("Global\\Space"), 0u);
    EXPECT_EQ(plat::LastError(), plat::kErrorFileNotFound);
    EXPECT_NE(Keep(plat::CreateMutexNamed("Global\\Space", false)), 0u);
    EXPECT_EQ(plat::LastError(), 0u);
}

TEST_F(KernelTest, AnyByteIsSafeInANameAndEscapesDoNotCollide) {
    const std::string names[] = {"a/b", "a%2Fb", "..", "with space\t\x01\xE9\xFF", "%"};
    for (const std::string& name : names) {
        EXPECT_NE(Keep(plat::CreateMutexNamed(name, false)), 0u) << name;
        EXPECT_EQ(plat::LastError(), 0u) << name;
    }
    for (const std::string& name : names) {
        EXPECT_NE(Keep(plat::CreateMutexNamed(name, false)), 0u) << name;
        EXPECT_EQ(plat::LastError(), plat::kErrorAlreadyExists) << name;
    }
}

TEST_F(KernelTest, NamesThatCannotNameAnObjectFail) {
    struct Case {
        std::string name;
        std::uint32_t error;
    };
    const Case cases[] = {
        {"a\\b", plat::kErrorPathNotFound},      {"Global\\a\\b", plat::kErrorPathNotFound},
        {"global\\a", plat::kErrorPathNotFound}, // the name-space keywords are case-sensitive
        {"Global\\", plat::kErrorInvalidName},   {std::string(261, 'x'), plat::kErrorFilenameExcedRange},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(plat::CreateMutexNamed(c.name, false), 0u) << c.name;
        EXPECT_EQ(plat::LastError(), c.error) << c.name;
        EXPECT_EQ(plat::OpenEventNamed(c.name), 0u) << c.name;
        EXPECT_EQ(plat::LastError(), c.error) << c.name;
    }
}

TEST_F(KernelTest, NamesUpTo260CharactersWorkHoweverLongTheirHostForm) {
    // Escaped bytes take three host characters. The host form of the longer names continues in a
    // folder whose name starts like the host form of the 238-character one.
    const std::string names[] = {std::string(260, 'x'), std::string(259, 'x'), std::string(260, '\xE9'),
                                 std::string(254, 'x'), std::string(238, 'x')};
    for (const std::string& name : names) {
        EXPECT_NE(Keep(plat::CreateMutexNamed(name, false)), 0u) << name.size();
        EXPECT_EQ(plat::LastError(), 0u) << name.size();
    }
    for (const std::string& name : names) {
        EXPECT_NE(Keep(plat::OpenMutexNamed(name)), 0u) << name.size();
    }
    EXPECT_EQ(PeerTries(std::string(260, '\xE9')), Number(plat::kWaitObject0));
}

TEST_F(KernelTest, NameHeldByTheOtherKindFails6AndMissingNameFails2) {
    Keep(plat::CreateEventNamed("Shared", false));
    EXPECT_EQ(plat::CreateMutexNamed("Shared", false), 0u);
    EXPECT_EQ(plat::LastError(), plat::kErrorInvalidHandle);
    EXPECT_EQ(plat::OpenMutexNamed("Shared"), 0u);
    EXPECT_EQ(plat::LastError(), plat::kErrorInvalidHandle);
    EXPECT_EQ(plat::OpenEventNamed("Missing"), 0u);
    EXPECT_EQ(plat::LastError(), plat::kErrorFileNotFound);
    EXPECT_EQ(plat::OpenMutexNamed(""), 0u);
    EXPECT_EQ(plat::LastError(), plat::kErrorInvalidParameter);
}

TEST_F(KernelTest, ObjectsWithoutANameAreSeparate) {
    Handle a = Keep(plat::CreateMutexNamed("", true));
    ASSERT_NE(a, 0u);
    EXPECT_EQ(plat::LastError(), 0u);
    Handle b = Keep(plat::CreateMutexNamed("", false));
    EXPECT_EQ(plat::LastError(), 0u);
    EXPECT_FALSE(plat::ReleaseMutexHandle(b));
    EXPECT_TRUE(plat::ReleaseMutexHandle(a));
}

TEST_F(KernelTest, OperationsOnInvalidOrWrongKindHandlesFail6) {
    Handle mutex = Keep(plat::CreateMutexNamed("M", false));
    Handle event = Keep(plat::CreateEventNamed("E", false));
    Handle closed = plat::CreateEventNamed("C", false);
    plat::CloseObjectHandle(closed);
    for (Handle bad : {Handle{0}, Handle{12345}, closed}) {
        plat::SetLastError(0);
        EXPECT_EQ(plat::WaitForObject(bad, 0), plat::kWaitFailed);
        EXPECT_EQ(plat::LastError(), plat::kErrorInvalidHandle);
        plat::SetLastError(0);
        EXPECT_FALSE(plat::ReleaseMutexHandle(bad));
        EXPECT_EQ(plat::LastError(), plat::kErrorInvalidHandle);
        plat::SetLastError(0);
        EXPECT_FALSE(plat::SetEventSignal(bad));
        EXPECT_EQ(plat::LastError(), plat::kErrorInvalidHandle);
        plat::SetLastError(0);
        EXPECT_FALSE(plat::CloseObjectHandle(bad));
        EXPECT_EQ(plat::LastError(), plat::kErrorInvalidHandle);
    }
    EXPECT_FALSE(plat::SetEventSignal(mutex));
    EXPECT_EQ(plat::LastError(), plat::kErrorInvalidHandle);
    EXPECT_FALSE(plat::ReleaseMutexHandle(event));
    EXPECT_EQ(plat::LastError(), plat::kErrorInvalidHandle);
}

TEST_F(KernelTest, EventSetByOneProcessReleasesAnotherProcessesWaitOnce) {
    Handle event = Keep(plat::CreateEventNamed("Global\\Schedule", false));
    Peer waiter(prefix_.host(), {"wait-event", "Global\\Schedule", "10000"});
    ASSERT_EQ(waiter.Line(), "ready");
    ASSERT_TRUE(plat::SetEventSignal(event));
    EXPECT_EQ(waiter.Line(), Number(plat::kWaitObject0));
    EXPECT_EQ(plat::WaitForObject(event, kShortWait), plat::kWaitTimeout) << "auto-reset: the wait took it";
}

TEST_F(KernelTest, EventSetWithNoWaiterStaysSignalledForExactlyOneWait) {
    Handle event = Keep(plat::CreateEventNamed("Global\\Later", false));
    {
        Peer setter(prefix_.host(), {"set-event", "Global\\Later"});
        ASSERT_EQ(setter.Line(), "set");
        Peer again(prefix_.host(), {"set-event", "Global\\Later"});
        ASSERT_EQ(again.Line(), "set");
    }
    EXPECT_EQ(plat::WaitForObject(event, 0), plat::kWaitObject0);
    EXPECT_EQ(plat::WaitForObject(event, kShortWait), plat::kWaitTimeout) << "setting twice does not count";

    Handle signalled = Keep(plat::CreateEventNamed("Initially", true));
    EXPECT_EQ(plat::WaitForObject(signalled, 0), plat::kWaitObject0);
    EXPECT_EQ(plat::WaitForObject(signalled, 0), plat::kWaitTimeout);
}

TEST_F(KernelTest, CreateOfExistingEventKeepsItsState) {
    Handle event = Keep(plat::CreateEventNamed("Keep", false));
    Handle again = Keep(plat::CreateEventNamed("Keep", true));
    EXPECT_EQ(plat::LastError(), plat::kErrorAlreadyExists);
    EXPECT_EQ(plat::WaitForObject(event, 0), plat::kWaitTimeout);
    EXPECT_TRUE(plat::SetEventSignal(again));
    EXPECT_EQ(plat::WaitForObject(event, 0), plat::kWaitObject0);
}

TEST_F(KernelTest, ObjectFilesAreOpenToEveryAccount) {
    Keep(plat::CreateEventNamed("Global\\Open", false));
    namespace fs = std::filesystem;
    fs::path folder = fs::path(prefix_.host()) / "kernel";
    struct stat st {};
    ASSERT_EQ(stat(folder.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 01777u);
    int files = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        ASSERT_EQ(stat(entry.path().c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, 0666u) << entry.path();
        ++files;
    }
    EXPECT_EQ(files, 1);
}

} // namespace

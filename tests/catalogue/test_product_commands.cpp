// The restore, defaults and packup commands: the running check, the progress bar and the messages.
#include "catalogue/command_messages.h"
#include "catalogue/product_commands.h"
#include "engine/path_roots.h"
#include "platform/kernel.h"
#include "run_fixture.h"
#include "support/kernel_peer.h"

namespace tavo::test {
namespace {

class ProductCommandsTest : public RunTest {
  protected:
    ProductCommandsTest() {
        Load(dvr, {{"DVR_1", "KEY_A", 2}, {"DVR_2", "KEY_B", 2}});
        Load(nodera, {{"NDR_1", "KEY_N", 2}});
    }

    ProductCommands Commands() {
        return ProductCommands({&dvr, &nodera, &watchdeck, &pulsewatch, &relay}, probes, op,
                               [this] { ++repaints; });
    }
    std::vector<std::string> Messages() const { return op.CallsStartingWith("message"); }
    // The command's own progress calls: the first three and the last two (the run's steps between).
    std::vector<std::string> BarCalls() const {
        const std::vector<std::string> calls = op.CallsStartingWith("progress");
        if (calls.size() < 5) return calls;
        return {calls[0], calls[1], calls[2], calls[calls.size() - 2], calls.back()};
    }

    SelectionTree dvr{1}, nodera{2}, watchdeck{4}, pulsewatch{8}, relay{16};
    ProductProbes probes;
    int repaints = 0;
};

TEST_F(ProductCommandsTest, EachRestoreShowsItsOwnProductsDoneMessage) {
    ProductCommands commands = Commands();
    EXPECT_EQ(commands.RestoreProduct(1), CommandResult::Done);
    EXPECT_EQ(commands.RestoreProduct(2), CommandResult::Done);
    EXPECT_EQ(commands.RestoreProduct(1), CommandResult::Done);
    EXPECT_EQ(Messages(), (std::vector<std::string>{"message[None,Ok] Text_String_DONE_RESTORE",
                                                    "message[None,Ok] Text_String_DONE_RESTORE_NDR",
                                                    "message[None,Ok] Text_String_DONE_RESTORE"}));
    EXPECT_EQ(repaints, 3);
    EXPECT_EQ(Read(LiveFile("KEY_N")), "package KEY_N");
    EXPECT_EQ(tavo::Messages().diskSpace, "Text_String_DISK_SPACE_NOT_ENOUGH_PACKUP");
}

TEST_F(ProductCommandsTest, RangesFollowTheCensus) {
    ProductCommands commands = Commands();
    // Two items of one entry each: n = 2.
    EXPECT_EQ(commands.RestoreProduct(1), CommandResult::Done);
    EXPECT_EQ(BarCalls(), (std::vector<std::string>{"progress show", "progress range 1..3", "progress pos 1",
                                                    "progress pos 3", "progress hide"}));
    op.ClearCalls();
    EXPECT_EQ(commands.PackupProduct(1), CommandResult::Done);
    EXPECT_EQ(BarCalls(), (std::vector<std::string>{"progress show", "progress range 0..5", "progress pos 1",
                                                    "progress pos 5", "progress hide"}));
    EXPECT_EQ(Messages(), std::vector<std::string>{"message[None,Ok] Text_String_DONE_PACKUP"});
    op.ClearCalls();
    EXPECT_EQ(commands.RestoreDvrDefaults(), CommandResult::Done);
    EXPECT_EQ(BarCalls(), (std::vector<std::string>{"progress show", "progress range 0..5", "progress pos 1",
                                                    "progress pos 5", "progress hide"}));
    EXPECT_EQ(Messages(), std::vector<std::string>{"message[None,Ok] Text_String_DONE_CLEAN"});
    EXPECT_FALSE(Exists(LiveFile("KEY_A")));
}

TEST_F(ProductCommandsTest, ARunningProgramGetsItsWarningAndNothingElse) {
    KernelPeer dvrProgram(KERNEL_PEER, prefix.host(), {"hold-mutex", std::string(ProductProbes::ProbeName(1))});
    KernelPeer noderaProgram(KERNEL_PEER, prefix.host(), {"hold-mutex", std::string(ProductProbes::ProbeName(2))});
    ASSERT_EQ(dvrProgram.Line(), "ready");
    ASSERT_EQ(noderaProgram.Line(), "ready");
    ProductCommands commands = Commands();
    EXPECT_EQ(commands.RestoreProduct(1), CommandResult::Busy);
    EXPECT_EQ(commands.RestoreDvrDefaults(), CommandResult::Busy);
    EXPECT_EQ(commands.RestoreProduct(2), CommandResult::Busy);
    EXPECT_EQ(op.calls(), (std::vector<std::string>{"message[Exclamation,Ok] Text_String_DVR_EXECUTE_WARNING",
                                                    "message[Exclamation,Ok] Text_String_RESTORE_DEFAULTS_WARNING",
                                                    "message[Exclamation,Ok] Text_String_EXECUTE_WARNING_NDR"}));
    EXPECT_EQ(Read(LiveFile("KEY_A")), "live KEY_A");
    // A packup makes no running check.
    EXPECT_EQ(commands.PackupProduct(1), CommandResult::Done);
}

TEST_F(ProductCommandsTest, RestoreKeepsTheProbeAndDefaultsGiveItBack) {
    ProductCommands commands = Commands();
    EXPECT_EQ(commands.RestoreProduct(2), CommandResult::Done);
    {
        KernelPeer late(KERNEL_PEER, prefix.host(), {"try-mutex", std::string(ProductProbes::ProbeName(2))});
        EXPECT_EQ(late.Line(), std::to_string(plat::kWaitTimeout));
    }
    EXPECT_EQ(commands.RestoreDvrDefaults(), CommandResult::Done);
    KernelPeer late(KERNEL_PEER, prefix.host(), {"try-mutex", std::string(ProductProbes::ProbeName(1))});
    EXPECT_EQ(late.Line(), std::to_string(plat::kWaitObject0));
}

TEST_F(ProductCommandsTest, NothingToDoShowsNoBarAndNoMessage) {
    SelectionTree empty(4);
    Load(empty, {{"WDS_1", "KEY_W", 2, "Action\\Empty.ini"}});
    Write(std::string(kProgram) + "Action\\Empty.ini", "[GENERAL]\r\n");
    InstallFolder(4) = "C:\\Wds\\";
    ProductCommands commands({&dvr, &nodera, &empty, &pulsewatch, &relay}, probes, op);
    EXPECT_EQ(commands.RestoreProduct(4), CommandResult::NothingToDo);
    EXPECT_EQ(commands.PackupProduct(4), CommandResult::NothingToDo);
    // A cancelled install-folder prompt ends the same way.
    op.CancelFolder();
    EXPECT_EQ(commands.RestoreProduct(8), CommandResult::NothingToDo);
    EXPECT_TRUE(op.CallsStartingWith("progress").empty()) << op.Transcript();
    EXPECT_TRUE(Messages().empty()) << op.Transcript();
    EXPECT_TRUE(op.ScriptUsedUp());
}

} // namespace
} // namespace tavo::test

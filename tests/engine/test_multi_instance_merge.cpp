#include "engine/copy.h"
#include "engine/drivers.h"
#include "engine/multi_instance_merge.h"
#include "engine/restore_flags.h"
#include "engine_fixture.h"
#include "platform/io_faults.h"
#include "platform/profile.h"

#include <cerrno>

namespace tavo::test {
namespace {

class MultiInstanceMerge : public EngineTest {
  protected:
    static constexpr const char* kLive = "C:\\WINDOWS\\OrvMulti.ini";
    static constexpr const char* kPacked = "C:\\Pkg\\OrvMulti.ini";

    MultiInstanceMerge() {
        UsePreparedRoots();
        WriteActionFile("[GENERAL]\nINI_WINDOW_PATH_ALL=1\n[INI_WINDOW_PATH_ALL]\nIWPA_1=OrvMulti.ini\n");
        Write(kLive,
              "[General]\r\nInstallPath=C:\\DVR\\Dvr.exe\r\nLive=1\r\n[MirrorHost]\r\nHost=live-mirror\r\n"
              "[NetWork]\r\nPort=80\r\nLiveOnly=1\r\n");
        Write(
            kPacked,
            "[General]\r\nInstallPath=C:\\DVR\\Dvr.exe\r\nPacked=1\r\n[MirrorHost]\r\nHost=packed-mirror\r\n"
            "[Remote DVR]\r\nR=1\r\n[NetWork]\r\nPort=8080\r\n");
    }
    ~MultiInstanceMerge() override { RestoreFlags() = {}; }

    void Restore(bool general, bool network) {
        RestoreFlags() = {general, network, general == network};
        RunPackupRestore(kActionFile, "", 0, 1);
    }
    std::string Live(const char* section, const char* key) const {
        return plat::ProfileString(kLive, section, key, "(none)");
    }
};

TEST_F(MultiInstanceMerge, GeneralOnlyKeepsTheLiveNetworkSections) {
    Restore(true, false);
    EXPECT_EQ(Live("General", "Packed"), "1");
    EXPECT_EQ(Live("General", "Live"), "(none)");
    EXPECT_EQ(Live("MirrorHost", "Host"), "live-mirror");
    EXPECT_EQ(Live("NetWork", "Port"), "80");
    EXPECT_EQ(Live("NetWork", "LiveOnly"), "1");
    // The package's section the live file lacked is not brought over.
    EXPECT_EQ(Live("Remote DVR", "R"), "(none)");
    // The side copy stays beside the package's file; the package's own file is untouched.
    EXPECT_TRUE(IsFile("C:\\Pkg\\orvmulti_1.ini"));
    EXPECT_EQ(plat::ProfileString(kPacked, "MirrorHost", "Host"), "packed-mirror");
}

TEST_F(MultiInstanceMerge, NetworkOnlyChangesOnlyTheNetworkSections) {
    Restore(false, true);
    EXPECT_EQ(Live("General", "Live"), "1");
    EXPECT_EQ(Live("General", "Packed"), "(none)");
    EXPECT_EQ(Live("MirrorHost", "Host"), "packed-mirror");
    EXPECT_EQ(Live("Remote DVR", "R"), "1");
    EXPECT_EQ(Live("NetWork", "Port"), "8080");
    EXPECT_EQ(Live("NetWork", "LiveOnly"), "(none)");
}

TEST_F(MultiInstanceMerge, ANetworkOnlyMergeThatFailsAtAnyStepLeavesTheLiveFileWhole) {
    const std::string old = Read(kLive);
    Restore(false, true);
    const std::string merged = Read(kLive);
    Write(kLive, old);
    for (std::uint64_t n = 1;; ++n) {
        SCOPED_TRACE(n);
        CurrentRunLog().Clear();
        plat::io::FailAt(n, ENOSPC);
        Restore(false, true);
        const bool fired = plat::io::Fired();
        plat::io::Disarm();
        const std::string now = Read(kLive);
        EXPECT_TRUE(now == old || now == merged) << now;
        if (!fired) break;
        if (now == old) {
            EXPECT_GT(CurrentRunLog().Count(RunEvent::Failed), 0u) << "a merge not made is named";
        }
        Write(kLive, old);
    }
}

TEST_F(MultiInstanceMerge, BothOrNeitherCopyTheFileWholeAndAPackupNeverMerges) {
    for (bool both : {true, false}) {
        Write(kLive, "[General]\r\nLive=1\r\n");
        Restore(both, both);
        EXPECT_EQ(Read(kLive), Read(kPacked)) << both;
    }
    // All flags clear, as after start-up: a packup still takes the live file as it is.
    Write(kLive, "[General]\r\nLive=2\r\n[NetWork]\r\nPort=1\r\n");
    RestoreFlags() = {};
    RunPackupRestore(kActionFile, "", 1, 1);
    EXPECT_EQ(Read(kPacked), Read(kLive));
}

TEST_F(MultiInstanceMerge, ANetworkSectionIsCopiedWholeHoweverLong) {
    std::string section = "[General]\r\nPacked=1\r\n[NetWork]\r\n";
    for (int i = 0; i < 2000; ++i)
        section += "RemoteAddress_" + std::to_string(i) + '=' + std::to_string(i) + "\r\n";
    const std::string longValue(1000, 'v');
    section += "Long=" + longValue + "\r\n";
    Write(kPacked, section);
    Restore(false, true);
    EXPECT_EQ(plat::ProfileKeys(kLive, "NetWork").size(), 2001u);
    EXPECT_EQ(Live("NetWork", "RemoteAddress_1999"), "1999");
    EXPECT_EQ(Live("NetWork", "Long"), longValue);
}

TEST_F(MultiInstanceMerge, AFailedSideCopyLeavesTheLiveFileAlone) {
    const std::string before = Read(kLive);
    // A folder in the way of the side copy.
    MakeFolder("C:\\Pkg\\orvmulti_1.ini");
    for (bool network : {true, false}) {
        RestoreFlags() = {!network, network, 0};
        const RestoreRunScope restoring;
        EXPECT_EQ(CopyOneFile(kPacked, kLive, 0, 1), 0) << network;
        EXPECT_EQ(Read(kLive), before) << network;
    }
}

TEST_F(MultiInstanceMerge, CopyIniSectionReplacesTheSectionOrRemovesIt) {
    Write("C:\\From.ini", "[S]\r\nA=1\r\na=dup\r\nB=\"quoted\"\r\n");
    Write("C:\\Into.ini", "[S]\r\nOld=x\r\n[T]\r\nKeep=1\r\n");
    CopyIniSection("S", "C:\\From.ini", "C:\\Into.ini");
    EXPECT_EQ(plat::ProfileKeys("C:\\Into.ini", "S"), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(plat::ProfileString("C:\\Into.ini", "S", "B"), "quoted");
    CopyIniSection("T", "C:\\Missing.ini", "C:\\Into.ini");
    EXPECT_EQ(plat::ProfileSectionNames("C:\\Into.ini"), std::vector<std::string>{"S"});
}

} // namespace
} // namespace tavo::test

#include "platform/error.h"
#include "registry_fixture.h"
#include "support/kernel_peer.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <thread>

namespace tavo::test {
namespace {

using namespace plat;

class HiveTest : public RegistryTest {
  protected:
    HiveTest() { EnableHivePrivileges(); }

    // A tree with nested keys, every kind of value and names in mixed case.
    HKey MakeTree(const char* path) {
        const HKey top = Create(path);
        EXPECT_EQ(SetText(top, "", "default"), 0);
        EXPECT_EQ(Set(top, "Zero", kRegDword, std::string(4, '\0')), 0);
        EXPECT_EQ(Set(top, "Binary", kRegBinary, std::string("\0\x01\0\xff", 4)), 0);
        EXPECT_EQ(Set(top, "Unterminated", kRegSz, std::string_view("abcd", 3)), 0);
        const std::string base(path);
        EXPECT_EQ(SetText(Create((base + "\\Skin\\Night").c_str()), "Colour", "Blue"), 0);
        EXPECT_EQ(Set(Create((base + "\\Skin").c_str()), "Multi", kRegMultiSz, std::string("a\0b\0\0", 5)),
                  0);
        Create((base + "\\empty").c_str());
        return top;
    }
    std::string Saved(HKey key, const char* file) {
        EXPECT_EQ(RegSaveKey(key, file), 0) << file;
        return prefix.ReadHost(file);
    }
};

TEST_F(HiveTest, ASavedTreeRestoresExactlyOverAnotherKeyWhichKeepsItsName) {
    const HKey source = MakeTree("SOFTWARE\\Vendor\\DVR");
    Saved(source, "C:\\DVR.hiv");
    const HKey target = Create("SOFTWARE\\Elsewhere\\Target");
    ASSERT_EQ(SetText(target, "Old", "goes"), 0);
    Create("SOFTWARE\\Elsewhere\\Target\\OldChild\\Deep");
    ASSERT_EQ(RegRestoreKey(target, "C:\\DVR.hiv", kRegForceRestore), 0);
    EXPECT_EQ(Dump(target), Dump(source));
    EXPECT_NE(Dump(source).find("Unterminated 1:616263\n"), std::string::npos) << Dump(source);
    EXPECT_EQ(Subkeys(Create("SOFTWARE\\Elsewhere")), std::vector<std::string>{"Target"});
    // The handle to the restored key stays good.
    EXPECT_EQ(SetText(target, "After", "x"), 0);
}

TEST_F(HiveTest, SaveWantsTheBackupPrivilegeEnabledAndANewFile) {
    const HKey key = MakeTree("SOFTWARE\\Save");
    EnableHivePrivileges(false);
    EXPECT_EQ(RegSaveKey(key, "C:\\Save.hiv"), kErrorPrivilegeNotHeld);
    EXPECT_FALSE(std::filesystem::exists(prefix.HostOf("C:\\Save.hiv")));
    EnableHivePrivileges();
    prefix.WriteHost("C:\\Save.hiv", "already here");
    EXPECT_EQ(RegSaveKey(key, "C:\\Save.hiv"), kErrorAlreadyExists);
    EXPECT_EQ(prefix.ReadHost("C:\\Save.hiv"), "already here");
    EXPECT_EQ(RegSaveKey(key, "C:\\NoSuchFolder\\Save.hiv"), kErrorPathNotFound);
    EXPECT_EQ(RegSaveKey(kHkeyPerformanceData, "C:\\Perf.hiv"), kErrorInvalidHandle);
    // Nothing but the hive is left in the folder: no temporary file.
    EXPECT_EQ(RegSaveKey(key, "C:\\New.hiv"), 0);
    std::size_t files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(prefix.HostOf("C:\\")))
        files += entry.is_regular_file();
    EXPECT_EQ(files, 2u);
}

TEST_F(HiveTest, RestoreWantsBothPrivilegesEnabled) {
    const HKey key = MakeTree("SOFTWARE\\Restore");
    Saved(key, "C:\\R.hiv");
    TokenHandle token = 0;
    ASSERT_TRUE(OpenProcessToken(kTokenAdjustPrivileges, &token));
    ASSERT_TRUE(AdjustTokenPrivileges(token, false, {{kSeBackupPrivilege, 0}}));
    EXPECT_EQ(RegRestoreKey(key, "C:\\R.hiv", kRegForceRestore), kErrorPrivilegeNotHeld);
    ASSERT_TRUE(AdjustTokenPrivileges(token, false,
                                      {{kSeBackupPrivilege, kSePrivilegeEnabled}, {kSeRestorePrivilege, 0}}));
    EXPECT_EQ(RegRestoreKey(key, "C:\\R.hiv", kRegForceRestore), kErrorPrivilegeNotHeld);
    CloseTokenHandle(token);
    EnableHivePrivileges();
    EXPECT_EQ(RegRestoreKey(key, "C:\\Missing.hiv", kRegForceRestore), kErrorFileNotFound);
    EXPECT_EQ(RegRestoreKey(key, "C:\\R.hiv", 0x1), kErrorInvalidParameter);
    EXPECT_EQ(RegRestoreKey(kHkeyLocalMachine, "C:\\R.hiv", kRegForceRestore), kErrorAccessDenied);
}

TEST_F(HiveTest, ADamagedCutOrForeignFileIsRefusedAndTheKeyStaysAsItWas) {
    const std::string good = Saved(MakeTree("SOFTWARE\\Good"), "C:\\Good.hiv");
    const HKey target = Create("SOFTWARE\\Kept");
    ASSERT_EQ(SetText(target, "Mine", "stays"), 0);
    Create("SOFTWARE\\Kept\\Child");
    const std::string before = Dump(target);

    std::vector<std::pair<std::string, std::string>> bad = {
        {"empty", ""},
        {"text", "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE]\r\n"},
        {"another format", "regf" + good.substr(4)},
        {"a later version", good.substr(0, 8) + '\x02' + good.substr(9)},
        {"one byte more", good + '\0'},
    };
    for (std::size_t at : {std::size_t{20}, std::size_t{30}, good.size() / 2, good.size() - 1}) {
        std::string flipped = good;
        flipped[at] = static_cast<char>(flipped[at] ^ 0x10);
        bad.emplace_back("byte " + std::to_string(at) + " changed", flipped);
    }
    for (std::size_t length = 0; length < good.size(); ++length)
        bad.emplace_back("cut to " + std::to_string(length), good.substr(0, length));
    for (const auto& [what, bytes] : bad) {
        prefix.WriteHost("C:\\Bad.hiv", bytes);
        EXPECT_EQ(RegRestoreKey(target, "C:\\Bad.hiv", kRegForceRestore), kErrorBadDb) << what;
    }
    EXPECT_EQ(Dump(target), before);
}

TEST_F(HiveTest, RestoreWithoutForceRefusesWhileAKeyBelowIsOpen) {
    const HKey source = MakeTree("SOFTWARE\\Source");
    Saved(source, "C:\\S.hiv");
    Create("SOFTWARE\\Busy\\Open");
    const HKey busy = Create("SOFTWARE\\Busy");
    HKey below = 0;
    ASSERT_EQ(RegOpenKeyEx(busy, "Open", kKeyAllAccess, &below), 0);
    EXPECT_EQ(RegRestoreKey(busy, "C:\\S.hiv", 0), kErrorAccessDenied);
    EXPECT_EQ(Subkeys(busy), std::vector<std::string>{"Open"});
    ASSERT_EQ(RegRestoreKey(busy, "C:\\S.hiv", kRegForceRestore), 0);
    EXPECT_EQ(Dump(busy), Dump(source));
    EXPECT_EQ(SetText(below, "v", "x"), kErrorKeyDeleted) << "the replaced key is gone";
    RegCloseKey(below);
    EXPECT_EQ(RegRestoreKey(busy, "C:\\S.hiv", 0), 0);
}

TEST_F(HiveTest, ARestoreKilledAtAnyMomentLeavesTheWholeOldOrTheWholeNewTree) {
    // Two trees of some size, so that a kill can land inside a restore.
    const HKey key = Create("SOFTWARE\\Flip");
    std::string trees[2];
    for (int t = 0; t < 2; ++t) {
        for (int k = 0; k < 100; ++k) {
            const HKey child = Create(("SOFTWARE\\Flip\\Key" + std::to_string(k) + "\\Sub").c_str());
            for (int v = 0; v < 10; ++v)
                ASSERT_EQ(SetText(child, ("v" + std::to_string(v)).c_str(), std::string(t ? "new" : "old")),
                          0);
        }
        trees[t] = Dump(key);
        Saved(key, t ? "C:\\New.hiv" : "C:\\Old.hiv");
    }
    ASSERT_NE(trees[0], trees[1]);
    std::mt19937 random(12345);
    for (int round = 0; round < 8; ++round) {
        KernelPeer peer(REGISTRY_PEER, prefix.host(),
                        {"restore-loop", "SOFTWARE\\Flip", "C:\\Old.hiv", "C:\\New.hiv"});
        ASSERT_EQ(peer.Line(), "restoring");
        std::this_thread::sleep_for(std::chrono::milliseconds(random() % 40));
        peer.Kill();
        const std::string now = Dump(key);
        EXPECT_TRUE(now == trees[0] || now == trees[1]) << "round " << round;
    }
}

// --- The process token ---

class PrivilegeTest : public RegistryTest {
  protected:
    void Account(std::string_view text) const { std::ofstream(prefix.host() + "/account.ini") << text; }
    // The result of enabling a privilege and the last error after it.
    std::pair<bool, std::uint32_t> Enable(Luid privilege) const {
        TokenHandle token = 0;
        EXPECT_TRUE(OpenProcessToken(kTokenAdjustPrivileges | kTokenQuery, &token));
        const bool adjusted = AdjustTokenPrivileges(token, false, {{privilege, kSePrivilegeEnabled}});
        const std::uint32_t error = LastError();
        CloseTokenHandle(token);
        return {adjusted, error};
    }
};

TEST_F(PrivilegeTest, LookupKnowsTheHivePrivilegesWithoutRegardToCase) {
    Luid luid;
    ASSERT_TRUE(LookupPrivilegeValue(nullptr, "SeBackupPrivilege", &luid));
    EXPECT_EQ(luid, kSeBackupPrivilege);
    ASSERT_TRUE(LookupPrivilegeValue("", "serestoreprivilege", &luid));
    EXPECT_EQ(luid, kSeRestorePrivilege);
    EXPECT_FALSE(LookupPrivilegeValue(nullptr, "SeWishfulPrivilege", &luid));
    EXPECT_EQ(LastError(), kErrorNoSuchPrivilege);
    EXPECT_FALSE(LookupPrivilegeValue("\\\\OTHER", "SeBackupPrivilege", &luid));
}

TEST_F(PrivilegeTest, HeldPrivilegesEnableAndThoseNotHeldReportNotAllAssigned) {
    EXPECT_EQ(Enable(kSeBackupPrivilege), std::make_pair(true, std::uint32_t{0})) << "held by default";
    EXPECT_TRUE(PrivilegeEnabled(kSeBackupPrivilege));
    EXPECT_FALSE(PrivilegeEnabled(kSeRestorePrivilege)) << "held is not enabled";

    Account("[Privileges]\nSeBackupPrivilege=0\n");
    EXPECT_EQ(Enable(kSeBackupPrivilege), std::make_pair(true, std::uint32_t{kErrorNotAllAssigned}));
    EXPECT_FALSE(PrivilegeEnabled(kSeBackupPrivilege)) << "a privilege the account lost is not enabled";
    EXPECT_EQ(Enable(kSeRestorePrivilege), std::make_pair(true, std::uint32_t{0}));
    const HKey key = Create("SOFTWARE\\X");
    EXPECT_EQ(RegSaveKey(key, "C:\\X.hiv"), kErrorPrivilegeNotHeld);
}

TEST_F(PrivilegeTest, AdjustingNeedsATokenOpenedForIt) {
    TokenHandle token = 0;
    ASSERT_TRUE(OpenProcessToken(kTokenQuery, &token));
    EXPECT_FALSE(AdjustTokenPrivileges(token, false, {{kSeBackupPrivilege, kSePrivilegeEnabled}}));
    EXPECT_EQ(LastError(), kErrorAccessDenied);
    EXPECT_TRUE(CloseTokenHandle(token));
    EXPECT_FALSE(CloseTokenHandle(token));
    EXPECT_FALSE(AdjustTokenPrivileges(token, false, {{kSeBackupPrivilege, kSePrivilegeEnabled}}));
    EXPECT_EQ(LastError(), kErrorInvalidHandle);
}

} // namespace
} // namespace tavo::test

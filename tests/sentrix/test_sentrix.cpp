#include "sentrix.h"

#include "platform/files.h"
#include "platform/paths.h"
#include "platform/profile.h"
#include "support/temp_prefix.h"

#include <gtest/gtest.h>
#include <sodium.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr const char* kStoreFile = "C:\\WINDOWS\\Sentrix\\PassStore.ini";
constexpr const char* kPackage = "C:\\Package\\";

using Record = std::array<char, SENTRIX_LOGIN_RECORD_SIZE>;

// A login record as the schedule dialog fills it: zeroed, the texts cut to their room, the
// granted value set to 1.
Record LoginRecord(const std::string& userId, const std::string& password) {
    Record record{};
    std::memcpy(record.data() + SENTRIX_USER_ID_OFFSET, userId.data(),
                std::min<std::size_t>(userId.size(), SENTRIX_USER_ID_FIELD));
    std::memcpy(record.data() + SENTRIX_PASSWORD_OFFSET, password.data(),
                std::min<std::size_t>(password.size(), SENTRIX_PASSWORD_FIELD));
    const std::uint16_t one = 1;
    std::memcpy(record.data() + SENTRIX_GRANTED_OFFSET, &one, sizeof one);
    return record;
}

std::uint16_t Granted(const Record& record) {
    std::uint16_t value = 0;
    std::memcpy(&value, record.data() + SENTRIX_GRANTED_OFFSET, sizeof value);
    return value;
}

// True when GetPrivilege accepts the login for the privilege, checked the way the caller checks.
bool Accepted(const std::string& userId, const std::string& password, int privilege = 10) {
    Record record = LoginRecord(userId, password);
    short result = GetPrivilege(privilege, record.data());
    bool accepted = result == 0 && Granted(record) != 0;
    EXPECT_TRUE(accepted || Granted(record) == 0) << "refused, yet the granted value was left non-zero";
    return accepted;
}

std::string ReadFile(const std::string& windowsPath) {
    return plat::ReadFileBytes(windowsPath).value_or("");
}

class SentrixTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(SentrixAddUser("operator", "Correct-Horse-7"), 0);
        ASSERT_EQ(SentrixGrantPrivilege("operator", 10), 0);
    }

    tavo::test::TempPrefix prefix_;
};

TEST_F(SentrixTest, LoginHoldingThePrivilegeIsAccepted) {
    Record record = LoginRecord("operator", "Correct-Horse-7");
    EXPECT_EQ(GetPrivilege(10, record.data()), 0);
    EXPECT_EQ(Granted(record), 1);
    // User IDs match without regard to ASCII case, as the store's keys do.
    EXPECT_TRUE(Accepted("OPERATOR", "Correct-Horse-7"));
}

TEST_F(SentrixTest, WrongPasswordUnknownUserOrMissingPrivilegeIsRefused) {
    ASSERT_EQ(SentrixAddUser("viewer", "look"), 0);
    ASSERT_EQ(SentrixGrantPrivilege("viewer", 11), 0);
    struct Case {
        const char* userId;
        const char* password;
        int privilege;
    };
    const Case cases[] = {
        {"operator", "correct-horse-7", 10},  // passwords are case-sensitive
        {"operator", "Correct-Horse-", 10},   // a prefix of the password
        {"operator", "", 10},                 // no password
        {"nobody", "Correct-Horse-7", 10},    // unknown user
        {"viewer", "look", 10},               // holds 11 only
        {"operator", "Correct-Horse-7", 11},  // holds 10 only
        {"operator", "Correct-Horse-7", -1},  // no such privilege number
        {" operator", "Correct-Horse-7", 10}, // not trimmed into a stored ID
    };
    for (const Case& c : cases) {
        Record record = LoginRecord(c.userId, c.password);
        EXPECT_NE(GetPrivilege(c.privilege, record.data()), 0) << c.userId << " / " << c.password;
        EXPECT_EQ(Granted(record), 0) << c.userId << " / " << c.password;
    }
    EXPECT_TRUE(Accepted("viewer", "look", 11));
    EXPECT_NE(GetPrivilege(10, nullptr), 0);
}

TEST_F(SentrixTest, RevokedPrivilegeIsRefusedAndANewPasswordKeepsPrivileges) {
    ASSERT_EQ(SentrixAddUser("operator", "Battery-Staple-8"), 0);
    EXPECT_FALSE(Accepted("operator", "Correct-Horse-7"));
    EXPECT_TRUE(Accepted("operator", "Battery-Staple-8"));

    ASSERT_EQ(SentrixRevokePrivilege("operator", 10), 0);
    EXPECT_FALSE(Accepted("operator", "Battery-Staple-8"));
    EXPECT_EQ(SentrixRevokePrivilege("operator", 10), 0) << "revoking what is not held succeeds";
    ASSERT_EQ(SentrixGrantPrivilege("operator", 10), 0);
    EXPECT_TRUE(Accepted("operator", "Battery-Staple-8"));
}

TEST_F(SentrixTest, LoginsAtTheLimitsOfTheirFieldsAreAccepted) {
    // Longest texts: each field's room less its NUL.
    const std::string longId(SENTRIX_USER_ID_FIELD - 1, 'i');
    const std::string longPassword(SENTRIX_PASSWORD_FIELD - 1, 'p');
    ASSERT_EQ(SentrixAddUser(longId.c_str(), longPassword.c_str()), 0);
    ASSERT_EQ(SentrixGrantPrivilege(longId.c_str(), 10), 0);
    EXPECT_TRUE(Accepted(longId, longPassword));

    // The schedule dialog lets an empty password through, leaving its field zero.
    ASSERT_EQ(SentrixAddUser("guest", ""), 0);
    ASSERT_EQ(SentrixGrantPrivilege("guest", 10), 0);
    EXPECT_TRUE(Accepted("guest", ""));
    EXPECT_FALSE(Accepted("guest", "x"));
}

// Stores a login directly, past the limits the library itself enforces, so that a reader running
// past a record field would find a matching user.
void StoreLoginDirectly(const std::string& userId, const std::string& password) {
    ASSERT_GE(sodium_init(), 0);
    char hash[crypto_pwhash_STRBYTES];
    ASSERT_EQ(crypto_pwhash_str(hash, password.data(), password.size(), crypto_pwhash_OPSLIMIT_MIN,
                                crypto_pwhash_MEMLIMIT_MIN),
              0);
    ASSERT_TRUE(plat::WriteProfileString(kStoreFile, "Passwords", userId, std::string(hash)));
    ASSERT_TRUE(plat::WriteProfileString(kStoreFile, "Privilege 10", userId, "1"));
}

TEST_F(SentrixTest, FieldWithoutNulIsRefusedAndNotReadPastItsRoom) {
    // The user ID fills its 33 bytes; running on would read the password "pw" into it.
    const std::string fullId(SENTRIX_USER_ID_FIELD, 'u');
    StoreLoginDirectly(fullId + "pw", "pw");
    Record idRecord = LoginRecord(fullId, "pw");
    EXPECT_NE(GetPrivilege(10, idRecord.data()), 0);
    EXPECT_EQ(Granted(idRecord), 0);

    // The password fills its 35 bytes; running on would read the granted value's low byte.
    const std::string fullPassword(SENTRIX_PASSWORD_FIELD, 'p');
    StoreLoginDirectly("full", fullPassword + '\x01');
    Record passwordRecord = LoginRecord("full", fullPassword);
    EXPECT_NE(GetPrivilege(10, passwordRecord.data()), 0);
    EXPECT_EQ(Granted(passwordRecord), 0);
}

TEST_F(SentrixTest, AdministrationRefusesWhatTheStoreOrARecordCannotHold) {
    const std::string tooLongId(SENTRIX_USER_ID_FIELD, 'i');
    const std::string tooLongPassword(SENTRIX_PASSWORD_FIELD, 'p');
    const char* badIds[] = {"",          " lead",       "trail ",         "a=b", ";x", "[x",
                            "tab\there", "line\nbreak", tooLongId.c_str()};
    for (const char* id : badIds)
        EXPECT_NE(SentrixAddUser(id, "pw"), 0) << '"' << id << '"';
    EXPECT_NE(SentrixAddUser("ok", tooLongPassword.c_str()), 0);
    EXPECT_NE(SentrixAddUser(nullptr, "pw"), 0);
    EXPECT_NE(SentrixAddUser("ok", nullptr), 0);
    EXPECT_NE(SentrixGrantPrivilege("nobody", 10), 0);
    EXPECT_NE(SentrixRevokePrivilege("nobody", 10), 0);
    EXPECT_NE(SentrixGrantPrivilege("operator", -1), 0);
    EXPECT_NE(SentrixGrantPrivilege(nullptr, 10), 0);
    EXPECT_FALSE(Accepted("ok", "pw"));
}

TEST_F(SentrixTest, StoreHoldsNoPlainPassword) {
    std::string store = ReadFile(kStoreFile);
    ASSERT_NE(store.find("operator="), std::string::npos);
    EXPECT_EQ(store.find("Correct-Horse-7"), std::string::npos);
    EXPECT_NE(store.find("$argon2id$"), std::string::npos);
}

TEST(SentrixStartup, CheckOptionDlgRefusesOnlyWhileTheStoreSaysSo) {
    tavo::test::TempPrefix prefix;
    EXPECT_EQ(CheckOptionDlg(10, 2016, 1, 0, 0, 0, 0, 0, 0, 0), 0) << "no store at all";
    ASSERT_EQ(SentrixSetStartupRefused(1), 0);
    EXPECT_NE(CheckOptionDlg(10, 2016, 1, 0, 0, 0, 0, 0, 0, 0), 0);
    ASSERT_EQ(SentrixSetStartupRefused(0), 0);
    EXPECT_EQ(CheckOptionDlg(10, 2016, 1, 0, 0, 0, 0, 0, 0, 0), 0);
}

class SentrixBackupTest : public SentrixTest {
  protected:
    void SetUp() override {
        SentrixTest::SetUp();
        ASSERT_EQ(plat::CreateFolderChain("C:\\Package"), 0u);
        folder_.fill('\0');
        std::strcpy(folder_.data(), kPackage);
    }

    std::string TempCopy() const { return plat::TempFolder() + "Tavo\\BackPass.bin"; }
    std::string PackageCopy() const { return std::string(kPackage) + "BackPass.bin"; }

    // Changes every kind of entry, so an import has something to undo.
    static void ChangeStore() {
        ASSERT_EQ(SentrixAddUser("operator", "Battery-Staple-8"), 0);
        ASSERT_EQ(SentrixRevokePrivilege("operator", 10), 0);
        ASSERT_EQ(SentrixAddUser("intruder", "x"), 0);
        ASSERT_EQ(SentrixGrantPrivilege("intruder", 10), 0);
        ASSERT_EQ(SentrixSetStartupRefused(1), 0);
    }

    std::array<char, 260> folder_{};
};

TEST_F(SentrixBackupTest, ExportThenImportBringsBackTheExportedLogins) {
    ASSERT_EQ(PassBackupExport(folder_.data(), 0), 0);
    const std::string exported = ReadFile(TempCopy());
    ASSERT_FALSE(exported.empty());
    EXPECT_EQ(ReadFile(PackageCopy()), exported);
    EXPECT_EQ(exported.find("Correct-Horse-7"), std::string::npos);

    ChangeStore();
    ASSERT_TRUE(Accepted("intruder", "x"));

    EXPECT_EQ(PassBackupImport(folder_.data(), 0), 0);
    EXPECT_TRUE(Accepted("operator", "Correct-Horse-7"));
    EXPECT_FALSE(Accepted("operator", "Battery-Staple-8"));
    EXPECT_FALSE(Accepted("intruder", "x"));
    EXPECT_EQ(CheckOptionDlg(10, 2016, 1, 0, 0, 0, 0, 0, 0, 0), 0);
}

TEST_F(SentrixBackupTest, ExportCreatesTheTemporaryTavoFolderAndReplacesAnOldExport) {
    ASSERT_EQ(plat::FileAttributes(plat::TempFolder() + "Tavo"), plat::kInvalidAttributes);
    ASSERT_EQ(PassBackupExport(folder_.data(), 0), 0);
    const std::string first = ReadFile(PackageCopy());
    ASSERT_EQ(SentrixAddUser("second", "pw"), 0);
    ASSERT_EQ(PassBackupExport(folder_.data(), 0), 0);
    EXPECT_NE(ReadFile(PackageCopy()), first);
    EXPECT_EQ(ReadFile(TempCopy()), ReadFile(PackageCopy()));
}

TEST_F(SentrixBackupTest, DamagedOrForeignPackageIsRefusedAndChangesNothing) {
    ASSERT_EQ(PassBackupExport(folder_.data(), 0), 0);
    const std::string good = ReadFile(PackageCopy());
    ASSERT_GT(good.size(), 60u);
    ChangeStore();
    const std::string storeBefore = ReadFile(kStoreFile);

    auto flipped = [&](std::size_t at) {
        std::string bad = good;
        bad[at] = static_cast<char>(bad[at] ^ 0x20);
        return bad;
    };
    std::string newerVersion = good;
    newerVersion[8] = 2;
    const std::string damaged[] = {
        flipped(good.size() - 5), // in the store
        flipped(20),              // in the checksum
        flipped(0),               // in the magic
        newerVersion,
        good.substr(0, good.size() - 1),
        good + "x",
        good.substr(48), // the bare store file
        "",
    };
    for (const std::string& bad : damaged) {
        ASSERT_TRUE(plat::WriteFileAtomic(PackageCopy(), bad));
        EXPECT_NE(PassBackupImport(folder_.data(), 0), 0) << bad.size() << " bytes";
        EXPECT_EQ(ReadFile(kStoreFile), storeBefore);
    }
    ASSERT_TRUE(plat::RemoveFile(PackageCopy()));
    EXPECT_NE(PassBackupImport(folder_.data(), 0), 0) << "missing file";
    EXPECT_EQ(ReadFile(kStoreFile), storeBefore);
    EXPECT_TRUE(Accepted("intruder", "x"));
}

TEST_F(SentrixBackupTest, FolderBufferWithoutNulOrMissingFolderIsRefused) {
    std::vector<char> unterminated(260, 'C'); // exactly the buffer, so reading on is caught
    EXPECT_NE(PassBackupExport(unterminated.data(), 0), 0);
    EXPECT_NE(PassBackupImport(unterminated.data(), 0), 0);
    EXPECT_NE(PassBackupExport(nullptr, 0), 0);
    EXPECT_NE(PassBackupExport("", 0), 0);
    EXPECT_NE(PassBackupExport("C:\\NoSuchFolder\\", 0), 0);
    EXPECT_NE(PassBackupImport("C:\\NoSuchFolder\\", 0), 0);
}

} // namespace

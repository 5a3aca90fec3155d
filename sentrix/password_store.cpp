#include "password_store.h"

#include "platform/error.h"
#include "platform/files.h"
#include "platform/profile.h"

#include <sodium.h>

#include <optional>
#include <string>
#include <utility>

namespace sentrix {

namespace {

constexpr std::string_view kPasswordsSection = "Passwords";
constexpr std::string_view kStartupSection = "Startup";
constexpr std::string_view kRefusedKey = "Refused";

std::string PrivilegeSection(int privilege) {
    return "Privilege " + std::to_string(privilege);
}

// Profile writes need the folder to exist.
std::uint32_t EnsureStoreFolder() {
    std::uint32_t code = plat::CreateFolderChain(kStoreFolder);
    return code == plat::kErrorAlreadyExists ? plat::kErrorSuccess : code;
}

std::uint32_t WriteEntry(std::string_view section, std::string_view key,
                         std::optional<std::string_view> value) {
    if (std::uint32_t code = EnsureStoreFolder()) return code;
    return plat::WriteProfileString(kStoreFile, section, key, value) ? plat::kErrorSuccess
                                                                     : plat::LastError();
}

std::string StoredHash(std::string_view userId) {
    return plat::ProfileString(kStoreFile, kPasswordsSection, userId);
}

std::uint32_t SetPrivilege(std::string_view userId, int privilege, std::optional<std::string_view> value) {
    if (!IsValidUserId(userId) || privilege < 0) return plat::kErrorInvalidParameter;
    if (StoredHash(userId).empty()) return kErrorNoSuchUser;
    return WriteEntry(PrivilegeSection(privilege), userId, value);
}

} // namespace

bool CryptoReady() {
    static const bool ready = sodium_init() >= 0;
    return ready;
}

bool IsValidUserId(std::string_view userId) {
    if (userId.empty() || userId.size() > kMaxUserId) return false;
    // The profile file trims keys and reads "=", ";" and "[" as structure.
    if (userId.front() == ' ' || userId.back() == ' ' || userId.front() == ';' || userId.front() == '[')
        return false;
    for (char c : userId) {
        auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F || c == '=') return false;
    }
    return true;
}

std::uint32_t AddUser(std::string_view userId, std::string_view password) {
    if (!IsValidUserId(userId) || password.size() > kMaxPassword) return plat::kErrorInvalidParameter;
    if (!CryptoReady()) return kErrorInternalError;
    char hash[crypto_pwhash_STRBYTES];
    // Fails only when the memory the hash needs cannot be had.
    if (crypto_pwhash_str(hash, password.data(), password.size(), crypto_pwhash_OPSLIMIT_INTERACTIVE,
                          crypto_pwhash_MEMLIMIT_INTERACTIVE) != 0)
        return plat::kErrorNotEnoughMemory;
    return WriteEntry(kPasswordsSection, userId, std::string_view(hash));
}

std::uint32_t GrantPrivilege(std::string_view userId, int privilege) {
    return SetPrivilege(userId, privilege, "1");
}

std::uint32_t RevokePrivilege(std::string_view userId, int privilege) {
    return SetPrivilege(userId, privilege, std::nullopt);
}

std::uint32_t SetStartupRefused(bool refused) {
    return WriteEntry(kStartupSection, kRefusedKey, refused ? "1" : "0");
}

bool StartupRefused() {
    return plat::ProfileInt(kStoreFile, kStartupSection, kRefusedKey, 0) != 0;
}

std::uint32_t CheckLogin(std::string_view userId, std::string_view password, int privilege) {
    if (!IsValidUserId(userId) || password.size() > kMaxPassword || privilege < 0)
        return plat::kErrorInvalidParameter;
    if (!CryptoReady()) return kErrorInternalError;
    std::string hash = StoredHash(userId);
    if (hash.empty() || crypto_pwhash_str_verify(hash.c_str(), password.data(), password.size()) != 0)
        return kErrorLogonFailure;
    if (plat::ProfileInt(kStoreFile, PrivilegeSection(privilege), userId, 0) == 0)
        return plat::kErrorPrivilegeNotHeld;
    return plat::kErrorSuccess;
}

std::uint32_t ReadStoreBytes(std::string& bytes) {
    if (std::optional<std::string> read = plat::ReadFileBytes(kStoreFile)) {
        bytes = std::move(*read);
        return plat::kErrorSuccess;
    }
    std::uint32_t code = plat::LastError();
    if (code != plat::kErrorFileNotFound && code != plat::kErrorPathNotFound) return code;
    bytes.clear();
    return plat::kErrorSuccess;
}

std::uint32_t ReplaceStore(std::string_view bytes) {
    if (std::uint32_t code = EnsureStoreFolder()) return code;
    return plat::WriteFileAtomic(kStoreFile, bytes) ? plat::kErrorSuccess : plat::LastError();
}

} // namespace sentrix

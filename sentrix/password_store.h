#pragma once
// The password store: users with hashed passwords, their privilege numbers and the start-up mark,
// kept in one profile file (layout in include/sentrix.h). Every function returns 0 or a Win32
// error code.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace sentrix {

inline constexpr std::string_view kStoreFolder = "C:\\WINDOWS\\Sentrix";
inline constexpr std::string_view kStoreFile = "C:\\WINDOWS\\Sentrix\\PassStore.ini";
inline constexpr std::size_t kMaxUserId = 32;
inline constexpr std::size_t kMaxPassword = 34;

// Win32 codes this library reports that the platform layer has no use for.
enum : std::uint32_t {
    kErrorInvalidData = 13,
    kErrorNoSuchUser = 1317,
    kErrorLogonFailure = 1326,
    kErrorInternalError = 1359,
};

// Initialises libsodium once for the process; false when it cannot be used.
bool CryptoReady();

// True for a user ID the store can hold and a login record can carry.
bool IsValidUserId(std::string_view userId);

std::uint32_t AddUser(std::string_view userId, std::string_view password);
std::uint32_t GrantPrivilege(std::string_view userId, int privilege);
std::uint32_t RevokePrivilege(std::string_view userId, int privilege);
std::uint32_t SetStartupRefused(bool refused);
bool StartupRefused();

// 0 when the user exists, the password verifies and the user holds the privilege; else
// kErrorLogonFailure (unknown user or wrong password), kErrorPrivilegeNotHeld or another failure.
std::uint32_t CheckLogin(std::string_view userId, std::string_view password, int privilege);

// The store file's bytes into `bytes`; empty for a store never written.
std::uint32_t ReadStoreBytes(std::string& bytes);
// Replaces the whole store file atomically.
std::uint32_t ReplaceStore(std::string_view bytes);

} // namespace sentrix

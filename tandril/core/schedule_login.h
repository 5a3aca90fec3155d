#pragma once
// The login of a routine backup: its scrambled form in the schedule settings file, and the check of
// its right to back up through the password library's login record.
#include <array>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace tandril {

// The password library's GetPrivilege: a privilege number and the login record; 0 when the call
// succeeded.
using PrivilegeCheck = std::function<short(int privilege, void* loginRecord)>;

// The privilege of backing up the system.
inline constexpr int kBackupPrivilege = 10;

// The login record: 204 bytes, the user ID at 0 and the password at 33, each zero-terminated in its
// room, and a 16-bit "granted" value at 68 that the caller sets to 1 and a refusal clears.
inline constexpr std::size_t kLoginRecordSize = 204;
inline constexpr std::size_t kUserIdOffset = 0;
inline constexpr std::size_t kPasswordOffset = 33;
inline constexpr std::size_t kGrantedOffset = 68;
// The longest texts the record has room for, terminator excluded.
inline constexpr std::size_t kUserIdLimit = 32;
inline constexpr std::size_t kPasswordLimit = 34;

using LoginRecord = std::array<unsigned char, kLoginRecordSize>;

// Every byte combined with the key 0xC9; the same call unscrambles. As stored by the suite, the
// text ends before its first NUL and the result before its first zero byte, so a character whose
// code is the key ends it there.
std::string ScrambleText(std::string_view text);

// True when the scrambled text, written as a profile value, reads back unchanged: no character of
// the text scrambles to a NUL or a line break, none at either end to a blank, and the ends do not
// scramble to a matching pair of quotes.
bool CanStoreScrambled(std::string_view text);

// The zero-filled record with the login and the granted value 1; an empty password leaves its room
// zero. Texts longer than their room are cut to it.
LoginRecord MakeLoginRecord(std::string_view userId, std::string_view password);

// True when the password library accepts the login for the backup privilege: the call returns 0
// and leaves the granted value non-zero.
bool HoldsBackupRight(const PrivilegeCheck& getPrivilege, std::string_view userId, std::string_view password);

} // namespace tandril

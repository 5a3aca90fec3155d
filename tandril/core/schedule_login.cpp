#include "tandril/core/schedule_login.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace tandril {

namespace {

constexpr unsigned char kScrambleKey = 0xC9;

// What the profile functions strip from either end of a value.
bool IsProfileBlank(unsigned char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r' || c == 0x1A;
}

void CopyInto(LoginRecord& record, std::size_t offset, std::size_t limit, std::string_view text) {
    const std::size_t length = std::min(text.size(), limit);
    std::memcpy(record.data() + offset, text.data(), length);
}

} // namespace

std::string ScrambleText(std::string_view text) {
    text = text.substr(0, text.find('\0'));
    std::string scrambled;
    scrambled.reserve(text.size());
    for (char c : text) {
        const auto byte = static_cast<char>(static_cast<unsigned char>(c) ^ kScrambleKey);
        if (byte == '\0') break;
        scrambled += byte;
    }
    return scrambled;
}

bool CanStoreScrambled(std::string_view text) {
    if (text.find('\0') != std::string_view::npos) return false;
    const std::string scrambled = ScrambleText(text);
    if (scrambled.size() != text.size()) return false;
    if (scrambled.find_first_of("\r\n") != std::string::npos) return false;
    if (scrambled.empty()) return true;
    const auto first = static_cast<unsigned char>(scrambled.front());
    const auto last = static_cast<unsigned char>(scrambled.back());
    if (IsProfileBlank(first) || IsProfileBlank(last)) return false;
    return !(scrambled.size() >= 2 && first == last && (first == '"' || first == '\''));
}

LoginRecord MakeLoginRecord(std::string_view userId, std::string_view password) {
    LoginRecord record{};
    CopyInto(record, kUserIdOffset, kUserIdLimit, userId);
    if (!password.empty()) CopyInto(record, kPasswordOffset, kPasswordLimit, password);
    const std::uint16_t granted = 1;
    std::memcpy(record.data() + kGrantedOffset, &granted, sizeof granted);
    return record;
}

bool HoldsBackupRight(const PrivilegeCheck& getPrivilege, std::string_view userId,
                      std::string_view password) {
    LoginRecord record = MakeLoginRecord(userId, password);
    if (getPrivilege(kBackupPrivilege, record.data()) != 0) return false;
    std::uint16_t granted = 0;
    std::memcpy(&granted, record.data() + kGrantedOffset, sizeof granted);
    return granted != 0;
}

} // namespace tandril

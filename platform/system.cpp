#include "platform/system.h"

#include "platform/ascii_case.h"
#include "platform/error.h"

#include <sys/random.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace plat {

namespace {

constexpr std::size_t kMaxComputerName = 15; // MAX_COMPUTERNAME_LENGTH

// The characters a NetBIOS computer name may hold besides letters and digits.
bool IsNetBiosCharacter(char c) {
    if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return true;
    return std::string_view("!@#$%^&')(-_{}~").find(c) != std::string_view::npos;
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Reads `digits` hexadecimal digits at `pos`; false when one is not a digit.
template <typename T> bool ReadHex(std::string_view text, std::size_t pos, std::size_t digits, T& out) {
    unsigned long long value = 0;
    for (std::size_t i = 0; i < digits; ++i) {
        int digit = HexValue(text[pos + i]);
        if (digit < 0) return false;
        value = value * 16 + static_cast<unsigned>(digit);
    }
    out = static_cast<T>(value);
    return true;
}

} // namespace

std::string ComputerNameText() {
    char host[HOST_NAME_MAX + 1] = {};
    if (::gethostname(host, sizeof host - 1) != 0) host[0] = '\0';
    // The NetBIOS name is the host's first label, as Windows derives it from a DNS name.
    std::string_view label(host);
    label = label.substr(0, label.find('.'));
    std::string name;
    for (char c : label.substr(0, kMaxComputerName)) {
        char upper = UpperAscii(c);
        name += IsNetBiosCharacter(upper) ? upper : '-';
    }
    return name;
}

bool ComputerName(char* buffer, std::uint32_t* size) {
    if (!size) {
        SetLastError(kErrorInvalidParameter);
        return false;
    }
    std::string name = ComputerNameText();
    auto needed = static_cast<std::uint32_t>(name.size() + 1);
    if (*size < needed) {
        *size = needed;
        SetLastError(kErrorBufferOverflow);
        return false;
    }
    if (!buffer) {
        SetLastError(kErrorNoAccess);
        return false;
    }
    std::memcpy(buffer, name.c_str(), needed);
    *size = needed - 1;
    return true;
}

Guid CreateGuid() {
    std::uint8_t bytes[16];
    std::size_t got = 0;
    while (got < sizeof bytes) {
        ssize_t n = ::getrandom(bytes + got, sizeof bytes - got, 0);
        if (n < 0) {
            if (errno == EINTR) continue;
            std::abort(); // every kernel this runs on has getrandom; a GUID must never repeat
        }
        got += static_cast<std::size_t>(n);
    }
    // The fields take the bytes in memory order, as UuidCreate fills the structure.
    Guid guid;
    std::memcpy(&guid.data1, bytes, 4);
    std::memcpy(&guid.data2, bytes + 4, 2);
    std::memcpy(&guid.data3, bytes + 6, 2);
    std::memcpy(guid.data4.data(), bytes + 8, 8);
    guid.data3 = static_cast<std::uint16_t>((guid.data3 & 0x0FFF) | 0x4000);  // version 4: random
    guid.data4[0] = static_cast<std::uint8_t>((guid.data4[0] & 0x3F) | 0x80); // RFC 4122 variant
    return guid;
}

std::string GuidToText(const Guid& guid) {
    char text[37];
    std::snprintf(text, sizeof text, "%08x-%04x-%04x-%02x%02x-%02x%02x%02x%02x%02x%02x", guid.data1,
                  guid.data2, guid.data3, guid.data4[0], guid.data4[1], guid.data4[2], guid.data4[3],
                  guid.data4[4], guid.data4[5], guid.data4[6], guid.data4[7]);
    return text;
}

std::optional<Guid> GuidFromText(std::string_view text) {
    if (text.size() == 38 && text.front() == '{' && text.back() == '}') text = text.substr(1, 36);
    if (text.size() != 36 || text[8] != '-' || text[13] != '-' || text[18] != '-' || text[23] != '-')
        return std::nullopt;
    Guid guid;
    bool ok = ReadHex(text, 0, 8, guid.data1) && ReadHex(text, 9, 4, guid.data2) &&
              ReadHex(text, 14, 4, guid.data3) && ReadHex(text, 19, 2, guid.data4[0]) &&
              ReadHex(text, 21, 2, guid.data4[1]);
    for (std::size_t i = 0; ok && i < 6; ++i)
        ok = ReadHex(text, 24 + 2 * i, 2, guid.data4[2 + i]);
    if (!ok) return std::nullopt;
    return guid;
}

std::optional<OsVersion> QueryOsVersion() {
    return OsVersion{2, 6, 1, 7601};
}

void DebugTrace(std::string_view text) {
    const char* flag = std::getenv("TAVO_DEBUG");
    if (!flag || std::strcmp(flag, "1") != 0) return;
    std::fwrite(text.data(), 1, text.size(), stderr);
}

} // namespace plat

#pragma once
// System facts: computer name, GUIDs, the version query, the debug trace and program launch.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace plat {

// GetComputerName: at most 15 characters, upper case. On success copies the name and its NUL,
// sets *size to the length without the NUL and returns true. When *size is too small returns false
// with last error 111 and *size set to the length including the NUL.
bool ComputerName(char* buffer, std::uint32_t* size);
std::string ComputerNameText();

struct Guid {
    std::uint32_t data1 = 0;
    std::uint16_t data2 = 0;
    std::uint16_t data3 = 0;
    std::array<std::uint8_t, 8> data4{};
    bool operator==(const Guid&) const = default;
};
Guid CreateGuid(); // random (version 4)
// "xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx", lower case, 36 characters.
std::string GuidToText(const Guid& guid);
// Parses the 36-character form (either case, optional surrounding braces); nullopt otherwise.
std::optional<Guid> GuidFromText(std::string_view text);

// GetVersionEx. The Linux backend reports an NT system, version 6.1 (build 7601).
struct OsVersion {
    std::uint32_t platformId = 0; // 0 Win32s, 1 Windows 9x, 2 NT
    std::uint32_t major = 0;
    std::uint32_t minor = 0;
    std::uint32_t build = 0;
};
std::optional<OsVersion> QueryOsVersion();

// OutputDebugString: printed to stderr when the environment has TAVO_DEBUG=1.
void DebugTrace(std::string_view text);

// ShellExecute "open" of a program with parameters, started detached and not waited for.
// Returns a value above 32 on success, else 2 (not found), 3 (path not found), 5 (not a
// program the host can start) or 8 (out of resources).
std::uint32_t StartProgram(std::string_view file, std::string_view parameters,
                           std::string_view folder);

} // namespace plat

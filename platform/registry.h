#pragma once
// The Win32 registry functions on the machine's registry store (a database in the prefix shared by
// every process on it). Each function returns its Win32 result code (0 on success) and, as on
// Windows, leaves the last error alone.
//
// Key and value names match without regard to ASCII case and keep the case they were created with.
// Subkeys enumerate sorted by their upper-cased names, values in the order they were created. Names
// are byte strings in the ANSI code page; `const char*` names may be null where Windows allows it.
#include <cstdint>

namespace plat {

using HKey = std::uintptr_t; // 0 is no key

// The predefined keys. HKEY_CLASSES_ROOT is HKEY_LOCAL_MACHINE\SOFTWARE\Classes, HKEY_CURRENT_USER
// is HKEY_USERS\.DEFAULT (the machine has one account) and HKEY_CURRENT_CONFIG is
// HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Hardware Profiles\Current. HKEY_PERFORMANCE_DATA and
// HKEY_DYN_DATA hold no keys on NT: everything but closing them fails with 6.
inline constexpr HKey kHkeyClassesRoot = 0x80000000u;
inline constexpr HKey kHkeyCurrentUser = 0x80000001u;
inline constexpr HKey kHkeyLocalMachine = 0x80000002u;
inline constexpr HKey kHkeyUsers = 0x80000003u;
inline constexpr HKey kHkeyPerformanceData = 0x80000004u;
inline constexpr HKey kHkeyCurrentConfig = 0x80000005u;
inline constexpr HKey kHkeyDynData = 0x80000006u;

enum : std::uint32_t {
    kKeyQueryValue = 0x0001,
    kKeySetValue = 0x0002,
    kKeyCreateSubKey = 0x0004,
    kKeyEnumerateSubKeys = 0x0008,
    kKeyNotify = 0x0010,
    kKeyCreateLink = 0x0020,
    kDelete = 0x00010000,
    kKeyRead = 0x00020019,
    kKeyWrite = 0x00020006,
    kKeyAllAccess = 0x000F003F,
    kMaximumAllowed = 0x02000000,
};

enum : std::uint32_t {
    kRegNone = 0,
    kRegSz = 1,
    kRegExpandSz = 2,
    kRegBinary = 3,
    kRegDword = 4,
    kRegDwordBigEndian = 5,
    kRegLink = 6,
    kRegMultiSz = 7,
    kRegResourceList = 8,
    kRegFullResourceDescriptor = 9,
    kRegResourceRequirementsList = 10,
    kRegQword = 11,
};

enum : std::uint32_t {
    kRegCreatedNewKey = 1,
    kRegOpenedExistingKey = 2,
    kRegForceRestore = 0x8,
};

// RegOpenKeyEx. A null or empty subkey gives the predefined key itself, or a new handle to another
// key. 2 for a missing key (*result set to 0), 161 for a subkey starting with '\' (HKEY_CLASSES_ROOT
// accepts one), 87 for a name over 255 characters or a null result, 6 for an unknown handle, 1018
// when the key of the handle was deleted. Trailing '\' are ignored.
long RegOpenKeyEx(HKey key, const char* subKey, std::uint32_t access, HKey* result);

// RegCreateKeyEx with no class, default options and default security: opens the key or creates it
// with all missing keys on the way; *disposition (may be null) tells which. A key directly below
// HKEY_LOCAL_MACHINE or HKEY_USERS cannot be created (5): those are the machine's hives.
long RegCreateKeyEx(HKey key, const char* subKey, std::uint32_t access, HKey* result,
                    std::uint32_t* disposition);

// RegCloseKey: 0, or 6 for a handle that is not open. Closing a predefined key does nothing.
long RegCloseKey(HKey key);

// RegQueryValueEx (null or empty name: the default value). With null data: *size becomes the size.
// A buffer too small gives 234, *size the size needed, *type set and the buffer untouched. A
// string whose stored data ends without a NUL gets one in the buffer when there is room, not
// counted in *size. 2 for a missing value, 5 without query access. type may be null.
long RegQueryValueEx(HKey key, const char* name, std::uint32_t* type, std::uint8_t* data,
                     std::uint32_t* size);

// RegSetValueEx: the data is kept as bytes. For REG_SZ, REG_EXPAND_SZ and REG_MULTI_SZ the byte
// after the data is read, as Windows does: when it is a NUL, one is stored with the value. Null data
// with a size gives 998, a name over 16,383 characters 87, no set access 5.
long RegSetValueEx(HKey key, const char* name, std::uint32_t type, const std::uint8_t* data,
                   std::uint32_t size);

// RegDeleteValue: 2 when missing, 5 without set access.
long RegDeleteValue(HKey key, const char* name);

// RegDeleteKey: the subkey ("" the key itself) must have no subkeys (5); values do not matter.
// 87 for a null subkey, 2 when missing. A predefined key and the machine's hives cannot go (5).
long RegDeleteKey(HKey key, const char* subKey);

// RegEnumKeyEx: *nameSize holds the buffer's size in characters with the NUL; on success the
// name's length without it. 234 when the name does not fit (nothing copied), 259 past the end,
// 5 without enumerate access.
long RegEnumKeyEx(HKey key, std::uint32_t index, char* name, std::uint32_t* nameSize);

// RegEnumValue: the name as RegEnumKeyEx gives it, then type and data as RegQueryValueEx does
// (data and dataSize may be null). 5 without query access.
long RegEnumValue(HKey key, std::uint32_t index, char* name, std::uint32_t* nameSize, std::uint32_t* type,
                  std::uint8_t* data, std::uint32_t* dataSize);

// RegQueryInfoKey without class, security and time: immediate subkeys and values, longest names
// in characters without the NUL, largest data in bytes. 5 without query access.
struct RegKeyInfo {
    std::uint32_t subKeys = 0;
    std::uint32_t maxSubKeyLength = 0;
    std::uint32_t values = 0;
    std::uint32_t maxValueNameLength = 0;
    std::uint32_t maxValueLength = 0;
};
long RegQueryInfoKey(HKey key, RegKeyInfo* info);

// RegSaveKey with default security: writes the key with its whole tree to a new hive file (the
// format is in docs/registry.md). The process must have SeBackupPrivilege enabled (1314); a file
// already there gives 183. The file appears whole or not at all.
long RegSaveKey(HKey key, const char* file);

// RegRestoreKey: replaces every value and subkey of the key with those of the hive file's top
// key, in one step; the key keeps its name. Needs SeRestorePrivilege and SeBackupPrivilege enabled
// (1314). Without kRegForceRestore it fails with 5 while this process has a key below it open; with
// it, such handles then name deleted keys (1018). A file that is not a whole, undamaged hive of this
// format gives 1009 and leaves the key as it was; a missing file 2.
long RegRestoreKey(HKey key, const char* file, std::uint32_t flags);

} // namespace plat

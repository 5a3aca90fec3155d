#include "platform/error.h"
#include "registry_fixture.h"
#include "support/kernel_peer.h"

#include <cstring>
#include <string>
#include <vector>

namespace tavo::test {
namespace {

using namespace plat;

TEST_F(RegistryTest, OpenAndCreateGiveTheWin32ResultCodes) {
    Create("SOFTWARE\\Tavo\\Present");
    const std::string longest = "SOFTWARE\\" + std::string(255, 'n');
    const std::string tooLong = "SOFTWARE\\" + std::string(256, 'n');
    struct Case {
        const char* what;
        HKey root;
        const char* subKey;
        long open;
        long create;
    };
    const Case cases[] = {
        {"existing key", kHkeyLocalMachine, "SOFTWARE\\Tavo\\Present", 0, 0},
        {"trailing separators are ignored", kHkeyLocalMachine, "SOFTWARE\\Tavo\\Present\\\\", 0, 0},
        {"missing key", kHkeyLocalMachine, "SOFTWARE\\Tavo\\Missing", kErrorFileNotFound, 0},
        {"leading separator", kHkeyLocalMachine, "\\SOFTWARE", kErrorBadPathname, kErrorBadPathname},
        {"classes root takes one leading separator", kHkeyClassesRoot, "\\.tavo", kErrorFileNotFound, 0},
        {"but not two", kHkeyClassesRoot, "\\\\.tavo", kErrorBadPathname, kErrorBadPathname},
        {"255 characters", kHkeyLocalMachine, longest.c_str(), kErrorFileNotFound, 0},
        {"256 characters", kHkeyLocalMachine, tooLong.c_str(), kErrorInvalidParameter,
         kErrorInvalidParameter},
        {"a new hive below the machine", kHkeyLocalMachine, "NewHive", kErrorFileNotFound,
         kErrorAccessDenied},
        {"a new hive below the users", kHkeyUsers, "S-1-5-99", kErrorFileNotFound, kErrorAccessDenied},
        {"performance data", kHkeyPerformanceData, "Global", kErrorInvalidHandle, kErrorInvalidHandle},
        {"dynamic data", kHkeyDynData, "Config Manager", kErrorInvalidHandle, kErrorInvalidHandle},
        {"no handle", 0, "SOFTWARE", kErrorInvalidHandle, kErrorInvalidHandle},
        {"a handle never opened", 0x1234, "SOFTWARE", kErrorInvalidHandle, kErrorInvalidHandle},
    };
    for (const Case& c : cases) {
        HKey key = 7;
        EXPECT_EQ(RegOpenKeyEx(c.root, c.subKey, kKeyRead, &key), c.open) << c.what;
        EXPECT_EQ(key != 0, c.open == 0) << c.what << ": a failed open gives no handle";
        Keep(key);
        key = 0;
        EXPECT_EQ(RegCreateKeyEx(c.root, c.subKey, kKeyRead, &key, nullptr), c.create) << c.what;
        Keep(key);
    }
    EXPECT_EQ(RegOpenKeyEx(kHkeyLocalMachine, "SOFTWARE", kKeyRead, nullptr), kErrorInvalidParameter);
    EXPECT_EQ(RegCloseKey(kHkeyPerformanceData), 0);
}

TEST_F(RegistryTest, CreateReportsItsDispositionAndMakesTheKeysOnTheWay) {
    HKey key = 0;
    std::uint32_t disposition = 0;
    ASSERT_EQ(RegCreateKeyEx(kHkeyLocalMachine, "SOFTWARE\\A\\B\\C", kKeyRead, &key, &disposition), 0);
    EXPECT_EQ(disposition, kRegCreatedNewKey);
    Keep(key);
    ASSERT_EQ(RegCreateKeyEx(kHkeyLocalMachine, "software\\a\\b\\c", kKeyRead, &key, &disposition), 0);
    EXPECT_EQ(disposition, kRegOpenedExistingKey);
    Keep(key);
    ASSERT_EQ(RegCreateKeyEx(kHkeyLocalMachine, "SOFTWARE", kKeyRead, &key, &disposition), 0);
    EXPECT_EQ(disposition, kRegOpenedExistingKey) << "the hives are there";
    Keep(key);
    // Creation does not depend on the access of the parent's handle.
    HKey weak = 0;
    ASSERT_EQ(RegOpenKeyEx(kHkeyLocalMachine, "SOFTWARE\\A", kKeyQueryValue, &weak), 0);
    Keep(weak);
    ASSERT_EQ(RegCreateKeyEx(weak, "New", kKeyRead, &key, &disposition), 0);
    Keep(key);
    EXPECT_EQ(Subkeys(Create("SOFTWARE\\A")), (std::vector<std::string>{"B", "New"}));
}

TEST_F(RegistryTest, HandlesAreNewForEveryOpenExceptAPredefinedKeyItself) {
    const HKey key = Create("SOFTWARE\\Handles");
    HKey same = 0, again = 0;
    ASSERT_EQ(RegOpenKeyEx(kHkeyLocalMachine, nullptr, kKeyRead, &same), 0);
    EXPECT_EQ(same, kHkeyLocalMachine);
    ASSERT_EQ(RegOpenKeyEx(kHkeyLocalMachine, "", kKeyRead, &same), 0);
    EXPECT_EQ(same, kHkeyLocalMachine);
    ASSERT_EQ(RegOpenKeyEx(key, "", kKeyRead, &again), 0);
    EXPECT_NE(again, key);
    HKey second = 0;
    ASSERT_EQ(RegOpenKeyEx(kHkeyLocalMachine, "SOFTWARE\\Handles", kKeyRead, &second), 0);
    EXPECT_NE(second, again);
    EXPECT_EQ(RegCloseKey(again), 0);
    EXPECT_EQ(RegCloseKey(again), kErrorInvalidHandle);
    EXPECT_EQ(RegCloseKey(second), 0);
}

TEST_F(RegistryTest, AccessMasksLimitWhatAHandleMayDo) {
    const HKey full = Create("SOFTWARE\\Access");
    ASSERT_EQ(SetText(full, "v", "x"), 0);
    struct Case {
        std::uint32_t access;
        long query, set, enumKeys, enumValues, info;
    };
    const Case cases[] = {
        {kKeyQueryValue, 0, kErrorAccessDenied, kErrorAccessDenied, 0, 0},
        {kKeySetValue, kErrorAccessDenied, 0, kErrorAccessDenied, kErrorAccessDenied, kErrorAccessDenied},
        {kKeyEnumerateSubKeys, kErrorAccessDenied, kErrorAccessDenied, kErrorNoMoreItems, kErrorAccessDenied,
         kErrorAccessDenied},
        {0x2001F, 0, 0, kErrorNoMoreItems, 0, 0},
        {kMaximumAllowed, 0, 0, kErrorNoMoreItems, 0, 0},
    };
    for (const Case& c : cases) {
        HKey key = 0;
        ASSERT_EQ(RegOpenKeyEx(kHkeyLocalMachine, "SOFTWARE\\Access", c.access, &key), 0);
        std::uint32_t size = 0;
        char name[16];
        std::uint32_t nameSize = sizeof name;
        RegKeyInfo info;
        EXPECT_EQ(RegQueryValueEx(key, "v", nullptr, nullptr, &size), c.query) << std::hex << c.access;
        EXPECT_EQ(SetText(key, "v", "x"), c.set) << std::hex << c.access;
        EXPECT_EQ(RegDeleteValue(key, "none"), c.set == 0 ? long{kErrorFileNotFound} : c.set)
            << std::hex << c.access;
        EXPECT_EQ(RegEnumKeyEx(key, 0, name, &nameSize), c.enumKeys) << std::hex << c.access;
        nameSize = sizeof name;
        EXPECT_EQ(RegEnumValue(key, 0, name, &nameSize, nullptr, nullptr, nullptr), c.enumValues)
            << std::hex << c.access;
        EXPECT_EQ(RegQueryInfoKey(key, &info), c.info) << std::hex << c.access;
        RegCloseKey(key);
    }
}

TEST_F(RegistryTest, ValuesKeepTheirTypeAndBytesExactly) {
    const HKey key = Create("SOFTWARE\\Values");
    struct Case {
        const char* name;
        std::uint32_t type;
        std::string bytes;
    };
    const Case cases[] = {
        {"Zero", kRegDword, std::string("\0\0\0\0", 4)},
        {"Five", kRegDword, std::string("\5\0\0\0", 4)},
        {"Hundred", kRegDword, std::string("\0\1\0\0", 4)},
        {"Big", kRegDwordBigEndian, std::string("\0\0\1\0", 4)},
        {"Quad", kRegQword, std::string("\1\0\0\0\0\0\0\x80", 8)},
        {"Binary", kRegBinary, std::string("\0\xff\0\x01\0", 5)},
        {"Empty", kRegBinary, ""},
        {"None", kRegNone, std::string("\0", 1)},
        {"Multi", kRegMultiSz, std::string("a\0bc\0\0", 6)},
        {"Text", kRegSz, std::string("C:\\DVR\\Logo.bmp\0", 16)},
        {"Expand", kRegExpandSz, std::string("%TEMP%\0", 7)},
        {"", kRegSz, std::string("default\0", 8)},
        {"Odd type", 0x12345, "xyz"},
    };
    for (const Case& c : cases)
        ASSERT_EQ(Set(key, c.name, c.type, c.bytes), 0) << c.name;
    for (const Case& c : cases) {
        std::uint32_t type = 0;
        EXPECT_EQ(Get(key, c.name, &type), c.bytes) << c.name;
        EXPECT_EQ(type, c.type) << c.name;
    }
    EXPECT_EQ(Get(key, nullptr), std::string("default\0", 8)) << "a null name is the default value";
}

TEST_F(RegistryTest, QueryFollowsTheBufferRules) {
    const HKey key = Create("SOFTWARE\\Query");
    ASSERT_EQ(Set(key, "v", kRegBinary, "12345678"), 0);
    std::uint8_t buffer[16];
    std::memset(buffer, '#', sizeof buffer);
    std::uint32_t type = 0, size = 4;
    EXPECT_EQ(RegQueryValueEx(key, "v", &type, buffer, &size), kErrorMoreData);
    EXPECT_EQ(size, 8u);
    EXPECT_EQ(type, kRegBinary);
    EXPECT_EQ(buffer[0], '#') << "a buffer too small is left as it was";
    EXPECT_EQ(RegQueryValueEx(key, "v", nullptr, buffer, nullptr), kErrorInvalidParameter);
    size = 99;
    EXPECT_EQ(RegQueryValueEx(key, "missing", nullptr, nullptr, &size), kErrorFileNotFound);
    EXPECT_EQ(size, 0u);
    size = sizeof buffer;
    EXPECT_EQ(RegQueryValueEx(key, "missing", nullptr, buffer, &size), kErrorFileNotFound);
    EXPECT_EQ(size, sizeof buffer);
    EXPECT_EQ(RegDeleteValue(key, "missing"), kErrorFileNotFound);
    EXPECT_EQ(RegSetValueEx(key, "v", kRegBinary, nullptr, 4), kErrorNoAccess);
    EXPECT_EQ(RegSetValueEx(key, std::string(16384, 'v').c_str(), kRegSz, nullptr, 0),
              kErrorInvalidParameter);
    EXPECT_EQ(RegSetValueEx(key, std::string(16383, 'v').c_str(), kRegSz, nullptr, 0), 0);
}

TEST_F(RegistryTest, StringsAreTerminatedAsWindowsTerminatesThem) {
    const HKey key = Create("SOFTWARE\\Strings");
    struct Case {
        const char* what;
        const char* buffer; // what the caller's memory holds
        std::uint32_t size; // what the caller says
        std::uint32_t type;
        std::string stored;
    };
    const Case cases[] = {
        {"size with the NUL", "abc", 4, kRegSz, std::string("abc\0", 4)},
        {"size without it, a NUL after", "abc", 3, kRegSz, std::string("abc\0", 4)},
        {"size without it, no NUL after", "abcd", 3, kRegSz, "abc"},
        {"two short, no terminator", "abcd", 2, kRegExpandSz, "ab"},
        {"multi-string one short", "a\0b", 3, kRegMultiSz, std::string("a\0b\0", 4)},
        {"multi-string ending in NUL", "a\0b\0", 4, kRegMultiSz, std::string("a\0b\0", 4)},
        {"zero size", "abc", 0, kRegSz, ""},
        {"binary keeps its size", "abc", 3, kRegBinary, "abc"},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(RegSetValueEx(key, "v", c.type, reinterpret_cast<const std::uint8_t*>(c.buffer), c.size),
                  0);
        EXPECT_EQ(Get(key, "v"), c.stored) << c.what;
    }
    // An unterminated string reads back with a NUL where the buffer has room, not counted.
    ASSERT_EQ(RegSetValueEx(key, "v", kRegSz, reinterpret_cast<const std::uint8_t*>("abcd"), 3), 0);
    char buffer[8];
    std::memset(buffer, '#', sizeof buffer);
    std::uint32_t size = sizeof buffer;
    ASSERT_EQ(RegQueryValueEx(key, "v", nullptr, reinterpret_cast<std::uint8_t*>(buffer), &size), 0);
    EXPECT_EQ(size, 3u);
    EXPECT_EQ(std::string(buffer, 4), std::string("abc\0", 4));
    std::memset(buffer, '#', sizeof buffer);
    size = 3;
    ASSERT_EQ(RegQueryValueEx(key, "v", nullptr, reinterpret_cast<std::uint8_t*>(buffer), &size), 0);
    EXPECT_EQ(std::string(buffer, 4), "abc#") << "no room, no NUL";
}

TEST_F(RegistryTest, NamesMatchWithoutCaseAndKeepTheirFirstSpelling) {
    const HKey key = Create("SOFTWARE\\MixedCase\\Inner");
    HKey other = 0;
    ASSERT_EQ(RegOpenKeyEx(kHkeyLocalMachine, "software\\MIXEDCASE\\inner", kKeyAllAccess, &other), 0);
    Keep(other);
    ASSERT_EQ(SetText(key, "LogoFile", "a"), 0);
    ASSERT_EQ(SetText(other, "LOGOFILE", "b"), 0);
    EXPECT_EQ(Get(key, "logofile"), std::string("b\0", 2));
    char name[32];
    std::uint32_t size = sizeof name;
    ASSERT_EQ(RegEnumValue(key, 0, name, &size, nullptr, nullptr, nullptr), 0);
    EXPECT_EQ(std::string(name, size), "LogoFile");
    EXPECT_EQ(RegEnumValue(key, 1, name, &size, nullptr, nullptr, nullptr), kErrorNoMoreItems);
    EXPECT_EQ(Subkeys(Create("SOFTWARE")), std::vector<std::string>{"MixedCase"});
}

TEST_F(RegistryTest, SubkeysEnumerateByUpperCasedNameAndValuesInCreationOrder) {
    const HKey key = Create("SOFTWARE\\Order");
    for (const char* name : {"b", "A_B", "AZB", "a", "B1", "[x"})
        Create((std::string("SOFTWARE\\Order\\") + name).c_str());
    // Upper-cased, '_' and '[' sort after the letters.
    EXPECT_EQ(Subkeys(key), (std::vector<std::string>{"a", "AZB", "A_B", "b", "B1", "[x"}));
    for (const char* name : {"A", "C", "D", "B"})
        ASSERT_EQ(SetText(key, name, name), 0);
    ASSERT_EQ(SetText(key, "A", "again"), 0);
    std::vector<std::string> values;
    char name[8];
    for (std::uint32_t i = 0;; ++i) {
        std::uint32_t size = sizeof name;
        if (RegEnumValue(key, i, name, &size, nullptr, nullptr, nullptr) != 0) break;
        values.emplace_back(name, size);
    }
    EXPECT_EQ(values, (std::vector<std::string>{"A", "C", "D", "B"}));
    // The name buffer counts the NUL.
    std::uint32_t size = 3;
    EXPECT_EQ(RegEnumKeyEx(key, 1, name, &size), kErrorMoreData);
    size = 4;
    EXPECT_EQ(RegEnumKeyEx(key, 1, name, &size), 0);
    EXPECT_EQ(size, 3u);
    EXPECT_EQ(RegEnumKeyEx(key, 6, name, &size), kErrorNoMoreItems);
}

TEST_F(RegistryTest, QueryInfoCountsImmediateChildrenAndTheLongestNamesAndData) {
    const HKey key = Create("SOFTWARE\\Info\\Child\\Grandchild");
    const HKey info = Create("SOFTWARE\\Info");
    Create("SOFTWARE\\Info\\LongerChild");
    ASSERT_EQ(SetText(info, "Name", "12345"), 0);
    ASSERT_EQ(Set(info, "LongerName", kRegBinary, "12"), 0);
    RegKeyInfo counts;
    ASSERT_EQ(RegQueryInfoKey(info, &counts), 0);
    EXPECT_EQ(counts.subKeys, 2u);
    EXPECT_EQ(counts.maxSubKeyLength, 11u);
    EXPECT_EQ(counts.values, 2u);
    EXPECT_EQ(counts.maxValueNameLength, 10u);
    EXPECT_EQ(counts.maxValueLength, 6u) << "the stored string with its NUL";
    ASSERT_EQ(RegQueryInfoKey(key, &counts), 0);
    EXPECT_EQ(counts.subKeys + counts.values, 0u);
}

TEST_F(RegistryTest, DeleteKeyRemovesOnlyAKeyWithoutSubkeys) {
    const HKey parent = Create("SOFTWARE\\Del\\Child");
    const HKey leaf = Create("SOFTWARE\\Del\\Leaf");
    ASSERT_EQ(SetText(leaf, "v", "values do not block"), 0);
    EXPECT_EQ(RegDeleteKey(kHkeyLocalMachine, nullptr), kErrorInvalidParameter);
    EXPECT_EQ(RegDeleteKey(kHkeyLocalMachine, "SOFTWARE\\Del"), kErrorAccessDenied);
    EXPECT_EQ(RegDeleteKey(kHkeyLocalMachine, "SOFTWARE\\Del\\Missing"), kErrorFileNotFound);
    EXPECT_EQ(RegDeleteKey(kHkeyLocalMachine, "SOFTWARE\\DEL\\LEAF"), 0);
    EXPECT_EQ(RegDeleteKey(parent, ""), 0) << "an empty subkey is the key itself";
    EXPECT_EQ(RegDeleteKey(kHkeyLocalMachine, "SOFTWARE\\Del"), 0);
    // The machine's own keys stay.
    EXPECT_EQ(RegDeleteKey(kHkeyLocalMachine, "SYSTEM"), kErrorAccessDenied);
    EXPECT_EQ(RegDeleteKey(kHkeyLocalMachine, ""), kErrorAccessDenied);
    EXPECT_EQ(RegDeleteKey(kHkeyClassesRoot, ""), kErrorAccessDenied);
}

TEST_F(RegistryTest, EveryCallOnAHandleOfADeletedKeyGives1018) {
    const HKey gone = Create("SOFTWARE\\Gone");
    ASSERT_EQ(SetText(gone, "v", "x"), 0);
    ASSERT_EQ(RegDeleteKey(kHkeyLocalMachine, "SOFTWARE\\Gone"), 0);
    HKey child = 0;
    std::uint32_t size = 0;
    char name[16];
    std::uint32_t nameSize = sizeof name;
    RegKeyInfo info;
    EXPECT_EQ(RegQueryValueEx(gone, "v", nullptr, nullptr, &size), kErrorKeyDeleted);
    EXPECT_EQ(SetText(gone, "v", "y"), kErrorKeyDeleted);
    EXPECT_EQ(RegDeleteValue(gone, "v"), kErrorKeyDeleted);
    EXPECT_EQ(RegEnumKeyEx(gone, 0, name, &nameSize), kErrorKeyDeleted);
    EXPECT_EQ(RegEnumValue(gone, 0, name, &nameSize, nullptr, nullptr, nullptr), kErrorKeyDeleted);
    EXPECT_EQ(RegQueryInfoKey(gone, &info), kErrorKeyDeleted);
    EXPECT_EQ(RegOpenKeyEx(gone, "", kKeyRead, &child), kErrorKeyDeleted);
    EXPECT_EQ(RegCreateKeyEx(gone, "Child", kKeyRead, &child, nullptr), kErrorKeyDeleted);
    EXPECT_EQ(RegDeleteKey(gone, ""), kErrorKeyDeleted);
    // A key of the same name made again is another key.
    const HKey again = Create("SOFTWARE\\Gone");
    EXPECT_EQ(Get(again, "v"), "<missing>");
    EXPECT_EQ(SetText(gone, "v", "y"), kErrorKeyDeleted);
    EXPECT_EQ(RegCloseKey(gone), 0);
}

TEST_F(RegistryTest, ThePredefinedViewsAreKeysOfTheMachineAndUserHives) {
    struct Case {
        HKey view;
        const char* place;
    };
    const Case cases[] = {
        {kHkeyClassesRoot, "SOFTWARE\\Classes"},
        {kHkeyCurrentConfig, "SYSTEM\\CurrentControlSet\\Hardware Profiles\\Current"},
    };
    for (const Case& c : cases) {
        const HKey view = Create("Seen", c.view);
        ASSERT_EQ(SetText(view, "v", c.place), 0);
        const HKey place = Create((std::string(c.place) + "\\Seen").c_str());
        EXPECT_EQ(Get(place, "v"), std::string(c.place) + '\0');
    }
    const HKey user = Create("Software\\Tavo", kHkeyCurrentUser);
    ASSERT_EQ(SetText(user, "v", "user"), 0);
    EXPECT_EQ(Get(Create(".DEFAULT\\Software\\Tavo", kHkeyUsers), "v"), std::string("user\0", 5));
    EXPECT_EQ(Subkeys(kHkeyLocalMachine),
              (std::vector<std::string>{"HARDWARE", "SAM", "SECURITY", "SOFTWARE", "SYSTEM"}));
}

TEST_F(RegistryTest, TwoProcessesShareTheStoreAndLoseNoUpdate) {
    const HKey key = Create("SOFTWARE\\Shared");
    {
        KernelPeer first(REGISTRY_PEER, prefix.host(), {"set-values", "SOFTWARE\\Shared", "first", "1000"});
        KernelPeer second(REGISTRY_PEER, prefix.host(), {"set-values", "SOFTWARE\\Shared", "second", "1000"});
        EXPECT_EQ(first.Line(), "done 0");
        EXPECT_EQ(second.Line(), "done 0");
    }
    RegKeyInfo info;
    ASSERT_EQ(RegQueryInfoKey(key, &info), 0);
    EXPECT_EQ(info.values, 2000u);
    EXPECT_EQ(Get(key, "second999"), std::string("\xe7\x03\0\0", 4));

    // A key another process deletes is deleted for this process's handles too.
    const HKey doomed = Create("SOFTWARE\\Shared\\Doomed");
    KernelPeer deleter(REGISTRY_PEER, prefix.host(), {"delete-key", "SOFTWARE\\Shared\\Doomed"});
    EXPECT_EQ(deleter.Line(), "0");
    EXPECT_EQ(SetText(doomed, "v", "x"), kErrorKeyDeleted);
    EXPECT_TRUE(Subkeys(key).empty());
}

} // namespace
} // namespace tavo::test

#pragma once
// An engine test with registry helpers: keys below HKEY_LOCAL_MACHINE made and read back whole.
#include "engine_fixture.h"
#include "platform/registry.h"

#include <cstdint>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

namespace tavo::test {

class RegistryEngineTest : public EngineTest {
  protected:
    RegistryEngineTest() {
        UsePreparedRoots();
        Roots().registryFolder = "C:\\Pkg\\Reg\\";
        MakeFolder("C:\\Pkg\\Reg");
    }

    static plat::HKey Open(const char* path, plat::HKey root = plat::kHkeyLocalMachine) {
        plat::HKey key = 0;
        plat::RegCreateKeyEx(root, path, plat::kKeyAllAccess, &key, nullptr);
        return key;
    }
    static void SetValue(const char* path, const char* name, std::uint32_t type, std::string_view bytes,
                         plat::HKey root = plat::kHkeyLocalMachine) {
        const plat::HKey key = Open(path, root);
        ASSERT_EQ(plat::RegSetValueEx(key, name, type, reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                      static_cast<std::uint32_t>(bytes.size())),
                  0);
        plat::RegCloseKey(key);
    }
    static void SetText(const char* path, const char* name, const std::string& text,
                        plat::HKey root = plat::kHkeyLocalMachine) {
        SetValue(path, name, plat::kRegSz, std::string_view(text.c_str(), text.size() + 1), root);
    }
    // The bytes and type of a value; "<missing>" when the key or value is not there.
    static std::string Value(const char* path, const char* name, std::uint32_t* type = nullptr,
                             plat::HKey root = plat::kHkeyLocalMachine) {
        plat::HKey key = 0;
        if (plat::RegOpenKeyEx(root, path, plat::kKeyRead, &key) != 0) return "<missing>";
        std::string bytes(4096, '\0');
        std::uint32_t size = 4096;
        const long read =
            plat::RegQueryValueEx(key, name, type, reinterpret_cast<std::uint8_t*>(bytes.data()), &size);
        plat::RegCloseKey(key);
        return read == 0 ? bytes.substr(0, size) : "<missing>";
    }
    static bool KeyExists(const char* path, plat::HKey root = plat::kHkeyLocalMachine) {
        plat::HKey key = 0;
        if (plat::RegOpenKeyEx(root, path, plat::kKeyRead, &key) != 0) return false;
        plat::RegCloseKey(key);
        return true;
    }
    static std::vector<std::string> Subkeys(const char* path) {
        std::vector<std::string> names;
        plat::HKey key = 0;
        if (plat::RegOpenKeyEx(plat::kHkeyLocalMachine, path, plat::kKeyRead, &key) != 0) return names;
        char name[256];
        for (std::uint32_t i = 0;; ++i) {
            std::uint32_t size = sizeof name;
            if (plat::RegEnumKeyEx(key, i, name, &size) != 0) break;
            names.emplace_back(name, size);
        }
        plat::RegCloseKey(key);
        return names;
    }

    // The account of the machine without the named privilege.
    void WithoutPrivilege(std::string_view name) const {
        std::ofstream(prefix.host() + "/account.ini") << "[Privileges]\n" << name << "=0\n";
    }
    // The paths the run log shows for an event, in order.
    static std::vector<std::string> Paths(RunEvent event, std::string_view start = {}) {
        std::vector<std::string> paths;
        for (const RunLogEntry& entry : CurrentRunLog().entries())
            if (entry.event == event && entry.path.rfind(start, 0) == 0) paths.push_back(entry.path);
        return paths;
    }
};

} // namespace tavo::test

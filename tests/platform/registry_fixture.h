#pragma once
// A fresh machine for one registry test, with helpers that lay out keys and read whole trees back.
#include "platform/privileges.h"
#include "platform/registry.h"
#include "support/temp_prefix.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace tavo::test {

class RegistryTest : public ::testing::Test {
  protected:
    ~RegistryTest() override {
        for (plat::HKey key : keys_)
            plat::RegCloseKey(key);
    }

    // Creates (or opens) a key below HKEY_LOCAL_MACHINE with all access; closed when the test ends.
    plat::HKey Create(const char* path, plat::HKey root = plat::kHkeyLocalMachine) {
        plat::HKey key = 0;
        EXPECT_EQ(plat::RegCreateKeyEx(root, path, plat::kKeyAllAccess, &key, nullptr), 0) << path;
        return Keep(key);
    }
    plat::HKey Keep(plat::HKey key) {
        if (key) keys_.push_back(key);
        return key;
    }

    static long Set(plat::HKey key, const char* name, std::uint32_t type, std::string_view bytes) {
        return plat::RegSetValueEx(key, name, type, reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                   static_cast<std::uint32_t>(bytes.size()));
    }
    static long SetText(plat::HKey key, const char* name, std::string_view text) {
        return Set(key, name, plat::kRegSz, text);
    }
    // The stored bytes of a value; "<missing>" when it cannot be read.
    static std::string Get(plat::HKey key, const char* name, std::uint32_t* type = nullptr) {
        std::uint32_t size = 0;
        if (plat::RegQueryValueEx(key, name, type, nullptr, &size) != 0) return "<missing>";
        std::string bytes(size, '\0');
        if (plat::RegQueryValueEx(key, name, type, reinterpret_cast<std::uint8_t*>(bytes.data()), &size) != 0)
            return "<missing>";
        return bytes;
    }

    // The subkey names of a key in enumeration order.
    static std::vector<std::string> Subkeys(plat::HKey key) {
        std::vector<std::string> names;
        char name[256];
        for (std::uint32_t i = 0;; ++i) {
            std::uint32_t size = sizeof name;
            if (plat::RegEnumKeyEx(key, i, name, &size) != 0) break;
            names.emplace_back(name, size);
        }
        return names;
    }

    // The whole tree below a key as text: one line per key and per value (type and hex data).
    static std::string Dump(plat::HKey key, const std::string& indent = "") {
        std::string text;
        char name[16384];
        for (std::uint32_t i = 0;; ++i) {
            std::uint32_t nameSize = sizeof name, type = 0, dataSize = 0;
            if (plat::RegEnumValue(key, i, name, &nameSize, &type, nullptr, &dataSize) != 0) break;
            std::string data(dataSize, '\0');
            nameSize = sizeof name;
            plat::RegEnumValue(key, i, name, &nameSize, &type, reinterpret_cast<std::uint8_t*>(data.data()),
                               &dataSize);
            text += indent + std::string(name, nameSize) + " " + std::to_string(type) + ":";
            for (unsigned char c : data) {
                char hex[4];
                std::snprintf(hex, sizeof hex, "%02x", c);
                text += hex;
            }
            text += "\n";
        }
        for (const std::string& child : Subkeys(key)) {
            plat::HKey opened = 0;
            if (plat::RegOpenKeyEx(key, child.c_str(), plat::kKeyRead, &opened) != 0) continue;
            text += indent + "[" + child + "]\n" + Dump(opened, indent + "  ");
            plat::RegCloseKey(opened);
        }
        return text;
    }

    // Enables (or disables) both hive privileges for the process.
    static void EnableHivePrivileges(bool enable = true) {
        plat::TokenHandle token = 0;
        ASSERT_TRUE(plat::OpenProcessToken(plat::kTokenAdjustPrivileges, &token));
        const std::uint32_t attributes = enable ? std::uint32_t{plat::kSePrivilegeEnabled} : 0u;
        ASSERT_TRUE(plat::AdjustTokenPrivileges(
            token, false, {{plat::kSeBackupPrivilege, attributes}, {plat::kSeRestorePrivilege, attributes}}));
        plat::CloseTokenHandle(token);
    }

    TempPrefix prefix;

  private:
    std::vector<plat::HKey> keys_;
};

} // namespace tavo::test

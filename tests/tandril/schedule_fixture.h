#pragma once
// A machine for the schedule tests: the library in "C:\Lib\" with the service's database folder, a
// password library stand-in that records each login record it is given, and the files the
// schedule leaves, as expected byte for byte.
#include "platform/files.h"
#include "tandril/core/schedule_login.h"
#include "tandril_fixture.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace tavo::test {

class ScheduleTest : public TandrilTest {
  protected:
    static constexpr const char* kSettingsFile = "C:\\WINDOWS\\KwTavo_SChe.ini";
    static constexpr const char* kServiceList = "C:\\Lib\\KwMergeRes\\DB\\KWSChedule_Tavo.ini";
    static constexpr const char* kDatabaseFolder = "C:\\Lib\\KwMergeRes\\DB\\";
    // "admin" and "pw" scrambled with the key 0xC9.
    static constexpr const char* kScrambledAdmin = "\xA8\xAD\xA4\xA0\xA7";
    static constexpr const char* kScrambledPw = "\xB9\xBE";

    ScheduleTest() { plat::CreateFolderChain("C:\\Lib\\KwMergeRes\\DB"); }

    // GetPrivilege: answers `result` and leaves `granted` in the record; records what it was given.
    tandril::PrivilegeCheck Privilege() {
        return [this](int privilege, void* record) -> short {
            privileges.push_back(privilege);
            records.emplace_back(static_cast<const char*>(record), tandril::kLoginRecordSize);
            std::memcpy(static_cast<char*>(record) + tandril::kGrantedOffset, &granted, sizeof granted);
            return result;
        };
    }

    std::string Database(const std::string& name) const { return kDatabaseFolder + name; }
    bool Exists(const std::string& path) const {
        return plat::FileAttributes(path) != plat::kInvalidAttributes;
    }

    // The settings file of an active schedule saved with login admin / pw, all categories and the
    // default save path.
    static std::string SettingsFile(int type, int daySelect) {
        return "[Path]\r\nSERVICE_Path=C:\\Lib\\\r\nSave_Path=C:\\Lib\\Tavo_SCHE_Data\\\r\n"
               "[Schedule_Setting]\r\nActive=1\r\nCount=1\r\nType=" +
               std::to_string(type) + "\r\nDaySelect=" + std::to_string(daySelect) +
               "\r\n[Backup_Select]\r\n1=1\r\n2=1\r\n3=1\r\n4=1\r\n5=1\r\n"
               "[Param]\r\nlParam=" +
               kScrambledAdmin + "\r\nwParam=" + kScrambledPw + "\r\n";
    }
    static std::string ServiceList(const std::string& databaseName) {
        return "[Tavo]\r\nFileCount=1\r\nFile1=C:\\Lib\\KwMergeRes\\DB\\" + databaseName + "\r\n";
    }
    // Program path, parameter and value, each behind its 32-bit little-endian length.
    static std::string DatabaseContents() {
        return std::string("\x15\0\0\0", 4) + "C:\\Lib\\Tavo\\KWTAV.exe" + std::string("\x05\0\0\0", 4) +
               "/SCHE" + std::string("\x01\0\0\0", 4) + "0";
    }

    short result = 0;
    std::uint16_t granted = 1;
    std::vector<int> privileges;
    std::vector<std::string> records;
};

} // namespace tavo::test

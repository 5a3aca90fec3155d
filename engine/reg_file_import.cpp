#include "engine/reg_file_import.h"

#include "engine/registry_root.h"

namespace tavo {

namespace {

constexpr long kErrorAccessDenied = 5;

// No key can be made directly below HKEY_LOCAL_MACHINE or HKEY_USERS: its first name must be a
// hive that is there.
bool InAHive(const RegFileKey& key) {
    if (key.root != plat::kHkeyLocalMachine && key.root != plat::kHkeyUsers) return true;
    if (key.subKey.empty()) return true;
    const std::string hive = key.subKey.substr(0, key.subKey.find('\\'));
    plat::HKey opened = 0;
    if (plat::RegOpenKeyEx(key.root, hive.c_str(), plat::kKeyQueryValue, &opened) != 0) return false;
    plat::RegCloseKey(opened);
    return true;
}

} // namespace

RegFileImport ImportRegFile(const RegFileParse& parsed) {
    for (const RegFileKey& key : parsed.keys)
        if (!InAHive(key)) return {kErrorAccessDenied, KeyPathText(key.root, key.subKey)};
    for (const RegFileKey& key : parsed.keys) {
        plat::HKey handle = 0;
        const long created =
            plat::RegCreateKeyEx(key.root, key.subKey.c_str(), plat::kKeyAllAccess, &handle, nullptr);
        if (created != 0) return {created, KeyPathText(key.root, key.subKey)};
        for (const RegFileValue& value : key.values) {
            // The file gives the exact bytes. The registry adds a terminator to a string whose size
            // leaves it out when the byte after the data is a NUL, as the end of a std::string is:
            // the data is handed over with another byte behind it.
            const std::string buffer = value.data + '\x01';
            const long set = plat::RegSetValueEx(handle, value.name.c_str(), value.type,
                                                 reinterpret_cast<const std::uint8_t*>(buffer.data()),
                                                 static_cast<std::uint32_t>(value.data.size()));
            if (set != 0) {
                plat::RegCloseKey(handle);
                return {set, KeyPathText(key.root, key.subKey)};
            }
        }
        plat::RegCloseKey(handle);
    }
    return {};
}

} // namespace tavo

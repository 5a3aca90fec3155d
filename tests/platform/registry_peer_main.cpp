// Child process of the registry tests. On the machine prefix given first, below HKEY_LOCAL_MACHINE:
//   registry_peer PREFIX set-values KEY TAG COUNT    sets TAG0 ... TAG<COUNT-1>, one call each, then
//                                                    prints "done" and the number of failed calls;
//   registry_peer PREFIX delete-key KEY              deletes the key, then prints the result code;
//   registry_peer PREFIX restore-loop KEY HIVE...    restores the hives over the key in turn until
//                                                    killed, printing "restoring" once under way.
#include "platform/paths.h"
#include "platform/privileges.h"
#include "platform/registry.h"

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: registry_peer PREFIX set-values|delete-key|restore-loop KEY ...\n");
        return 2;
    }
    plat::SetPrefixFolder(argv[1]);
    const std::string mode = argv[2];
    const char* key = argv[3];
    if (mode == "set-values" && argc == 6) {
        plat::HKey opened = 0;
        if (plat::RegCreateKeyEx(plat::kHkeyLocalMachine, key, plat::kKeyAllAccess, &opened, nullptr) != 0)
            return 1;
        const std::string tag = argv[4];
        const long count = std::atol(argv[5]);
        long failed = 0;
        for (long i = 0; i < count; ++i) {
            const std::string name = tag + std::to_string(i);
            const auto data = static_cast<std::uint32_t>(i);
            if (plat::RegSetValueEx(opened, name.c_str(), plat::kRegDword,
                                    reinterpret_cast<const std::uint8_t*>(&data), sizeof data) != 0)
                ++failed;
        }
        std::printf("done %ld\n", failed);
        return 0;
    }
    if (mode == "delete-key") {
        std::printf("%ld\n", plat::RegDeleteKey(plat::kHkeyLocalMachine, key));
        return 0;
    }
    if (mode == "restore-loop" && argc > 4) {
        plat::TokenHandle token = 0;
        plat::OpenProcessToken(plat::kTokenAdjustPrivileges, &token);
        plat::AdjustTokenPrivileges(token, false,
                                    {{plat::kSeBackupPrivilege, plat::kSePrivilegeEnabled},
                                     {plat::kSeRestorePrivilege, plat::kSePrivilegeEnabled}});
        plat::HKey opened = 0;
        if (plat::RegCreateKeyEx(plat::kHkeyLocalMachine, key, plat::kKeyAllAccess, &opened, nullptr) != 0)
            return 1;
        for (long round = 0;; ++round) {
            if (plat::RegRestoreKey(opened, argv[4 + round % (argc - 4)], plat::kRegForceRestore) != 0)
                return 1;
            if (round == 0) {
                std::printf("restoring\n");
                std::fflush(stdout);
            }
        }
    }
    std::fprintf(stderr, "registry_peer: bad arguments\n");
    return 2;
}

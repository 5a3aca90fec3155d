// Faults the crash loops found, each pinned at the step that showed it.
#include "fault_loop.h"

#include "engine/drivers.h"
#include "engine/path_roots.h"
#include "engine/reg_file_import.h"
#include "engine/reg_file_parser.h"
#include "engine/registry_tree_actions.h"
#include "engine/run_log.h"

#include <filesystem>

namespace tavo::test {
namespace {

class FoundFaults : public ::testing::Test {
  protected:
    FoundFaults() { UseFaultRoots(); }
    ~FoundFaults() override {
        plat::io::Disarm();
        Roots() = PathRoots{};
        CurrentRunLog().Clear();
    }
    static std::string FailedDetails() {
        std::string details;
        for (const RunLogEntry& entry : CurrentRunLog().entries())
            if (entry.event == RunEvent::Failed) details += entry.path + ": " + entry.detail + "\n";
        return details;
    }

    FaultMachine machine;
};

// The old hive used to be deleted before the save, so a full disk lost the older packup's hive.
TEST_F(FoundFaults, AHiveSaveThatFailsKeepsTheOlderPackupsHive) {
    const RegFileImport imported =
        ImportRegFile(ParseRegFile("Windows Registry Editor Version 5.00\n\n"
                                   "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Site]\n\"A\"=\"1\"\n"));
    ASSERT_EQ(imported.error, 0);
    machine.WriteHost("C:\\Pkg\\Reg\\Site.hiv", "the hive of an older packup");
    plat::io::FailAt(1, ENOSPC);
    EXPECT_EQ(SaveHive(plat::kHkeyLocalMachine, "SOFTWARE\\Site", "C:\\Pkg\\Reg\\Site.hiv"), 0);
    plat::io::Disarm();
    EXPECT_EQ(machine.ReadHost("C:\\Pkg\\Reg\\Site.hiv"), "the hive of an older packup");
    EXPECT_FALSE(std::filesystem::exists(machine.HostOf("C:\\Pkg\\Reg\\Site.hiv.new")));
    EXPECT_NE(FailedDetails().find("RegSaveKey FAILED, error 112; C:\\Pkg\\Reg\\Site.hiv kept as it was"),
              std::string::npos)
        << FailedDetails();

    // Saved again, the new hive replaces the old one.
    EXPECT_EQ(SaveHive(plat::kHkeyLocalMachine, "SOFTWARE\\Site", "C:\\Pkg\\Reg\\Site.hiv"), 1);
    EXPECT_EQ(machine.ReadHost("C:\\Pkg\\Reg\\Site.hiv").substr(0, 8), "TAVOHIVE");
}

// A list INI whose restore failed still names the live files of before; the files its restore
// would have brought back were deleted when the package lacked them.
TEST_F(FoundFaults, FilesNamedByAListWhoseRestoreFailedAreKeptAndThePackagesListComesBack) {
    machine.WriteHost("C:\\Prog\\Action\\Sounds.ini",
                      "[GENERAL]\r\nINI_KW_PATH_ALL=1\r\nFILE_KW_PATH_IN_INI=1\r\n"
                      "[INI_KW_PATH_ALL]\r\nIGPA_1=Sound.ini\r\n"
                      "[FILE_KW_PATH_IN_INI]\r\nFGPII_1_FILE=Sound.ini\r\nFGPII_1_STYLE=5\r\n"
                      "FGPII_1_DATA_APPNAME=Alarm\r\nFGPII_1_DATA_KEYNAME=Sound%d\r\n"
                      "FGPII_1_RANGE_1_BASED=1\r\nFGPII_1_RANGE_1_MAX=2\r\n");
    machine.WriteHost("C:\\Pkg\\Sound.ini",
                      "[Alarm]\r\nSound1=Sounds\\Bell.wav\r\nSound2=Sounds\\Horn.wav\r\n");
    machine.WriteHost("C:\\Pkg\\Sounds\\Bell.wav", "package bell");
    machine.WriteHost("C:\\Pkg\\Sounds\\Horn.wav", "package horn");
    const std::string liveList = "[Alarm]\r\nSound1=Sounds\\Bell.wav\r\nSound2=Sounds\\Siren.wav\r\n";
    machine.WriteHost("C:\\DVR\\Sound.ini", liveList);
    machine.WriteHost("C:\\DVR\\Sounds\\Bell.wav", "live bell");
    machine.WriteHost("C:\\DVR\\Sounds\\Siren.wav", "live siren");

    plat::io::FailAt(1, ENOSPC); // the copy of the list
    EXPECT_EQ(RunPackupRestore("C:\\Prog\\Action\\Sounds.ini", "", 0, 1), 1);
    plat::io::Disarm();
    EXPECT_EQ(machine.ReadHost("C:\\DVR\\Sound.ini"), liveList);
    EXPECT_EQ(machine.ReadHost("C:\\DVR\\Sounds\\Siren.wav"), "live siren") << "the live list still uses it";
    EXPECT_EQ(machine.ReadHost("C:\\DVR\\Sounds\\Bell.wav"), "package bell");
    EXPECT_EQ(machine.ReadHost("C:\\DVR\\Sounds\\Horn.wav"), "package horn");
    EXPECT_EQ(FailedDetails().find("C:\\DVR\\Sound.ini: copy from C:\\Pkg\\Sound.ini failed, error 112"), 0u)
        << FailedDetails();
}

} // namespace
} // namespace tavo::test

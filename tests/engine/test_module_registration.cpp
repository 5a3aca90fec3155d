// The machine GUID and the registration of the module INI files to the machine being restored.
#include "engine/file_actions.h"
#include "engine/module_registration.h"
#include "engine_fixture.h"
#include "platform/profile.h"
#include "platform/system.h"

#include <gtest/gtest.h>

#include <string>

namespace tavo::test {
namespace {

constexpr const char* kPlaceholder = "00000000-0000-0000-0000-000000000001";
constexpr const char* kModules = "C:\\Pkg\\ORVRIOM.INI";
constexpr const char* kImports = "C:\\Pkg\\ORVWT.INI";

class ModuleRegistration : public EngineTest {
  protected:
    std::string MachineGuid() {
        plat::Guid guid;
        EXPECT_EQ(GetMachineGuid(&guid), 1);
        return plat::GuidToText(guid);
    }
    static std::string Computer() { return plat::ComputerNameText(); }
};

TEST_F(ModuleRegistration, TheMachineGuidIsCreatedOnceAndKept) {
    for (const char* stored : {"", "[MAIN]\r\nGUID=\r\n", "[MAIN]\r\nGUID=not-a-guid\r\n"}) {
        SCOPED_TRACE(stored);
        if (*stored) Write("C:\\WINDOWS\\GUID.ini", stored);
        const std::string first = MachineGuid();
        EXPECT_TRUE(plat::GuidFromText(first));
        EXPECT_EQ(plat::ProfileString("GUID.ini", "MAIN", "GUID"), first);
        EXPECT_EQ(MachineGuid(), first);
    }
    // A GUID the file holds in another spelling is taken as it is, and the file is left alone.
    const std::string braced = "[MAIN]\r\nGUID={5E1B7C1A-3F0E-4A7B-9C61-0D2F4B8E9A11}\r\n";
    Write("C:\\WINDOWS\\GUID.ini", braced);
    EXPECT_EQ(MachineGuid(), "5e1b7c1a-3f0e-4a7b-9c61-0d2f4b8e9a11");
    EXPECT_EQ(Read("C:\\WINDOWS\\GUID.ini"), braced);
}

TEST_F(ModuleRegistration, ImportsUpToTheImportNumberTakeTheMachineGuid) {
    const std::string p = kPlaceholder;
    const std::string untouched = "[Setup]\r\nImportNumber=0\r\nImport1=a," + p + "\r\n";
    Write(kImports, untouched);
    EXPECT_EQ(RegisterImports(kImports), 1);
    EXPECT_EQ(Read(kImports), untouched);
    EXPECT_FALSE(IsFile("C:\\WINDOWS\\GUID.ini")) << "no import to register needs no GUID";

    Write(kImports, "[Setup]\r\nImportNumber=2\r\nImport1=" + p + "|" + p + "\r\nImport2=x" + p +
                        "y\r\nImport3=" + p + "\r\nImport02=" + p + "\r\n");
    EXPECT_EQ(RegisterImports(kImports), 1);
    const std::string guid = MachineGuid();
    EXPECT_EQ(plat::ProfileString(kImports, "Setup", "Import1"), guid + "|" + guid);
    EXPECT_EQ(plat::ProfileString(kImports, "Setup", "Import2"), "x" + guid + "y");
    EXPECT_EQ(plat::ProfileString(kImports, "Setup", "Import3"), p) << "beyond ImportNumber";
    EXPECT_EQ(plat::ProfileString(kImports, "Setup", "Import02"), p) << "not a name Import%d forms";
}

TEST_F(ModuleRegistration, ModulesFromNLocalBelowModualCntTakeTheMachineGuidAndComputerName) {
    const std::string p = kPlaceholder;
    const std::string setup = "1,L_oca_l," + p + ",x";
    std::string text = "[RIOM]\r\nModualCnt=4\r\nnLocal=2\r\nVModualCnt=1\r\n";
    for (int i = 0; i <= 4; ++i)
        text += "[Modual" + std::to_string(i) + "]\r\nSetupStr=" + setup + "\r\n";
    text += "[Modual9]\r\nSetupStr=" + p + "\r\n";
    Write(kModules, text);
    EXPECT_EQ(RegisterModules(kModules), 1);
    const std::string rewritten = "1," + Computer() + "," + MachineGuid() + ",x";
    for (int i = 0; i <= 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(plat::ProfileString(kModules, "Modual" + std::to_string(i), "SetupStr"),
                  i == 2 || i == 3 ? rewritten : setup);
    }

    // Without the commas around it the placeholder is not a GUID field of the setup string.
    const std::string bare = "[RIOM]\r\nModualCnt=1\r\nVModualCnt=1\r\n[Modual0]\r\nSetupStr=" + p + ",L_oca_l\r\n";
    Write(kModules, bare);
    EXPECT_EQ(RegisterModules(kModules), 1);
    EXPECT_EQ(Read(kModules), bare);
}

TEST_F(ModuleRegistration, ModuleFilesWithoutModulesAreLeftAlone) {
    const std::string setup = std::string("[Modual0]\r\nSetupStr=,") + kPlaceholder + ",L_oca_l,\r\n";
    for (const char* riom : {"ModualCnt=0\r\nVModualCnt=1", "ModualCnt=1\r\nVModualCnt=0",
                             "ModualCnt=-3\r\nVModualCnt=1", "VModualCnt=1"}) {
        SCOPED_TRACE(riom);
        const std::string text = std::string("[RIOM]\r\n") + riom + "\r\n" + setup;
        Write(kModules, text);
        EXPECT_EQ(RegisterModules(kModules), 1);
        EXPECT_EQ(Read(kModules), text);
    }
}

TEST_F(ModuleRegistration, DamagedCountsAndLongValuesAreHandledWhole) {
    // A count of two billion finishes at once: only the sections the file holds are visited.
    const std::string longSetup = std::string(3000, 'a') + "," + kPlaceholder + ",";
    Write(kModules, "[RIOM]\r\nModualCnt=2000000000\r\nnLocal=-2000000000\r\nVModualCnt=1\r\n[Modual1999999]\r\n"
                    "SetupStr=" + longSetup + "\r\n");
    EXPECT_EQ(RegisterModules(kModules), 1);
    EXPECT_EQ(plat::ProfileString(kModules, "Modual1999999", "SetupStr"),
              std::string(3000, 'a') + "," + MachineGuid() + ",");
}

TEST_F(ModuleRegistration, RestoreRegistersTheLiveCopyAndKeepsThePackageForTheNextMachine) {
    UsePreparedRoots();
    WriteActionFile("[GENERAL]\r\nINI_WINDOW_PATH_ALL=3\r\n[INI_WINDOW_PATH_ALL]\r\nIWPA_1=OrvRIOM.ini\r\n"
                    "IWPA_2=orvwt.ini\r\nIWPA_3=Other.ini\r\n");
    const std::string p = kPlaceholder;
    const std::string modules = "[RIOM]\r\nModualCnt=1\r\nVModualCnt=1\r\n[Modual0]\r\nSetupStr=,L_oca_l,\r\n";
    const std::string imports = "[Setup]\r\nImportNumber=1\r\nImport1=" + p + "\r\n";
    const std::string other = "[Setup]\r\nImportNumber=1\r\nImport1=" + p + "\r\n";
    Write("C:\\Pkg\\OrvRIOM.ini", modules);
    Write("C:\\Pkg\\orvwt.ini", imports);
    Write("C:\\Pkg\\Other.ini", other);

    RestoreIniWindowPathAll(kActionFile, kPackage);
    const std::string guid = MachineGuid();
    EXPECT_EQ(plat::ProfileString("C:\\WINDOWS\\OrvRIOM.ini", "Modual0", "SetupStr"), "," + Computer() + ",");
    EXPECT_EQ(plat::ProfileString("C:\\WINDOWS\\orvwt.ini", "Setup", "Import1"), guid);
    EXPECT_EQ(Read("C:\\WINDOWS\\Other.ini"), other);
    EXPECT_EQ(Read("C:\\Pkg\\OrvRIOM.ini"), modules);
    EXPECT_EQ(Read("C:\\Pkg\\orvwt.ini"), imports);

    RestoreIniWindowPathAll(kActionFile, kPackage);
    EXPECT_EQ(plat::ProfileString("C:\\WINDOWS\\orvwt.ini", "Setup", "Import1"), guid) << "the GUID is kept";
}

} // namespace
} // namespace tavo::test

#include "engine/copy.h"
#include "engine/drivers.h"
#include "engine/launcher_handoff.h"
#include "engine_fixture.h"

namespace tavo::test {
namespace {

// A host that records what the engine hands over.
std::vector<std::string>& Calls() {
    static std::vector<std::string> calls;
    return calls;
}
int g_count = 0;

const LauncherHost kRecordingHost{
    [] { return g_count; },
    [](int previous, int next) { Calls().push_back(std::to_string(previous) + "->" + std::to_string(next)); },
    [](int previous, int next, std::string_view suite) {
        Calls().push_back(std::to_string(previous) + "->" + std::to_string(next) + " in " +
                          std::string(suite));
    }};

class LauncherHandOff : public EngineTest {
  protected:
    LauncherHandOff() {
        UsePreparedRoots();
        Calls().clear();
        g_count = 0;
        SetLauncherHost(&kRecordingHost);
        Write("C:\\Prog\\Action\\General.ini", "[GENERAL]\n");
        Write("C:\\Prog\\Action\\GENERAL.INI.bak", "[GENERAL]\n");
    }
    ~LauncherHandOff() override { SetLauncherHost(nullptr); }
};

TEST_F(LauncherHandOff, ARestoreOfTheGeneralItemAlwaysBringsTheButtonInLine) {
    RunPackupRestore("C:\\Prog\\Action\\General.ini", "", 0, 1);
    g_count = 4;
    RunPackupRestore("C:\\Prog\\Action\\General.ini", "", 0, 1);
    InstallFolder(1).clear();
    RunPackupRestore("C:\\Prog\\Action\\General.ini", "", 0, 1);
    EXPECT_EQ(Calls(), (std::vector<std::string>{"1->0 in C:\\DVR\\", "0->4 in C:\\DVR\\", "0->4"}));
}

TEST_F(LauncherHandOff, OnlyAnActionFileNamedGeneralIniInThatCaseHandsOver) {
    g_count = 2;
    RunPackupRestore("C:\\Prog\\Action\\GENERAL.INI.bak", "", 0, 1);
    RunDefaults("C:\\Prog\\Action\\GENERAL.INI.bak");
    RunPackupRestore("C:\\Prog\\Action\\General.ini", "", 1, 1);
    EXPECT_TRUE(Calls().empty());
}

TEST_F(LauncherHandOff, DefaultsRemoveTheButtonOnlyWhenThereAreApplications) {
    RunDefaults("C:\\Prog\\Action\\General.ini");
    EXPECT_TRUE(Calls().empty());
    g_count = 3;
    RunDefaults("C:\\Prog\\Action\\General.ini");
    EXPECT_EQ(Calls(), std::vector<std::string>{"3->0 in C:\\DVR\\"});
}

TEST_F(LauncherHandOff, CopyingTheUserDefineIniReportsTheCountsBeforeAndAfter) {
    Write("C:\\WINDOWS\\OrvUserDefine.ini", "[General]\r\nCount=5\r\n");
    Write("C:\\Pkg\\OrvUserDefine.ini", "[General]\r\nCount=3\r\n");
    EXPECT_EQ(CopyOneFile("C:\\Pkg\\OrvUserDefine.ini", "C:\\WINDOWS\\OrvUserDefine.ini", 0, 1), 1);
    EXPECT_EQ(Read("C:\\WINDOWS\\OrvUserDefine.ini"), "[General]\r\nCount=3\r\n");
    // A missing source still removes the live list, and tells the library.
    EXPECT_EQ(CopyOneFile("C:\\Pkg\\Gone\\orvuserdefine.INI", "C:\\WINDOWS\\OrvUserDefine.ini", 0, 1), 1);
    EXPECT_FALSE(Exists("C:\\WINDOWS\\OrvUserDefine.ini"));
    EXPECT_EQ(Calls(), (std::vector<std::string>{"5->3 in C:\\DVR\\", "3->0 in C:\\DVR\\"}));

    // Without a host the file is copied and nothing is handed over.
    SetLauncherHost(nullptr);
    EXPECT_EQ(CopyOneFile("C:\\Pkg\\OrvUserDefine.ini", "C:\\WINDOWS\\OrvUserDefine.ini", 0, 1), 1);
    EXPECT_EQ(Calls().size(), 2u);
}

} // namespace
} // namespace tavo::test

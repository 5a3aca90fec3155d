#include "tandril/core/library_routines.h"
#include "tandril/core/menu_select.h"
#include "tandril/core/user_define_edit.h"
#include "tandril/core/user_define_launch.h"
#include "tandril/core/user_define_list.h"
#include "tandril_fixture.h"

#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <thread>

namespace tavo::test {
namespace {

using tandril::UserDefineEntry;

class UserDefines : public TandrilTest {
  protected:
    // A program that writes its arguments into "<name>.ran" beside itself.
    std::string WriteRecorder(const std::string& name) const {
        const std::string path = "C:\\Apps\\" + name + ".sh";
        prefix.WriteHost(path, "#!/bin/sh\necho \"$@\" > \"$(dirname \"$0\")/" + name +
                                   ".part\"\n"
                                   "mv \"$(dirname \"$0\")/" +
                                   name + ".part\" \"$(dirname \"$0\")/" + name + ".ran\"\n");
        chmod(prefix.HostOf(path).c_str(), 0755);
        return path;
    }
    // What the program was started with; nullopt when it did not run within a few seconds.
    std::optional<std::string> Ran(const std::string& name, std::chrono::milliseconds wait) const {
        const std::string host = prefix.HostOf("C:\\Apps\\" + name + ".ran");
        for (auto end = std::chrono::steady_clock::now() + wait; std::chrono::steady_clock::now() < end;) {
            if (std::filesystem::exists(host)) return prefix.ReadHost("C:\\Apps\\" + name + ".ran");
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return std::nullopt;
    }
};

TEST_F(UserDefines, TheCountIsLimitedToTwentyAndAMissingFileHasNone) {
    EXPECT_EQ(tandril::GetUserDefineCount(), 0);
    EXPECT_TRUE(tandril::LoadUserDefines().empty());
    const std::pair<int, int> cases[] = {{0, 0}, {1, 1}, {20, 20}, {25, 20}, {-3, 0}};
    for (const auto& [stored, expected] : cases) {
        WriteUserDefines(Numbered(3), stored);
        EXPECT_EQ(tandril::GetUserDefineCount(), expected) << stored;
    }
    WriteUserDefines(Numbered(25));
    const std::vector<UserDefineEntry> loaded = tandril::LoadUserDefines();
    ASSERT_EQ(loaded.size(), 20u);
    EXPECT_EQ(loaded.back().application, "App20");
}

TEST_F(UserDefines, TheTipIsTheOnlyEntrysNameCutElseTheListTitle) {
    prefix.WriteHost(kTextFile, "[General]\r\nText_X81_Title_UserDefine=User Define\r\n");
    WriteUserDefines({{std::string(40, 'n'), "C:\\Apps\\a.exe", ""}});
    EXPECT_EQ(tandril::UserDefineTip(), std::string(31, 'n'));
    for (int count : {0, 2, 5}) {
        WriteUserDefines(Numbered(5), count);
        EXPECT_EQ(tandril::UserDefineTip(), "User Define") << count;
    }
    prefix.WriteHost(kTextFile, "");
    EXPECT_EQ(tandril::UserDefineTip(), "");
}

TEST_F(UserDefines, TheOnlyEntryStartsAtOnceWithItsParameters) {
    WriteUserDefines({{"Recorder", WriteRecorder("one"), "-a b"}});
    tandril::DoUserDefine(&op);
    EXPECT_EQ(Ran("one", std::chrono::seconds(10)), "-a b\n");
    EXPECT_TRUE(op.calls().empty()) << op.Transcript();
}

TEST_F(UserDefines, SeveralEntriesArePickedFromAMenuOfAtMostTwenty) {
    std::vector<UserDefineEntry> entries = Numbered(25);
    entries[1] = {"Second", WriteRecorder("second"), "x"};
    WriteUserDefines(entries);
    op.AnswerMenu(1);
    tandril::DoUserDefine(&op);
    EXPECT_EQ(Ran("second", std::chrono::seconds(10)), "x\n");
    const std::vector<std::string> menus = op.CallsStartingWith("menu");
    ASSERT_EQ(menus.size(), 1u);
    EXPECT_TRUE(menus[0].starts_with("menu App1 | Second | App3")) << menus[0];
    EXPECT_TRUE(menus[0].ends_with("| App20")) << menus[0];
}

TEST_F(UserDefines, NothingStartsWithoutAChoiceAFileOrAnyEntry) {
    WriteUserDefines({{"Recorder", WriteRecorder("two"), ""}, {"No file", "", ""}});
    tandril::DoUserDefine(&op); // dismissed: no answer scripted
    op.AnswerMenu(1);
    tandril::DoUserDefine(&op); // the entry without a file
    WriteUserDefines({});
    tandril::DoUserDefine(&op);
    EXPECT_EQ(op.CallsStartingWith("menu").size(), 2u);
    EXPECT_FALSE(Ran("two", std::chrono::milliseconds(500)));
}

TEST_F(UserDefines, TheListEditsInMemoryAndCommitWritesTheCountAndEntries) {
    WriteUserDefines(Numbered(3));
    tandril::UserDefineList list;
    EXPECT_EQ(list.openingCount(), 3);
    EXPECT_FALSE(list.CanModify());
    list.Select(2);
    EXPECT_TRUE(list.Remove());
    EXPECT_EQ(list.selection(), -1); // the last row went
    list.Select(0);
    EXPECT_TRUE(list.Modify({"First", "C:\\Apps\\first.exe", "p"}));
    EXPECT_TRUE(list.Remove());
    EXPECT_EQ(list.selection(), 0); // the row that took its place
    EXPECT_EQ(list.entries()[0].application, "App2");
    EXPECT_EQ(tandril::GetUserDefineCount(), 3); // nothing written yet

    plat::WriteProfileString("OrvMulti.ini", "General", "InstallPath", "C:\\Suite\\Dvr.exe");
    prefix.WriteHost("C:\\Suite\\CommRes\\skinNTSC_e.ini", "");
    EXPECT_TRUE(list.Commit(&op));
    EXPECT_EQ(tandril::GetUserDefineCount(), 1);
    EXPECT_EQ(tandril::ReadUserDefine(1).application, "App2");
    // Sections above the count stay as they were.
    EXPECT_EQ(tandril::ReadUserDefine(3).application, "App3");
    // The button now shows the one application: 3 -> 1 rebuilt the lines without removing key 5.
    EXPECT_EQ(plat::ProfileString("C:\\Suite\\CommRes\\skinNTSC_e.ini", "Button5", "1"),
              "USER,734,375,0,0,56,32,App2,FALSE");
}

TEST_F(UserDefines, TheListHoldsAtMostTwentyEntries) {
    WriteUserDefines(Numbered(19));
    tandril::UserDefineList list;
    EXPECT_TRUE(list.CanAdd());
    EXPECT_TRUE(list.Add({"Twenty", "C:\\Apps\\t.exe", ""}));
    EXPECT_FALSE(list.CanAdd());
    EXPECT_FALSE(list.Add({"One more", "C:\\Apps\\m.exe", ""}));
    list.Select(19);
    list.Remove();
    EXPECT_TRUE(list.CanAdd());
    list.Select(40);
    EXPECT_EQ(list.selection(), -1);
}

TEST_F(UserDefines, TheEditKeepsItsFieldsWithinTheirLengthsAndChoosesAnExistingProgram) {
    tandril::UserDefineEdit edit(tandril::EditMode::Modify, {"Viewer", "C:\\Apps\\Old\\view.exe", ""});
    edit.SetApplication(std::string(40, 'a'));
    edit.SetParam(std::string(120, 'p'));
    EXPECT_EQ(edit.values().application.size(), tandril::kApplicationLimit);
    EXPECT_EQ(edit.values().param.size(), tandril::kParamLimit);

    const std::string longPath = "C:\\" + std::string(130, 'd') + "\\x.exe";
    op.AnswerFile("C:\\Apps\\new.exe").AnswerFile(longPath).CancelFile();
    EXPECT_TRUE(edit.ChooseFile(op));
    EXPECT_EQ(edit.values().file, "C:\\Apps\\new.exe");
    // A path longer than the field would be started cut short: it is not taken.
    EXPECT_FALSE(edit.ChooseFile(op));
    EXPECT_FALSE(edit.ChooseFile(op));
    EXPECT_EQ(edit.values().file, "C:\\Apps\\new.exe");
    // Titled with the name as the dialog opened, on the current file's folder.
    const std::vector<std::string> prompts = op.CallsStartingWith("file?");
    ASSERT_EQ(prompts.size(), 3u);
    EXPECT_EQ(prompts[0], "file? Viewer | C:\\Apps\\Old\\ | Exe file (*.exe)|*.exe|All files (*.*)|*.*||");
    EXPECT_EQ(prompts[1], "file? Viewer | C:\\Apps\\ | Exe file (*.exe)|*.exe|All files (*.*)|*.*||");

    tandril::UserDefineEdit add(tandril::EditMode::Add, {});
    EXPECT_FALSE(add.CanAccept());
}

TEST_F(UserDefines, TheSharedRoutines) {
    // The text file of the library folder, integers and strings.
    prefix.WriteHost(kTextFile, "[General]\r\nSTYLE_RTL=1\r\nText_BTN_OK=OK\r\n");
    std::string text = "old";
    int number = 9;
    tandril::ReadMenuSelectValue("General", "STYLE_RTL", tandril::kMenuSelectInteger, text, number, 0);
    EXPECT_EQ(number, 1);
    tandril::ReadMenuSelectValue("General", "Missing", tandril::kMenuSelectString, text, number, 0);
    EXPECT_EQ(text, "");
    EXPECT_EQ(tandril::MenuSelectText("general", "text_btn_ok"), "OK");

    // Folders: a whole missing chain is made; what exists is taken.
    EXPECT_TRUE(tandril::EnsureDirectory("C:\\A\\B\\C"));
    EXPECT_TRUE(std::filesystem::is_directory(prefix.HostOf("C:\\A\\B\\C")));
    EXPECT_TRUE(tandril::EnsureDirectory("C:\\A\\B\\C"));
    EXPECT_FALSE(tandril::EnsureDirectory("relative\\x"));

    // Events: a global name is shared; an empty name gives an unnamed event.
    const plat::Handle first = tandril::CreateNamedEvent(false, "Tandril_Test_Event", true);
    ASSERT_NE(first, 0u);
    const plat::Handle opened = plat::OpenEventNamed("Global\\Tandril_Test_Event");
    ASSERT_NE(opened, 0u);
    EXPECT_TRUE(plat::SetEventSignal(opened));
    EXPECT_EQ(plat::WaitForObject(first, 0), plat::kWaitObject0);
    const plat::Handle unnamed = tandril::CreateNamedEvent(true, "", true);
    ASSERT_NE(unnamed, 0u);
    EXPECT_EQ(plat::WaitForObject(unnamed, 0), plat::kWaitObject0);
    for (plat::Handle handle : {first, opened, unnamed})
        plat::CloseObjectHandle(handle);
}

} // namespace
} // namespace tavo::test

// The backup schedule without its window: the scrambled login, the login record, the files left for
// the schedule service byte for byte, the validation at OK and the controls' rules.
#include "platform/profile.h"
#include "schedule_fixture.h"
#include "sentrix.h"
#include "tandril/core/schedule_setting.h"
#include "tandril/core/schedule_texts.h"

#include <functional>

namespace tavo::test {
namespace {

using tandril::ScheduleSetting;

TEST(ScrambleText, CombinesEachByteWithTheKeyAndEndsAtAKeyCharacter) {
    EXPECT_EQ(tandril::ScrambleText("admin"), "\xA8\xAD\xA4\xA0\xA7");
    EXPECT_EQ(tandril::ScrambleText(tandril::ScrambleText("S3cret \xE4!")), "S3cret \xE4!");
    EXPECT_EQ(tandril::ScrambleText(""), "");
    // As stored by the suite: a character equal to the key scrambles to a zero byte and ends the text.
    EXPECT_EQ(tandril::ScrambleText("ad\xC9min"), "\xA8\xAD");
}

TEST(ScrambleText, TellsWhichTextsTheSettingsFileKeepsUnchanged) {
    struct Case {
        const char* text;
        bool storable;
    };
    const Case cases[] = {
        {"", true},
        {"Operator 7", true},
        {"caf\xE9 au lait", true}, // 0xE9 scrambles to a space: kept inside the value
        {"ad\xC9min", false},      // 0xC9: a zero byte, the text would end there
        {"\xC9", false},
        {"a\xC3z", false},    // a line break
        {"a\xC4z", false},    // a carriage return
        {"caf\xE9", false},   // a trailing blank, trimmed on reading
        {"\xC0x", false},     // a leading tab
        {"\xEBx\xEB", false}, // a pair of quotes, removed on reading
        {"\xEB", true},
        {"\xEBx\xEE", true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(tandril::CanStoreScrambled(c.text), c.storable) << c.text;
        if (!c.storable) continue;
        // What can be stored reads back as it was written.
        plat::WriteProfileString("Check.ini", "Param", "lParam", tandril::ScrambleText(c.text));
        EXPECT_EQ(tandril::ScrambleText(plat::ProfileString("Check.ini", "Param", "lParam")), c.text);
    }
}

TEST(LoginRecord, HoldsTheTextsInTheirRoomAndTheGrantedValue) {
    const tandril::LoginRecord record = tandril::MakeLoginRecord("admin", "pw");
    std::string expected(204, '\0');
    expected.replace(0, 5, "admin");
    expected.replace(33, 2, "pw");
    expected[68] = 1;
    EXPECT_EQ(std::string(record.begin(), record.end()), expected);

    const std::string longest(40, 'u');
    const tandril::LoginRecord cut = tandril::MakeLoginRecord(longest, std::string(40, 'p'));
    EXPECT_EQ(std::string(cut.begin(), cut.begin() + 33), std::string(32, 'u') + '\0');
    EXPECT_EQ(std::string(cut.begin() + 33, cut.begin() + 68), std::string(34, 'p') + '\0');
}

TEST(LoginRecord, IsReadByThePasswordLibrary) {
    TempPrefix prefix;
    ASSERT_EQ(SentrixAddUser("backup", "Tape-Drive-9"), 0);
    ASSERT_EQ(SentrixAddUser("viewer", "Look-Only-1"), 0);
    ASSERT_EQ(SentrixGrantPrivilege("backup", 10), 0);
    ASSERT_EQ(SentrixGrantPrivilege("viewer", 9), 0);
    EXPECT_TRUE(tandril::HoldsBackupRight(&GetPrivilege, "backup", "Tape-Drive-9"));
    EXPECT_FALSE(tandril::HoldsBackupRight(&GetPrivilege, "backup", "Tape-Drive-8"));
    EXPECT_FALSE(tandril::HoldsBackupRight(&GetPrivilege, "viewer", "Look-Only-1"));
    EXPECT_FALSE(tandril::HoldsBackupRight(&GetPrivilege, "nobody", ""));
}

// The files of a saved schedule, byte for byte.
class ScheduleFiles : public ScheduleTest {
  protected:
    // Opens the dialog, lets `choose` set the schedule, logs in as admin / pw and confirms.
    void Save(const std::function<void(ScheduleSetting&)>& choose) {
        ScheduleSetting setting(Privilege());
        choose(setting);
        setting.SetUserId("admin");
        setting.SetPassword("pw");
        ASSERT_TRUE(setting.Confirm(op)) << op.Transcript();
    }
    void ExpectFiles(int type, int daySelect, const std::string& databaseName) {
        EXPECT_EQ(prefix.ReadHost(kSettingsFile), SettingsFile(type, daySelect));
        EXPECT_EQ(prefix.ReadHost(kServiceList), ServiceList(databaseName));
        EXPECT_EQ(prefix.ReadHost(Database(databaseName)), DatabaseContents());
    }
    static void SwitchOn(ScheduleSetting& setting) {
        if (!setting.controls().active) setting.ToggleActive();
    }
};

TEST_F(ScheduleFiles, DailySchedule) {
    Save([](ScheduleSetting& s) { SwitchOn(s); });
    ExpectFiles(0, 0, "Tavo_DVR_D01111111_000099.kwj");
    EXPECT_TRUE(op.messages().empty());
}

TEST_F(ScheduleFiles, WeeklyScheduleMovedFromMondayToTuesdayReplacesItsDatabaseFile) {
    Save([](ScheduleSetting& s) {
        SwitchOn(s);
        s.ChooseType(tandril::kWeeklySchedule);
        s.SelectWeekDay(1);
    });
    ExpectFiles(1, 1, "Tavo_DVR_D01000000_000099.kwj");

    // Opened again: the stored schedule is shown and its file known.
    Save([this](ScheduleSetting& s) {
        EXPECT_EQ(s.databaseFile(), Database("Tavo_DVR_D01000000_000099.kwj"));
        EXPECT_EQ(s.controls().weekDay, 1);
        s.SelectWeekDay(2);
    });
    ExpectFiles(1, 2, "Tavo_DVR_D00100000_000099.kwj");
    EXPECT_FALSE(Exists(Database("Tavo_DVR_D01000000_000099.kwj")));
}

TEST_F(ScheduleFiles, MonthlyScheduleOnDayThreeThenOnDayThirtyOne) {
    Save([](ScheduleSetting& s) {
        SwitchOn(s);
        s.ChooseType(tandril::kMonthlySchedule);
        s.SelectMonthDay(2);
    });
    ExpectFiles(2, 2, "Tavo_DVR_M00000000004_000099.kwj");

    Save([](ScheduleSetting& s) { s.SelectMonthDay(30); });
    ExpectFiles(2, 30, "Tavo_DVR_M01073741824_000099.kwj");
    EXPECT_FALSE(Exists(Database("Tavo_DVR_M00000000004_000099.kwj")));
}

TEST_F(ScheduleFiles, SavingTheSameScheduleAgainOverwritesItsDatabaseFile) {
    Save([](ScheduleSetting& s) { SwitchOn(s); });
    prefix.WriteHost(Database("Tavo_DVR_D01111111_000099.kwj"), "damaged, and longer than the three records");
    Save([](ScheduleSetting&) {});
    ExpectFiles(0, 0, "Tavo_DVR_D01111111_000099.kwj");
    EXPECT_EQ(plat::ListFiles(std::string(kDatabaseFolder) + "*.kwj")->size(), 1u);
}

TEST_F(ScheduleFiles, StoredSettingsAreShownAsTheyWereSaved) {
    prefix.WriteHost(kSettingsFile, std::string("[Schedule_Setting]\r\nActive=1\r\nCount=1\r\nType=1\r\n"
                                                "DaySelect=6\r\n[Backup_Select]\r\n1=1\r\n2=0\r\n3=1\r\n"
                                                "4=0\r\n5=1\r\n[Path]\r\nSave_Path=C:\\Backups\\Dvr\\\r\n"
                                                "[Param]\r\nlParam=") +
                                        kScrambledAdmin + "\r\nwParam=\r\n");
    ScheduleSetting setting(Privilege());
    const tandril::ScheduleControls& shown = setting.controls();
    EXPECT_TRUE(shown.active);
    EXPECT_TRUE(shown.enabled);
    EXPECT_EQ(shown.type, tandril::kWeeklySchedule);
    EXPECT_EQ(shown.weekDay, 6);
    EXPECT_TRUE(shown.weekDayEnabled);
    EXPECT_FALSE(shown.monthDayEnabled);
    EXPECT_EQ(shown.categories, (std::array<bool, 5>{true, false, true, false, true}));
    EXPECT_EQ(shown.userId, "admin");
    EXPECT_EQ(shown.password, "");
    EXPECT_EQ(shown.savePath, "C:\\Backups\\Dvr\\");
    EXPECT_TRUE(Exists("C:\\Backups\\Dvr")); // the save folder is made when missing
    EXPECT_EQ(setting.databaseFile(), Database("Tavo_DVR_D00000010_000099.kwj"));
    // The service folder is written each time the dialog opens.
    EXPECT_EQ(plat::ProfileString(kSettingsFile, "Path", "SERVICE_Path"), "C:\\Lib\\");
}

TEST_F(ScheduleFiles, NoStoredScheduleStartsFromTheDefaults) {
    struct Case {
        const char* stored;
        bool active;
    };
    const Case cases[] = {
        {"", false},
        {"[Schedule_Setting]\r\nActive=0\r\nCount=1\r\nType=2\r\n", false},
        // Switched on but never counted: the controls start enabled, and the box shows it on.
        {"[Schedule_Setting]\r\nActive=1\r\nType=2\r\n", true},
    };
    for (const Case& c : cases) {
        prefix.WriteHost(kSettingsFile, c.stored);
        ScheduleSetting setting(Privilege());
        const tandril::ScheduleControls& shown = setting.controls();
        EXPECT_EQ(shown.active, c.active) << c.stored;
        EXPECT_EQ(shown.enabled, c.active) << c.stored;
        EXPECT_EQ(shown.type, tandril::kDailySchedule) << c.stored;
        EXPECT_FALSE(shown.weekDayEnabled || shown.monthDayEnabled) << c.stored;
        EXPECT_EQ(shown.categories, (std::array<bool, 5>{true, true, true, true, true}));
        EXPECT_EQ(shown.savePath, "C:\\Lib\\Tavo_SCHE_Data\\");
        EXPECT_EQ(setting.databaseFile(), "");
    }
    EXPECT_TRUE(Exists("C:\\Lib\\Tavo_SCHE_Data"));
}

TEST_F(ScheduleFiles, DamagedTypesAndDaysAreShownAsTheFirstChoice) {
    struct Case {
        const char* typeAndDay;
        int type;
        int weekDay;
        int monthDay;
    };
    const Case cases[] = {
        {"Type=1\r\nDaySelect=7\r\n", 1, 0, 0},  {"Type=1\r\nDaySelect=-1\r\n", 1, 0, 0},
        {"Type=2\r\nDaySelect=31\r\n", 2, 0, 0}, {"Type=2\r\nDaySelect=30\r\n", 2, 0, 30},
        {"Type=5\r\nDaySelect=3\r\n", 0, 0, 0},
    };
    for (const Case& c : cases) {
        prefix.WriteHost(kSettingsFile,
                         std::string("[Schedule_Setting]\r\nActive=1\r\nCount=1\r\n") + c.typeAndDay);
        ScheduleSetting setting(Privilege());
        EXPECT_EQ(setting.controls().type, c.type) << c.typeAndDay;
        EXPECT_EQ(setting.controls().weekDay, c.weekDay) << c.typeAndDay;
        EXPECT_EQ(setting.controls().monthDay, c.monthDay) << c.typeAndDay;
        // Every stored schedule has a database file name, so a change deletes the old file.
        EXPECT_NE(setting.databaseFile(), "") << c.typeAndDay;
    }
}

TEST_F(ScheduleFiles, ADatabaseFileThatCannotBeWrittenLeavesTheServiceItsSchedule) {
    Save([](ScheduleSetting& s) {
        SwitchOn(s);
        s.ChooseType(tandril::kWeeklySchedule);
        s.SelectWeekDay(1);
    });
    // A folder stands where Tuesday's database file would go.
    ASSERT_EQ(plat::CreateFolderChain(Database("Tavo_DVR_D00100000_000099.kwj")), 0u);
    ScheduleSetting setting(Privilege());
    setting.SelectWeekDay(2);
    setting.SetUserId("admin");
    setting.SetPassword("pw");
    // OK says which file failed and keeps the dialog open.
    EXPECT_FALSE(setting.Confirm(op));
    ASSERT_EQ(op.messages().size(), 1u) << op.Transcript();
    EXPECT_NE(op.messages()[0].text.find("Tavo_DVR_D00100000_000099.kwj write failed!"), std::string::npos)
        << op.messages()[0].text;
    EXPECT_EQ(op.messages()[0].caption, "Tavo Auto Backup Setting");
    EXPECT_EQ(prefix.ReadHost(kSettingsFile), SettingsFile(1, 2));
    EXPECT_EQ(prefix.ReadHost(kServiceList), ServiceList("Tavo_DVR_D01000000_000099.kwj"));
    EXPECT_EQ(prefix.ReadHost(Database("Tavo_DVR_D01000000_000099.kwj")), DatabaseContents());
}

// OK's checks: nothing is written until they pass.
class ScheduleValidation : public ScheduleTest {
  protected:
    // The settings file as the dialog's opening leaves it.
    static constexpr const char* kOpened = "[Path]\r\nSERVICE_Path=C:\\Lib\\\r\n";

    void ExpectRefused(ScheduleSetting& setting, const char* text) {
        EXPECT_FALSE(setting.Confirm(op));
        ASSERT_EQ(op.messages().size(), 1u) << op.Transcript();
        EXPECT_EQ(op.messages()[0].text, text);
        EXPECT_EQ(op.messages()[0].caption, "Tavo Auto Backup Setting");
        EXPECT_EQ(op.messages()[0].icon, plat::MessageIcon::Exclamation);
        EXPECT_EQ(op.messages()[0].buttons, plat::MessageButtons::Ok);
        EXPECT_EQ(prefix.ReadHost(kSettingsFile), kOpened);
        EXPECT_FALSE(Exists(kServiceList));
        op.ClearCalls();
    }
};

TEST_F(ScheduleValidation, AtLeastOneCategoryIsNeeded) {
    ScheduleSetting setting(Privilege());
    setting.SetUserId("admin");
    for (int k = 0; k < 5; ++k)
        setting.SetCategory(k, false);
    ExpectRefused(setting, "Please select at least one Backup setting.");
    EXPECT_TRUE(privileges.empty());
    setting.SetCategory(3, true);
    EXPECT_TRUE(setting.Confirm(op));
}

TEST_F(ScheduleValidation, AnEmptyUserIdIsRefusedWithoutAskingThePasswordLibrary) {
    ScheduleSetting setting(Privilege());
    setting.SetPassword("pw");
    ExpectRefused(setting, "This ID/PW does not have the permission to back up system.");
    EXPECT_TRUE(privileges.empty());
}

TEST_F(ScheduleValidation, ALoginWithoutTheRightIsRefused) {
    struct Case {
        short result;
        std::uint16_t granted;
    };
    for (const Case c : {Case{5, 1}, Case{0, 0}, Case{1, 0}}) {
        result = c.result;
        granted = c.granted;
        ScheduleSetting setting(Privilege());
        setting.SetUserId("admin");
        setting.SetPassword("wrong");
        ExpectRefused(setting, "This ID/PW does not have the permission to back up system.");
    }
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(privileges, (std::vector<int>{10, 10, 10}));
    const tandril::LoginRecord expected = tandril::MakeLoginRecord("admin", "wrong");
    EXPECT_EQ(records[0], std::string(expected.begin(), expected.end()));
}

TEST_F(ScheduleValidation, ALoginTheFileWouldStoreChangedIsRefused) {
    for (const auto& [userId, password] : {std::pair{"Andr\xC9", "pw"}, std::pair{"admin", "\xC9t\xC9"},
                                           std::pair{"admin", "cl\xC3"
                                                              "ck"},
                                           std::pair{"caf\xE9", "pw"}}) {
        ScheduleSetting setting(Privilege());
        setting.SetUserId(userId);
        setting.SetPassword(password);
        ExpectRefused(setting, tandril::kUnstorableLoginText);
    }
    EXPECT_TRUE(privileges.empty());
}

TEST_F(ScheduleValidation, SwitchingTheScheduleOffStillNeedsALoginWithTheRight) {
    prefix.WriteHost(kSettingsFile, "[Schedule_Setting]\r\nActive=1\r\nCount=1\r\nType=0\r\n");
    ScheduleSetting setting(Privilege());
    setting.ToggleActive();
    EXPECT_FALSE(setting.controls().active);
    granted = 0;
    setting.SetUserId("admin");
    EXPECT_FALSE(setting.Confirm(op));
    granted = 1;
    ASSERT_TRUE(setting.Confirm(op));
    EXPECT_EQ(plat::ProfileString(kSettingsFile, "Schedule_Setting", "Active"), "0");
}

TEST_F(ScheduleValidation, AnEmptyPasswordIsAllowedAndStoredEmpty) {
    ScheduleSetting setting(Privilege());
    setting.SetUserId("admin");
    ASSERT_TRUE(setting.Confirm(op));
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].substr(33, 35), std::string(35, '\0'));
    EXPECT_EQ(plat::ProfileString(kSettingsFile, "Param", "lParam"), kScrambledAdmin);
    EXPECT_EQ(plat::ProfileKeys(kSettingsFile, "Param"), (std::vector<std::string>{"lParam", "wParam"}));
    EXPECT_EQ(plat::ProfileString(kSettingsFile, "Param", "wParam", "(none)"), "");
}

// The controls' rules.
class ScheduleControls : public ScheduleTest {};

TEST_F(ScheduleControls, ActiveOffDisablesAllButTheSavePathAndOnStartsAgainDaily) {
    prefix.WriteHost(kSettingsFile,
                     std::string("[Schedule_Setting]\r\nActive=1\r\nCount=1\r\nType=2\r\n"
                                 "DaySelect=4\r\n[Backup_Select]\r\n2=0\r\n[Param]\r\nlParam=") +
                         kScrambledAdmin + "\r\n");
    ScheduleSetting setting(Privilege());
    setting.ToggleActive();
    tandril::ScheduleControls shown = setting.controls();
    EXPECT_FALSE(shown.active || shown.enabled || shown.weekDayEnabled || shown.monthDayEnabled);
    EXPECT_EQ(shown.type, tandril::kMonthlySchedule); // kept while off
    EXPECT_EQ(shown.monthDay, 4);
    EXPECT_EQ(shown.userId, "admin");

    setting.ToggleActive();
    shown = setting.controls();
    EXPECT_TRUE(shown.active && shown.enabled);
    EXPECT_EQ(shown.type, tandril::kDailySchedule);
    EXPECT_EQ(shown.monthDay, 0);
    EXPECT_FALSE(shown.weekDayEnabled || shown.monthDayEnabled);
    EXPECT_EQ(shown.categories, (std::array<bool, 5>{true, true, true, true, true}));
    EXPECT_EQ(shown.userId, "");

    // What is shown is what is saved: daily, not the monthly schedule stored before.
    setting.SetUserId("admin");
    ASSERT_TRUE(setting.Confirm(op));
    EXPECT_EQ(plat::ProfileString(kSettingsFile, "Schedule_Setting", "Type"), "0");
    EXPECT_EQ(plat::ProfileString(kSettingsFile, "Schedule_Setting", "DaySelect"), "0");
}

TEST_F(ScheduleControls, EachTypeEnablesItsOwnListOnly) {
    ScheduleSetting setting(Privilege());
    setting.ToggleActive();
    setting.ChooseType(tandril::kMonthlySchedule);
    setting.SelectMonthDay(12);
    EXPECT_TRUE(setting.controls().monthDayEnabled);
    EXPECT_FALSE(setting.controls().weekDayEnabled);

    setting.ChooseType(tandril::kWeeklySchedule);
    setting.SelectWeekDay(4);
    EXPECT_TRUE(setting.controls().weekDayEnabled);
    EXPECT_FALSE(setting.controls().monthDayEnabled);
    EXPECT_EQ(setting.controls().monthDay, 0);

    setting.ChooseType(tandril::kMonthlySchedule);
    EXPECT_EQ(setting.controls().weekDay, 0);
    setting.SelectWeekDay(7);   // not a day of the list
    setting.SelectMonthDay(31); // neither
    EXPECT_EQ(setting.controls().weekDay, 0);
    EXPECT_EQ(setting.controls().monthDay, 0);

    setting.ChooseType(tandril::kDailySchedule);
    EXPECT_FALSE(setting.controls().weekDayEnabled || setting.controls().monthDayEnabled);
}

TEST_F(ScheduleControls, TheLoginIsHeldWithinTheRoomOfTheRecord) {
    ScheduleSetting setting(Privilege());
    setting.SetUserId(std::string(40, 'u'));
    setting.SetPassword(std::string(40, 'p'));
    EXPECT_EQ(setting.controls().userId, std::string(32, 'u'));
    EXPECT_EQ(setting.controls().password, std::string(34, 'p'));
}

TEST_F(ScheduleControls, BrowseAsksForTheSaveFolderFromTheCurrentOne) {
    ScheduleSetting setting(Privilege());
    op.CancelFolder().AnswerFolder("C:\\Backups");
    EXPECT_FALSE(setting.ChooseSavePath(op));
    EXPECT_EQ(setting.controls().savePath, "C:\\Lib\\Tavo_SCHE_Data\\");
    EXPECT_TRUE(setting.ChooseSavePath(op));
    EXPECT_EQ(setting.controls().savePath, "C:\\Backups\\");
    EXPECT_EQ(op.CallsStartingWith("folder?"),
              (std::vector<std::string>{"folder? Select Save Path | C:\\Lib\\Tavo_SCHE_Data",
                                        "folder? Select Save Path | C:\\Lib\\Tavo_SCHE_Data"}));
}

} // namespace
} // namespace tavo::test

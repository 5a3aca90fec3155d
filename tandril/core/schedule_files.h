#pragma once
// What the routine backup leaves for the suite's schedule service: the settings file
// "KwTavo_SChe.ini" (Windows folder), the schedule database file that names the program to start,
// the service's list of database files, and the global event that tells the service to look again.
// Other programs read these files, so their form is fixed to the byte.
#include "tandril/core/library_state.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace tandril {

enum ScheduleType : int { kDailySchedule = 0, kWeeklySchedule = 1, kMonthlySchedule = 2 };
inline constexpr int kWeekDays = 7;   // day select 0 Sunday ... 6 Saturday
inline constexpr int kMonthDays = 31; // day select 0 ... 30 for days 1 ... 31
// Password, General, Schedule, POS/KW-Wiegand and Network, as keys "1" to "5" of "Backup_Select".
inline constexpr int kBackupCategories = 5;

inline constexpr const char* kScheduleSettingsFile = "KwTavo_SChe.ini";
inline constexpr const char* kScheduleEventName = "8330_KWService_Search_Schedule";

struct ScheduleSettings {
    int active = 0; // 0 or 1
    int type = kDailySchedule;
    int daySelect = 0; // the week day or the day of the month; 0 for a daily schedule
    std::array<int, kBackupCategories> backupSelect{1, 1, 1, 1, 1};
    std::string savePath; // the folder that receives the backups, ending in '\'
    std::string userId;
    std::string password;
};

// library folder + "KwMergeRes\DB\KWSChedule_Tavo.ini".
std::string ScheduleServiceListFile();
// library folder + "Tavo_SCHE_Data\": the save path of a schedule not set up yet.
std::string DefaultSaveFolder();
// The database file of a schedule: library folder + "KwMergeRes\DB\Tavo_DVR_<period><days>_000099.kwj"
// ("D0" with the days Monday to Sunday as seven flags, or "M0" with 1 << day as ten digits). A
// day outside the week or the month leaves the days empty; nullopt for a type of no schedule.
std::optional<std::string> ScheduleDatabaseFile(int type, int daySelect);

// "Path" / "SERVICE_Path": where the service finds the library.
bool WriteServiceFolder();

// The stored schedule. False, with only the active flag read, when "Active" or "Count" is 0 or
// missing. A stored type that is no schedule reads as daily, a day outside its list as the first
// day; an empty save path reads as DefaultSaveFolder(); the login is unscrambled.
bool LoadScheduleSettings(ScheduleSettings& settings);

// Writes the schedule with a count of 1, the login scrambled (an empty text stays empty). False
// when a write failed.
bool SaveScheduleSettings(const ScheduleSettings& settings);

// The database file anew: program path, parameter and value, each as a 32-bit little-endian length
// and that many bytes. Replaced whole, so a failed write leaves the previous file. False when it
// cannot be written.
bool WriteScheduleDatabase(std::string_view path, const ProgramLaunchRecord& record);

// "Tavo" / "FileCount" 1 and "File1" the database file.
bool WriteServiceList(std::string_view databaseFile);

// Sets the service's global event, made if no service has it open; false when it cannot be had.
bool SignalScheduleService();

} // namespace tandril

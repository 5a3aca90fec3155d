#include "tandril/core/schedule_files.h"

#include "platform/files.h"
#include "platform/kernel.h"
#include "platform/profile.h"
#include "tandril/core/library_routines.h"
#include "tandril/core/schedule_login.h"

#include <cstdint>
#include <cstdio>

namespace tandril {

namespace {

constexpr const char* kDatabaseFolder = "KwMergeRes\\DB\\";

int ReadInt(const char* section, const char* key, int defaultValue) {
    return static_cast<int>(plat::ProfileInt(kScheduleSettingsFile, section, key, defaultValue));
}

std::string ReadText(const char* section, const char* key) {
    return plat::ProfileString(kScheduleSettingsFile, section, key, "");
}

bool Write(const char* section, const char* key, std::string_view value) {
    return plat::WriteProfileString(kScheduleSettingsFile, section, key, value);
}

bool WriteInt(const char* section, const char* key, int value) {
    return Write(section, key, std::to_string(value));
}

// Cleared, then given its value: the two steps every save of the suite takes, kept for its readers.
bool WriteLogin(const char* key, std::string_view text) {
    const bool cleared = Write("Param", key, "");
    return Write("Param", key, text.empty() ? std::string() : ScrambleText(text)) && cleared;
}

// The days of a weekly schedule, Monday first.
std::string WeekMask(int daySelect) {
    if (daySelect < 0 || daySelect >= kWeekDays) return {};
    std::string mask(kWeekDays, '0');
    mask[static_cast<std::size_t>((daySelect + kWeekDays - 1) % kWeekDays)] = '1';
    return mask;
}

std::string MonthMask(int daySelect) {
    if (daySelect < 0 || daySelect >= kMonthDays) return {};
    char digits[16];
    std::snprintf(digits, sizeof digits, "%010ld", 1L << daySelect);
    return digits;
}

void AppendRecord(std::string& bytes, std::string_view text) {
    const auto length = static_cast<std::uint32_t>(text.size());
    for (int shift = 0; shift < 32; shift += 8)
        bytes += static_cast<char>((length >> shift) & 0xFF);
    bytes += text;
}

} // namespace

std::string ScheduleServiceListFile() {
    return Library().libraryFolder + kDatabaseFolder + "KWSChedule_Tavo.ini";
}

std::string DefaultSaveFolder() {
    return Library().libraryFolder + "Tavo_SCHE_Data\\";
}

std::optional<std::string> ScheduleDatabaseFile(int type, int daySelect) {
    std::string period;
    std::string days;
    switch (type) {
    case kDailySchedule:
        period = "D0";
        days = "1111111";
        break;
    case kWeeklySchedule:
        period = "D0";
        days = WeekMask(daySelect);
        break;
    case kMonthlySchedule:
        period = "M0";
        days = MonthMask(daySelect);
        break;
    default:
        return std::nullopt;
    }
    return Library().libraryFolder + kDatabaseFolder + "Tavo_DVR_" + period + days + "_000099.kwj";
}

bool WriteServiceFolder() {
    return Write("Path", "SERVICE_Path", Library().libraryFolder);
}

bool LoadScheduleSettings(ScheduleSettings& settings) {
    settings.active = ReadInt("Schedule_Setting", "Active", 0) != 0 ? 1 : 0;
    if (settings.active == 0) return false;
    if (ReadInt("Schedule_Setting", "Count", 0) == 0) return false;
    settings.type = ReadInt("Schedule_Setting", "Type", kDailySchedule);
    if (settings.type != kWeeklySchedule && settings.type != kMonthlySchedule) settings.type = kDailySchedule;
    settings.daySelect = settings.type == kDailySchedule ? 0 : ReadInt("Schedule_Setting", "DaySelect", 0);
    const int days = settings.type == kWeeklySchedule ? kWeekDays : kMonthDays;
    if (settings.daySelect < 0 || settings.daySelect >= days) settings.daySelect = 0;
    for (int k = 0; k < kBackupCategories; ++k)
        settings.backupSelect[static_cast<std::size_t>(k)] =
            ReadInt("Backup_Select", std::to_string(k + 1).c_str(), 1) != 0 ? 1 : 0;
    settings.savePath = ReadText("Path", "Save_Path");
    if (settings.savePath.empty()) settings.savePath = DefaultSaveFolder();
    settings.userId = ScrambleText(ReadText("Param", "lParam"));
    settings.password = ScrambleText(ReadText("Param", "wParam"));
    return true;
}

bool SaveScheduleSettings(const ScheduleSettings& settings) {
    bool written = WriteInt("Schedule_Setting", "Active", settings.active);
    written = WriteInt("Schedule_Setting", "Count", 1) && written;
    written = WriteInt("Schedule_Setting", "Type", settings.type) && written;
    written =
        WriteInt("Schedule_Setting", "DaySelect", settings.type == kDailySchedule ? 0 : settings.daySelect) &&
        written;
    for (int k = 0; k < kBackupCategories; ++k)
        written = WriteInt("Backup_Select", std::to_string(k + 1).c_str(),
                           settings.backupSelect[static_cast<std::size_t>(k)]) &&
                  written;
    written = Write("Path", "Save_Path", settings.savePath) && written;
    written = WriteLogin("lParam", settings.userId) && written;
    return WriteLogin("wParam", settings.password) && written;
}

bool WriteScheduleDatabase(std::string_view path, const ProgramLaunchRecord& record) {
    std::string bytes;
    for (const std::string* text : {&record.program, &record.parameter, &record.value})
        AppendRecord(bytes, *text);
    return plat::WriteFileAtomic(path, bytes);
}

bool WriteServiceList(std::string_view databaseFile) {
    const std::string list = ScheduleServiceListFile();
    return plat::WriteProfileString(list, "Tavo", "FileCount", "1") &&
           plat::WriteProfileString(list, "Tavo", "File1", databaseFile);
}

bool SignalScheduleService() {
    const plat::Handle event = CreateNamedEvent(false, kScheduleEventName, true);
    if (!event) return false;
    const bool set = plat::SetEventSignal(event);
    plat::CloseObjectHandle(event);
    return set;
}

} // namespace tandril

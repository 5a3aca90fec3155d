#include "tandril/core/schedule_setting.h"

#include "platform/files.h"
#include "platform/folder_browser.h"
#include "platform/operator.h"
#include "platform/system.h"
#include "tandril/core/library_routines.h"
#include "tandril/core/schedule_texts.h"

#include <algorithm>
#include <utility>

namespace tandril {

namespace {

void Refuse(plat::Operator& op, const char* text) {
    op.ShowMessage(text, kScheduleMessageCaption, plat::MessageIcon::Exclamation, plat::MessageButtons::Ok);
}

void Trace(std::string_view what) {
    plat::DebugTrace("Tandril: schedule not handed to the service: " + std::string(what) + '\n');
}

} // namespace

ScheduleSetting::ScheduleSetting(PrivilegeCheck getPrivilege) : getPrivilege_(std::move(getPrivilege)) {
    LibraryState& library = Library();
    library.launchRecord = {library.libraryFolder + "Tavo\\KWTAV.exe", "/SCHE", "0"};
    WriteServiceFolder();
    ScheduleSettings stored;
    if (LoadScheduleSettings(stored)) {
        Show(stored);
        EnsureDirectory(stored.savePath);
        databaseFile_ = ScheduleDatabaseFile(stored.type, stored.daySelect).value_or(std::string());
    } else {
        controls_.active = stored.active != 0;
        controls_.savePath = DefaultSaveFolder();
        EnsureDirectory(controls_.savePath);
        Reset(controls_.active);
    }
}

void ScheduleSetting::Show(const ScheduleSettings& settings) {
    controls_.active = settings.active != 0;
    controls_.enabled = controls_.active;
    controls_.type = settings.type;
    controls_.monthDay = 0;
    controls_.weekDayEnabled = settings.type == kWeeklySchedule;
    controls_.monthDayEnabled = settings.type == kMonthlySchedule;
    if (settings.type == kWeeklySchedule) controls_.weekDay = settings.daySelect;
    if (settings.type == kMonthlySchedule) controls_.monthDay = settings.daySelect;
    for (std::size_t k = 0; k < controls_.categories.size(); ++k)
        controls_.categories[k] = settings.backupSelect[k] != 0;
    controls_.userId = settings.userId.substr(0, kUserIdLimit);
    controls_.password = settings.password.substr(0, kPasswordLimit);
    controls_.savePath = settings.savePath;
}

void ScheduleSetting::Reset(bool enable) {
    // The stored type follows the type button checked, so what OK saves is what was shown.
    controls_.enabled = enable;
    controls_.type = kDailySchedule;
    controls_.monthDay = 0;
    controls_.weekDayEnabled = false;
    controls_.monthDayEnabled = false;
    controls_.categories.fill(true);
    controls_.userId.clear();
    controls_.password.clear();
}

void ScheduleSetting::ToggleActive() {
    controls_.active = !controls_.active;
    if (controls_.active) {
        Reset(true);
        return;
    }
    controls_.enabled = false;
    controls_.weekDayEnabled = false;
    controls_.monthDayEnabled = false;
}

void ScheduleSetting::ChooseType(int type) {
    if (type != kDailySchedule && type != kWeeklySchedule && type != kMonthlySchedule) return;
    controls_.type = type;
    controls_.weekDayEnabled = type == kWeeklySchedule;
    controls_.monthDayEnabled = type == kMonthlySchedule;
    if (type != kWeeklySchedule) controls_.weekDay = 0;
    controls_.monthDay = 0;
}

void ScheduleSetting::SelectWeekDay(int index) {
    if (index >= 0 && index < kWeekDays) controls_.weekDay = index;
}

void ScheduleSetting::SelectMonthDay(int index) {
    if (index >= 0 && index < kMonthDays) controls_.monthDay = index;
}

void ScheduleSetting::SetCategory(int index, bool checked) {
    if (index >= 0 && index < kBackupCategories)
        controls_.categories[static_cast<std::size_t>(index)] = checked;
}

void ScheduleSetting::SetUserId(std::string_view text) {
    controls_.userId = std::string(text.substr(0, kUserIdLimit));
}

void ScheduleSetting::SetPassword(std::string_view text) {
    controls_.password = std::string(text.substr(0, kPasswordLimit));
}

bool ScheduleSetting::ChooseSavePath(plat::Operator& op) {
    plat::FolderBrowser browser;
    browser.caption = kSelectSavePathCaption;
    browser.initialFolder = controls_.savePath;
    if (!browser.Browse(&op)) return false;
    controls_.savePath = browser.chosenFolder + "\\";
    return true;
}

bool ScheduleSetting::Confirm(plat::Operator& op) {
    const auto& categories = controls_.categories;
    if (std::none_of(categories.begin(), categories.end(), [](bool checked) { return checked; })) {
        Refuse(op, kNoCategoryText);
        return false;
    }
    const std::string& userId = controls_.userId;
    const std::string& password = controls_.password;
    if (userId.empty()) {
        Refuse(op, kNoPermissionText);
        return false;
    }
    // The file would keep such a login changed (cut short at a character that scrambles to a NUL),
    // and the service would then run under a login nobody gave.
    if (!CanStoreScrambled(userId) || !CanStoreScrambled(password)) {
        Refuse(op, kUnstorableLoginText);
        return false;
    }
    if (!HoldsBackupRight(getPrivilege_, userId, password)) {
        Refuse(op, kNoPermissionText);
        return false;
    }
    if (const std::optional<std::string> failed = Save()) {
        const std::string text = *failed + " write failed!";
        op.ShowMessage(text, kScheduleMessageCaption, plat::MessageIcon::Exclamation,
                       plat::MessageButtons::Ok);
        return false;
    }
    return true;
}

std::optional<std::string> ScheduleSetting::Save() {
    ScheduleSettings settings;
    settings.active = controls_.active ? 1 : 0;
    settings.type = controls_.type;
    if (controls_.type == kWeeklySchedule) settings.daySelect = controls_.weekDay;
    if (controls_.type == kMonthlySchedule) settings.daySelect = controls_.monthDay;
    for (std::size_t k = 0; k < controls_.categories.size(); ++k)
        settings.backupSelect[k] = controls_.categories[k] ? 1 : 0;
    settings.savePath = controls_.savePath;
    settings.userId = controls_.userId;
    settings.password = controls_.password;
    if (!SaveScheduleSettings(settings)) {
        Trace("the settings file cannot be written");
        return Library().windowsFolder + "\\" + kScheduleSettingsFile;
    }
    const std::string file = ScheduleDatabaseFile(settings.type, settings.daySelect).value_or(databaseFile_);
    // The new file first: until it is written the service keeps the schedule it has.
    if (!WriteScheduleDatabase(file, Library().launchRecord)) {
        Trace("cannot write " + file);
        return file;
    }
    if (!databaseFile_.empty() && databaseFile_ != file) plat::RemoveFile(databaseFile_);
    databaseFile_ = file;
    if (!WriteServiceList(file)) {
        Trace("the service list cannot be written");
        return ScheduleServiceListFile();
    }
    // The files are what the service reads when it next looks; a missed wake-up is only late.
    if (!SignalScheduleService()) Trace("its event cannot be set");
    return std::nullopt;
}

} // namespace tandril

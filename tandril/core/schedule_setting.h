#pragma once
// What the schedule dialog does, without its window: the state its controls show, the handlers of
// the controls, and OK's validation and save. The window draws controls() after each call.
#include "tandril/core/schedule_files.h"
#include "tandril/core/schedule_login.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace plat {
class Operator;
}

namespace tandril {

struct ScheduleControls {
    bool active = false;       // "Active Schedule"
    bool enabled = false;      // the type buttons, the login fields and the category boxes
    int type = kDailySchedule; // the type button checked
    int weekDay = 0;           // the week-day list's selection
    bool weekDayEnabled = false;
    int monthDay = 0; // the day-of-month list's selection
    bool monthDayEnabled = false;
    std::array<bool, kBackupCategories> categories{true, true, true, true, true};
    std::string userId;
    std::string password;
    std::string savePath;
};

class ScheduleSetting {
  public:
    // The dialog opening: the service folder written, the stored schedule shown, or the defaults
    // (with the save folder made) when none is stored.
    explicit ScheduleSetting(PrivilegeCheck getPrivilege);

    const ScheduleControls& controls() const { return controls_; }
    // The database file of the schedule shown, as loaded or last saved; empty when there is none.
    const std::string& databaseFile() const { return databaseFile_; }

    // "Active Schedule": switching off disables all but the save path; switching on starts again
    // from the defaults, daily.
    void ToggleActive();
    // A type button: its day list enabled on its first day, the other list back to its first day
    // and disabled.
    void ChooseType(int type);
    // An index outside its list is not taken.
    void SelectWeekDay(int index);
    void SelectMonthDay(int index);
    void SetCategory(int index, bool checked);
    // Text beyond the room of the login record is not taken (a longer stored login is shown cut
    // to it as well, so OK checks exactly what is shown).
    void SetUserId(std::string_view text);
    void SetPassword(std::string_view text);
    // "...": the folder prompt on the current save path; a chosen folder becomes the save path.
    bool ChooseSavePath(plat::Operator& op);

    // OK: at least one category, a login the password library grants the backup right and that can
    // be stored; otherwise the reason in a message box and false. When accepted, saves the schedule
    // and tells the service; true. A file of the schedule that cannot be written is named in a
    // message box and gives false: the dialog stays open with what the operator chose.
    bool Confirm(plat::Operator& op);

  private:
    void Show(const ScheduleSettings& settings);
    void Reset(bool enable);
    // The file that could not be written, when one could not.
    std::optional<std::string> Save();

    PrivilegeCheck getPrivilege_;
    ScheduleControls controls_;
    std::string databaseFile_;
};

} // namespace tandril

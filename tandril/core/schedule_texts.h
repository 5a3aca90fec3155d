#pragma once
// The schedule dialog's own texts (the library's string table entries of the same numbers).
#include <array>

namespace tandril {

inline constexpr const char* kScheduleMessageCaption = "Tavo Auto Backup Setting"; // 1
inline constexpr const char* kSelectSavePathCaption = "Select Save Path";          // 10
inline constexpr const char* kNoPermissionText =
    "This ID/PW does not have the permission to back up system.";                            // 103
inline constexpr const char* kNoCategoryText = "Please select at least one Backup setting."; // 104
inline constexpr const char* kUnstorableLoginText =
    "This ID/PW contains a character that cannot be saved for the schedule. Please use another ID/PW."; // 105
inline constexpr std::array<const char*, 7> kWeekDayNames = {"Sun", "Mon", "Tue", "Wed",
                                                             "Thu", "Fri", "Sat"}; // 3011 to 3017

} // namespace tandril

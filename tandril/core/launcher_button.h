#pragma once
// The user-define launcher button in the suite's eighteen skin files (nine resolutions, each in the
// normal and the metal style): brought into line with the number of user-defined applications.
#include <string_view>

namespace plat {
class Operator;
}

namespace tandril {

// From the previous count A to the new count B: the button lines of section "ButtonLines" are
// rebuilt when A or B is 0 or they differ (keys 1 to 4, 7 and 8 kept, key 5 the button's bitmap
// while applications exist, every other key dropped), and "Button5" / "1" is written then and also
// when A or B is 1. The suite folder is "InstallPath" of "OrvMulti.ini" up to its last '\'; when
// that is empty the operator `parent` (null: the main operator) is asked for it once, and a cancel
// writes nothing. Returns A.
int WriteIniSection_UserDefine_KwTav(int previousCount, int newCount, plat::Operator* parent);

// The same with the suite folder given.
int WriteIniSection_UserDefine_KwTav_WithKWPath(int previousCount, int newCount,
                                                std::string_view suiteFolder);

} // namespace tandril

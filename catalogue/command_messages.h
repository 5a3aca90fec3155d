#pragma once
// The texts of the commands' message boxes: keys of section "MSG_BOX" of the settings INI, and the
// messages the commands load once and keep for the life of the process.
#include <string>
#include <string_view>

namespace plat {
class Operator;
}

namespace tavo {

// The warning shown while a product's program runs (the restore warning for the DVR); empty for a
// code that is no product.
std::string_view ExecuteWarningKey(int productCode);
// The message after a finished restore or packup of a product; empty for a code that is no product.
std::string_view DoneRestoreKey(int productCode);
std::string_view DonePackupKey(int productCode);

// A text of section "MSG_BOX" of the settings INI; empty when the key is missing.
std::string MessageText(std::string_view key);
// Shows a text of "MSG_BOX" with the exclamation icon and OK.
void ShowWarning(plat::Operator& op, std::string_view key);

// Process-wide command state.
struct CommandMessages {
    std::string done;      // what the running command shows when it succeeds
    std::string diskSpace; // loaded by the first restore or packup, shown by a packup short of room
    std::string defaults;  // loaded by the first DVR defaults command
};

CommandMessages& Messages();

} // namespace tavo

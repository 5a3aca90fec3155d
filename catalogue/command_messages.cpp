#include "catalogue/command_messages.h"

#include "engine/utilities.h"
#include "platform/operator.h"

namespace tavo {

std::string_view ExecuteWarningKey(int productCode) {
    switch (productCode) {
    case 1: return "Text_String_DVR_EXECUTE_WARNING";
    case 2: return "Text_String_EXECUTE_WARNING_NDR";
    case 4: return "Text_String_EXECUTE_WARNING_WDS";
    case 8: return "Text_String_EXECUTE_WARNING_PWT";
    case 16: return "Text_String_EXECUTE_WARNING_RLS";
    default: return {};
    }
}

std::string_view DoneRestoreKey(int productCode) {
    switch (productCode) {
    case 1: return "Text_String_DONE_RESTORE";
    case 2: return "Text_String_DONE_RESTORE_NDR";
    case 4: return "Text_String_DONE_RESTORE_WDS";
    case 8: return "Text_String_DONE_RESTORE_PWT";
    case 16: return "Text_String_DONE_RESTORE_RLS";
    default: return {};
    }
}

std::string_view DonePackupKey(int productCode) {
    switch (productCode) {
    case 1: return "Text_String_DONE_PACKUP";
    case 2: return "Text_String_DONE_PACKUP_NDR";
    case 4: return "Text_String_DONE_PACKUP_WDS";
    case 8: return "Text_String_DONE_PACKUP_PWT";
    case 16: return "Text_String_DONE_PACKUP_RLS";
    default: return {};
    }
}

std::string MessageText(std::string_view key) {
    std::string text;
    int unused = 0;
    ReadSettingValue("MSG_BOX", key, kValueString, text, unused, 0);
    return text;
}

void ShowWarning(plat::Operator& op, std::string_view key) {
    op.ShowMessage(MessageText(key), {}, plat::MessageIcon::Exclamation, plat::MessageButtons::Ok);
}

CommandMessages& Messages() {
    static CommandMessages messages;
    return messages;
}

} // namespace tavo

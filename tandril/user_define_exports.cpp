#include "tandril.h"

#include "tandril/abi_guard.h"
#include "tandril/core/user_define_file.h"
#include "tandril/core/user_define_launch.h"
#include "tandril/gui/gui_application.h"
#include "tandril/gui/library_operator.h"
#include "tandril/gui/user_define_list_dialog.h"

#include <algorithm>
#include <cstring>
#include <string>

using namespace tandril;

extern "C" {

TANDRIL_API int UserDefineDlg(void) {
    return abi::Guarded(-1, [] {
        if (!gui::EnsureGuiApplication()) return -1;
        gui::UserDefineListDialog dialog;
        return dialog.exec() == QDialog::Accepted ? 1 : 2;
    });
}

TANDRIL_API int GetUserDefineCount(void) {
    return abi::Guarded(0, [] { return tandril::GetUserDefineCount(); });
}

TANDRIL_API void GetFirstUserDefineTip(char* buffer) {
    if (!buffer) return;
    abi::Guarded([buffer] {
        const std::string tip = UserDefineTip();
        const std::size_t length = std::min<std::size_t>(tip.size(), TANDRIL_TIP_BUFFER - 1);
        std::memcpy(buffer, tip.data(), length);
        buffer[length] = '\0';
    });
}

TANDRIL_API void DoUserDefine(TandrilWindow owner) {
    abi::Guarded([owner] {
        gui::LibraryOperator menus(static_cast<QWidget*>(owner));
        tandril::DoUserDefine(&menus);
    });
}

TANDRIL_API void DoUserDefinehWnd(TandrilWindow owner) {
    DoUserDefine(owner);
}
}

#include "tandril.h"

#include "sentrix.h"
#include "tandril/abi_guard.h"
#include "tandril/core/library_state.h"
#include "tandril/gui/gui_application.h"
#include "tandril/gui/schedule_setting_dialog.h"

using namespace tandril;

extern "C" {

TANDRIL_API int Tavo_Schedule_Setting_DoModal(TandrilWindow parent, const char* product) {
    return abi::Guarded(-1, [&] {
        Library().scheduleProduct = product ? product : "DVR";
        if (!gui::EnsureGuiApplication()) return -1;
        gui::ScheduleSettingDialog dialog(&::GetPrivilege, nullptr, static_cast<QWidget*>(parent));
        return dialog.exec() == QDialog::Accepted ? 1 : 2;
    });
}
}

#include "tandril.h"

#include "tandril/abi_guard.h"
#include "tandril/core/library_state.h"
#include "tandril/core/option_tree_states.h"
#include "tandril/gui/current_option_tree_dialog.h"

#include <string>

using namespace tandril;

namespace {

std::string NameOf(const char* name) {
    return name ? std::string(name) : std::string();
}

} // namespace

extern "C" {

TANDRIL_API int DialogCreate(const char* name, TandrilWindow parent, unsigned short templateId) {
    return abi::Guarded(0, [&] {
        return gui::ShowOptionTreeDialog(NameOf(name), static_cast<QWidget*>(parent), templateId) ? 1 : 0;
    });
}

TANDRIL_API int DialogDoModal(TandrilWindow parent, const char* name) {
    return abi::Guarded(
        -1, [&] { return gui::DoModalOptionTreeDialog(static_cast<QWidget*>(parent), NameOf(name)); });
}

TANDRIL_API void DialogDestroy(void) {
    abi::Guarded([] { gui::DestroyOptionTreeDialog(); });
}

TANDRIL_API int GetItemCurrentState(int id) {
    return abi::Guarded(-1, [id] { return tandril::GetItemCurrentState(id); });
}

TANDRIL_API int GetItemStateFromIni(const char* name, int id) {
    return abi::Guarded(-1, [&] { return tandril::GetItemStateFromIni(NameOf(name), id); });
}

TANDRIL_API TandrilSelItemCallBack SelItem_AddCallBackFunction(TandrilSelItemCallBack callback) {
    Library().selectionCallback = callback;
    return callback;
}
}

#include "tandril.h"

#include "tandril/abi_guard.h"
#include "tandril/core/launcher_button.h"
#include "tandril/gui/library_operator.h"

using namespace tandril;

extern "C" {

TANDRIL_API int WriteIniSection_UserDefine_KwTav(int previousCount, int newCount, TandrilWindow parent) {
    return abi::Guarded(previousCount, [&] {
        gui::LibraryOperator prompts(static_cast<QWidget*>(parent));
        return tandril::WriteIniSection_UserDefine_KwTav(previousCount, newCount, &prompts);
    });
}

TANDRIL_API int WriteIniSection_UserDefine_KwTav_WithKWPath(int previousCount, int newCount, int /*ignored*/,
                                                            const char* suiteFolder) {
    return abi::Guarded(previousCount, [&] {
        return tandril::WriteIniSection_UserDefine_KwTav_WithKWPath(previousCount, newCount,
                                                                    suiteFolder ? suiteFolder : "");
    });
}
}

#include "cli/library_host.h"

#include "engine/launcher_handoff.h"
#include "platform/operator.h"
#include "platform/paths.h"
#include "tandril/core/launcher_button.h"
#include "tandril/core/library_state.h"
#include "tandril/core/user_define_file.h"

namespace tavo::cli {

namespace {

// The library's texts and prompt captions are those beside the program, in the package folder the
// run uses (which is set after start-up).
void UseProgramFolderForTheLibrary() {
    tandril::InitialiseLibrary(plat::ModuleFileName());
}

const LauncherHost kLibraryLogic{
    [] { return tandril::GetUserDefineCount(); },
    [](int previousCount, int newCount) {
        UseProgramFolderForTheLibrary();
        tandril::WriteIniSection_UserDefine_KwTav(previousCount, newCount, plat::MainOperator());
    },
    [](int previousCount, int newCount, std::string_view suiteFolder) {
        UseProgramFolderForTheLibrary();
        tandril::WriteIniSection_UserDefine_KwTav_WithKWPath(previousCount, newCount, suiteFolder);
    }};

} // namespace

void UseLibraryLogic() {
    SetLauncherHost(&kLibraryLogic);
}

} // namespace tavo::cli

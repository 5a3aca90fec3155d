#include "app/tandril_library_host.h"

#include "engine/launcher_handoff.h"
#include "tandril.h"

#include <QApplication>
#include <QWidget>

#include <string>

namespace tavo::app {

namespace {

// The folder prompt belongs to the window the run works in: the main dialog.
TandrilWindow MainWindow() {
    return QApplication::activeWindow();
}

const LauncherHost kTandrilLibrary{
    [] { return ::GetUserDefineCount(); },
    [](int previousCount, int newCount) {
        ::WriteIniSection_UserDefine_KwTav(previousCount, newCount, MainWindow());
    },
    [](int previousCount, int newCount, std::string_view suiteFolder) {
        const std::string folder(suiteFolder);
        ::WriteIniSection_UserDefine_KwTav_WithKWPath(previousCount, newCount, 0, folder.c_str());
    }};

} // namespace

void UseTandrilLibrary() {
    SetLauncherHost(&kTandrilLibrary);
}

} // namespace tavo::app

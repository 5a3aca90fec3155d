#include "app/backup_restore_app.h"

#include "app/backup_restore_dlg.h"
#include "app/startup_settings.h"
#include "app/startup_state.h"
#include "app/window_handle_file.h"
#include "engine/utilities.h"
#include "platform/kernel.h"
#include "platform/operator.h"
#include "platform/paths.h"
#include "sentrix.h"

#include <QApplication>

namespace tavo::app {

namespace {

void ShowOpenFailed(const std::string& path) {
    if (plat::Operator* op = plat::MainOperator())
        op->ShowMessage(path + " open failed!", {}, plat::MessageIcon::Exclamation, plat::MessageButtons::Ok);
}

// The password library decides whether the program may start: 0 lets it go on.
bool StartupAllowed() {
    return CheckOptionDlg(10, 2016, static_cast<short>(1), 0, 0, 0, 0, 0, 0, 0) == 0;
}

} // namespace

bool CBackupRestoreApp::InitInstance() {
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return false;

    StartupState& state = Startup();
    LocateProgramFiles(state, plat::ModuleFileName());

    const plat::Handle lock = objects_.singleInstance();
    if (!tavo::TryAcquireMutex(lock, 0)) {
        // Another copy runs: bring its window up, if it has one yet, and end without a word.
        const long long runningWindow = ReadWindowHandle();
        if (runningWindow != 0) ActivateRunningInstance(runningWindow);
        return false;
    }

    // From here on every way out gives the lock back.
    if (!SettingsIniExists(state)) {
        ShowOpenFailed(state.settingsIniPath);
        plat::ReleaseMutexHandle(lock);
        return false;
    }
    if (!ProgramFolderListable(state)) {
        plat::ReleaseMutexHandle(lock);
        return false;
    }
    ReadRightToLeft(state);
    if (!StartupAllowed()) {
        plat::ReleaseMutexHandle(lock);
        return false;
    }
    ReadLookSettings(state);

    RunMainDialog();

    plat::ReleaseMutexHandle(lock);
    if (!WindowHandleFilePath().empty()) DeleteUnlessProgram(WindowHandleFilePath());
    return false;
}

int CBackupRestoreApp::ExitInstance() {
    return 0;
}

void CBackupRestoreApp::RunMainDialog() {
    CBackupRestoreDlg dialog;
    // The dialog is the main dialog pointer of the runs while it is up.
    plat::Operator* const previous = plat::MainOperator();
    plat::SetMainOperator(&dialog.Operator());
    dialog.exec();
    plat::SetMainOperator(previous);
}

} // namespace tavo::app

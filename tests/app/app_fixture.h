#pragma once
// Fixtures of the window program's tests: a program folder on a fresh machine, the built Tavo
// installed there and started as a separate process, and the program run in-process with a hand
// on its main dialog.
#include "app/backup_restore_app.h"
#include "app/backup_restore_dlg.h"
#include "support/temp_prefix.h"

#include <QProcess>
#include <QStringList>

#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace tavo::test {

// "C:\Tavo" on a fresh machine, with an AutoRun.inf that names the settings INI "C:\Tavo\Tavo.ini"
// and, when asked for, that INI with `general` as its [General] section. The process's program
// folder is this folder.
class ProgramFolder {
  public:
    static constexpr std::string_view kFolder = "C:\\Tavo";
    static constexpr std::string_view kSettingsIni = "C:\\Tavo\\Tavo.ini";

    explicit ProgramFolder(bool withSettingsIni = true,
                           std::string_view general = "Text_Title=Tavo Restore\r\n");

    // Copies the built program into the folder, so a started copy takes it as its program folder.
    void InstallProgram() const;
    // Starts the installed program on this machine; it reads no arguments, but is given these.
    std::unique_ptr<QProcess> Start(const QStringList& arguments = {}) const;

    // "HWND" of "WHnd.INI" as the file holds it; empty when the file or key is missing.
    std::string WindowHandleText() const;
    bool WindowHandleFileExists() const;
    // Whether another process could take the single-instance lock now. Asked of a separate process:
    // this one would get a lock it holds itself.
    bool SingleInstanceLockFree() const;

    TempPrefix prefix;
};

// The main dialog on screen, if any.
app::CBackupRestoreDlg* ShownMainDialog();

// Runs the program's start-up. While its main dialog is up, `whileUp` gets it; then the dialog is
// closed. Returns whether the main dialog came up.
bool RunProgram(app::CBackupRestoreApp& program,
                const std::function<void(app::CBackupRestoreDlg&)>& whileUp = {});

} // namespace tavo::test

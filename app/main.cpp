// Tavo: the settings packup, restore and defaults tool of the suite.
#include "app/backup_restore_app.h"
#include "app/qt_operator.h"
#include "app/tandril_library_host.h"
#include "platform/operator.h"

#include <QApplication>

int main() {
    // The program's named objects exist from the moment it is loaded.
    tavo::app::CBackupRestoreApp program;

    // The program takes no parameters: whatever followed its name is ignored, and the toolkit sees
    // none either, so its own options (-platform, -reverse, ...) cannot act.
    static int argc = 1;
    static char name[] = "Tavo";
    static char* argv[] = {name, nullptr};
    QApplication toolkit(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tavo"));
    tavo::app::UseTandrilLibrary();

    // Messages before the main dialog is up have no owner window.
    tavo::app::QtOperator ownerless(nullptr, nullptr);
    plat::SetMainOperator(&ownerless);
    program.InitInstance();
    const int exitCode = program.ExitInstance();
    plat::SetMainOperator(nullptr);
    return exitCode;
}

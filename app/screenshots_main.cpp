// Renders the main window on the demo package, offscreen, and saves the item page, the DVR page
// and the custom logo dialog as PNG pictures. Usage: tavo_screenshots PACKAGE_FOLDER OUTPUT_FOLDER
// The machine is a fresh prefix in the temporary folder; the package folder is the program folder.
#include "app/backup_restore_dlg.h"
#include "app/custom_logo_dlg.h"
#include "app/startup_settings.h"
#include "app/startup_state.h"
#include "engine/path_roots.h"
#include "platform/paths.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <string>

namespace {

bool Save(QWidget& window, const QString& path) {
    QTest::qWait(50);
    const bool saved = window.grab().save(path, "PNG");
    if (!saved) std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return saved;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: tavo_screenshots PACKAGE_FOLDER OUTPUT_FOLDER\n");
        return 2;
    }
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    int toolkitArgc = 1;
    char name[] = "tavo_screenshots";
    char* toolkitArgv[] = {name, nullptr};
    QApplication toolkit(toolkitArgc, toolkitArgv);

    QTemporaryDir machine;
    if (!machine.isValid()) return 1;
    plat::SetPrefixFolder(machine.path().toStdString());
    const std::string package = QDir(QString::fromLocal8Bit(argv[1])).absolutePath().toStdString();
    const std::string programPath = plat::ToWindowsPath(package + "/Tavo");

    tavo::app::StartupState& state = tavo::app::Startup();
    tavo::app::LocateProgramFiles(state, programPath);
    tavo::Roots().programFolder = state.programFolder;
    tavo::app::ReadRightToLeft(state);
    tavo::app::ReadLookSettings(state);

    tavo::app::CBackupRestoreDlg dialog;
    dialog.show();
    if (!QTest::qWaitForWindowExposed(&dialog)) return 1;
    const QDir output(QString::fromLocal8Bit(argv[2]));
    if (!Save(dialog, output.filePath(QStringLiteral("item-page.png")))) return 1;
    dialog.ShowDvrPage(5);
    if (!Save(dialog, output.filePath(QStringLiteral("dvr-page.png")))) return 1;
    tavo::app::CCustomLogoDlg logo(&dialog);
    logo.show();
    if (!QTest::qWaitForWindowExposed(&logo)) return 1;
    if (!Save(logo, output.filePath(QStringLiteral("custom-logo.png")))) return 1;
    return 0;
}

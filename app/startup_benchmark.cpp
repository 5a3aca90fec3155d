// The window program's start-up to the item page: the settings read, the main dialog made (the five
// catalogues loaded into their trees) and shown, on catalogues of 5 x N items nested three deep.
// Prints the best of five for each N, and the time per item, which stays flat when loading grows
// linearly. Usage: bench_startup [N ...]   default: 500 1000 2000 4000
#include "app/backup_restore_dlg.h"
#include "app/selection_tree_view.h"
#include "app/startup_settings.h"
#include "app/startup_state.h"
#include "bench/catalogue_fixture.h"
#include "engine/path_roots.h"

#include <QApplication>
#include <QTest>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double StartupSeconds(int itemsPerProduct) {
    const std::string& folder = tavo::bench::ProgramFolderFor(itemsPerProduct);
    double best = std::numeric_limits<double>::max();
    for (int run = 0; run < 5; ++run) {
        const Clock::time_point start = Clock::now();
        tavo::Roots() = {};
        tavo::Roots().programFolder = folder;
        tavo::app::StartupState& state = tavo::app::Startup();
        state = {};
        tavo::app::LocateProgramFiles(state, folder + "Tavo.exe");
        tavo::app::ReadRightToLeft(state);
        tavo::app::ReadLookSettings(state);
        tavo::app::CBackupRestoreDlg dialog;
        dialog.show();
        if (!QTest::qWaitForWindowExposed(&dialog)) std::abort();
        QApplication::processEvents();
        if (dialog.Tree(4)->Model().Count() != itemsPerProduct) std::abort();
        best = std::min(best, std::chrono::duration<double>(Clock::now() - start).count());
    }
    return best;
}

} // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    std::vector<int> sizes;
    for (int i = 1; i < argc; ++i)
        sizes.push_back(std::atoi(argv[i]) / 25 * 25);
    if (sizes.empty()) sizes = {500, 1000, 2000, 4000};
    int toolkitArgc = 1;
    char name[] = "bench_startup";
    char* toolkitArgv[] = {name, nullptr};
    QApplication toolkit(toolkitArgc, toolkitArgv);
    for (int size : sizes) {
        const double seconds = StartupSeconds(size);
        std::printf("start-up to the item page, 5 x %5d items: %7.3f s  (%.2f us an item)\n", size, seconds,
                    seconds * 1e6 / (5.0 * size));
    }
    return 0;
}

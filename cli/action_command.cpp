#include "cli/action_command.h"

#include "cli/exit_status.h"
#include "cli/main_operator_scope.h"
#include "cli/path_argument.h"
#include "cli/program_folder.h"
#include "cli/run_summary.h"
#include "engine/sibling_install_folders.h"
#include "engine/drivers.h"
#include "engine/path_roots.h"
#include "engine/progress.h"
#include "engine/run_log.h"
#include "platform/files.h"
#include "platform/operator.h"

#include <optional>
#include <set>

namespace tavo::cli {

namespace {

int Report(const TerminalStreams& streams, int status, const std::string& reason) {
    std::fprintf(streams.err, "tavoctl: %s\n", reason.c_str());
    std::fflush(streams.err);
    return status;
}

bool HasAttributes(std::string_view path, bool folder) {
    const std::uint32_t attributes = plat::FileAttributes(path);
    return attributes != plat::kInvalidAttributes && ((attributes & plat::kAttrDirectory) != 0) == folder;
}

int RunDriver(const ActionOptions& options, const std::string& actionFile) {
    if (options.mode == "packup") return RunPackupRestore(actionFile, "", 1, options.product);
    if (options.mode == "restore") return RunPackupRestore(actionFile, "", 0, options.product);
    return RunDefaults(actionFile);
}

} // namespace

CLI::App* AddActionCommand(CLI::App& app, ActionOptions& options) {
    CLI::App* command = app.add_subcommand(
        "action", "Run one action file: packup copies the live settings it names into the package folder, "
                  "restore copies them back, defaults deletes them");
    command->add_option("MODE", options.mode, "packup, restore or defaults")
        ->required()
        ->check(CLI::IsMember({"packup", "restore", "defaults"}));
    command
        ->add_option("ACTION_FILE", options.actionFile,
                     "The action file (a host path, or a Windows path X:...)")
        ->required()
        ->type_name("");
    command
        ->add_option("--product", options.product,
                     "Product code: 1 DVR (default), 2 Nodera, 4 Watchdeck, 8 Pulsewatch, 16 Relay")
        ->type_name("CODE")
        ->check(CLI::IsMember(std::set<int>{1, 2, 4, 8, 16}));
    command
        ->add_option("--package", options.packageFolder,
                     "The package (program) folder; default: the folder tavoctl lives in")
        ->type_name("DIR");
    AddMachineOptions(*command, options.machine);
    return command;
}

int RunActionCommand(const ActionOptions& options, const TerminalStreams& streams) {
    UseMachine(options.machine);
    const std::optional<std::string> actionFile = WindowsPathArgument(options.actionFile);
    if (!actionFile)
        return Report(streams, kExitBadCommand, "not a path on this machine: " + options.actionFile);
    std::string packageFolder;
    if (!options.packageFolder.empty()) {
        const std::optional<std::string> folder = WindowsPathArgument(options.packageFolder);
        if (!folder)
            return Report(streams, kExitBadCommand, "not a path on this machine: " + options.packageFolder);
        packageFolder = *folder;
    }
    const std::optional<PromptAnswers> answers = PromptAnswersOf(options.machine);
    if (!answers)
        return Report(streams, kExitBadCommand,
                      "not a path on this machine: " + options.machine.installFolder);

    if (!HasAttributes(*actionFile, false))
        return Report(streams, kExitNotRun, "action file not found: " + *actionFile);
    const std::optional<std::string> programFolder = UseProgramFolder(packageFolder);
    if (!programFolder)
        return Report(streams, kExitNotRun, "the folder of tavoctl has no Windows path: give --package");
    // A restore from a folder that is not there would only report every entry as missing.
    if (options.mode == "restore" && !HasAttributes(*programFolder, true))
        return Report(streams, kExitNotRun, "package folder not found: " + *programFolder);

    TerminalOperator op(streams, *answers);
    const MainOperatorScope scope(op);
    ReadSiblingInstallFolders();
    SpaceCounters().fill(0);
    CurrentRunLog().Clear();
    if (!PreparePaths(options.product)) {
        const std::string refusal = op.refusal();
        return Report(streams, kExitNotRun,
                      refusal.empty() ? "the folders of the run could not be prepared" : refusal);
    }

    const int total = CountActions(*actionFile);
    SetProgressCounter(0);
    op.ProgressShow(true);
    op.ProgressRange(0, total);
    op.ProgressPosition(0);
    const int result = RunDriver(options, *actionFile);
    if (result) op.ProgressPosition(total);
    op.ProgressShow(false);
    if (!result)
        return Report(streams, kExitNotRun,
                      "the package folder could not be created: " + Roots().packageFolder);

    const std::size_t failed = PrintRunSummary(CurrentRunLog(), options.mode, streams.out, streams.err);
    return failed > 0 ? kExitEntriesFailed : kExitDone;
}

} // namespace tavo::cli

// Crash loops of the demo machine's product commands: tavoctl's "restore DVR" and "defaults" run in
// this process on fresh demo machines, with each step in turn failing. Every file and key is wholly old or wholly new, the
// run goes on past the failed entry, and its summary names what failed.
#include "fault_loop.h"

#include "cli/exit_status.h"
#include "cli/library_host.h"
#include "cli/product_command.h"
#include "engine/reg_file_import.h"
#include "engine/reg_file_parser.h"
#include "engine/run_log.h"
#include "support/demo_package.h"
#include "support/process_state.h"
#include "tavoctl_process.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <span>

namespace tavo::test {
namespace {

namespace fs = std::filesystem;

const std::vector<RegistryTop> kTops = {{plat::kHkeyLocalMachine, "SOFTWARE\\Orvane"}};
// The DVR's INI, and the note of its live install path that a DVR restore keeps while it runs.
constexpr const char* kMulti = "C:\\WINDOWS\\OrvMulti.ini";
constexpr const char* kNote = "C:\\WINDOWS\\TavoRestore.ini";
constexpr const char* kPal = "C:\\WINDOWS\\OrvPal.ini";

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string ReadStream(std::FILE* stream) {
    std::rewind(stream);
    std::string text;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, stream)) > 0;)
        text.append(buffer, n);
    return text;
}

// A fresh demo machine with its registry, and the demo package beside its drives.
struct DemoMachine {
    DemoMachine() : package(fs::path(machine.host()) / "work" / "package") {
        fs::copy(DEMO_MACHINE, machine.host(),
                 fs::copy_options::recursive | fs::copy_options::overwrite_existing);
        CopyDemoPackage(DEMO_PACKAGE, package);
        const RegFileImport imported =
            ImportRegFile(ParseRegFile(ReadFile(fs::path(DEMO_MACHINE) / "registry.reg")));
        EXPECT_EQ(imported.error, 0) << imported.where;
    }
    std::vector<std::string> Arguments(std::vector<std::string> command) const {
        command.insert(command.end(), {"--package=" + package.string(), "--prefix=" + machine.host()});
        return command;
    }

    FaultMachine machine;
    fs::path package;
};

struct InProcessRun {
    int status = -1;
    std::string err; // the summary's failure lines
};

// tavoctl's product command, parsed and run as its main() does, with its output kept.
InProcessRun RunTavoctlHere(const std::vector<std::string>& arguments) {
    CLI::App app;
    app.require_subcommand(1);
    cli::ProductOptions options;
    const cli::ProductCommandSet commands = cli::AddProductCommands(app, options);
    std::vector<std::string> reversed(arguments.rbegin(), arguments.rend());
    app.parse(reversed);
    ResetProcessState();
    std::FILE* in = std::fopen("/dev/null", "r");
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    InProcessRun run;
    run.status = cli::RunProductCommand(commands, options, {in, out, err, false, false});
    run.err = ReadStream(err);
    std::fclose(in);
    std::fclose(out);
    std::fclose(err);
    return run;
}

std::vector<std::string> Restore(std::vector<std::string> selection) {
    selection.insert(selection.begin(), {"restore", "DVR"});
    selection.push_back("--yes");
    return selection;
}

// The tavoctl `command` on the demo machine, failing at each step in turn with each of `kinds`.
void RunCommandLoop(const std::vector<std::string>& command, std::span<const FaultKind> kinds) {
    cli::UseLibraryLogic();
    MachineState after;
    {
        const DemoMachine demo;
        const InProcessRun run = RunTavoctlHere(demo.Arguments(command));
        ASSERT_EQ(run.status, cli::kExitDone) << run.err;
        after = Snapshot(demo.machine, kTops);
    }
    {
        // The run in this process is the run of the program.
        const DemoMachine demo;
        const TavoctlResult run = RunTavoctl(demo.Arguments(command));
        ASSERT_EQ(run.status, cli::kExitDone) << run.err;
        EXPECT_EQ(Snapshot(demo.machine, kTops), after);
    }
    for (const FaultKind& kind : kinds) {
        FaultLoop loop(kind);
        const std::uint64_t steps = loop.Run([&](const FaultLoop& at) {
            const DemoMachine demo;
            const MachineState before = Snapshot(demo.machine, kTops);
            ASSERT_NE(before, after);
            at.Arm();
            const InProcessRun run = RunTavoctlHere(demo.Arguments(command));
            if (!at.Stop()) {
                EXPECT_EQ(run.status, cli::kExitDone) << run.err;
                return;
            }
            MachineState now = Snapshot(demo.machine, kTops);
            const std::string note = now.files.contains(kNote) ? now.files.at(kNote) : std::string();
            now.files.erase(kNote);
            // The DVR's INI holds the package's install path until it is written back; when that
            // fails, the note keeps the live path for the next run.
            const auto multi = [](const MachineState& state) {
                const auto found = state.files.find(kMulti);
                return found == state.files.end() ? std::optional<std::string>() : found->second;
            };
            if (multi(now) != multi(after) && multi(now) != multi(before) && NamedAsFailed(CurrentRunLog(), kMulti)) {
                EXPECT_NE(note.find("InstallPath=C:\\DVR\\Dvr.exe"), std::string::npos) << note;
                if (multi(after)) now.files[kMulti] = *multi(after);
                else now.files.erase(kMulti);
            }
            // A reset writes the video standard back the same way.
            if (now.files.contains(kPal) != after.files.contains(kPal) && NamedAsFailed(CurrentRunLog(), kPal)) {
                EXPECT_NE(note.find("PAL="), std::string::npos) << note;
                now.files[kPal] = after.files.at(kPal);
            }
            ExpectWholeOutcome(demo.machine, before, after, now, CurrentRunLog());
            for (const RunLogEntry& entry : CurrentRunLog().entries()) {
                if (entry.event != RunEvent::Failed) continue;
                EXPECT_NE(run.err.find(entry.path), std::string::npos) << entry.path << " not in " << run.err;
            }
            // A failure that a later step of the run made good needs no report.
            if (now == after) return;
            EXPECT_EQ(run.status, cli::kExitEntriesFailed) << run.err;
            // The library draws the launcher button only when the number of applications changes:
            // a skin file it could not write stays as the failed run left it, named, until then.
            std::vector<std::string> buttonFiles;
            for (const RunLogEntry& entry : CurrentRunLog().entries())
                if (entry.event == RunEvent::Failed && entry.detail.find("launcher button") != std::string::npos)
                    buttonFiles.push_back(entry.path);
            // Run again, the restore completes.
            EXPECT_EQ(RunTavoctlHere(demo.Arguments(command)).status, cli::kExitDone);
            MachineState again = Snapshot(demo.machine, kTops);
            again.files.erase(kNote);
            for (const std::string& file : buttonFiles) {
                ASSERT_TRUE(after.files.contains(file)) << file;
                again.files[file] = after.files.at(file);
            }
            EXPECT_EQ(again, after);
        });
        EXPECT_GT(steps, 20u);
    }
    ResetProcessState();
}

TEST(DemoRestoreFaults, ARestoreThatFailsAtAnyStepGoesOnAndNamesWhatFailed) {
    RunCommandLoop(Restore({"--all"}), kFaultKinds);
}

// With the network item alone the DVR's INI is merged: the live network sections go into the side
// copy of the package's file, which then replaces the live file whole.
TEST(DemoRestoreFaults, AMergeOfTheDvrsIniThatFailsLeavesItWhole) {
    RunCommandLoop(Restore({"--select", "KEY_NETWORK"}), std::span(kFaultKinds, 1));
}

// With the general item alone the DVR's program writes its launcher buttons into the skin files.
TEST(DemoRestoreFaults, LauncherButtonsThatCannotBeWrittenAreNamed) {
    RunCommandLoop(Restore({"--select", "KEY_GENERAL"}), std::span(kFaultKinds, 1));
}

// A reset to defaults removes what the action files name and writes the kept install path and
// video standard back.
TEST(DemoRestoreFaults, AResetToDefaultsThatFailsAtAnyStepGoesOnAndNamesWhatFailed) {
    RunCommandLoop({"defaults"}, kFaultKinds);
}

} // namespace
} // namespace tavo::test

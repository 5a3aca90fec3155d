#pragma once
// `tavoctl action packup|restore|defaults ACTION_FILE`: runs one action file through the engine's
// drivers, with the path roots prepared for a product as the window program prepares them.
#include "cli/machine_options.h"
#include "cli/terminal_operator.h"

#include <CLI/CLI.hpp>

#include <string>

namespace tavo::cli {

struct ActionOptions {
    MachineOptions machine;
    std::string mode; // packup, restore or defaults
    std::string actionFile;
    std::string packageFolder; // empty: the folder tavoctl lives in
    int product = 1;
};

CLI::App* AddActionCommand(CLI::App& app, ActionOptions& options);

// Returns an ExitStatus; every failure is reported as one line on streams.err.
int RunActionCommand(const ActionOptions& options, const TerminalStreams& streams);

} // namespace tavo::cli

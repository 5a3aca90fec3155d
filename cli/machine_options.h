#pragma once
// The options every tavoctl command shares: which machine it works on and how its prompts are
// answered.
#include "cli/terminal_operator.h"

#include <CLI/CLI.hpp>

#include <optional>
#include <string>

namespace tavo::cli {

struct MachineOptions {
    std::string prefix;        // --prefix: host folder of the machine prefix; empty: TAVO_PREFIX
    std::string installFolder; // --install-folder: the answer to an install-folder prompt
    bool yes = false;          // --yes: never ask on the terminal
};

void AddMachineOptions(CLI::App& command, MachineOptions& options);

// Switches the process to the machine of --prefix, when it was given. Must come before any path
// argument is mapped, so that host paths inside the prefix map to its drives.
void UseMachine(const MachineOptions& options);

// The prompt answers of the options; nullopt when --install-folder names no path on this machine.
std::optional<PromptAnswers> PromptAnswersOf(const MachineOptions& options);

} // namespace tavo::cli

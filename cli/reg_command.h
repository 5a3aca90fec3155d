#pragma once
// The registry commands of tavoctl, in the registry editor's text format:
//   tavoctl reg export KEY [FILE]   a key tree to stdout or FILE
//   tavoctl reg import FILE         a registry text file into the registry
#include "cli/terminal_operator.h"

#include <CLI/CLI.hpp>

#include <string>

namespace tavo::cli {

struct RegOptions {
    std::string prefix; // --prefix: host folder of the machine prefix; empty: TAVO_PREFIX
    std::string key;    // export: the key, "HKEY_LOCAL_MACHINE\SOFTWARE\Vendor"
    std::string file;   // export: the host file to write (empty: stdout); import: the file to read
};

struct RegCommandSet {
    CLI::App* reg = nullptr;
    CLI::App* exportKey = nullptr;
    CLI::App* import = nullptr;
};

RegCommandSet AddRegCommands(CLI::App& app, RegOptions& options);

// Runs the parsed command of the set; returns an ExitStatus.
int RunRegCommand(const RegCommandSet& commands, const RegOptions& options, const TerminalStreams& streams);

} // namespace tavo::cli

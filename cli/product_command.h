#pragma once
// The product commands of tavoctl, on the window's command logic with the catalogue of a package:
//   tavoctl list [PRODUCT]
//   tavoctl restore PRODUCT [--select KEY,...|--all]
//   tavoctl packup PRODUCT [--select KEY,...|--all] [--archive FILE]
//   tavoctl defaults
#include "cli/machine_options.h"
#include "cli/terminal_operator.h"

#include <CLI/CLI.hpp>

#include <string>
#include <vector>

namespace tavo::cli {

struct ProductOptions {
    MachineOptions machine;
    std::string packageFolder; // empty: the folder tavoctl lives in
    std::string product;       // a product key or name; empty for list: every product
    std::vector<std::string> select;
    bool all = false;
    std::string archive;
};

struct ProductCommandSet {
    CLI::App* list = nullptr;
    CLI::App* restore = nullptr;
    CLI::App* packup = nullptr;
    CLI::App* defaults = nullptr;
};

ProductCommandSet AddProductCommands(CLI::App& app, ProductOptions& options);

// Runs the parsed command of the set; returns an ExitStatus.
int RunProductCommand(const ProductCommandSet& commands, const ProductOptions& options,
                      const TerminalStreams& streams);

} // namespace tavo::cli

// tavoctl: the command-line front end of Tavo, for scripts and machines without a screen.
#include "cli/action_command.h"
#include "cli/exit_status.h"
#include "cli/library_host.h"
#include "cli/product_command.h"
#include "cli/reg_command.h"
#include "cli/terminal_operator.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <exception>

int main(int argc, char** argv) {
    using namespace tavo::cli;
    CLI::App app{"tavoctl: packup, restore and reset the settings of the surveillance suite's products"};
    app.name("tavoctl");
    app.require_subcommand(1);
    ActionOptions action;
    const CLI::App* actionCommand = AddActionCommand(app, action);
    ProductOptions product;
    const ProductCommandSet productCommands = AddProductCommands(app, product);
    RegOptions reg;
    const RegCommandSet regCommands = AddRegCommands(app, reg);
    try {
        app.parse(argc, argv);
    } catch (const CLI::Success& success) {
        return app.exit(success); // --help
    } catch (const CLI::ParseError& error) {
        std::fprintf(stderr, "tavoctl: %s (see tavoctl --help)\n", error.what());
        return kExitBadCommand;
    }
    try {
        const TerminalStreams streams = TerminalStreams::OfProcess();
        UseLibraryLogic();
        if (actionCommand->parsed()) return RunActionCommand(action, streams);
        if (regCommands.reg->parsed()) return RunRegCommand(regCommands, reg, streams);
        return RunProductCommand(productCommands, product, streams);
    } catch (const std::exception& error) {
        // Nothing below throws by design; memory exhaustion is what is left.
        std::fprintf(stderr, "tavoctl: %s\n", error.what());
    }
    return kExitNotRun;
}

#include "cli/machine_options.h"

#include "cli/path_argument.h"
#include "platform/paths.h"

namespace tavo::cli {

void AddMachineOptions(CLI::App& command, MachineOptions& options) {
    command
        .add_option("--prefix", options.prefix,
                    "Host folder of the machine to work on (default: TAVO_PREFIX, else "
                    "~/.local/share/tavo)")
        ->type_name("DIR");
    command
        .add_option("--install-folder", options.installFolder,
                    "Answer to a prompt for a product's install folder (when the machine names none)")
        ->type_name("DIR");
    command.add_flag("-y,--yes", options.yes,
                     "Never ask on the terminal: questions are answered yes, folder prompts with "
                     "--install-folder or refused");
}

void UseMachine(const MachineOptions& options) {
    if (!options.prefix.empty()) plat::SetPrefixFolder(options.prefix);
}

std::optional<PromptAnswers> PromptAnswersOf(const MachineOptions& options) {
    PromptAnswers answers;
    answers.yes = options.yes;
    if (!options.installFolder.empty()) {
        const std::optional<std::string> folder = WindowsPathArgument(options.installFolder);
        if (!folder) return std::nullopt;
        answers.folder = WithoutTrailingBackslash(*folder);
    }
    return answers;
}

} // namespace tavo::cli

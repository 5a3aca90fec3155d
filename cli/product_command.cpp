#include "cli/product_command.h"

#include "catalogue/catalogue_loader.h"
#include "catalogue/product_commands.h"
#include "catalogue/selection_tree.h"
#include "cli/exit_status.h"
#include "cli/main_operator_scope.h"
#include "cli/path_argument.h"
#include "cli/product_name.h"
#include "cli/program_folder.h"
#include "cli/run_summary.h"
#include "cli/tree_listing.h"
#include "cli/tree_selection.h"
#include "engine/package_archive.h"
#include "engine/path_roots.h"
#include "engine/run_log.h"
#include "engine/sibling_install_folders.h"
#include "engine/utilities.h"
#include "platform/files.h"

#include <array>
#include <optional>

namespace tavo::cli {

namespace {

constexpr std::array<int, 5> kProductOrder{1, 2, 4, 8, 16};

int Report(const TerminalStreams& streams, int status, const std::string& reason) {
    std::fprintf(streams.err, "tavoctl: %s\n", reason.c_str());
    std::fflush(streams.err);
    return status;
}

bool IsFolder(std::string_view path) {
    const std::uint32_t attributes = plat::FileAttributes(path);
    return attributes != plat::kInvalidAttributes && (attributes & plat::kAttrDirectory) != 0;
}

bool IsFile(std::string_view path) {
    const std::uint32_t attributes = plat::FileAttributes(path);
    return attributes != plat::kInvalidAttributes && (attributes & plat::kAttrDirectory) == 0;
}

void AddPackageOption(CLI::App& command, ProductOptions& options) {
    command
        .add_option("--package", options.packageFolder,
                    "The package (program) folder with the catalogue; default: the folder tavoctl lives in")
        ->type_name("DIR");
    AddMachineOptions(command, options.machine);
}

void AddSelectionOptions(CLI::App& command, ProductOptions& options) {
    CLI::Option* select =
        command
            .add_option("--select", options.select,
                        "Click these items' check boxes (SUB_ID_KEY values), in order, after the tree loaded")
            ->delimiter(',')
            ->type_name("KEY,...");
    command.add_flag("--all", options.all, "Select every item the package holds")->excludes(select);
}

// The five trees, loaded from the catalogue of the program folder as the window loads them.
class LoadedTrees {
  public:
    LoadedTrees()
        : trees_{SelectionTree(1), SelectionTree(2), SelectionTree(4), SelectionTree(8), SelectionTree(16)} {
        std::array<SelectionTree*, 5> all = Pointers();
        LoadCatalogues(all);
    }
    std::array<SelectionTree*, 5> Pointers() {
        return {&trees_[0], &trees_[1], &trees_[2], &trees_[3], &trees_[4]};
    }
    // A catalogue that declares more items than a tree holds is loaded in part; say so.
    void WarnOfCutTrees(const TerminalStreams& streams) const {
        const int limit = LoadLimits{}.maxItems;
        for (const SelectionTree& tree : trees_) {
            if (tree.Count() < limit) continue;
            const std::string_view name = ProductDisplayName(tree.Product());
            std::fprintf(
                streams.err,
                "tavoctl: warning: the %.*s catalogue declares more items than a tree holds; only the "
                "first %d are loaded\n",
                static_cast<int>(name.size()), name.data(), limit);
        }
    }
    SelectionTree& Of(int productCode) {
        for (SelectionTree& tree : trees_)
            if (tree.Product() == productCode) return tree;
        return trees_[0];
    }

  private:
    std::array<SelectionTree, 5> trees_;
};

int List(LoadedTrees& trees, std::optional<int> product, const TerminalStreams& streams) {
    for (const int code : kProductOrder) {
        if (product && *product != code) continue;
        PrintTree(trees.Of(code), ProductDisplayName(code), Roots().programFolder, streams.out);
    }
    return kExitDone;
}

int StatusOf(CommandResult result, const TerminalOperator& op, std::string_view command,
             const TerminalStreams& streams) {
    switch (result) {
    case CommandResult::Busy:
        return kExitProductRunning;
    case CommandResult::NothingToDo: {
        const std::string refusal = op.refusal();
        if (!refusal.empty()) return Report(streams, kExitNotRun, refusal);
        if (!CurrentRunLog().entries().empty()) break; // a package folder that could not be made
        std::fprintf(streams.out, "%.*s: nothing to do\n", static_cast<int>(command.size()), command.data());
        std::fflush(streams.out);
        return kExitDone;
    }
    case CommandResult::Failed:
        PrintRunSummary(CurrentRunLog(), command, streams.out, streams.err);
        return Report(streams, kExitNotRun,
                      PackageArchivePath().empty()
                          ? "the run failed"
                          : "the package archive was not written: " + PackageArchivePath());
    case CommandResult::Done: {
        const std::size_t failed = PrintRunSummary(CurrentRunLog(), command, streams.out, streams.err);
        return failed > 0 ? kExitEntriesFailed : kExitDone;
    }
    }
    return Report(streams, kExitNotRun, "the folders of the run could not be prepared");
}

} // namespace

ProductCommandSet AddProductCommands(CLI::App& app, ProductOptions& options) {
    ProductCommandSet set;
    set.list =
        app.add_subcommand("list", "List a product's items (every product's without PRODUCT) with their "
                                   "check state and action file");
    set.list->add_option("PRODUCT", options.product,
                         "DVR, Nodera (NDR), Watchdeck (WDS), Pulsewatch (PWT), Relay (RLS)");
    AddPackageOption(*set.list, options);

    set.restore = app.add_subcommand("restore", "Restore a product's selected items from the package");
    set.restore->add_option("PRODUCT", options.product, "DVR, Nodera, Watchdeck, Pulsewatch or Relay")
        ->required();
    AddSelectionOptions(*set.restore, options);
    AddPackageOption(*set.restore, options);

    set.packup = app.add_subcommand("packup", "Pack up a product's selected items into the package");
    set.packup->add_option("PRODUCT", options.product, "DVR, Nodera, Watchdeck, Pulsewatch or Relay")
        ->required();
    AddSelectionOptions(*set.packup, options);
    set.packup
        ->add_option(
            "--archive", options.archive,
            "Also gather the exported password store and saved registry hives into this archive file")
        ->type_name("FILE");
    AddPackageOption(*set.packup, options);

    set.defaults = app.add_subcommand("defaults", "Reset every DVR item to its defaults");
    AddPackageOption(*set.defaults, options);
    return set;
}

int RunProductCommand(const ProductCommandSet& commands, const ProductOptions& options,
                      const TerminalStreams& streams) {
    UseMachine(options.machine);
    std::optional<int> product;
    if (!options.product.empty()) {
        product = ProductCodeOfName(options.product);
        if (!product) return Report(streams, kExitBadCommand, "unknown product: " + options.product);
    }
    std::string packageFolder;
    if (!options.packageFolder.empty()) {
        const std::optional<std::string> folder = WindowsPathArgument(options.packageFolder);
        if (!folder)
            return Report(streams, kExitBadCommand, "not a path on this machine: " + options.packageFolder);
        packageFolder = *folder;
    }
    std::string archive;
    if (!options.archive.empty()) {
        const std::optional<std::string> path = WindowsPathArgument(options.archive);
        if (!path) return Report(streams, kExitBadCommand, "not a path on this machine: " + options.archive);
        archive = *path;
    }
    const std::optional<PromptAnswers> answers = PromptAnswersOf(options.machine);
    if (!answers)
        return Report(streams, kExitBadCommand,
                      "not a path on this machine: " + options.machine.installFolder);

    const std::optional<std::string> programFolder = UseProgramFolder(packageFolder);
    if (!programFolder)
        return Report(streams, kExitNotRun, "the folder of tavoctl has no Windows path: give --package");
    if (!IsFolder(*programFolder))
        return Report(streams, kExitNotRun, "package folder not found: " + *programFolder);
    LoadedTrees trees;
    if (!IsFile(CatalogueIniPath()))
        return Report(streams, kExitNotRun, "no catalogue in the package: " + CatalogueIniPath());
    trees.WarnOfCutTrees(streams);

    if (commands.list->parsed()) return List(trees, product, streams);

    const int code = product.value_or(1);
    SelectionTree& tree = trees.Of(code);
    if (const std::optional<SelectionRefusal> refusal = ApplySelection(tree, options.select, options.all))
        return Report(streams, refusal->status, refusal->reason);

    TerminalOperator op(streams, *answers);
    const MainOperatorScope scope(op);
    ReadSiblingInstallFolders();
    SetPackageArchivePath(archive);
    ProductProbes probes;
    ProductCommands productCommands(trees.Pointers(), probes, op);
    if (commands.restore->parsed())
        return StatusOf(productCommands.RestoreProduct(code), op, "restore", streams);
    if (commands.packup->parsed())
        return StatusOf(productCommands.PackupProduct(code), op, "packup", streams);
    return StatusOf(productCommands.RestoreDvrDefaults(), op, "defaults", streams);
}

} // namespace tavo::cli

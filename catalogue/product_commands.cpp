#include "catalogue/product_commands.h"

#include "catalogue/command_messages.h"
#include "catalogue/product.h"
#include "catalogue/product_run.h"
#include "engine/package_archive.h"
#include "engine/path_roots.h"
#include "engine/progress.h"
#include "engine/run_log.h"
#include "platform/operator.h"

#include <climits>
#include <cstdint>

namespace tavo {

namespace {

// 2n + 1 for the packup and defaults ranges, kept within an int.
int DoubledRange(int n) {
    const std::int64_t high = 2 * static_cast<std::int64_t>(n) + 1;
    return high > INT_MAX ? INT_MAX : static_cast<int>(high);
}

int SingleRange(int n) {
    return n == INT_MAX ? INT_MAX : n + 1;
}

void ShowDone(plat::Operator& op, const std::string& text) {
    op.ShowMessage(text, {}, plat::MessageIcon::None, plat::MessageButtons::Ok);
}

} // namespace

ProductCommands::ProductCommands(std::array<SelectionTree*, 5> trees, ProductProbes& probes, plat::Operator& op,
                                 std::function<void()> repaint)
    : trees_(trees), probes_(probes), operator_(op), repaint_(std::move(repaint)) {}

SelectionTree& ProductCommands::Tree(int productCode) const {
    switch (CatalogueProduct(productCode)) {
    case 2: return *trees_[1];
    case 4: return *trees_[2];
    case 8: return *trees_[3];
    case 16: return *trees_[4];
    default: return *trees_[0];
    }
}

void ProductCommands::Repaint() const {
    if (repaint_) repaint_();
}

void ProductCommands::BeginRun(int productCode, bool packup) const {
    SpaceCounters().fill(0);
    CurrentRunLog().Clear();
    CommandMessages& messages = Messages();
    messages.done = MessageText(packup ? DonePackupKey(productCode) : DoneRestoreKey(productCode));
    if (messages.diskSpace.empty()) messages.diskSpace = MessageText("Text_String_DISK_SPACE_NOT_ENOUGH_PACKUP");
}

CommandResult ProductCommands::RestoreProduct(int productCode) {
    const int product = CatalogueProduct(productCode);
    Repaint();
    SpaceCounters().fill(0);
    if (!probes_.TryTake(product)) {
        ShowWarning(operator_, ExecuteWarningKey(product));
        return CommandResult::Busy;
    }
    BeginRun(product, false);
    SetProgressCounter(1);
    const SelectionTree& tree = Tree(product);
    const int n = PrepareRun(tree);
    if (n == 0) return CommandResult::NothingToDo;
    operator_.ProgressShow(true);
    operator_.ProgressRange(1, SingleRange(n));
    operator_.ProgressPosition(1);
    CommandResult result = CommandResult::Failed;
    if (RunProduct(tree, 0)) {
        operator_.ProgressPosition(SingleRange(n));
        ShowDone(operator_, Messages().done);
        result = CommandResult::Done;
    }
    operator_.ProgressShow(false);
    return result;
}

CommandResult ProductCommands::RestoreDvrDefaults() {
    if (!probes_.TryTake(1)) {
        ShowWarning(operator_, "Text_String_RESTORE_DEFAULTS_WARNING");
        return CommandResult::Busy;
    }
    CurrentRunLog().Clear();
    SetProgressCounter(1);
    const SelectionTree& tree = Tree(1);
    const int n = PrepareRun(tree);
    if (n == 0) return CommandResult::NothingToDo;
    operator_.ProgressShow(true);
    operator_.ProgressRange(0, DoubledRange(n));
    operator_.ProgressPosition(1);
    RunDefaultsForAllItems(tree);
    operator_.ProgressPosition(DoubledRange(n));
    CommandMessages& messages = Messages();
    if (messages.defaults.empty()) messages.defaults = MessageText("Text_String_DONE_CLEAN");
    ShowDone(operator_, messages.defaults);
    operator_.ProgressShow(false);
    probes_.Release(1);
    return CommandResult::Done;
}

CommandResult ProductCommands::PackupProduct(int productCode) {
    const int product = CatalogueProduct(productCode);
    Repaint();
    BeginRun(product, true);
    ResetPackageArchive();
    SetProgressCounter(1);
    const SelectionTree& tree = Tree(product);
    const int n = PrepareRun(tree);
    if (n == 0) return CommandResult::NothingToDo;
    operator_.ProgressShow(true);
    operator_.ProgressRange(0, DoubledRange(n));
    operator_.ProgressPosition(1);
    CommandResult result = CommandResult::Failed;
    if (RunProduct(tree, 1)) {
        operator_.ProgressPosition(DoubledRange(n));
        ShowDone(operator_, Messages().done);
        result = CommandResult::Done;
    }
    operator_.ProgressShow(false);
    return result;
}

} // namespace tavo

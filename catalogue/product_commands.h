#pragma once
// The packup, restore and defaults commands of the main window, without a toolkit: the running
// check through the program probes, the progress bar and the message boxes through an operator,
// and the product runs. The window and tavoctl both drive them.
#include "catalogue/program_probes.h"

#include <array>
#include <functional>

namespace plat {
class Operator;
}

namespace tavo {

class SelectionTree;

enum class CommandResult {
    Done,        // the run finished and its done message was shown
    Busy,        // the product's program runs: its warning was shown and nothing else happened
    NothingToDo, // the census found nothing, or preparing the run failed (a cancelled prompt)
    Failed,      // the run itself failed (the package archive); no done message
};

class ProductCommands {
  public:
    // trees: the DVR's, Nodera's, Watchdeck's, Pulsewatch's and the Relay server's, in this order.
    // op shows the progress bar and the messages; it should be the main operator, through which
    // the engine steps the bar. repaint redraws the main window at once (may be empty). The probes
    // a command takes stay with their owner.
    ProductCommands(std::array<SelectionTree*, 5> trees, ProductProbes& probes, plat::Operator& op,
                    std::function<void()> repaint = {});

    // The restore of the package for a product (1, 2, 4, 8, 16), unless its program runs. The probe
    // taken stays owned.
    CommandResult RestoreProduct(int productCode);
    // The DVR's reset to defaults over all of its items, unless the DVR runs; the DVR probe is given
    // back at the end of a run.
    CommandResult RestoreDvrDefaults();
    // The packup of a product's selected items into the package; no running check is made.
    CommandResult PackupProduct(int productCode);

    // The tree of a product code; every code other than 2, 4, 8, 16 names the DVR's.
    SelectionTree& Tree(int productCode) const;

  private:
    void Repaint() const;
    // The restore and packup start: the space counters cleared, the done and disk-space messages.
    void BeginRun(int productCode, bool packup) const;

    std::array<SelectionTree*, 5> trees_;
    ProductProbes& probes_;
    plat::Operator& operator_;
    std::function<void()> repaint_;
};

} // namespace tavo

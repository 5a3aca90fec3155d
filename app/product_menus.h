#pragma once
// The pop-up menus behind the item buttons: the DVR's (restore a package, or reset to defaults) and
// the servers' (which server's page to show, unless its program runs).
#include "catalogue/program_probes.h"

#include <initializer_list>
#include <string_view>
#include <utility>

namespace plat {
class Operator;
}

namespace tavo::app {

// What the menus lead to; the main window implements it.
class MenuTarget {
  public:
    virtual ~MenuTarget() = default;
    virtual void ShowDvrPage(int command) = 0;
    virtual void ShowProductPage(int command, int productCode) = 0;
    virtual void RestoreDvrDefaults() = 0;
    // The DVR page in packup mode: its Next packs the selected items up instead of restoring them.
    virtual void ShowDvrPackupPage() = 0;
};

// Command ids of the menus' entries.
enum MenuCommand : int {
    kCmdRestoreBackup = 32789, // "Restore Backup Settings"
    kCmdBackupCurrent = 32789, // "Backup Current System"
    kCmdRestoreDefaults = 32790,
    kCmdNoderaServer = 32790,
    kCmdWatchdeckServer = 32791,
    kCmdPwtServer = 32792,
    kCmdRelayServer = 32793,
};

class ProductMenus {
  public:
    // The operator shows the menus at the cursor and the warnings; the probes tell which
    // programs run.
    ProductMenus(plat::Operator& op, MenuTarget& target, ProductProbes& probes)
        : operator_(op), target_(target), probes_(probes) {}

    // Item 1 opens the DVR menu, item 2 the server menu; other items do nothing.
    void OpenItemMenu(int item);
    // Menu 143; the current product becomes the DVR first.
    void ShowDvrMenu();
    // Menu 142, the packup menu; the current product becomes the DVR first.
    void ShowPackupMenu();
    // Menu 144; a server whose program runs is not chosen.
    void ShowServerMenu();
    // True, after the product's warning, while the product's program runs. Otherwise the probe
    // stays taken by this window.
    bool IsProductBusy(int productCode);

    // The product whose page a menu chose last (1 at start).
    int CurrentProduct() const { return currentProduct_; }

  private:
    // A menu's entries by command id; the chosen id, or 0 when the menu was closed.
    int ChooseFrom(std::initializer_list<std::pair<int, std::string_view>> entries);

    plat::Operator& operator_;
    MenuTarget& target_;
    ProductProbes& probes_;
    int currentProduct_ = 1;
};

} // namespace tavo::app

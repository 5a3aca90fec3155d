#include "app/product_menus.h"

#include "app/product_pages.h"
#include "catalogue/command_messages.h"
#include "platform/operator.h"

#include <string>
#include <utility>
#include <vector>

namespace tavo::app {

int ProductMenus::ChooseFrom(std::initializer_list<std::pair<int, std::string_view>> entries) {
    std::vector<std::string> texts;
    std::vector<int> ids;
    for (const auto& [id, text] : entries) {
        ids.push_back(id);
        texts.emplace_back(text);
    }
    const int chosen = operator_.PopupMenu(texts);
    return chosen >= 0 && chosen < static_cast<int>(ids.size()) ? ids[static_cast<unsigned>(chosen)] : 0;
}

void ProductMenus::OpenItemMenu(int item) {
    if (item == 1)
        ShowDvrMenu();
    else if (item == 2)
        ShowServerMenu();
}

void ProductMenus::ShowDvrMenu() {
    currentProduct_ = 1;
    switch (ChooseFrom(
        {{kCmdRestoreBackup, "Restore Backup Settings"}, {kCmdRestoreDefaults, "Restore Defaults"}})) {
    case kCmdRestoreBackup:
        target_.ShowDvrPage(kShowPage);
        break;
    case kCmdRestoreDefaults:
        target_.RestoreDvrDefaults();
        break;
    default:
        break;
    }
}

void ProductMenus::ShowPackupMenu() {
    currentProduct_ = 1;
    switch (ChooseFrom(
        {{kCmdBackupCurrent, "Backup Current System"}, {kCmdRestoreDefaults, "Restore Defaults"}})) {
    case kCmdBackupCurrent:
        target_.ShowDvrPackupPage();
        break;
    case kCmdRestoreDefaults:
        target_.RestoreDvrDefaults();
        break;
    default:
        break;
    }
}

void ProductMenus::ShowServerMenu() {
    int product = 0;
    switch (ChooseFrom({{kCmdNoderaServer, "Nodera Server"},
                        {kCmdWatchdeckServer, "Watchdeck Server"},
                        {kCmdPwtServer, "PWT Server"},
                        {kCmdRelayServer, "Relay Server"}})) {
    case kCmdNoderaServer:
        product = 2;
        break;
    case kCmdWatchdeckServer:
        product = 4;
        break;
    case kCmdPwtServer:
        product = 8;
        break;
    case kCmdRelayServer:
        product = 16;
        break;
    default:
        return;
    }
    if (IsProductBusy(product)) return;
    currentProduct_ = product;
    target_.ShowProductPage(kShowPage, product);
}

bool ProductMenus::IsProductBusy(int productCode) {
    if (probes_.TryTake(productCode)) return false;
    ShowWarning(operator_, ExecuteWarningKey(productCode));
    return true;
}

} // namespace tavo::app

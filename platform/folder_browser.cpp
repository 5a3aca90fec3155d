#include "platform/folder_browser.h"

#include "platform/operator.h"
#include "platform/paths.h"

#include <string_view>

namespace plat {

namespace {

// A drive root ("C:\") is three characters; only longer paths may be chosen.
bool IsChoosableFolder(std::string_view path) {
    return path.size() > 3;
}

void CleanInitialFolder(std::string& folder) {
    const auto last = folder.find_last_not_of(" \t\r\n\v\f");
    folder.erase(last == std::string::npos ? 0 : last + 1);
    if (!folder.empty() && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
}

} // namespace

FolderBrowser::FolderBrowser() : initialFolder(CurrentFolder()), chosenFolder(initialFolder) {}

bool FolderBrowser::Browse(Operator* owner) {
    CleanInitialFolder(initialFolder);
    Operator* op = owner ? owner : MainOperator();
    if (!op) return false;
    const std::optional<std::string> chosen = op->PromptFolder(caption, initialFolder, IsChoosableFolder);
    // An operator that does not grey out its OK button still cannot hand back a drive root.
    if (!chosen || !IsChoosableFolder(*chosen)) return false;
    chosenFolder = *chosen;
    return true;
}

} // namespace plat

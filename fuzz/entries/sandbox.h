#pragma once
// Host folders and a silent operator for the fuzz entries, which run many inputs in one process.
#include "platform/operator.h"

#include <string>
#include <string_view>

namespace tavo::fuzz {

// A new host folder under the temporary folder, removed with everything in it when the process ends.
const std::string& ProcessFolder();
// A fresh, empty folder inside the process folder, a new one on every call; the previous one made
// under the same name is removed first. The process leaves the machine it is on before that, so
// that nothing of a removed machine stays open.
std::string FreshFolder(std::string_view name);
// Makes the prefix the process's machine, with its registry open; anything of the machine before
// is closed now, not during the next input's run.
void UseMachine(const std::string& prefix);
// Writes a host file, making its folders.
void WriteHostFile(const std::string& hostPath, std::string_view bytes);
std::string ReadHostFile(const std::string& hostPath);
// The host folder of the demo machine and package sources ("demo" of the source tree).
std::string DemoFolder();

// Answers every message with its first button and cancels every prompt and menu.
class SilentOperator : public plat::Operator {
  public:
    int ShowMessage(std::string_view, std::string_view, plat::MessageIcon,
                    plat::MessageButtons buttons) override;
    std::optional<std::string> PromptFolder(std::string_view, std::string_view,
                                            const std::function<bool(std::string_view)>&) override;
    std::optional<std::string> PromptFile(std::string_view, std::string_view, std::string_view) override;
    int PopupMenu(const std::vector<std::string>&) override { return -1; }
    void ProgressShow(bool) override {}
    void ProgressRange(int, int) override {}
    void ProgressPosition(int) override {}
    void ShowWaitCursor(int) override {}
};

} // namespace tavo::fuzz

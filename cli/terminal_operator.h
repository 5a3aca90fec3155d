#pragma once
// The operator of tavoctl: messages on stdout (warnings and errors on stderr), the progress bar on
// stderr, and prompts answered from the command line or, when allowed, on the terminal.
//
// A folder prompt is answered with the folder given by --install-folder when there is one. Without
// it, --yes refuses the prompt (nothing to answer with), a terminal on stdin is asked, and with no
// terminal the prompt is refused. A question (OK/Cancel, Yes/No) is answered "yes" by --yes, asked
// on a terminal, and answered "no" otherwise. File prompts and pop-up menus are always refused.
// Every refusal leaves a one-line reason for the command to report.
#include "cli/progress_line.h"
#include "platform/operator.h"

#include <cstdio>
#include <mutex>
#include <optional>
#include <string>

namespace tavo::cli {

// The standard streams and whether they are terminals; tests pass files of their own.
struct TerminalStreams {
    std::FILE* in = nullptr;
    std::FILE* out = nullptr;
    std::FILE* err = nullptr;
    bool inIsTerminal = false;
    bool errIsTerminal = false;

    static TerminalStreams OfProcess();
};

struct PromptAnswers {
    std::optional<std::string> folder; // Windows form, no trailing '\'
    bool yes = false;
};

class TerminalOperator : public plat::Operator {
  public:
    TerminalOperator(TerminalStreams streams, PromptAnswers answers);

    // Why the last refused prompt was not answered; empty when none was refused.
    std::string refusal() const;

    int ShowMessage(std::string_view text, std::string_view caption, plat::MessageIcon icon,
                    plat::MessageButtons buttons) override;
    std::optional<std::string> PromptFolder(std::string_view caption, std::string_view initialFolder,
                                            const std::function<bool(std::string_view)>& acceptable) override;
    std::optional<std::string> PromptFile(std::string_view caption, std::string_view initialFolder,
                                          std::string_view filter) override;
    int PopupMenu(const std::vector<std::string>& entries) override;
    void ProgressShow(bool visible) override;
    void ProgressRange(int low, int high) override;
    void ProgressPosition(int position) override;
    void ShowWaitCursor(int milliseconds) override;

  private:
    std::optional<std::string> AskFolder(const std::string& caption,
                                         const std::function<bool(std::string_view)>& acceptable);
    std::optional<std::string> ReadLine();
    void Refuse(std::string reason);

    mutable std::mutex mutex_;
    TerminalStreams streams_;
    PromptAnswers answers_;
    ProgressLine progress_;
    std::string refusal_;
};

} // namespace tavo::cli

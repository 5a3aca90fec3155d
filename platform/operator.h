#pragma once
// The operator: everything the system shows to a person or asks of one. Core code never shows
// anything itself; the program that hosts it sets the main operator (the Qt window, the terminal
// of tavoctl, or a scripted operator in tests). It also stands for the "main dialog pointer"
// through which runs step the progress bar and own their message boxes.
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace plat {

enum class MessageIcon { None, Information, Exclamation, Stop, Question };
enum class MessageButtons { Ok, OkCancel, YesNo };
enum : int { kIdOk = 1, kIdCancel = 2, kIdYes = 6, kIdNo = 7 };

class Operator {
  public:
    virtual ~Operator() = default;

    // A message box; returns the button pressed (kIdOk, kIdCancel, kIdYes, kIdNo).
    virtual int ShowMessage(std::string_view text, std::string_view caption, MessageIcon icon,
                            MessageButtons buttons) = 0;

    // A folder prompt opened on `initialFolder` (may be empty) with `caption` as its title.
    // `acceptable` says which folders the prompt may return (its OK button is disabled for the
    // others). Returns the chosen folder without a trailing '\', or nullopt on cancel.
    virtual std::optional<std::string>
    PromptFolder(std::string_view caption, std::string_view initialFolder,
                 const std::function<bool(std::string_view)>& acceptable) = 0;

    // An open-file prompt. `filter` is in the Windows form "Programs (*.exe)|*.exe||".
    virtual std::optional<std::string> PromptFile(std::string_view caption, std::string_view initialFolder,
                                                  std::string_view filter) = 0;

    // A pop-up menu at the cursor; an empty entry is a separator. Returns the index chosen, or -1.
    virtual int PopupMenu(const std::vector<std::string>& entries) = 0;

    // The progress bar.
    virtual void ProgressShow(bool visible) = 0;
    virtual void ProgressRange(int low, int high) = 0;
    virtual void ProgressPosition(int position) = 0;

    // The wait cursor, shown for a while after a folder was chosen.
    virtual void ShowWaitCursor(int milliseconds) = 0;
};

// The process-wide main operator; null until the host program sets it.
Operator* MainOperator();
void SetMainOperator(Operator* op);

} // namespace plat

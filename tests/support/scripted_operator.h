#pragma once
// An operator for tests: it records every call as one readable line and answers the prompts from a
// script, so a test reads as "given these answers, the system asked and showed exactly this".
//
// Recorded lines, one per call:
//   message[Exclamation,Ok] text        icon and buttons, then the text (captions: messages())
//   folder? caption | initial           a folder prompt
//   folder refused C:\                  a scripted folder the prompt did not accept
//   file? caption | initial | filter    a file prompt
//   menu Open | - | Delete              a pop-up menu; "-" stands for a separator
//   progress show / progress hide
//   progress range 1..5
//   progress pos 3
//   wait cursor 500
//
// Each kind of prompt has its own queue of answers, used first in, first out. A prompt that finds
// its queue empty is counted in unscriptedPrompts() and answers as a person who closes it would:
// a message kIdOk, a folder or file prompt cancel, a menu -1. A folder prompt honours its
// `acceptable` test like a dialog whose OK button is greyed out: an answer it does not accept is
// recorded as refused and the next queued answer is tried; when none is left the prompt is
// cancelled.
//
// Calls may come from any thread (runs step the progress bar from their workers).
#include "platform/operator.h"

#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavo::test {

class ScriptedOperator : public plat::Operator {
  public:
    struct Message {
        std::string text;
        std::string caption;
        plat::MessageIcon icon = plat::MessageIcon::None;
        plat::MessageButtons buttons = plat::MessageButtons::Ok;
    };
    struct Progress {
        bool visible = false;
        int low = 0;
        int high = 0;
        int position = 0;
    };

    // The script: each call queues one answer and returns the operator, so answers chain.
    ScriptedOperator& AnswerMessage(int button);
    ScriptedOperator& AnswerFolder(std::string folder);
    ScriptedOperator& CancelFolder();
    ScriptedOperator& AnswerFile(std::string path);
    ScriptedOperator& CancelFile();
    ScriptedOperator& AnswerMenu(int index);

    // What happened.
    std::vector<std::string> calls() const;
    // The recorded lines that start with `prefix` ("message", "progress pos").
    std::vector<std::string> CallsStartingWith(std::string_view prefix) const;
    // Every recorded line followed by '\n': for a failure message.
    std::string Transcript() const;
    std::vector<Message> messages() const;
    // The progress bar as the last calls left it.
    Progress progress() const;
    int unscriptedPrompts() const;
    // True when every queued answer has been used.
    bool ScriptUsedUp() const;
    // Forgets the recorded calls and messages (the script and the progress bar stay).
    void ClearCalls();

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
    void Record(std::string line);

    mutable std::mutex mutex_;
    std::vector<std::string> calls_;
    std::vector<Message> messages_;
    Progress progress_;
    int unscripted_ = 0;
    std::deque<int> messageAnswers_;
    std::deque<std::optional<std::string>> folderAnswers_; // nullopt: cancel
    std::deque<std::optional<std::string>> fileAnswers_;
    std::deque<int> menuAnswers_;
};

// Makes an operator the process's main operator for a scope and puts the previous one back.
class MainOperatorScope {
  public:
    explicit MainOperatorScope(plat::Operator& op);
    ~MainOperatorScope();
    MainOperatorScope(const MainOperatorScope&) = delete;
    MainOperatorScope& operator=(const MainOperatorScope&) = delete;

  private:
    plat::Operator* previous_;
};

} // namespace tavo::test

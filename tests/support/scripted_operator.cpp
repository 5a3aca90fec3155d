#include "support/scripted_operator.h"

#include <utility>

namespace tavo::test {

namespace {

const char* IconName(plat::MessageIcon icon) {
    switch (icon) {
    case plat::MessageIcon::None:
        return "None";
    case plat::MessageIcon::Information:
        return "Information";
    case plat::MessageIcon::Exclamation:
        return "Exclamation";
    case plat::MessageIcon::Stop:
        return "Stop";
    case plat::MessageIcon::Question:
        return "Question";
    }
    return "?";
}

const char* ButtonsName(plat::MessageButtons buttons) {
    switch (buttons) {
    case plat::MessageButtons::Ok:
        return "Ok";
    case plat::MessageButtons::OkCancel:
        return "OkCancel";
    case plat::MessageButtons::YesNo:
        return "YesNo";
    }
    return "?";
}

// Takes the next answer of a queue; nullopt when the queue is empty.
template <typename T> std::optional<T> TakeFront(std::deque<T>& queue) {
    if (queue.empty()) return std::nullopt;
    T answer = std::move(queue.front());
    queue.pop_front();
    return answer;
}

} // namespace

ScriptedOperator& ScriptedOperator::AnswerMessage(int button) {
    std::lock_guard lock(mutex_);
    messageAnswers_.push_back(button);
    return *this;
}

ScriptedOperator& ScriptedOperator::AnswerFolder(std::string folder) {
    std::lock_guard lock(mutex_);
    folderAnswers_.emplace_back(std::move(folder));
    return *this;
}

ScriptedOperator& ScriptedOperator::CancelFolder() {
    std::lock_guard lock(mutex_);
    folderAnswers_.emplace_back(std::nullopt);
    return *this;
}

ScriptedOperator& ScriptedOperator::AnswerFile(std::string path) {
    std::lock_guard lock(mutex_);
    fileAnswers_.emplace_back(std::move(path));
    return *this;
}

ScriptedOperator& ScriptedOperator::CancelFile() {
    std::lock_guard lock(mutex_);
    fileAnswers_.emplace_back(std::nullopt);
    return *this;
}

ScriptedOperator& ScriptedOperator::AnswerMenu(int index) {
    std::lock_guard lock(mutex_);
    menuAnswers_.push_back(index);
    return *this;
}

std::vector<std::string> ScriptedOperator::calls() const {
    std::lock_guard lock(mutex_);
    return calls_;
}

std::vector<std::string> ScriptedOperator::CallsStartingWith(std::string_view prefix) const {
    std::lock_guard lock(mutex_);
    std::vector<std::string> found;
    for (const std::string& line : calls_)
        if (line.starts_with(prefix)) found.push_back(line);
    return found;
}

std::string ScriptedOperator::Transcript() const {
    std::lock_guard lock(mutex_);
    std::string text;
    for (const std::string& line : calls_)
        text += line + '\n';
    return text;
}

std::vector<ScriptedOperator::Message> ScriptedOperator::messages() const {
    std::lock_guard lock(mutex_);
    return messages_;
}

ScriptedOperator::Progress ScriptedOperator::progress() const {
    std::lock_guard lock(mutex_);
    return progress_;
}

int ScriptedOperator::unscriptedPrompts() const {
    std::lock_guard lock(mutex_);
    return unscripted_;
}

bool ScriptedOperator::ScriptUsedUp() const {
    std::lock_guard lock(mutex_);
    return messageAnswers_.empty() && folderAnswers_.empty() && fileAnswers_.empty() && menuAnswers_.empty();
}

void ScriptedOperator::ClearCalls() {
    std::lock_guard lock(mutex_);
    calls_.clear();
    messages_.clear();
}

void ScriptedOperator::Record(std::string line) {
    std::lock_guard lock(mutex_);
    calls_.push_back(std::move(line));
}

int ScriptedOperator::ShowMessage(std::string_view text, std::string_view caption, plat::MessageIcon icon,
                                  plat::MessageButtons buttons) {
    std::lock_guard lock(mutex_);
    calls_.push_back(std::string("message[") + IconName(icon) + ',' + ButtonsName(buttons) + "] " +
                     std::string(text));
    messages_.push_back({std::string(text), std::string(caption), icon, buttons});
    const std::optional<int> answer = TakeFront(messageAnswers_);
    if (!answer) ++unscripted_;
    return answer.value_or(plat::kIdOk);
}

std::optional<std::string>
ScriptedOperator::PromptFolder(std::string_view caption, std::string_view initialFolder,
                               const std::function<bool(std::string_view)>& acceptable) {
    {
        std::lock_guard lock(mutex_);
        calls_.push_back("folder? " + std::string(caption) + " | " + std::string(initialFolder));
        if (folderAnswers_.empty()) {
            ++unscripted_;
            return std::nullopt;
        }
    }
    for (;;) {
        std::optional<std::optional<std::string>> answer;
        {
            std::lock_guard lock(mutex_);
            answer = TakeFront(folderAnswers_);
        }
        if (!answer) return std::nullopt; // every scripted answer was refused: the person cancels
        if (!*answer) return std::nullopt;
        // The test runs outside the lock: it is the caller's code and may call back.
        if (!acceptable || acceptable(**answer)) return *answer;
        Record("folder refused " + **answer);
    }
}

std::optional<std::string> ScriptedOperator::PromptFile(std::string_view caption,
                                                        std::string_view initialFolder,
                                                        std::string_view filter) {
    std::lock_guard lock(mutex_);
    calls_.push_back("file? " + std::string(caption) + " | " + std::string(initialFolder) + " | " +
                     std::string(filter));
    std::optional<std::optional<std::string>> answer = TakeFront(fileAnswers_);
    if (!answer) {
        ++unscripted_;
        return std::nullopt;
    }
    return *answer;
}

int ScriptedOperator::PopupMenu(const std::vector<std::string>& entries) {
    std::lock_guard lock(mutex_);
    std::string line = "menu";
    for (std::size_t i = 0; i < entries.size(); ++i)
        line += (i == 0 ? " " : " | ") + (entries[i].empty() ? std::string("-") : entries[i]);
    calls_.push_back(std::move(line));
    const std::optional<int> answer = TakeFront(menuAnswers_);
    if (!answer) ++unscripted_;
    return answer.value_or(-1);
}

void ScriptedOperator::ProgressShow(bool visible) {
    std::lock_guard lock(mutex_);
    calls_.push_back(visible ? "progress show" : "progress hide");
    progress_.visible = visible;
}

void ScriptedOperator::ProgressRange(int low, int high) {
    std::lock_guard lock(mutex_);
    calls_.push_back("progress range " + std::to_string(low) + ".." + std::to_string(high));
    progress_.low = low;
    progress_.high = high;
}

void ScriptedOperator::ProgressPosition(int position) {
    std::lock_guard lock(mutex_);
    calls_.push_back("progress pos " + std::to_string(position));
    progress_.position = position;
}

void ScriptedOperator::ShowWaitCursor(int milliseconds) {
    Record("wait cursor " + std::to_string(milliseconds));
}

MainOperatorScope::MainOperatorScope(plat::Operator& op) : previous_(plat::MainOperator()) {
    plat::SetMainOperator(&op);
}

MainOperatorScope::~MainOperatorScope() {
    plat::SetMainOperator(previous_);
}

} // namespace tavo::test

#include "cli/terminal_operator.h"

#include "cli/path_argument.h"
#include "platform/files.h"

#include <unistd.h>

#include <utility>

namespace tavo::cli {

namespace {

constexpr const char* kDefaultFolderCaption = "Choose the install folder";

// A reason is reported on one line, whatever the text it quotes.
std::string OneLine(std::string_view text) {
    std::string line(text);
    for (char& c : line)
        if (c == '\n' || c == '\r') c = ' ';
    return line;
}

bool IsExistingFolder(std::string_view path) {
    const std::uint32_t attributes = plat::FileAttributes(path);
    return attributes != plat::kInvalidAttributes && (attributes & plat::kAttrDirectory) != 0;
}

bool IsYes(std::string_view answer) {
    return answer == "y" || answer == "Y" || answer == "yes" || answer == "Yes" || answer == "YES";
}

} // namespace

TerminalStreams TerminalStreams::OfProcess() {
    return TerminalStreams{stdin, stdout, stderr, isatty(STDIN_FILENO) == 1, isatty(STDERR_FILENO) == 1};
}

TerminalOperator::TerminalOperator(TerminalStreams streams, PromptAnswers answers)
    : streams_(streams), answers_(std::move(answers)), progress_(streams.err, streams.errIsTerminal) {}

std::string TerminalOperator::refusal() const {
    std::lock_guard lock(mutex_);
    return refusal_;
}

int TerminalOperator::ShowMessage(std::string_view text, std::string_view caption, plat::MessageIcon icon,
                                  plat::MessageButtons buttons) {
    std::lock_guard lock(mutex_);
    progress_.Suspend();
    const bool problem = icon == plat::MessageIcon::Exclamation || icon == plat::MessageIcon::Stop;
    std::FILE* stream = problem ? streams_.err : streams_.out;
    if (caption.empty())
        std::fprintf(stream, "%.*s\n", static_cast<int>(text.size()), text.data());
    else
        std::fprintf(stream, "%.*s: %.*s\n", static_cast<int>(caption.size()), caption.data(),
                     static_cast<int>(text.size()), text.data());
    std::fflush(stream);

    int answer = plat::kIdOk;
    if (buttons != plat::MessageButtons::Ok) {
        const bool yesNo = buttons == plat::MessageButtons::YesNo;
        const int yes = yesNo ? plat::kIdYes : plat::kIdOk;
        const int no = yesNo ? plat::kIdNo : plat::kIdCancel;
        if (answers_.yes) {
            answer = yes;
        } else if (streams_.inIsTerminal) {
            std::fputs(yesNo ? "[y/N] " : "OK? [y/N] ", streams_.err);
            std::fflush(streams_.err);
            const std::optional<std::string> line = ReadLine();
            answer = line && IsYes(*line) ? yes : no;
        } else {
            Refuse("cannot answer \"" + OneLine(text) + "\" without a terminal (--yes answers yes)");
            answer = no;
        }
    }
    progress_.Resume();
    return answer;
}

std::optional<std::string>
TerminalOperator::PromptFolder(std::string_view caption, std::string_view,
                               const std::function<bool(std::string_view)>& acceptable) {
    std::lock_guard lock(mutex_);
    const std::string title = caption.empty() ? std::string(kDefaultFolderCaption) : OneLine(caption);
    std::optional<std::string> chosen;
    progress_.Suspend();
    if (answers_.folder) {
        if (IsExistingFolder(*answers_.folder) && acceptable(*answers_.folder)) {
            chosen = answers_.folder;
            std::fprintf(streams_.out, "\"%s\": %s (--install-folder)\n", title.c_str(), chosen->c_str());
            std::fflush(streams_.out);
        } else {
            Refuse("the folder given with --install-folder cannot be chosen: " + *answers_.folder);
        }
    } else if (answers_.yes) {
        Refuse("no folder to answer \"" + title + "\": --yes needs --install-folder DIR");
    } else if (streams_.inIsTerminal) {
        chosen = AskFolder(title, acceptable);
    } else {
        Refuse("cannot ask \"" + title + "\" without a terminal: give --install-folder DIR");
    }
    progress_.Resume();
    return chosen;
}

std::optional<std::string>
TerminalOperator::AskFolder(const std::string& caption,
                            const std::function<bool(std::string_view)>& acceptable) {
    for (;;) {
        std::fprintf(streams_.err, "%s\nfolder (an empty line cancels): ", caption.c_str());
        std::fflush(streams_.err);
        const std::optional<std::string> line = ReadLine();
        if (!line || line->empty()) {
            Refuse("the folder prompt \"" + caption + "\" was cancelled");
            return std::nullopt;
        }
        const std::optional<std::string> path = WindowsPathArgument(*line);
        if (!path) {
            std::fprintf(streams_.err, "not a path on this machine: %s\n", line->c_str());
            continue;
        }
        std::string folder = WithoutTrailingBackslash(*path);
        if (IsExistingFolder(folder) && acceptable(folder)) return folder;
        std::fprintf(streams_.err, "cannot choose %s\n", folder.c_str());
    }
}

std::optional<std::string> TerminalOperator::PromptFile(std::string_view caption, std::string_view,
                                                        std::string_view) {
    std::lock_guard lock(mutex_);
    Refuse("tavoctl cannot answer the file prompt \"" + OneLine(caption) + "\"");
    return std::nullopt;
}

int TerminalOperator::PopupMenu(const std::vector<std::string>&) {
    std::lock_guard lock(mutex_);
    Refuse("tavoctl has no pop-up menus");
    return -1;
}

void TerminalOperator::ProgressShow(bool visible) {
    std::lock_guard lock(mutex_);
    progress_.Show(visible);
}

void TerminalOperator::ProgressRange(int low, int high) {
    std::lock_guard lock(mutex_);
    progress_.Range(low, high);
}

void TerminalOperator::ProgressPosition(int position) {
    std::lock_guard lock(mutex_);
    progress_.Position(position);
}

// A terminal has no cursor to change; the run goes on at once.
void TerminalOperator::ShowWaitCursor(int) {}

std::optional<std::string> TerminalOperator::ReadLine() {
    std::string line;
    int c = 0;
    while ((c = std::fgetc(streams_.in)) != EOF && c != '\n')
        line += static_cast<char>(c);
    if (c == EOF && line.empty()) return std::nullopt;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line;
}

void TerminalOperator::Refuse(std::string reason) {
    refusal_ = std::move(reason);
}

} // namespace tavo::cli

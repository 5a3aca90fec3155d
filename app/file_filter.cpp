#include "app/file_filter.h"

namespace tavo::app {

namespace {

// The text up to the next '|' (or the end), removed from the front of `rest`.
std::string_view TakeField(std::string_view& rest) {
    const std::size_t bar = rest.find('|');
    const std::string_view field = rest.substr(0, bar);
    rest.remove_prefix(bar == std::string_view::npos ? rest.size() : bar + 1);
    return field;
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

std::string PatternList(std::string_view patterns) {
    std::string list;
    while (!patterns.empty()) {
        const std::size_t semicolon = patterns.find(';');
        const std::string_view pattern = Trimmed(patterns.substr(0, semicolon));
        patterns.remove_prefix(semicolon == std::string_view::npos ? patterns.size() : semicolon + 1);
        if (pattern.empty()) continue;
        if (!list.empty()) list += ' ';
        list += pattern == "*.*" ? std::string_view("*") : pattern;
    }
    return list;
}

} // namespace

std::vector<std::string> FileDialogFilters(std::string_view windowsFilter) {
    std::vector<std::string> filters;
    std::string_view rest = windowsFilter;
    while (!rest.empty()) {
        std::string_view description = TakeField(rest);
        const std::string patterns = PatternList(TakeField(rest));
        if (description.empty() && patterns.empty()) break; // the closing "||"
        if (description.ends_with(')')) {
            const std::size_t open = description.rfind('(');
            if (open != std::string_view::npos) description = Trimmed(description.substr(0, open));
        }
        filters.push_back(std::string(description) + " (" + (patterns.empty() ? "*" : patterns) + ")");
    }
    return filters;
}

} // namespace tavo::app

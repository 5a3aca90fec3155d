#pragma once
// File-prompt filters: the Windows form "Programs (*.exe)|*.exe|All files (*.*)|*.*||" turned into
// the "Description (pattern pattern)" entries a toolkit file dialog takes.
#include <string>
#include <string_view>
#include <vector>

namespace tavo::app {

// One entry per description and pattern pair, in order. Patterns separated by ';' are listed with
// spaces; "*.*" becomes "*", which matches names without a dot as it does on Windows. A description
// ending in a parenthesised pattern list has it replaced by the patterns the filter really uses.
std::vector<std::string> FileDialogFilters(std::string_view windowsFilter);

} // namespace tavo::app

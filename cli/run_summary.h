#pragma once
// The summary a command prints after a run: one line of counts on `out`, then one line per failed
// entry with its reason on `err`.
#include "engine/run_log.h"

#include <cstddef>
#include <cstdio>
#include <string_view>

namespace tavo::cli {

// Returns the number of failed entries.
std::size_t PrintRunSummary(const RunLog& log, std::string_view command, std::FILE* out, std::FILE* err);

} // namespace tavo::cli

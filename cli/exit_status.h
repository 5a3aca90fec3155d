#pragma once
// The exit statuses of tavoctl, for scripts.
namespace tavo::cli {

enum ExitStatus : int {
    kExitDone = 0,          // the run completed and every entry worked
    kExitNotRun = 1,        // the run could not be done: missing file or folder, refused prompt, ...
    kExitBadCommand = 2,    // the command line is wrong
    kExitEntriesFailed = 3, // the run completed, but some entries failed (listed on stderr)
    kExitProductRunning = 4, // the product's program runs: its warning was shown, nothing was done
};

} // namespace tavo::cli

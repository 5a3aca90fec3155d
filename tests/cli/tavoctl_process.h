#pragma once
// Runs the built tavoctl as a child process with stdin from /dev/null (so: no terminal) and
// collects its exit status and output.
#include <string>
#include <vector>

namespace tavo::test {

struct TavoctlResult {
    int status = -1; // exit status; -1 when it did not exit normally
    std::string out;
    std::string err;
};

// `environment` entries ("NAME=value") are added to this process's environment, from which
// TAVO_PREFIX is removed so that only the test decides the machine.
TavoctlResult RunTavoctl(const std::vector<std::string>& arguments,
                         const std::vector<std::string>& environment = {},
                         const std::string& program = TAVOCTL);

} // namespace tavo::test

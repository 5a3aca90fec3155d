// A second process for the kernel-object tests. Usage: kernel_peer PREFIX COMMAND NAME [TIMEOUT]
//   hold-mutex NAME          takes the mutex, prints "ready", sleeps until killed
//   try-mutex NAME           prints the result of a zero wait and exits (keeping what it took)
//   wait-event NAME TIMEOUT  opens the event, prints "ready", then the result of the wait
//   set-event NAME           opens and sets the event, prints "set"
//   serve-event NAME TIMEOUT creates (or opens) the event, prints "ready", then the result of the wait
// Results are printed as decimal numbers, one a line.
#include "platform/kernel.h"
#include "platform/paths.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace {

void Say(const char* text) {
    std::printf("%s\n", text);
    std::fflush(stdout);
}

void SayNumber(std::uint32_t value) {
    std::printf("%u\n", value);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 4) return 2;
    plat::SetPrefixFolder(argv[1]);
    std::string_view command = argv[2];
    std::string_view name = argv[3];

    if (command == "hold-mutex") {
        plat::Handle mutex = plat::CreateMutexNamed(name, false);
        if (plat::WaitForObject(mutex, plat::kInfinite) == plat::kWaitFailed) return 1;
        Say("ready");
        for (;;)
            pause();
    }
    if (command == "try-mutex") {
        SayNumber(plat::WaitForObject(plat::CreateMutexNamed(name, false), 0));
        return 0;
    }
    if (command == "wait-event" && argc == 5) {
        plat::Handle event = plat::OpenEventNamed(name);
        if (!event) return 1;
        Say("ready");
        SayNumber(plat::WaitForObject(event, static_cast<std::uint32_t>(std::strtoul(argv[4], nullptr, 10))));
        return 0;
    }
    if (command == "serve-event" && argc == 5) {
        plat::Handle event = plat::CreateEventNamed(name, false);
        if (!event) return 1;
        Say("ready");
        SayNumber(plat::WaitForObject(event, static_cast<std::uint32_t>(std::strtoul(argv[4], nullptr, 10))));
        return 0;
    }
    if (command == "set-event") {
        plat::Handle event = plat::OpenEventNamed(name);
        if (!event || !plat::SetEventSignal(event)) return 1;
        Say("set");
        return 0;
    }
    return 2;
}

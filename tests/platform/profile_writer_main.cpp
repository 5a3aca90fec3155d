// Child process of the profile crash and concurrency tests. On the machine prefix given first:
//   profile_writer PREFIX alternate FILE COUNT LENGTH_A LENGTH_B
//       writes [data] value= COUNT times, alternately LENGTH_A 'a's and LENGTH_B 'b's;
//   profile_writer PREFIX keys FILE TAG COUNT
//       writes [keys] TAG0=0 ... TAG<COUNT-1>=COUNT-1, one write each.
// Exits 0 when every write succeeded.
#include "platform/paths.h"
#include "platform/profile.h"

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    if (argc < 6) {
        std::fprintf(stderr, "usage: profile_writer PREFIX alternate|keys FILE ...\n");
        return 2;
    }
    plat::SetPrefixFolder(argv[1]);
    const std::string mode = argv[2];
    const std::string file = argv[3];
    if (mode == "alternate" && argc == 7) {
        const long count = std::atol(argv[4]);
        const std::string values[] = {std::string(std::strtoul(argv[5], nullptr, 10), 'a'),
                                      std::string(std::strtoul(argv[6], nullptr, 10), 'b')};
        for (long i = 0; i < count; ++i)
            if (!plat::WriteProfileString(file, "data", "value", values[i % 2])) return 1;
        return 0;
    }
    if (mode == "keys") {
        const std::string tag = argv[4];
        const long count = std::atol(argv[5]);
        for (long i = 0; i < count; ++i)
            if (!plat::WriteProfileString(file, "keys", tag + std::to_string(i), std::to_string(i))) return 1;
        return 0;
    }
    std::fprintf(stderr, "profile_writer: bad arguments\n");
    return 2;
}
